// The quick-paste hotkey between its text form (quick_paste/hotkey_text.h)
// and the system: the modifiers and virtual key RegisterHotKey takes, and
// the word of the standard hotkey control (HKM_GETHOTKEY/HKM_SETHOTKEY).
// A punctuation key is named by its character; its virtual key comes from
// the current keyboard layout.
#pragma once

#include <windows.h>

#include <optional>

#include "quick_paste/hotkey_text.h"

namespace swl {

struct SystemHotKey {
    UINT modifiers = 0;  // MOD_CONTROL, MOD_ALT, MOD_SHIFT, MOD_WIN
    UINT vk = 0;
};

// Nothing when the layout has no key for the punctuation character.
std::optional<SystemHotKey> ToSystemHotKey(const HotKey& hotKey);

// The control's word: the virtual key in the low byte, HOTKEYF_* above it.
// The control has no Win modifier; it is left out.
WORD ToHotKeyControlWord(const HotKey& hotKey);
// The combination a control's word names; nothing for none or for a key the
// text form cannot name (the keypad, Escape, the arrows).
std::optional<HotKey> FromHotKeyControlWord(WORD word);

}  // namespace swl
