#include "geometry/caption_strip_geometry.h"

#include <algorithm>

namespace swl {

int CaptionStripHeight(int requestedHeight, int buttonSide) {
    return std::max(requestedHeight, buttonSide + 2);
}

int AutoSizeCaptionHeight(int fontHeight, int buttonWidth) {
    return std::max(fontHeight, buttonWidth) + 2;
}

int BevelThickness(bool innerBevel, bool outerBevel, int bevelWidth) {
    return 2 * bevelWidth * ((innerBevel ? 1 : 0) + (outerBevel ? 1 : 0));
}

CaptionStripLayout LayoutCaptionStrip(const CaptionStripOptions& o) {
    CaptionStripLayout layout;
    const int width = std::max(o.groupWidth, 0);
    const int height = std::clamp(o.stripHeight, 0, std::max(o.groupClientHeight, 0));
    layout.strip = {0, 0, width, height};
    layout.contentTop = height;

    const int b = o.buttonSide;
    int buttonsRight = width - 1;  // right edge of the next button to place
    int reserved = 0;              // room taken at the strip's right
    if (o.showCloseButton) {
        layout.closeButton = Rect{buttonsRight - b, 1, buttonsRight, 1 + b};
        buttonsRight -= b + 1;
        reserved += b + 1;
    }
    if (o.showMinButton) {
        layout.minButton = Rect{buttonsRight - b, 1, buttonsRight, 1 + b};
        reserved += b + 1;
    }

    Rect text = layout.strip;
    text.right -= reserved;
    if (o.showCheckBox) text.left += 14;
    text.left += 4;
    text.right -= 4;
    if (text.right < text.left) text.right = text.left;
    layout.textArea = text;
    return layout;
}

}  // namespace swl
