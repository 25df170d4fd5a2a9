#include "geometry/history_entry_geometry.h"

namespace swl {

int ListItemHeightFor(int outerWindowWidth) {
    return outerWindowWidth <= kCompactLayoutMaxWidth ? 38 : 64;
}

int EntryHeightFor(int listItemHeight) { return listItemHeight + 2; }

int EntryIconSizeFor(int outerWindowWidth) {
    return outerWindowWidth <= kCompactLayoutMaxWidth ? 32 : 48;
}

int EntryIconIndexForFormat(unsigned format) {
    switch (format) {
        case 1: return 0;   // CF_TEXT
        case 13: return 1;  // CF_UNICODETEXT
        default: return 2;
    }
}

EntryLayout LayoutHistoryEntry(Rect r, int itemHeight, int iconSize, bool isPicture) {
    EntryLayout l;
    l.outerFrame = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    l.iconFrame = {r.left + 2, r.top + 2, r.left + itemHeight, r.bottom - 2};
    const int inset = (itemHeight - iconSize) / 2;
    l.icon = {r.left + 2 + inset, r.top + 2 + inset};
    l.content = {r.left + itemHeight + 4, r.top + 2, r.right - 2, r.bottom - (isPicture ? 2 : 4)};
    return l;
}

}  // namespace swl
