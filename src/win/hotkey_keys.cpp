#include "hotkey_keys.h"

#include <commctrl.h>

namespace swl {
namespace {

std::optional<UINT> VirtualKeyOf(const HotKey& hotKey) {
    if (hotKey.vk != 0) return hotKey.vk;
    const SHORT scan = VkKeyScanW(static_cast<wchar_t>(static_cast<unsigned char>(hotKey.character)));
    if (scan == -1) return std::nullopt;
    return static_cast<UINT>(LOBYTE(scan));
}

}  // namespace

std::optional<SystemHotKey> ToSystemHotKey(const HotKey& hotKey) {
    if (!IsUsableHotKey(hotKey)) return std::nullopt;
    const auto vk = VirtualKeyOf(hotKey);
    if (!vk) return std::nullopt;
    // The text form's modifier bits are the system's MOD_* values.
    return SystemHotKey{hotKey.modifiers, *vk};
}

WORD ToHotKeyControlWord(const HotKey& hotKey) {
    const auto vk = VirtualKeyOf(hotKey);
    if (hotKey.Empty() || !vk) return 0;
    BYTE flags = 0;
    if (hotKey.modifiers & kHotKeyShift) flags |= HOTKEYF_SHIFT;
    if (hotKey.modifiers & kHotKeyCtrl) flags |= HOTKEYF_CONTROL;
    if (hotKey.modifiers & kHotKeyAlt) flags |= HOTKEYF_ALT;
    // Insert, Home, End and the page keys are extended keys of their own
    // block; without the flag the control names their keypad twins.
    const UINT key = *vk;
    if (key == kVkInsert || key == kVkHome || key == kVkEnd || key == kVkPageUp || key == kVkPageDown)
        flags |= HOTKEYF_EXT;
    return MAKEWORD(static_cast<BYTE>(key), flags);
}

std::optional<HotKey> FromHotKeyControlWord(WORD word) {
    const BYTE vk = LOBYTE(word);
    const BYTE flags = HIBYTE(word);
    if (vk == 0) return std::nullopt;
    HotKey hotKey;
    if (flags & HOTKEYF_SHIFT) hotKey.modifiers |= kHotKeyShift;
    if (flags & HOTKEYF_CONTROL) hotKey.modifiers |= kHotKeyCtrl;
    if (flags & HOTKEYF_ALT) hotKey.modifiers |= kHotKeyAlt;
    hotKey.vk = vk;
    if (!IsUsableHotKey(hotKey)) {
        // A punctuation key: named by the character it types unshifted.
        const UINT ch = MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) & 0x7FFF;
        hotKey.vk = 0;
        hotKey.character = ch < 0x80 ? static_cast<char>(ch) : 0;
        if (hotKey.character == 0 || !IsPunctuationKey(hotKey.character)) return std::nullopt;
    }
    if (!IsUsableHotKey(hotKey)) return std::nullopt;
    return hotKey;
}

}  // namespace swl
