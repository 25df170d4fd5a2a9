// The quick-paste hotkey between its text form (quick_paste/hotkey_text.h)
// and the keyboard: the modifiers and virtual key RegisterHotKey takes, and
// the combination a key pressed with modifiers names. A punctuation key is
// named by its character; its virtual key, and whether it needs Shift, come
// from the current keyboard layout.
#pragma once

#include <windows.h>

#include <optional>

#include "quick_paste/hotkey_text.h"

namespace swl {

struct SystemHotKey {
    UINT modifiers = 0;  // MOD_CONTROL, MOD_ALT, MOD_SHIFT, MOD_WIN
    UINT vk = 0;
};

// What to register for a usable hotkey. A punctuation character that the
// layout types with Shift (":" on a US keyboard) gets MOD_SHIFT. Nothing
// when the layout has no key for the character, or types it only with Ctrl
// or Alt (AltGr): holding that would take the character from typing.
std::optional<SystemHotKey> ToSystemHotKey(const HotKey& hotKey);

// The modifiers held now (Ctrl, Alt, Shift, Win), as HotKey modifier bits.
unsigned HeldModifiers();

// Whether a virtual key is one of the modifier keys.
bool IsModifierKey(UINT vk);

// The combination of a key pressed with modifiers, usable or not; nothing
// for a key the text form cannot name (the keypad, Enter, a modifier). A key
// that types punctuation is named by its unshifted character, Shift staying
// a modifier of its own.
std::optional<HotKey> CombinationOfKey(unsigned modifiers, UINT vk);

}  // namespace swl
