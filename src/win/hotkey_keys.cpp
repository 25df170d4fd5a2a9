#include "hotkey_keys.h"

namespace swl {

std::optional<SystemHotKey> ToSystemHotKey(const HotKey& hotKey) {
    if (!IsUsableHotKey(hotKey)) return std::nullopt;
    if (hotKey.vk != 0) return SystemHotKey{hotKey.modifiers, hotKey.vk};  // MOD_* are the text form's bits
    const SHORT scan = VkKeyScanW(static_cast<wchar_t>(static_cast<unsigned char>(hotKey.character)));
    if (scan == -1) return std::nullopt;
    const BYTE shiftState = HIBYTE(scan);
    if (shiftState & (2 | 4)) return std::nullopt;  // Ctrl or Alt needed
    UINT modifiers = hotKey.modifiers;
    if (shiftState & 1) modifiers |= MOD_SHIFT;
    return SystemHotKey{modifiers, static_cast<UINT>(LOBYTE(scan))};
}

unsigned HeldModifiers() {
    unsigned modifiers = 0;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= kHotKeyCtrl;
    if (GetKeyState(VK_MENU) < 0) modifiers |= kHotKeyAlt;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= kHotKeyShift;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) modifiers |= kHotKeyWin;
    return modifiers;
}

bool IsModifierKey(UINT vk) {
    switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_MENU: case VK_LMENU: case VK_RMENU:
    case VK_LWIN: case VK_RWIN:
        return true;
    default:
        return false;
    }
}

std::optional<HotKey> CombinationOfKey(unsigned modifiers, UINT vk) {
    if (vk == 0 || vk > 0xFF || IsModifierKey(vk)) return std::nullopt;
    HotKey hotKey{modifiers, static_cast<std::uint16_t>(vk), 0};
    if (JudgeHotKey(hotKey) != HotKeyVerdict::NotAKey) return hotKey;
    // A punctuation key: named by the character it types unshifted (a dead
    // key has the top bit set).
    const UINT typed = MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR);
    const UINT character = typed & 0x7FFF;
    if (character == 0 || character >= 0x80 || !IsPunctuationKey(static_cast<char>(character))) return std::nullopt;
    hotKey.vk = 0;
    hotKey.character = static_cast<char>(character);
    if (JudgeHotKey(hotKey) == HotKeyVerdict::NotAKey) return std::nullopt;
    return hotKey;
}

}  // namespace swl
