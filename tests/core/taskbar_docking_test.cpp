#include "geometry/taskbar_docking.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

constexpr Size kScreen{1024, 768};
constexpr Size kWindow{403, 237};
constexpr Rect kBottomBar30{0, 738, 1024, 768};
constexpr Rect kBottomBar60{0, 708, 1024, 768};

TEST(TaskbarDocking, DocksAgainstEachEdge) {
    struct Case {
        TaskbarInfo taskbar;
        Point expected;
    };
    const Case cases[] = {
        {{kTaskbarBottom, kBottomBar30}, {621, 501}},
        {{kTaskbarTop, {0, 0, 1024, 30}}, {621, 30}},
        {{kTaskbarLeft, {0, 0, 60, 768}}, {60, 531}},
        {{kTaskbarRight, {964, 0, 1024, 768}}, {561, 531}},
        {{7, kBottomBar30}, {621, 531}},  // unknown edge: the corner
    };
    for (const auto& c : cases)
        EXPECT_EQ(DockOnShow(kScreen, kWindow, c.taskbar), c.expected) << c.taskbar.edge;
}

TEST(TaskbarDocking, NoTaskbarLeavesTheCorner) {
    EXPECT_EQ(DockOnShow(kScreen, kWindow, std::nullopt), (Point{621, 531}));
}

TEST(TaskbarDocking, FollowsAGrowingTaskbar) {
    const Rect window = Rect::FromSize(621, 501, 403, 237);
    const auto moved = FollowTaskbar(window, kBottomBar30, {kTaskbarBottom, kBottomBar60});
    EXPECT_EQ(moved, (Point{621, 471}));
    // and back down when it shrinks again
    EXPECT_EQ(FollowTaskbar(Rect::FromSize(621, 471, 403, 237), kBottomBar60,
                            {kTaskbarBottom, kBottomBar30}),
              (Point{621, 501}));
}

TEST(TaskbarDocking, FollowsOnEveryEdge) {
    struct Case {
        Rect window, previous;
        TaskbarInfo now;
        Point expected;
    };
    const Case cases[] = {
        {Rect::FromSize(60, 531, 403, 237), {0, 0, 60, 768}, {kTaskbarLeft, {0, 0, 90, 768}}, {90, 531}},
        {Rect::FromSize(621, 30, 403, 237), {0, 0, 1024, 30}, {kTaskbarTop, {0, 0, 1024, 50}}, {621, 50}},
        {Rect::FromSize(561, 531, 403, 237), {964, 0, 1024, 768}, {kTaskbarRight, {934, 0, 1024, 768}},
         {531, 531}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FollowTaskbar(c.window, c.previous, c.now), c.expected) << c.now.edge;
}

TEST(TaskbarDocking, DoesNotFollowAWindowThatLeftTheEdge) {
    const Rect dragged = Rect::FromSize(300, 200, 403, 237);
    EXPECT_FALSE(FollowTaskbar(dragged, kBottomBar30, {kTaskbarBottom, kBottomBar60}));
    const Rect oneOff = Rect::FromSize(621, 500, 403, 237);
    EXPECT_FALSE(FollowTaskbar(oneOff, kBottomBar30, {kTaskbarBottom, kBottomBar60}));
}

TEST(TaskbarDocking, TaskbarMovedToAnotherEdgeDoesNotMoveTheWindow) {
    const Rect docked = Rect::FromSize(621, 501, 403, 237);
    EXPECT_FALSE(FollowTaskbar(docked, kBottomBar30, {kTaskbarRight, {994, 0, 1024, 768}}));
    EXPECT_FALSE(FollowTaskbar(docked, kBottomBar30, {kTaskbarTop, {0, 0, 1024, 30}}));
    EXPECT_FALSE(FollowTaskbar(docked, kBottomBar30, {9, kBottomBar60}));
}

}  // namespace
}  // namespace swl
