#include "geometry/progress_bar_geometry.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

constexpr int kBarWidth = 149;
constexpr int kBarHeight = 19;
constexpr Rgb kWindow{255, 255, 255};
constexpr Rgb kLime{0, 255, 0};

TEST(ProgressBarGeometry, FillWidthsOfTheHistoryGauge) {
    const int expected[25] = {0,  6,  12, 19, 25,  31,  37,  43,  50,  56,  62,  68, 75,
                              81, 87, 93, 99, 106, 112, 118, 124, 130, 137, 143, 149};
    for (int items = 0; items <= 24; ++items)
        EXPECT_EQ(ProgressFillWidth(items, 0, 24, kBarWidth), expected[items]) << items;
}

TEST(ProgressBarGeometry, FillWidthNeverNegative) {
    EXPECT_EQ(ProgressFillWidth(-3, 0, 24, kBarWidth), 0);
    EXPECT_EQ(ProgressFillWidth(5, 10, 24, kBarWidth), 0);  // below the minimum
    EXPECT_EQ(ProgressFillWidth(5, 3, 3, kBarWidth), 0);    // empty scale
    EXPECT_EQ(ProgressFillWidth(15, 10, 20, 100), 50);      // counted from the minimum
}

TEST(ProgressBarGeometry, FullBarRunsFromWindowColourToLime) {
    const Rect fill = ProgressFillRect(149, kBarHeight);
    const auto bands = ProgressFillBands(fill, kWindow, kLime, 64);
    ASSERT_FALSE(bands.empty());
    EXPECT_EQ(bands.front(), (GradientBand{{0, 0, 2, kBarHeight}, kWindow}));
    EXPECT_EQ(bands.back(), (GradientBand{{147, 0, 149, kBarHeight}, kLime}));
}

TEST(ProgressBarGeometry, EveryFillIsTiledByItsBands) {
    for (int items = 1; items <= 24; ++items) {
        const Rect fill = ProgressFillRect(ProgressFillWidth(items, 0, 24, kBarWidth), kBarHeight);
        int x = 0;
        for (const auto& band : ProgressFillBands(fill, kWindow, kLime, 64)) {
            EXPECT_EQ(band.rect.left, x) << items;
            EXPECT_GT(band.rect.Width(), 0) << items;
            x = band.rect.right;
        }
        EXPECT_EQ(x, fill.right) << items;
    }
}

TEST(ProgressBarGeometry, ShortFillSkipsItsEmptyBands) {
    // A 6-pixel fill: bands 0..4 round to zero width; band 5 is the first
    // drawn, in 255 + MulDiv(5, -255, 63) = 235 for red and blue.
    const auto bands = ProgressFillBands(ProgressFillRect(6, kBarHeight), kWindow, kLime, 64);
    ASSERT_EQ(bands.size(), 6u);
    EXPECT_EQ(bands.front(), (GradientBand{{0, 0, 1, kBarHeight}, Rgb{235, 255, 235}}));
}

TEST(ProgressBarGeometry, CountTextCentredOverTheWholeBar) {
    struct Case {
        int textWidth, textHeight;
        Rect expected;
    };
    const Case cases[] = {
        {24, 13, {61, 3, 85, 16}},   // (147 / 2 - 12, 9 - 6), 24 x 13
        {25, 13, {61, 3, 86, 16}},   // the half is truncated
        {200, 30, {0, 0, 147, 19}},  // clipped to the bar
        {0, 0, {73, 9, 73, 9}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgressTextBox(true, kBarWidth, kBarHeight, 75, c.textWidth, c.textHeight),
                  c.expected)
            << c.textWidth;
}

TEST(ProgressBarGeometry, TextOverTheFillWhenNotFullLine) {
    EXPECT_EQ(ProgressTextBox(false, kBarWidth, kBarHeight, 75, 24, 13), (Rect{0, 0, 75, 19}));
}

TEST(ProgressBarGeometry, TinyBarKeepsAnEmptyTextBox) {
    const Rect box = ProgressTextBox(true, 1, 0, 0, 24, 13);
    EXPECT_EQ(box.Width(), 0);
    EXPECT_EQ(box.Height(), 0);
    EXPECT_GE(box.left, 0);
}

}  // namespace
}  // namespace swl
