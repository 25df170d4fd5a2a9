#include "geometry/track_bar.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

const TrackBarRange kPercent{};

TEST(TrackBar, KeysMoveAndStopAtTheEnds) {
    struct Case {
        int from;
        TrackBarKey key;
        int expected;
    };
    const Case cases[] = {
        {40, TrackBarKey::Right, 41}, {40, TrackBarKey::Down, 41},
        {40, TrackBarKey::Left, 39},  {40, TrackBarKey::Up, 39},
        {40, TrackBarKey::PageDown, 45}, {40, TrackBarKey::PageUp, 35},
        {40, TrackBarKey::Home, 0},   {40, TrackBarKey::End, 100},
        {0, TrackBarKey::Left, 0},    {2, TrackBarKey::PageUp, 0},
        {100, TrackBarKey::Right, 100}, {98, TrackBarKey::PageDown, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrackPositionForKey(kPercent, c.from, c.key), c.expected)
            << c.from << " key " << static_cast<int>(c.key);
}

TEST(TrackBar, DragMapsThePointerInsideTheInsets) {
    struct Case {
        int x, expected;
    };
    const Case cases[] = {
        {5, 0},   {95, 100}, {50, 50},
        {6, 1},   // 1.11
        {13, 9},  // 8.89 rounds up
        {0, 0},   {-40, 0}, {100, 100}, {400, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrackPositionForDrag(kPercent, 100, c.x), c.expected) << c.x;
    EXPECT_EQ(TrackPositionForDrag(kPercent, 10, 7), 0);  // no track left
}

TEST(TrackBar, PressOnTheTrackStepsTowardThePointer) {
    EXPECT_EQ(TrackPositionForPageStep(kPercent, 40, 70), 45);
    EXPECT_EQ(TrackPositionForPageStep(kPercent, 40, 10), 35);
    EXPECT_EQ(TrackPositionForPageStep(kPercent, 40, 42), 42);  // never past the pointer
    EXPECT_EQ(TrackPositionForPageStep(kPercent, 40, 40), 40);
}

TEST(TrackBar, ClampsToTheRange) {
    EXPECT_EQ(ClampTrackPosition(kPercent, -1), 0);
    EXPECT_EQ(ClampTrackPosition(kPercent, 101), 100);
    EXPECT_EQ(ClampTrackPosition({.min = 10, .max = 5}, 7), 10);  // inverted range
}

}  // namespace
}  // namespace swl
