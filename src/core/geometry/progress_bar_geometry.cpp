#include "geometry/progress_bar_geometry.h"

#include <algorithm>

#include "geometry/muldiv.h"

namespace swl {

int ProgressFillWidth(int value, int minValue, int scale, int barWidth) {
    if (scale == minValue) return 0;  // MulDiv would answer -1
    return std::max(MulDiv(value - minValue, barWidth, scale - minValue), 0);
}

Rect ProgressFillRect(int fillWidth, int barHeight) {
    return {0, 0, std::max(fillWidth, 0), std::max(barHeight, 0)};
}

std::vector<GradientBand> ProgressFillBands(Rect fill, Rgb windowColour, Rgb valueColour,
                                            int steps) {
    return GradientBands(fill, windowColour, valueColour, steps, GradientDirection::LeftToRight);
}

Rect ProgressTextBox(bool fullLine, int barWidth, int barHeight, int fillWidth, int textWidth,
                     int textHeight) {
    if (!fullLine) return ProgressFillRect(fillWidth, barHeight);
    const int left = std::max((barWidth - 2) / 2 - textWidth / 2, 0);
    const int top = std::max(barHeight / 2 - textHeight / 2, 0);
    const int width = std::clamp(textWidth, 0, std::max(barWidth - 2, 0));
    const int height = std::clamp(textHeight, 0, std::max(barHeight, 0));
    return Rect::FromSize(left, top, width, height);
}

}  // namespace swl
