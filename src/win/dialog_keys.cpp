#include "dialog_keys.h"

#include <initializer_list>

namespace swl {
namespace {

bool IsCheckBox(HWND hwnd) {
    wchar_t name[16] = {};
    if (!GetClassNameW(hwnd, name, 16) || lstrcmpiW(name, L"BUTTON") != 0) return false;
    const LONG_PTR type = GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool ModifierDown() {
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU})
        if (GetKeyState(key) < 0) return true;
    return false;
}

}  // namespace

bool HandleDialogKey(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (!root || !(GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) return false;
    // A control that wants every key (the hotkey field) gets them as they
    // are: the dialog manager would still take Alt+letter as an access key.
    if (msg.hwnd == GetFocus() &&
        (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTALLKEYS))
        return false;
    // A check box takes Enter as a click; the dialog manager would send it
    // to the window as the default button's command instead.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && msg.hwnd == GetFocus() && IsCheckBox(msg.hwnd) &&
        IsWindowEnabled(msg.hwnd) && !ModifierDown()) {
        SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    return IsDialogMessageW(root, &msg) != FALSE;
}

}  // namespace swl
