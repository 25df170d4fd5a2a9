#include "geometry/preview_geometry.h"

#include <algorithm>
#include <cstdint>

namespace swl {
namespace {

// trunc(value / of x limit) for non-negative operands, without the rounding
// error that a floating-point quotient can bring just below an integer.
std::int64_t Proportion(std::int64_t value, std::int64_t of, std::int64_t limit) {
    return value * limit / of;
}

}  // namespace

Size PreviewPictureItemSize(Size picture) {
    // 64-bit so that the 4 extra pixels cannot overflow an absurd height.
    std::int64_t w = std::max(picture.width, 0);
    std::int64_t h = std::int64_t{std::max(picture.height, 0)} + 4;
    if (w > 500) {
        h = Proportion(h, w, 500);
        w = 500;
    }
    if (h > 375) {
        w = Proportion(w, h, 375);
        h = 375;
    }
    // Now w <= 500 and h <= 375.
    return {static_cast<int>(w), static_cast<int>(h)};
}

Size PreviewTextItemSize(bool isWinNT, std::size_t textLength, std::size_t wideTextLength) {
    if (!isWinNT) return {320, 32};
    if (textLength <= kPreviewShortTextLimit && wideTextLength <= kPreviewShortTextLimit)
        return {200, 140};
    return {320, 240};
}

PreviewPicturePlacement PlacePreviewPicture(Rect item, Size picture) {
    const int itemWidth = item.Width();
    const int x = picture.width <= itemWidth ? item.left + (itemWidth - picture.width) / 2
                                             : item.left + 2;
    PreviewPicturePlacement p;
    p.target = {x, item.top + 2, item.right, item.bottom - 2};
    p.stretch = !(picture.width <= p.target.Width() && picture.height <= p.target.Height());
    p.frame = {item.left - 1, item.top - 1, item.right - 1, item.bottom - 1};
    return p;
}

Rect PreviewTextFrame(Rect item) {
    return {item.left + 1, item.top + 1, item.right - 1, item.bottom - 1};
}

Rect PreviewTextArea(Rect item) {
    return {item.left + 2, item.top + 2, item.right - 2, item.bottom - 2};
}

}  // namespace swl
