// Geometry of one entry of the history list: the two layouts (compact with
// 32-pixel icons, large with 48-pixel icons when the window is wider than
// 450 pixels), the frames, the icon position and the content area.
#pragma once

#include "geometry/rect.h"

namespace swl {

inline constexpr int kCompactLayoutMaxWidth = 450;

// ListItemHeight for the window's outer width: 38 up to 450 pixels, else 64.
int ListItemHeightFor(int outerWindowWidth);

// Every entry is ListItemHeight + 2 high.
int EntryHeightFor(int listItemHeight);

// Side of the item-kind icon: 32 up to 450 pixels, else 48.
int EntryIconSizeFor(int outerWindowWidth);

// Index into the icon image lists: 0 for 8-bit text (format 1), 1 for
// Unicode text (13), 2 for anything else (pictures).
int EntryIconIndexForFormat(unsigned format);

struct EntryLayout {
    Rect outerFrame;  // red when selected, gray otherwise; window-colour fill
    Rect iconFrame;   // blue outline, no fill
    Point icon;       // top-left of the icon image
    Rect content;     // the picture's copy area or the text's drawing area
};

// R is the entry rectangle, itemHeight the list's item height (38 or 64),
// iconSize 32 or 48. Picture items keep 2 pixels at the bottom, text items 4.
EntryLayout LayoutHistoryEntry(Rect r, int itemHeight, int iconSize, bool isPicture);

}  // namespace swl
