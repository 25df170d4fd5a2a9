#include "geometry/explorer_bar_layout.h"

#include <vector>

#include <gtest/gtest.h>

#include "geometry/caption_strip_geometry.h"
#include "machines/group_collapse.h"

namespace swl {
namespace {

// The main window's link panel at design size: a 153-pixel client width and
// two groups, ebClipboard (AutoSize, strip 17) above ebOptions (strip 19).
class MainWindowBar : public ::testing::Test {
protected:
    struct Group {
        ExplorerBarGroupBox box;
        GroupCollapse collapse;
        int requestedStripHeight;
        int CollapsedHeight() const {
            return CaptionStripHeight(requestedStripHeight, 15) + BevelThickness(false, false, 1);
        }
    };

    ExplorerBarMetrics bar{.margin = 4, .spacing = 8, .groupWidth = 0, .clientWidth = 153};
    std::vector<Group> groups{
        {{4, 77, true}, {}, AutoSizeCaptionHeight(13, 15)},
        {{89, 92, true}, {}, 19},
    };

    std::vector<Rect> Restack() {
        std::vector<ExplorerBarGroupBox> boxes;
        for (const auto& g : groups) boxes.push_back(g.box);
        const auto bounds = StackExplorerGroups(bar, boxes);
        for (std::size_t i = 0; i < groups.size(); ++i) {
            groups[i].box.top = bounds[i].top;
            groups[i].box.height = bounds[i].Height();
        }
        return bounds;
    }

    void SetMinimized(std::size_t index, bool v) {
        Group& g = groups[index];
        const auto change = g.collapse.SetMinimized(v, true, g.box.height, g.CollapsedHeight());
        ASSERT_TRUE(change.has_value());
        g.box.height = change->height;
        Restack();
    }
};

TEST_F(MainWindowBar, DesignLayout) {
    const auto bounds = Restack();
    EXPECT_EQ(bounds[0], Rect::FromSize(4, 4, 145, 77));
    EXPECT_EQ(bounds[1], Rect::FromSize(4, 89, 145, 92));
}

TEST_F(MainWindowBar, CollapsingTheUpperGroupPullsTheLowerUp) {
    Restack();
    SetMinimized(0, true);
    EXPECT_EQ(groups[0].box.height, 17);
    EXPECT_EQ(groups[1].box.top, 29);

    SetMinimized(0, false);
    EXPECT_EQ(groups[0].box.height, 77);
    EXPECT_EQ(groups[1].box.top, 89);
}

TEST_F(MainWindowBar, CollapsingTheLowerGroupMovesNothing) {
    Restack();
    SetMinimized(1, true);
    EXPECT_EQ(groups[1].box.height, 19);
    EXPECT_EQ(groups[1].box.top, 89);
    EXPECT_EQ(groups[0].box, (ExplorerBarGroupBox{4, 77, true}));
}

TEST_F(MainWindowBar, TallerBarMovesNothingNarrowerBarNarrowsGroups) {
    Restack();
    bar.clientWidth = 153;  // maximised: only the height grows
    EXPECT_EQ(Restack()[1], Rect::FromSize(4, 89, 145, 92));
    bar.clientWidth = 153 - 16;  // a vertical scroll bar appeared
    EXPECT_EQ(Restack()[1], Rect::FromSize(4, 89, 129, 92));
}

TEST(ExplorerBarLayout, OrdersByTopStablyAndAnswersInInputOrder) {
    const ExplorerBarMetrics bar{.margin = 4, .spacing = 8, .clientWidth = 100};
    const ExplorerBarGroupBox groups[] = {{50, 10, true}, {0, 20, true}, {50, 30, true}};
    const auto bounds = StackExplorerGroups(bar, groups);
    EXPECT_EQ(bounds[1].top, 4);
    EXPECT_EQ(bounds[0].top, 32);
    EXPECT_EQ(bounds[2].top, 50);
}

TEST(ExplorerBarLayout, HiddenGroupsTakeNoRoom) {
    const ExplorerBarMetrics bar{.margin = 4, .spacing = 8, .clientWidth = 100};
    const ExplorerBarGroupBox groups[] = {{0, 20, true}, {30, 50, false}, {90, 10, true}};
    const auto bounds = StackExplorerGroups(bar, groups);
    EXPECT_EQ(bounds[1], Rect::FromSize(4, 32, 92, 50));  // placed, but the next one overlaps it
    EXPECT_EQ(bounds[2].top, 32);
    EXPECT_EQ(ExplorerStackHeight(bar, groups), 4 + 20 + 8 + 10 + 4);
}

TEST(ExplorerBarLayout, WidthAndScrollPositions) {
    struct Case {
        ExplorerBarMetrics bar;
        Rect expected;
    };
    const Case cases[] = {
        {{.margin = 4, .spacing = 8, .groupWidth = 0, .clientWidth = 153, .scrollX = 0, .scrollY = 30},
         Rect::FromSize(4, -26, 145, 10)},
        {{.margin = 4, .spacing = 8, .groupWidth = 200, .clientWidth = 153, .scrollX = 20, .scrollY = 0},
         Rect::FromSize(-16, 4, 200, 10)},
        {{.margin = 4, .spacing = 8, .groupWidth = 0, .clientWidth = 6},
         Rect::FromSize(4, 4, 0, 10)},  // never below zero width
        {{.margin = 4, .spacing = 8, .groupWidth = 0, .clientWidth = 3},
         Rect::FromSize(0, 4, 0, 10)},  // narrower than the margin: flush left
        {{.margin = 1, .spacing = 8, .groupWidth = 0, .clientWidth = 233},
         Rect::FromSize(1, 1, 231, 10)},  // the notification window's panel
    };
    const ExplorerBarGroupBox group[] = {{0, 10, true}};
    for (const auto& c : cases) EXPECT_EQ(StackExplorerGroups(c.bar, group)[0], c.expected);
}

TEST(ExplorerBarLayout, StackHeightOfNoVisibleGroupIsZero) {
    const ExplorerBarMetrics bar{};
    const ExplorerBarGroupBox groups[] = {{0, 20, false}};
    EXPECT_EQ(ExplorerStackHeight(bar, groups), 0);
    EXPECT_TRUE(StackExplorerGroups(bar, {}).empty());
}

}  // namespace
}  // namespace swl
