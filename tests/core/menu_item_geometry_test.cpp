#include "geometry/menu_item_geometry.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

TEST(MenuItemGeometry, MeasuresItemsAndSeparators) {
    EXPECT_EQ(MeasureMenuItem(u"&Copy"), (Size{120, 20}));
    EXPECT_EQ(MeasureMenuItem(u"-"), (Size{120, 4}));
    EXPECT_EQ(MeasureMenuItem(u"--"), (Size{120, 20}));
    EXPECT_EQ(MeasureMenuItem(u""), (Size{120, 20}));
}

TEST(MenuItemGeometry, StripeAndSeparatorLine) {
    const Rect separator{0, 44, 150, 48};
    EXPECT_EQ(MenuStripeSquare(separator), (Rect{0, 44, 20, 64}));  // reaches below the 4-pixel item
    EXPECT_EQ(MenuSeparatorLine(separator), (Rect{22, 46, 148, 47}));
}

TEST(MenuItemGeometry, CaptionAreaSplitsTheSpareHeight) {
    struct Case {
        Rect item;
        int yy;
        Rect expected;
    };
    const Case cases[] = {
        {{0, 0, 150, 20}, 13, {30, 3, 148, 17}},     // h = 7: 3 above, 3 below
        {{5, 40, 125, 60}, 14, {35, 43, 123, 57}},   // h = 6
        {{0, 0, 150, 20}, 25, {30, -2, 148, 22}},    // h = -5 truncates toward zero
    };
    for (const auto& c : cases) EXPECT_EQ(MenuCaptionArea(c.item, c.yy), c.expected);
}

TEST(MenuItemGeometry, RemovesOnlyTheFirstAmpersand) {
    EXPECT_EQ(RemoveFirstAmpersand(u"&Clear"), u"Clear");
    EXPECT_EQ(RemoveFirstAmpersand(u"Clear &All"), u"Clear All");
    EXPECT_EQ(RemoveFirstAmpersand(u"A&&B&C"), u"A&B&C");
    EXPECT_EQ(RemoveFirstAmpersand(u"Plain"), u"Plain");
    EXPECT_EQ(RemoveFirstAmpersand(u""), u"");
}

TEST(MenuItemGeometry, ListMenuEnabledStates) {
    EXPECT_EQ(ListMenuStatesFor(0, false), (ListMenuStates{false, false}));
    EXPECT_EQ(ListMenuStatesFor(0, true), (ListMenuStates{false, false}));
    EXPECT_EQ(ListMenuStatesFor(3, false), (ListMenuStates{true, false}));
    EXPECT_EQ(ListMenuStatesFor(3, true), (ListMenuStates{true, true}));
}

}  // namespace
}  // namespace swl
