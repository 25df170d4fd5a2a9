// The quick-paste hotkey and its text form in the settings file: modifiers
// joined by "+" in the order Ctrl, Alt, Shift, Win, then one key, for example
// "Ctrl+Shift+V". The key is a letter A-Z, a digit 0-9, F1-F24, Insert,
// Delete, Home, End, PageUp, PageDown, Backspace, Left, Up, Right, Down,
// Space, Tab, Esc, or a punctuation key by its character ("Ctrl+Alt+;").
// An empty text means no hotkey.
//
// Reading is lenient where the meaning is plain: names in any case, blanks
// around the parts, modifiers in any order ("shift + ctrl + v"). Writing
// always gives the form above ("Ctrl+Shift+V"), so a file edited by hand is
// written back in that form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace swl {

// Modifier bits; the values are the platform's hotkey modifier flags.
inline constexpr unsigned kHotKeyAlt = 0x1;
inline constexpr unsigned kHotKeyCtrl = 0x2;
inline constexpr unsigned kHotKeyShift = 0x4;
inline constexpr unsigned kHotKeyWin = 0x8;

// Virtual-key codes of the named keys.
inline constexpr std::uint16_t kVkBackspace = 0x08;
inline constexpr std::uint16_t kVkTab = 0x09;
inline constexpr std::uint16_t kVkEscape = 0x1B;
inline constexpr std::uint16_t kVkSpace = 0x20;
inline constexpr std::uint16_t kVkPageUp = 0x21;
inline constexpr std::uint16_t kVkPageDown = 0x22;
inline constexpr std::uint16_t kVkEnd = 0x23;
inline constexpr std::uint16_t kVkHome = 0x24;
inline constexpr std::uint16_t kVkLeft = 0x25;
inline constexpr std::uint16_t kVkUp = 0x26;
inline constexpr std::uint16_t kVkRight = 0x27;
inline constexpr std::uint16_t kVkDown = 0x28;
inline constexpr std::uint16_t kVkInsert = 0x2D;
inline constexpr std::uint16_t kVkDelete = 0x2E;
inline constexpr std::uint16_t kVkF4 = 0x73;
inline constexpr std::uint16_t kVkF1 = 0x70;
inline constexpr std::uint16_t kVkF24 = 0x87;

struct HotKey {
    unsigned modifiers = 0;
    // A letter, digit or named key by its virtual-key code ('A', '7', kVkF1);
    // 0 for a punctuation key, which is named by `character` instead: its
    // virtual key depends on the keyboard layout.
    std::uint16_t vk = 0;
    char character = 0;

    bool Empty() const { return vk == 0 && character == 0; }
    friend bool operator==(const HotKey&, const HotKey&) = default;
};

// Ctrl+Alt+Insert: Insert types no character, so AltGr (Ctrl+Alt on many
// layouts) produces nothing with it, and neither Windows nor the common
// programs give the combination a meaning.
inline constexpr HotKey kDefaultHotKey{kHotKeyCtrl | kHotKeyAlt, kVkInsert, 0};

// Whether a combination may become the hotkey, and why not. A hotkey takes
// its combination away from every other program, so:
enum class HotKeyVerdict {
    Usable,
    // No key, two keys, a key the text form cannot name (the keypad, Enter)
    // or modifiers outside the four.
    NotAKey,
    // Every hotkey needs Ctrl, Alt or Win: without them it would take a key
    // (Home, F1, Shift+V) from the user's typing.
    NeedsCtrlAltOrWin,
    // A combination that editors and Windows use every day: Tab and Esc with
    // any modifier (Ctrl+Tab, Alt+Tab, Ctrl+Esc), Alt+F4, Alt+Space, Shift or
    // Ctrl with the arrow and editing keys (Ctrl+Insert, Shift+Insert,
    // Shift+Delete, Ctrl+Home, Ctrl+Shift+Left), and Ctrl with A, C, V, X, Y
    // and Z (select all, copy, paste, cut, redo, undo), Ctrl+Shift+Z (redo).
    UsedEveryDay,
};
HotKeyVerdict JudgeHotKey(const HotKey& hotKey);
inline bool IsUsableHotKey(const HotKey& hotKey) { return JudgeHotKey(hotKey) == HotKeyVerdict::Usable; }

// The hotkey a text names: an empty HotKey for an empty (or blank) text;
// nothing when the text is not a usable hotkey (an unknown name, a modifier
// twice or without a key, a combination JudgeHotKey refuses).
std::optional<HotKey> ParseHotKey(std::string_view text);

// The combination a text names, usable or not ("Shift+Insert" too); an
// empty HotKey for a blank text, nothing for what names no combination.
std::optional<HotKey> ReadCombination(std::string_view text);

// The text form; empty for an empty HotKey. The form of a refused but
// nameable combination ("Shift+Insert") is written too, for messages.
std::string FormatHotKey(const HotKey& hotKey);

// Whether a character can name a punctuation key: printable ASCII that is
// neither a letter nor a digit nor a blank.
bool IsPunctuationKey(char c);

}  // namespace swl
