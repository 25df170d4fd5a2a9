#include "quick_paste/hotkey_text.h"

#include <array>
#include <initializer_list>

#include "ascii_case.h"

namespace swl {
namespace {

struct Name {
    std::string_view text;
    unsigned value;
};

constexpr std::array<Name, 4> kModifiers{{
    {"Ctrl", kHotKeyCtrl},
    {"Alt", kHotKeyAlt},
    {"Shift", kHotKeyShift},
    {"Win", kHotKeyWin},
}};

constexpr std::array<Name, 14> kNamedKeys{{
    {"Insert", kVkInsert},
    {"Delete", kVkDelete},
    {"Home", kVkHome},
    {"End", kVkEnd},
    {"PageUp", kVkPageUp},
    {"PageDown", kVkPageDown},
    {"Backspace", kVkBackspace},
    {"Left", kVkLeft},
    {"Up", kVkUp},
    {"Right", kVkRight},
    {"Down", kVkDown},
    {"Space", kVkSpace},
    {"Tab", kVkTab},
    {"Esc", kVkEscape},
}};

constexpr unsigned kAllModifiers = kHotKeyCtrl | kHotKeyAlt | kHotKeyShift | kHotKeyWin;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsLetter(char c) { return UpperAscii(c) >= 'A' && UpperAscii(c) <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The key of a key name; nothing for an unknown name.
std::optional<HotKey> ParseKey(std::string_view name) {
    HotKey key;
    if (name.size() == 1) {
        const char c = name[0];
        if (IsLetter(c) || IsDigit(c)) {
            key.vk = static_cast<std::uint16_t>(UpperAscii(c));
            return key;
        }
        if (IsPunctuationKey(c)) {
            key.character = c;
            return key;
        }
        return std::nullopt;
    }
    for (const auto& n : kNamedKeys) {
        if (SameIgnoringAsciiCase(name, n.text)) {
            key.vk = static_cast<std::uint16_t>(n.value);
            return key;
        }
    }
    // F1 to F24, without leading zeros.
    if (name.size() >= 2 && name.size() <= 3 && UpperAscii(name[0]) == 'F' && name[1] != '0') {
        int number = 0;
        for (char c : name.substr(1)) {
            if (!IsDigit(c)) return std::nullopt;
            number = number * 10 + (c - '0');
        }
        if (number >= 1 && number <= 24) {
            key.vk = static_cast<std::uint16_t>(kVkF1 + number - 1);
            return key;
        }
    }
    return std::nullopt;
}

// Letters and digits have the virtual-key codes of their upper-case
// characters; the codes of the small letters are other keys (F1 is 'p').
bool IsLetterOrDigitKey(std::uint16_t vk) { return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'); }

// The keys that move the caret or change the text in every editor.
bool IsEditingKey(std::uint16_t vk) {
    switch (vk) {
    case kVkInsert: case kVkDelete: case kVkHome: case kVkEnd: case kVkPageUp: case kVkPageDown:
    case kVkBackspace: case kVkLeft: case kVkUp: case kVkRight: case kVkDown:
        return true;
    default:
        return false;
    }
}

bool UsedEveryDay(const HotKey& key) {
    const unsigned m = key.modifiers;
    if (key.vk == kVkTab || key.vk == kVkEscape) return true;
    if (m == kHotKeyAlt && (key.vk == kVkF4 || key.vk == kVkSpace)) return true;
    const bool onlyCtrlOrShift = (m & ~(kHotKeyCtrl | kHotKeyShift)) == 0;
    if (onlyCtrlOrShift && IsEditingKey(key.vk)) return true;
    if (m == kHotKeyCtrl) {
        for (char letter : {'A', 'C', 'V', 'X', 'Y', 'Z'})
            if (key.vk == letter) return true;
    }
    return m == (kHotKeyCtrl | kHotKeyShift) && key.vk == 'Z';  // redo
}

}  // namespace

bool IsPunctuationKey(char c) { return c > ' ' && c < 0x7F && !IsLetter(c) && !IsDigit(c); }

HotKeyVerdict JudgeHotKey(const HotKey& hotKey) {
    if ((hotKey.vk == 0) == (hotKey.character == 0)) return HotKeyVerdict::NotAKey;  // none, or both
    if (hotKey.modifiers & ~kAllModifiers) return HotKeyVerdict::NotAKey;
    if (hotKey.character != 0 && !IsPunctuationKey(hotKey.character)) return HotKeyVerdict::NotAKey;
    if (hotKey.vk != 0) {
        // Only the keys the text form can name.
        const HotKey canonical = ParseKey(FormatHotKey(HotKey{0, hotKey.vk, 0})).value_or(HotKey{});
        if (canonical.vk != hotKey.vk) return HotKeyVerdict::NotAKey;
    }
    // A bare key is refused for wanting a modifier, even where it is also an
    // everyday key (Home): that is the plainer reason.
    if (hotKey.modifiers == 0) return HotKeyVerdict::NeedsCtrlAltOrWin;
    if (UsedEveryDay(hotKey)) return HotKeyVerdict::UsedEveryDay;
    if (!(hotKey.modifiers & (kHotKeyCtrl | kHotKeyAlt | kHotKeyWin))) return HotKeyVerdict::NeedsCtrlAltOrWin;
    return HotKeyVerdict::Usable;
}

std::optional<HotKey> ReadCombination(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return HotKey{};

    // The key is the part after the last "+"; a "+" key makes the text end
    // in "+" itself ("Ctrl++").
    std::string_view keyName;
    std::string_view modifiers;
    if (text.back() == '+') {
        keyName = "+";
        modifiers = Trim(text.substr(0, text.size() - 1));
        if (!modifiers.empty()) {
            if (modifiers.back() != '+') return std::nullopt;
            modifiers = modifiers.substr(0, modifiers.size() - 1);
            if (Trim(modifiers).empty()) return std::nullopt;  // "++" after nothing
        }
    } else {
        const std::size_t plus = text.rfind('+');
        keyName = Trim(plus == std::string_view::npos ? text : text.substr(plus + 1));
        if (plus != std::string_view::npos) {
            modifiers = text.substr(0, plus);
            if (Trim(modifiers).empty()) return std::nullopt;  // "+V"
        }
    }

    std::optional<HotKey> key = ParseKey(keyName);
    if (!key) return std::nullopt;
    while (!modifiers.empty()) {
        const std::size_t plus = modifiers.find('+');
        const std::string_view part = Trim(modifiers.substr(0, plus));
        modifiers = plus == std::string_view::npos ? std::string_view{} : modifiers.substr(plus + 1);
        unsigned bit = 0;
        for (const auto& m : kModifiers)
            if (SameIgnoringAsciiCase(part, m.text)) bit = m.value;
        if (bit == 0 || (key->modifiers & bit)) return std::nullopt;  // unknown or twice
        key->modifiers |= bit;
        if (plus != std::string_view::npos && Trim(modifiers).empty()) return std::nullopt;  // "Ctrl+ +V"
    }
    return key;
}

std::optional<HotKey> ParseHotKey(std::string_view text) {
    const auto combination = ReadCombination(text);
    if (!combination || (!combination->Empty() && !IsUsableHotKey(*combination))) return std::nullopt;
    return combination;
}

std::string FormatHotKey(const HotKey& hotKey) {
    if (hotKey.Empty()) return {};
    std::string text;
    for (const auto& m : kModifiers) {
        if (hotKey.modifiers & m.value) {
            text += m.text;
            text += '+';
        }
    }
    if (hotKey.character != 0) {
        text += hotKey.character;
        return text;
    }
    if (IsLetterOrDigitKey(hotKey.vk)) {
        text += static_cast<char>(hotKey.vk);
        return text;
    }
    if (hotKey.vk >= kVkF1 && hotKey.vk <= kVkF24) {
        text += 'F';
        text += std::to_string(hotKey.vk - kVkF1 + 1);
        return text;
    }
    for (const auto& n : kNamedKeys) {
        if (n.value == hotKey.vk) {
            text += n.text;
            return text;
        }
    }
    // A key the text form cannot name: written as nothing, so it reads back
    // as no hotkey rather than as another key.
    return {};
}

}  // namespace swl
