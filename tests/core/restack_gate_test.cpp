#include "machines/restack_gate.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

using Outcome = RestackGate::Outcome;

TEST(RestackGate, RunsWhenIdleAndDropsWithoutAWindow) {
    RestackGate gate;
    EXPECT_EQ(gate.Request(true), Outcome::Run);
    EXPECT_EQ(gate.Request(false), Outcome::Dropped);
    EXPECT_FALSE(gate.HasRemembered());
}

TEST(RestackGate, MovesDuringARestackDoNotRestackAgain) {
    RestackGate gate;
    gate.BeginRestack();
    EXPECT_EQ(gate.Request(true), Outcome::Deferred);
    EXPECT_EQ(gate.Request(true), Outcome::Deferred);
    gate.EndRestack();
    EXPECT_FALSE(gate.Busy());
    EXPECT_EQ(gate.Request(true), Outcome::Run);
}

TEST(RestackGate, AScrollEndsWithOneRestack) {
    RestackGate gate;
    gate.BeginScroll();
    gate.Request(true);
    gate.Request(true);
    EXPECT_TRUE(gate.EndScroll());
    EXPECT_FALSE(gate.HasRemembered());

    gate.BeginScroll();  // nothing asked meanwhile
    EXPECT_FALSE(gate.EndScroll());
}

TEST(RestackGate, NestedScrollsRunOnlyAtTheOutermostEnd) {
    RestackGate gate;
    gate.BeginScroll();
    gate.BeginScroll();
    gate.Request(true);
    EXPECT_FALSE(gate.EndScroll());
    EXPECT_TRUE(gate.EndScroll());
}

TEST(RestackGate, StartingARestackServesTheRememberedRequest) {
    RestackGate gate;
    gate.BeginScroll();
    gate.Request(true);
    gate.BeginRestack();  // run from elsewhere while scrolling
    gate.EndRestack();
    EXPECT_FALSE(gate.EndScroll());
}

TEST(RestackGate, UnbalancedEndsDoNotUnderflow) {
    RestackGate gate;
    gate.EndRestack();
    EXPECT_FALSE(gate.EndScroll());
    EXPECT_EQ(gate.Request(true), Outcome::Run);
}

}  // namespace
}  // namespace swl
