#include "geometry/gradient.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

constexpr Rgb kGroupStart{207, 221, 245};
constexpr Rgb kWhite{255, 255, 255};

// The bands must cover the area without gaps or overlaps along the gradient.
void ExpectTiles(const std::vector<GradientBand>& bands, Rect area, GradientDirection dir) {
    ASSERT_FALSE(bands.empty());
    const bool h = dir == GradientDirection::LeftToRight;
    int at = h ? area.left : area.top;
    for (const auto& band : bands) {
        EXPECT_EQ(h ? band.rect.left : band.rect.top, at);
        EXPECT_GT(h ? band.rect.Width() : band.rect.Height(), 0);
        EXPECT_EQ(h ? band.rect.top : band.rect.left, h ? area.top : area.left);
        EXPECT_EQ(h ? band.rect.bottom : band.rect.right, h ? area.bottom : area.right);
        at = h ? band.rect.right : band.rect.bottom;
    }
    EXPECT_EQ(at, h ? area.right : area.bottom);
}

TEST(Gradient, GroupBodyOver77PixelsHas16BandsOf4Or5) {
    const Rect body{0, 0, 145, 77};
    const auto bands = GradientBands(body, kGroupStart, kWhite, 16, GradientDirection::TopToBottom);
    ASSERT_EQ(bands.size(), 16u);
    ExpectTiles(bands, body, GradientDirection::TopToBottom);
    for (const auto& band : bands) {
        EXPECT_GE(band.rect.Height(), 4);
        EXPECT_LE(band.rect.Height(), 5);
    }
    EXPECT_EQ(bands.front().colour, kGroupStart);
    EXPECT_EQ(bands.back().colour, kWhite);
    // Band 1: 207 + MulDiv(1, 48, 15) = 210, 221 + MulDiv(1, 34, 15) = 223, 245 + 1.
    EXPECT_EQ(bands[1].colour, (Rgb{210, 223, 246}));
}

TEST(Gradient, BandsFollowAnOffsetArea) {
    const Rect area{10, 20, 30, 97};
    const auto bands = GradientBands(area, kGroupStart, kWhite, 16, GradientDirection::TopToBottom);
    ExpectTiles(bands, area, GradientDirection::TopToBottom);
    EXPECT_EQ(bands.front().rect, (Rect{10, 20, 30, 25}));  // MulDiv(1, 77, 16) = 5
}

TEST(Gradient, EqualColoursGiveOneSolidFill) {
    const Rect area{0, 0, 40, 10};
    const auto bands = GradientBands(area, kWhite, kWhite, 64, GradientDirection::LeftToRight);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0], (GradientBand{area, kWhite}));
}

TEST(Gradient, DegenerateInputsDrawNothingOrOneColour) {
    EXPECT_TRUE(GradientBands({0, 0, 0, 19}, kWhite, kGroupStart, 64, GradientDirection::LeftToRight)
                    .empty());
    EXPECT_TRUE(GradientBands({0, 0, 10, -1}, kWhite, kGroupStart, 64, GradientDirection::LeftToRight)
                    .empty());
    for (int steps : {1, 0, -3}) {
        const auto bands =
            GradientBands({0, 0, 10, 5}, kWhite, kGroupStart, steps, GradientDirection::LeftToRight);
        ASSERT_EQ(bands.size(), 1u) << steps;
        EXPECT_EQ(bands[0].colour, kWhite);
    }
}

}  // namespace
}  // namespace swl
