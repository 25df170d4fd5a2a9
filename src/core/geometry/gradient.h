// Banded colour gradients as the gauge and the explorer-bar groups paint them
// without visual styles: the area is cut into N bands, band i spanning
// MulDiv(i, length, N) .. MulDiv(i + 1, length, N) along the gradient, each in
// start + MulDiv(i, end - start, N - 1) per colour part. The first band has the
// start colour, the last the end colour. The gauge fills left to right in 64
// bands; a group paints its whole client rectangle top to bottom in 16.
#pragma once

#include <vector>

#include "geometry/rect.h"
#include "geometry/rgb.h"

namespace swl {

enum class GradientDirection {
    LeftToRight,  // vertical bands (the gauge's fill)
    TopToBottom,  // horizontal bands (a group's body)
};

struct GradientBand {
    Rect rect;
    Rgb colour;
    friend bool operator==(const GradientBand&, const GradientBand&) = default;
};

// Colour of band `index` out of `steps`. With fewer than two steps there is
// only the start colour (the formula would divide by zero).
Rgb GradientBandColour(Rgb start, Rgb end, int index, int steps);

// The rectangles to fill, in drawing order. Equal colours give one solid
// rectangle over the whole area; bands of zero extent are left out; an empty
// area gives nothing. Fewer than one step counts as one.
std::vector<GradientBand> GradientBands(Rect area, Rgb start, Rgb end, int steps,
                                        GradientDirection direction);

}  // namespace swl
