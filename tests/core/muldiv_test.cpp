#include "geometry/muldiv.h"

#include <climits>

#include <gtest/gtest.h>

namespace swl {
namespace {

struct MulDivCase {
    int a, b, c, expected;
};

TEST(MulDiv, RoundsToNearestWithHalvesAwayFromZero) {
    const MulDivCase cases[] = {
        {1, 149, 24, 6},     // 6.208
        {3, 149, 24, 19},    // 18.625
        {12, 149, 24, 75},   // 74.5: half rounds up
        {1, 7, 4, 2},        // 1.75
        {1, 3, 2, 2},        // 1.5
        {-1, 3, 2, -2},      // -1.5: half rounds down
        {1, -3, 2, -2},
        {-1, -3, 2, 2},
        {1, 3, -2, -2},      // negative divisor
        {-1, 3, -2, 2},
        {-1, 149, 24, -6},   // -6.208
        {-3, 149, 24, -19},  // -18.625
        {5, -255, 63, -20},  // -20.24
        {0, 5, 7, 0},
        {-0, -5, 7, 0},
        {1, 1, 3, 0},        // odd divisors have no halves
        {2, 1, 3, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

TEST(MulDiv, UsesA64BitIntermediate) {
    EXPECT_EQ(MulDiv(INT_MAX / 2, 3, 2), 1610612735);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, INT_MIN), -1);  // INT_MIN itself is refused
    EXPECT_EQ(MulDiv(INT_MIN, 1, -1), -1);             // +2^31 does not fit
}

TEST(MulDiv, FailsWithMinusOne) {
    EXPECT_EQ(MulDiv(1, 2, 0), -1);
    EXPECT_EQ(MulDiv(0, 0, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, 2), -1);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MAX, 1), -1);
}

}  // namespace
}  // namespace swl
