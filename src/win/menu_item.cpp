#include "menu_item.h"

namespace swl {

void TMenuItem::Append(HMENU menu, UINT id, const std::u16string& caption, bool enabled, HMENU submenu) {
    menu_ = menu;
    id_ = id;
    const auto* text = reinterpret_cast<const wchar_t*>(caption.c_str());
    if (caption == u"-") {
        AppendMenuW(menu, MF_SEPARATOR, id, nullptr);
    } else if (submenu) {
        // A submenu item is addressed by position; its id is kept for the
        // enable calls, which go by position too (see SetEnabled).
        AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text);
    } else {
        AppendMenuW(menu, MF_STRING, id, text);
    }
    submenu_ = submenu;
    position_ = GetMenuItemCount(menu) - 1;
    SetEnabled(enabled);
}

bool TMenuItem::Enabled() const {
    if (!menu_) return false;
    const UINT state = submenu_ ? GetMenuState(menu_, static_cast<UINT>(position_), MF_BYPOSITION)
                                : GetMenuState(menu_, id_, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_DISABLED | MF_GRAYED));
}

void TMenuItem::SetEnabled(bool enabled) {
    if (!menu_) return;
    const UINT how = enabled ? MF_ENABLED : MF_GRAYED;
    if (submenu_)
        EnableMenuItem(menu_, static_cast<UINT>(position_), MF_BYPOSITION | how);
    else
        EnableMenuItem(menu_, id_, MF_BYCOMMAND | how);
}

void TMenuItem::Click() {
    if (Enabled() && OnClick) OnClick();
}

}  // namespace swl
