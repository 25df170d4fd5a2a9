// Geometry of the two-value gauge (the history's count bar): how far a value
// fills the bar, the bands of its gradient fill and where its text goes.
#pragma once

#include <vector>

#include "geometry/gradient.h"
#include "geometry/rect.h"
#include "geometry/rgb.h"

namespace swl {

// Width of the fill for `value` in a bar `barWidth` wide that runs from
// `minValue` (empty) to `scale` (full): MulDiv(value - min, width, scale - min),
// never below 0. A bar whose scale equals its minimum has no fill.
int ProgressFillWidth(int value, int minValue, int scale, int barWidth);

// The fill rectangle of a value: `fillWidth` from the left edge, full height.
Rect ProgressFillRect(int fillWidth, int barHeight);

// The gradient fill of a value: from the bar's window colour at the fill's
// left edge to the value's colour at its right edge, in `steps` vertical bands.
std::vector<GradientBand> ProgressFillBands(Rect fill, Rgb windowColour, Rgb valueColour,
                                            int steps);

// The box a value's text is drawn into (centred, single line, no prefix).
// fullLine: the text of size textWidth x textHeight is centred over the whole
// bar, inside the 1-pixel border, clipped to it. Otherwise the box is the
// value's fill rectangle and the drawing centres the text in it.
Rect ProgressTextBox(bool fullLine, int barWidth, int barHeight, int fillWidth, int textWidth,
                     int textHeight);

}  // namespace swl
