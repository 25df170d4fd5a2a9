// Where the quick-paste popup opens and how its rows are laid out. The popup
// opens just below the text caret (or the pointer), its left edge at the
// caret; where there is no room below, it opens above the caret, and it
// always stays inside the work area.
#pragma once

#include "geometry/rect.h"

namespace swl {

inline constexpr int kQuickPasteWidth = 280;
inline constexpr int kQuickPasteFrame = 1;         // the outline around it
inline constexpr int kQuickPasteHeaderHeight = 20;  // the filter line
inline constexpr int kQuickPasteSeparatorHeight = 4;
inline constexpr int kQuickPasteRowHeight = 24;
inline constexpr int kQuickPasteStripeWidth = 24;   // the kind icon's column
inline constexpr int kQuickPasteIconSize = 16;
inline constexpr int kQuickPasteNumberWidth = 14;
inline constexpr int kQuickPasteThumbWidth = 40;    // a picture's thumbnail fits in this
inline constexpr int kQuickPasteThumbHeight = 20;
inline constexpr int kQuickPasteMaxRows = 10;

// The popup's height for that many rows (at least one: the message of an
// empty list takes a row).
int QuickPasteHeight(int rows);

// The popup's rectangle for a caret (the pointer: a rectangle of no size)
// and a work area.
Rect PlaceQuickPaste(const Rect& caret, Size size, const Rect& workArea);

// Row r's rectangle in the popup's client area (r counted from the first
// row in view).
Rect QuickPasteRow(int r);

// A picture of w x h shrunk to fit the thumbnail box (never enlarged),
// keeping its proportions; at least 1 x 1.
Size QuickPasteThumbSize(int w, int h);

}  // namespace swl
