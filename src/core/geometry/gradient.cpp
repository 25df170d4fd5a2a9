#include "geometry/gradient.h"

#include "geometry/muldiv.h"

namespace swl {
namespace {

std::uint8_t Blend(std::uint8_t start, std::uint8_t end, int index, int steps) {
    const int v = start + MulDiv(index, end - start, steps - 1);
    // index stays within 0..steps - 1, so v lies between start and end.
    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

}  // namespace

Rgb GradientBandColour(Rgb start, Rgb end, int index, int steps) {
    if (steps < 2 || index <= 0) return start;
    if (index >= steps - 1) index = steps - 1;
    return {Blend(start.r, end.r, index, steps), Blend(start.g, end.g, index, steps),
            Blend(start.b, end.b, index, steps)};
}

std::vector<GradientBand> GradientBands(Rect area, Rgb start, Rgb end, int steps,
                                        GradientDirection direction) {
    std::vector<GradientBand> bands;
    if (area.Width() <= 0 || area.Height() <= 0) return bands;
    if (start == end) {
        bands.push_back({area, start});
        return bands;
    }
    if (steps < 1) steps = 1;
    const bool horizontal = direction == GradientDirection::LeftToRight;
    const int origin = horizontal ? area.left : area.top;
    const int length = horizontal ? area.Width() : area.Height();
    for (int i = 0; i < steps; ++i) {
        const int from = origin + MulDiv(i, length, steps);
        const int to = origin + MulDiv(i + 1, length, steps);
        if (to <= from) continue;
        Rect r = area;
        if (horizontal) {
            r.left = from;
            r.right = to;
        } else {
            r.top = from;
            r.bottom = to;
        }
        bands.push_back({r, GradientBandColour(start, end, i, steps)});
    }
    return bands;
}

}  // namespace swl
