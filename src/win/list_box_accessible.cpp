#include "list_box_accessible.h"

#include <oleacc.h>

namespace swl {

int ListBoxAccessible::AccessibleChildCount() const {
    const LRESULT n = list_ ? SendMessageW(list_, LB_GETCOUNT, 0, 0) : 0;
    return n > 0 ? static_cast<int>(n) : 0;
}

bool ListBoxAccessible::DescribeAccessible(int child, AccessibleElement& element) const {
    if (!list_ || child < 0 || child > AccessibleChildCount()) return false;
    const bool focused = GetFocus() == list_;
    const long common = (IsWindowEnabled(list_) ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                        (IsWindowVisible(list_) ? 0 : STATE_SYSTEM_INVISIBLE);
    if (child == 0) {
        element.role = ROLE_SYSTEM_LIST;
        element.state = common | STATE_SYSTEM_FOCUSABLE | (focused ? STATE_SYSTEM_FOCUSED : 0);
        element.screen = ScreenRectOf(list_);
        return true;
    }
    const int index = child - 1;
    element.name = entryName_ ? entryName_(index) : std::u16string();
    element.role = ROLE_SYSTEM_LISTITEM;
    const bool selected = SendMessageW(list_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
    const bool caret = SendMessageW(list_, LB_GETCARETINDEX, 0, 0) == index;
    element.state = common | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE | (selected ? STATE_SYSTEM_SELECTED : 0) |
                    (focused && caret ? STATE_SYSTEM_FOCUSED : 0);
    RECT r{};
    if (SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR) {
        RECT client{};
        GetClientRect(list_, &client);
        // An entry scrolled out of the list is off screen.
        RECT seen{};
        if (!IntersectRect(&seen, &r, &client)) element.state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
        MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        element.screen = r;
    }
    return true;
}

int ListBoxAccessible::AccessibleFocus() const {
    if (!list_ || GetFocus() != list_) return -1;
    const LRESULT caret = SendMessageW(list_, LB_GETCARETINDEX, 0, 0);
    return caret >= 0 && caret < AccessibleChildCount() ? static_cast<int>(caret) + 1 : 0;
}

}  // namespace swl
