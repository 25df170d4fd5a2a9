#include "geometry/caption_strip_geometry.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

TEST(CaptionStripGeometry, StripHeightLeavesRoomForTheButtons) {
    EXPECT_EQ(CaptionStripHeight(19, 15), 19);
    EXPECT_EQ(CaptionStripHeight(17, 15), 17);
    EXPECT_EQ(CaptionStripHeight(10, 15), 17);
    EXPECT_EQ(CaptionStripHeight(10, 20), 22);  // a larger theme part
}

TEST(CaptionStripGeometry, AutoSizeFromTheFont) {
    EXPECT_EQ(AutoSizeCaptionHeight(13, 15), 17);  // Tahoma 8 pt bold
    EXPECT_EQ(AutoSizeCaptionHeight(16, 15), 18);
    EXPECT_EQ(BevelThickness(false, false, 1), 0);
    EXPECT_EQ(BevelThickness(true, true, 2), 8);
    EXPECT_EQ(BevelThickness(false, true, 1), 2);
}

TEST(CaptionStripGeometry, MinimiseButtonOnly) {
    const auto l = LayoutCaptionStrip({.groupWidth = 145, .groupClientHeight = 77, .stripHeight = 17});
    EXPECT_EQ(l.strip, (Rect{0, 0, 145, 17}));
    EXPECT_FALSE(l.closeButton.has_value());
    EXPECT_EQ(l.minButton, (Rect{129, 1, 144, 16}));  // 1 pixel from the right and the top
    EXPECT_EQ(l.textArea, (Rect{4, 0, 125, 17}));
    EXPECT_EQ(l.contentTop, 17);
}

TEST(CaptionStripGeometry, CloseAndMinimiseButtons) {
    const auto l = LayoutCaptionStrip({.groupWidth = 145,
                                       .groupClientHeight = 77,
                                       .stripHeight = 19,
                                       .showCloseButton = true,
                                       .showCheckBox = true});
    EXPECT_EQ(l.closeButton, (Rect{129, 1, 144, 16}));
    EXPECT_EQ(l.minButton, (Rect{113, 1, 128, 16}));
    EXPECT_EQ(l.textArea, (Rect{18, 0, 109, 19}));
}

TEST(CaptionStripGeometry, NoButtonsAndAShortGroup) {
    const auto l = LayoutCaptionStrip(
        {.groupWidth = 231, .groupClientHeight = 57, .stripHeight = 17, .showMinButton = false});
    EXPECT_FALSE(l.minButton.has_value());
    EXPECT_EQ(l.textArea, (Rect{4, 0, 227, 17}));

    const auto clipped = LayoutCaptionStrip({.groupWidth = 145, .groupClientHeight = 10, .stripHeight = 17});
    EXPECT_EQ(clipped.strip, (Rect{0, 0, 145, 10}));
    EXPECT_EQ(clipped.contentTop, 10);
}

TEST(CaptionStripGeometry, NarrowGroupKeepsAnEmptyTextArea) {
    const auto l = LayoutCaptionStrip({.groupWidth = 10, .groupClientHeight = 40, .stripHeight = 17});
    EXPECT_GE(l.textArea.Width(), 0);
}

}  // namespace
}  // namespace swl
