// Where the text block of a markup label sits in its client area.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "markup/markup_render.h"

namespace swl {
namespace {

int ClampInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

MarkupRect PlaceMarkupBlock(int clientWidth, int clientHeight, int border, MarkupAlignment alignment,
                            MarkupLayout layout, int textWidth, int textHeight) {
    const std::int64_t innerTop = border;
    const std::int64_t innerBottom = std::int64_t{clientHeight} - border;
    const std::int64_t innerHeight = innerBottom - innerTop;
    std::int64_t top = innerTop;
    std::int64_t bottom = innerBottom;
    switch (layout) {
        case MarkupLayout::Top:
            break;
        case MarkupLayout::Center:
            // Halves are taken separately, each rounded toward zero.
            top = innerTop + std::max<std::int64_t>(0, innerHeight / 2 - textHeight / 2);
            bottom = top + std::min<std::int64_t>(textHeight, innerHeight);
            break;
        case MarkupLayout::Bottom:
            top = innerBottom - textHeight - 1;
            break;
    }
    std::int64_t left = border;
    std::int64_t right = std::int64_t{clientWidth} - border;
    switch (alignment) {
        case MarkupAlignment::Left:
            break;
        case MarkupAlignment::Right:
            left = right - textWidth;
            break;
        case MarkupAlignment::Center:
            // Centred in the whole client width; the border plays no part.
            left = (std::int64_t{clientWidth} - textWidth) / 2;
            right = left + textWidth;
            break;
    }
    return {ClampInt(left), ClampInt(top), ClampInt(right), ClampInt(bottom)};
}

}  // namespace swl
