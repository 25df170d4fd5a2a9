// Geometry of an explorer-bar group's caption strip: its height, the square
// caption buttons at its right and the area left for the caption text.
// Coordinates are relative to the group's client origin.
#pragma once

#include <optional>

#include "geometry/rect.h"

namespace swl {

// Strip height c: the requested height, but never less than a button with a
// pixel above and below it. buttonSide is ButtonWidth, or with visual styles
// the larger side of the theme's close and expand parts.
int CaptionStripHeight(int requestedHeight, int buttonSide);

// The requested height that AutoSize derives from the caption font:
// max(font tmHeight, ButtonWidth) + 2. Tahoma 8 pt bold with 15-pixel
// buttons gives 17.
int AutoSizeCaptionHeight(int fontHeight, int buttonWidth);

// Thickness that the bevels add to a collapsed group: twice the bevel width
// for each bevel that is present.
int BevelThickness(bool innerBevel, bool outerBevel, int bevelWidth);

struct CaptionStripOptions {
    int groupWidth = 0;
    int groupClientHeight = 0;
    int stripHeight = 19;  // c from CaptionStripHeight
    int buttonSide = 15;
    bool showMinButton = true;
    bool showCloseButton = false;
    bool showCheckBox = false;
};

struct CaptionStripLayout {
    Rect strip;                        // full width at the top, at most the client height
    std::optional<Rect> closeButton;   // right edge 1 pixel from the strip's right edge
    std::optional<Rect> minButton;     // left of the close button, or in its place
    Rect textArea;                     // where the caption markup is laid out
    int contentTop = 0;                // the group's own client area starts here
};

// The text area is the strip less buttonSide + 1 pixels at the right for each
// shown button and 14 at the left for the check box, then 4 pixels in at the
// left and right. It keeps the strip's full height: the caption is centred
// vertically in it, and a shorter area would clip the glyphs.
CaptionStripLayout LayoutCaptionStrip(const CaptionStripOptions& options);

}  // namespace swl
