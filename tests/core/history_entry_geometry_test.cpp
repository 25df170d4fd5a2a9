#include "geometry/history_entry_geometry.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

TEST(HistoryEntryGeometry, LayoutSwitchesAbove450Pixels) {
    struct Case {
        int outerWidth, itemHeight, entryHeight, iconSize;
    };
    const Case cases[] = {
        {403, 38, 40, 32},
        {450, 38, 40, 32},
        {451, 64, 66, 48},
        {1032, 64, 66, 48},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListItemHeightFor(c.outerWidth), c.itemHeight) << c.outerWidth;
        EXPECT_EQ(EntryHeightFor(ListItemHeightFor(c.outerWidth)), c.entryHeight) << c.outerWidth;
        EXPECT_EQ(EntryIconSizeFor(c.outerWidth), c.iconSize) << c.outerWidth;
    }
}

TEST(HistoryEntryGeometry, IconIndexByFormat) {
    EXPECT_EQ(EntryIconIndexForFormat(1), 0);
    EXPECT_EQ(EntryIconIndexForFormat(13), 1);
    EXPECT_EQ(EntryIconIndexForFormat(2), 2);
    EXPECT_EQ(EntryIconIndexForFormat(0), 2);
}

TEST(HistoryEntryGeometry, CompactEntry) {
    // The second entry of a 300-pixel list: entries are 40 high.
    const Rect r{0, 40, 300, 80};
    const EntryLayout text = LayoutHistoryEntry(r, 38, 32, false);
    EXPECT_EQ(text.outerFrame, (Rect{1, 41, 299, 79}));
    EXPECT_EQ(text.iconFrame, (Rect{2, 42, 38, 78}));  // 36 x 36
    EXPECT_EQ(text.icon, (Point{5, 45}));
    EXPECT_EQ(text.content, (Rect{42, 42, 298, 76}));
    EXPECT_EQ(LayoutHistoryEntry(r, 38, 32, true).content, (Rect{42, 42, 298, 78}));
}

TEST(HistoryEntryGeometry, LargeEntry) {
    const Rect r{0, 0, 900, 66};
    const EntryLayout picture = LayoutHistoryEntry(r, 64, 48, true);
    EXPECT_EQ(picture.iconFrame, (Rect{2, 2, 64, 64}));  // 62 x 62
    EXPECT_EQ(picture.icon, (Point{10, 10}));             // 8 in from the frame's corner
    EXPECT_EQ(picture.content, (Rect{68, 2, 898, 64}));
    EXPECT_EQ(LayoutHistoryEntry(r, 64, 48, false).content, (Rect{68, 2, 898, 62}));
}

}  // namespace
}  // namespace swl
