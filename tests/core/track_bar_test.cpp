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

TEST(TrackBar, ThumbCentreIsWhereADragKeepsThePosition) {
    for (int width : {100, 57, 300}) {
        for (int p = 0; p <= 100; ++p) {
            const int x = TrackThumbCenter(kPercent, width, p);
            ASSERT_GE(x, kTrackBarInset);
            ASSERT_LE(x, width - kTrackBarInset);
            // a pointer on the thumb's centre maps back to a position whose
            // thumb is drawn at the same pixel
            EXPECT_EQ(TrackThumbCenter(kPercent, width, TrackPositionForDrag(kPercent, width, x)), x)
                << width << " at " << p;
        }
    }
    EXPECT_EQ(TrackThumbCenter(kPercent, 100, 0), 5);
    EXPECT_EQ(TrackThumbCenter(kPercent, 100, 100), 95);
    EXPECT_EQ(TrackThumbCenter(kPercent, 100, 40), 41);
}

TEST(TrackBar, WheelMovesLinesPerNotchUpwardTowardTheStart) {
    struct Case {
        int from, notches, lines, expected;
    };
    const Case cases[] = {
        {40, 1, 3, 37},   {40, -1, 3, 43},  {40, 2, 3, 34}, {40, 1, 0, 40},
        {40, 1, -1, 35},  // a page per notch
        {2, 1, 3, 0},     {99, -1, 3, 100},
        {50, 1000000, 1000000, 0},  // no overflow on absurd settings
        {50, -1000000, 1000000, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrackPositionForWheel(kPercent, c.from, c.notches, c.lines), c.expected)
            << c.from << " " << c.notches << "x" << c.lines;
}

}  // namespace
}  // namespace swl
