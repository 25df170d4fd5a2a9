#include "geometry/quick_paste_geometry.h"

#include <algorithm>

namespace swl {

int QuickPasteHeight(int rows) {
    rows = std::clamp(rows, 1, kQuickPasteMaxRows);
    return 2 * kQuickPasteFrame + kQuickPasteHeaderHeight + kQuickPasteSeparatorHeight + rows * kQuickPasteRowHeight;
}

Rect PlaceQuickPaste(const Rect& caret, Size size, const Rect& workArea) {
    int x = caret.left;
    int y = caret.bottom + 2;
    // No room below the caret: above it, when there is room there.
    if (y + size.height > workArea.bottom && caret.top - 2 - size.height >= workArea.top)
        y = caret.top - 2 - size.height;
    // Inside the work area; a work area smaller than the popup keeps its
    // top-left corner in view.
    x = std::max(std::min(x, workArea.right - size.width), workArea.left);
    y = std::max(std::min(y, workArea.bottom - size.height), workArea.top);
    return Rect::FromSize(x, y, size.width, size.height);
}

Rect QuickPasteRow(int r) {
    const int top = kQuickPasteFrame + kQuickPasteHeaderHeight + kQuickPasteSeparatorHeight + r * kQuickPasteRowHeight;
    return {kQuickPasteFrame, top, kQuickPasteWidth - kQuickPasteFrame, top + kQuickPasteRowHeight};
}

Size QuickPasteThumbSize(int w, int h) {
    if (w <= 0 || h <= 0) return {1, 1};
    if (w <= kQuickPasteThumbWidth && h <= kQuickPasteThumbHeight) return {w, h};
    // The side that overflows more decides the scale.
    if (static_cast<long long>(w) * kQuickPasteThumbHeight >= static_cast<long long>(h) * kQuickPasteThumbWidth) {
        const int th = static_cast<int>(static_cast<long long>(h) * kQuickPasteThumbWidth / w);
        return {kQuickPasteThumbWidth, std::max(th, 1)};
    }
    const int tw = static_cast<int>(static_cast<long long>(w) * kQuickPasteThumbHeight / h);
    return {std::max(tw, 1), kQuickPasteThumbHeight};
}

}  // namespace swl
