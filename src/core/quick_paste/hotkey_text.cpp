#include "quick_paste/hotkey_text.h"

#include <array>

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

constexpr std::array<Name, 7> kNamedKeys{{
    {"Insert", kVkInsert},
    {"Space", kVkSpace},
    {"Tab", kVkTab},
    {"Home", kVkHome},
    {"End", kVkEnd},
    {"PageUp", kVkPageUp},
    {"PageDown", kVkPageDown},
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

bool TypesCharacter(const HotKey& key) {
    if (key.character != 0) return true;
    return IsLetterOrDigitKey(key.vk) || key.vk == kVkSpace || key.vk == kVkTab;
}

}  // namespace

bool IsPunctuationKey(char c) { return c > ' ' && c < 0x7F && !IsLetter(c) && !IsDigit(c); }

bool IsUsableHotKey(const HotKey& hotKey) {
    if ((hotKey.vk == 0) == (hotKey.character == 0)) return false;  // none, or both
    if (hotKey.modifiers & ~kAllModifiers) return false;
    if (hotKey.character != 0 && !IsPunctuationKey(hotKey.character)) return false;
    if (hotKey.vk != 0) {
        // Only the keys the text form can name.
        const HotKey canonical = ParseKey(FormatHotKey(HotKey{0, hotKey.vk, 0})).value_or(HotKey{});
        if (canonical.vk != hotKey.vk) return false;
    }
    if (TypesCharacter(hotKey) && !(hotKey.modifiers & (kHotKeyCtrl | kHotKeyAlt | kHotKeyWin))) return false;
    return true;
}

std::optional<HotKey> ParseHotKey(std::string_view text) {
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
    if (!IsUsableHotKey(*key)) return std::nullopt;
    return key;
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
