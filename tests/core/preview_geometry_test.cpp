#include "geometry/preview_geometry.h"

#include <climits>

#include <gtest/gtest.h>

namespace swl {
namespace {

TEST(PreviewGeometry, PictureItemSizes) {
    struct Case {
        Size picture, expected;
    };
    const Case cases[] = {
        {{1000, 500}, {500, 252}},  // 504 / 1000 x 500 is exactly 252
        {{300, 1000}, {112, 375}},  // 300 / 1004 x 375 = 112.05
        {{400, 300}, {400, 304}},   // fits: 4 pixels of height added
        {{500, 371}, {500, 375}},   // exactly at both limits
        {{501, 100}, {500, 103}},   // 104 / 501 x 500 = 103.79
        {{2000, 1600}, {467, 375}}, // shrunk twice: 1604 / 2000 x 500 = 401, then 500 / 401 x 375
        {{100000, 1}, {500, 0}},
        {{0, 0}, {0, 4}},
        {{-5, -5}, {0, 4}},
        {{INT_MAX, INT_MAX}, {375, 375}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PreviewPictureItemSize(c.picture), c.expected)
            << c.picture.width << " x " << c.picture.height;
}

TEST(PreviewGeometry, TextItemSizes) {
    EXPECT_EQ(PreviewTextItemSize(true, 300, 300), (Size{200, 140}));
    EXPECT_EQ(PreviewTextItemSize(true, 301, 0), (Size{320, 240}));
    EXPECT_EQ(PreviewTextItemSize(true, 0, 301), (Size{320, 240}));
    EXPECT_EQ(PreviewTextItemSize(false, 5, 5), (Size{320, 32}));
    EXPECT_EQ(PreviewTextItemSize(false, 5000, 5000), (Size{320, 32}));
}

TEST(PreviewGeometry, FittingPictureIsDrawnOneToOneCentred) {
    const auto exact = PlacePreviewPicture({0, 0, 400, 304}, {400, 300});
    EXPECT_EQ(exact.target, (Rect{0, 2, 400, 302}));
    EXPECT_FALSE(exact.stretch);

    // The menu widened the item for its check-mark column.
    const auto wider = PlacePreviewPicture({10, 30, 431, 334}, {400, 300});
    EXPECT_EQ(wider.target, (Rect{20, 32, 431, 332}));
    EXPECT_FALSE(wider.stretch);
}

TEST(PreviewGeometry, ShrunkPictureIsStretchedInsideAFrame) {
    const auto p = PlacePreviewPicture({0, 0, 500, 252}, {1000, 500});
    EXPECT_EQ(p.target, (Rect{2, 2, 500, 250}));
    EXPECT_TRUE(p.stretch);
    EXPECT_EQ(p.frame, (Rect{-1, -1, 499, 251}));
}

TEST(PreviewGeometry, NarrowButTallPictureIsCentredAndStretched) {
    const auto p = PlacePreviewPicture({0, 0, 200, 100}, {100, 150});
    EXPECT_EQ(p.target, (Rect{50, 2, 200, 98}));
    EXPECT_TRUE(p.stretch);
}

TEST(PreviewGeometry, TextFrameAndArea) {
    const Rect item{0, 0, 200, 140};
    EXPECT_EQ(PreviewTextFrame(item), (Rect{1, 1, 199, 139}));
    EXPECT_EQ(PreviewTextArea(item), (Rect{2, 2, 198, 138}));
}

}  // namespace
}  // namespace swl
