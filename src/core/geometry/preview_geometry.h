// Size and placement of the history item preview in the list menu's
// Preview submenu.
#pragma once

#include <cstddef>

#include "geometry/rect.h"

namespace swl {

// The preview item for a picture of `picture` size: the picture's size plus
// 4 pixels of height, shrunk in proportion to at most 500 wide and then at
// most 375 high. The divisions truncate toward zero; they are done exactly,
// so 504 / 1000 x 500 is 252 and not a hair below it.
Size PreviewPictureItemSize(Size picture);

// Text previews: on the NT family a wrapped box, 200 x 140 when both the
// 8-bit and the wide text are at most 300 characters long, else 320 x 240;
// elsewhere one line, 320 x 32.
inline constexpr std::size_t kPreviewShortTextLimit = 300;
Size PreviewTextItemSize(bool isWinNT, std::size_t textLength, std::size_t wideTextLength);

struct PreviewPicturePlacement {
    Rect target;        // where the scratch picture goes on the menu; also its size
    bool stretch;       // false: the picture is copied 1:1 to the scratch's top-left
    Rect frame;         // drawn (gray pen, window brush) only when stretching
};

// Placement of a picture of `picture` size in the menu's item rectangle:
// centred when it is not wider than the item, else 2 pixels in; 2 pixels
// below the top and above the bottom; stretched when it does not fit.
PreviewPicturePlacement PlacePreviewPicture(Rect item, Size picture);

// Text previews: the gray frame 1 pixel in, the text area 2 pixels in.
Rect PreviewTextFrame(Rect item);
Rect PreviewTextArea(Rect item);

}  // namespace swl
