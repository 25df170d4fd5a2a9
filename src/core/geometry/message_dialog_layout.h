// Measures of the message dialog, all derived from the window font's average
// character size, and its placement on the screen.
#pragma once

#include <span>
#include <vector>

#include "geometry/rect.h"

namespace swl {

// The sample whose extent gives the average character size.
inline constexpr char kDialogAverageSample[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// avgW = sample width / 52 (integer division), avgH = sample height.
Size DialogAverageCharSize(Size sampleExtent);

struct DialogMeasures {
    int horzMargin = 0;
    int vertMargin = 0;
    int horzSpacing = 0;
    int vertSpacing = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
    int buttonSpacing = 0;
};

// The margins and spacings from the average character size, and a button
// width that fits the widest caption (each measured on one line) plus 8.
DialogMeasures ComputeDialogMeasures(Size avgChar, std::span<const int> captionWidths);

inline constexpr int kDialogIconSide = 32;

struct DialogLayoutInput {
    Size avgChar;                    // from DialogAverageCharSize
    Size text;                       // the prepared message's text size
    bool hasIcon = true;             // error and information dialogs have one
    std::vector<int> captionWidths;  // the shown buttons, in button-table order
    Size frame;                      // outer size less client size (borders, title bar)
    Size screen;                     // the primary screen
};

struct DialogLayout {
    DialogMeasures measures;
    Size client;
    Rect window;               // outer rectangle, centred on the screen
    Rect image;                // the icon, 32 x 32 (unused without an icon)
    Rect label;                // the message
    std::vector<Rect> buttons; // client coordinates, left to right
};

DialogLayout LayoutMessageDialog(const DialogLayoutInput& input);

// Moves the window into the work area: a left edge left of it to its left
// edge, a top above it to its top, then a right edge beyond it moves the window
// left and a bottom beyond it moves it up (so a window larger than the work
// area ends up past its left or top edge). The size never changes.
Rect ClampDialogToWorkArea(Rect window, Rect workArea);

}  // namespace swl
