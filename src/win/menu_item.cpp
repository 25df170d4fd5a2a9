#include "menu_item.h"

namespace swl {

UINT TMenuItem::TypeFlags() const { return MFT_OWNERDRAW | (IsSeparator() ? MFT_SEPARATOR : 0u); }

void TMenuItem::Append(HMENU menu, UINT id, const std::u16string& caption, bool enabled, HMENU submenu) {
    menu_ = menu;
    id_ = id;
    caption_ = caption;
    submenu_ = IsSeparator() ? nullptr : submenu;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE | (submenu_ ? MIIM_SUBMENU : 0u);
    info.fType = TypeFlags();
    info.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
    info.wID = id;
    info.dwItemData = id;  // how the measure and draw handlers find the item
    info.hSubMenu = submenu_;
    if (!InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info)) {
        menu_ = nullptr;
        submenu_ = nullptr;
    }
}

int TMenuItem::Position() const {
    if (!menu_) return -1;
    const int count = GetMenuItemCount(menu_);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        if (GetMenuItemInfoW(menu_, static_cast<UINT>(i), TRUE, &info) && info.dwItemData == id_) return i;
    }
    return -1;
}

void TMenuItem::Remove() {
    const int position = Position();
    if (position >= 0) DeleteMenu(menu_, static_cast<UINT>(position), MF_BYPOSITION);
    menu_ = nullptr;
    submenu_ = nullptr;
}

bool TMenuItem::Enabled() const {
    const int position = Position();
    if (position < 0) return false;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(menu_, static_cast<UINT>(position), TRUE, &info)) return false;
    return !(info.fState & (MFS_DISABLED | MFS_GRAYED));
}

void TMenuItem::SetEnabled(bool enabled) {
    const int position = Position();
    if (position < 0) return;
    EnableMenuItem(menu_, static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

void TMenuItem::SetCaption(const std::u16string& caption) {
    caption_ = caption;
    const int position = Position();
    if (position < 0) return;
    // Setting the type again makes the menu forget the item's measured size.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    info.fType = TypeFlags();
    SetMenuItemInfoW(menu_, static_cast<UINT>(position), TRUE, &info);
}

void TMenuItem::Click() {
    if (Enabled() && OnClick) OnClick();
}

}  // namespace swl
