#include "geometry/transparency.h"

#include <algorithm>

namespace swl {

AlphaState AlphaForTransparency(int percent) {
    const int p = std::clamp(percent, 0, 100);
    return {255 - p, p != 0};
}

std::u16string TransparencyTooltip(int percent) {
    const int p = std::clamp(percent, 0, 100);
    const std::string digits = std::to_string(p);
    std::u16string text(digits.begin(), digits.end());
    text += u'%';
    return text;
}

}  // namespace swl
