#include "machines/group_collapse.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

constexpr int kCollapsed = 17;

TEST(GroupCollapse, CollapseRemembersTheHeightAndExpandRestoresIt) {
    GroupCollapse g;
    EXPECT_EQ(g.SetMinimized(true, true, 77, kCollapsed),
              (GroupHeightChange{kCollapsed, GroupEvent::Minimize}));
    EXPECT_TRUE(g.Minimized());
    EXPECT_EQ(g.ExpandedHeight(), 77);
    EXPECT_EQ(g.SetMinimized(false, true, kCollapsed, kCollapsed),
              (GroupHeightChange{77, GroupEvent::Restore}));
    EXPECT_FALSE(g.Minimized());
}

TEST(GroupCollapse, NothingHappensForTheSameStateOrAHiddenCaption) {
    GroupCollapse g;
    EXPECT_FALSE(g.SetMinimized(false, true, 77, kCollapsed));
    g.SetMinimized(true, true, 77, kCollapsed);
    EXPECT_FALSE(g.SetMinimized(true, true, kCollapsed, kCollapsed));
    EXPECT_FALSE(g.SetMinimized(false, false, kCollapsed, kCollapsed));
    EXPECT_TRUE(g.Minimized());
}

TEST(GroupCollapse, ResizingACollapsedGroupExpandsIt) {
    GroupCollapse g;
    g.SetMinimized(true, true, 77, kCollapsed);
    EXPECT_FALSE(g.Resized(kCollapsed, kCollapsed));  // its own collapse
    EXPECT_TRUE(g.Minimized());

    EXPECT_EQ(g.Resized(40, kCollapsed), (GroupHeightChange{40, GroupEvent::Restore}));
    EXPECT_FALSE(g.Minimized());
    EXPECT_EQ(g.ExpandedHeight(), 40);
    EXPECT_FALSE(g.Resized(60, kCollapsed));  // expanded groups just resize
}

TEST(GroupCollapse, GlyphFollowsTheState) {
    GroupCollapse g;
    EXPECT_EQ(g.Glyph(false), MinButtonGlyph::Up);
    EXPECT_EQ(g.Glyph(true), MinButtonGlyph::Down);
    g.SetMinimized(true, true, 77, kCollapsed);
    EXPECT_EQ(g.Glyph(false), MinButtonGlyph::Down);
    EXPECT_EQ(g.Glyph(true), MinButtonGlyph::Up);
}

}  // namespace
}  // namespace swl
