#include "machines/notification_animator.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

using Kind = AnimatorStep::Kind;

// The notification window as the main thread sees it, driven tick by tick.
class AnimatedWindow : public ::testing::Test {
protected:
    static constexpr int kScreenHeight = 768;
    static constexpr int kWindowHeight = 59;

    struct Counts {
        int up = 0, down = 0, idle = 0, hides = 0;
        int Total() const { return up + down + idle + hides; }
    };

    NotificationAnimator anim;
    int top = 0;
    bool showing = false;

    void ShowForm() {
        if (anim.ShowForm(showing)) {
            top = kScreenHeight;
            showing = true;
        }
        anim.Wake();
    }

    void ShowTip(int pointerY) {
        if (anim.ShowTip(showing)) {
            top = TipTop(pointerY, kWindowHeight);
            showing = true;
        }
        anim.Wake();
    }

    void Escape() {
        showing = false;
        anim.Dismiss();
    }

    AnimatorStep Tick(Counts& counts) {
        const AnimatorStep step = anim.Tick(top, kScreenHeight, kWindowHeight);
        switch (step.kind) {
            case Kind::MoveTo:
                (step.top < top ? counts.up : counts.down)++;
                top = step.top;
                break;
            case Kind::Hide:
                counts.hides++;
                showing = false;
                anim.HideApplied();
                break;
            case Kind::None:
                counts.idle++;
                break;
        }
        return step;
    }

    Counts Run(int ticks) {
        Counts counts;
        for (int i = 0; i < ticks; ++i) Tick(counts);
        return counts;
    }

    // Ticks until the animator pauses itself (bounded, in case it never does).
    Counts RunToIdle() {
        Counts counts;
        while (!anim.IsPaused() && counts.Total() < 10000) Tick(counts);
        return counts;
    }
};

TEST_F(AnimatedWindow, StartsIdle) {
    EXPECT_TRUE(anim.IsPaused());
    EXPECT_EQ(anim.HoldTicks(), 500);
    EXPECT_EQ(anim.Tick(0, kScreenHeight, kWindowHeight), AnimatorStep{});
}

TEST_F(AnimatedWindow, NotificationRisesHoldsAndFalls) {
    ShowForm();
    EXPECT_TRUE(anim.Rising());

    Counts rise = Run(61);
    EXPECT_EQ(rise.up, 61);
    EXPECT_EQ(top, kScreenHeight - 61);  // bottom edge 2 pixels above the screen's
    EXPECT_TRUE(anim.Rising());

    Run(1);  // stops rising
    EXPECT_FALSE(anim.Rising());
    EXPECT_EQ(anim.HoldTicks(), 500);

    Counts hold = Run(500);
    EXPECT_EQ(hold.idle, 500);
    EXPECT_EQ(anim.HoldTicks(), 0);
    EXPECT_FALSE(anim.Falling());

    Run(1);  // starts leaving
    EXPECT_TRUE(anim.Falling());

    Counts fall = RunToIdle();
    EXPECT_EQ(fall.down, 62);
    EXPECT_EQ(top, kScreenHeight + 1);
    EXPECT_EQ(fall.hides, 1);
    EXPECT_EQ(fall.Total(), 63);
    EXPECT_FALSE(showing);
    EXPECT_TRUE(anim.IsPaused());
    EXPECT_FALSE(anim.Falling());
}

TEST_F(AnimatedWindow, WholeNotificationTakes626Ticks) {
    ShowForm();
    EXPECT_EQ(RunToIdle().Total(), 626);
}

TEST_F(AnimatedWindow, ShowFormDuringTheHoldRestartsIt) {
    ShowForm();
    Run(62 + 200);
    ShowForm();  // a capture while holding
    EXPECT_EQ(anim.HoldTicks(), 500);
    const Counts rest = RunToIdle();
    EXPECT_EQ(rest.up, 0);
    EXPECT_EQ(rest.idle, 501);
    EXPECT_EQ(rest.down, 62);
}

TEST_F(AnimatedWindow, ShowFormWhileRisingKeepsRising) {
    ShowForm();
    Run(30);
    ShowForm();
    EXPECT_EQ(RunToIdle().up, 31);
}

TEST_F(AnimatedWindow, ShowFormWhileLeavingKeepsLeaving) {
    ShowForm();
    Run(61 + 1 + 500 + 1 + 10);
    ShowForm();
    EXPECT_TRUE(anim.Falling());
    const Counts rest = RunToIdle();
    EXPECT_EQ(rest.up, 0);
    EXPECT_EQ(rest.down, 52);
    EXPECT_EQ(rest.hides, 1);

    ShowForm();  // the next one slides in again
    EXPECT_EQ(top, kScreenHeight);
    EXPECT_TRUE(anim.Rising());
}

TEST_F(AnimatedWindow, TipHoldsAndVanishesWithoutMoving) {
    ShowTip(700);
    EXPECT_EQ(top, 700 - 59 - 10);
    EXPECT_TRUE(anim.TipMode());
    Counts tip = Run(501);
    EXPECT_EQ(tip.idle, 501);
    EXPECT_TRUE(anim.Falling());
    EXPECT_TRUE(anim.TipMode());
    tip = RunToIdle();
    EXPECT_EQ(tip.hides, 1);
    EXPECT_EQ(tip.Total(), 1);
    EXPECT_EQ(top, 631);
    EXPECT_FALSE(anim.TipMode());
    EXPECT_FALSE(anim.Falling());
}

TEST_F(AnimatedWindow, ShowFormDuringATipKeepsItATip) {
    ShowTip(700);
    Run(300);
    ShowForm();
    EXPECT_TRUE(anim.TipMode());
    EXPECT_FALSE(anim.Rising());
    const Counts rest = RunToIdle();
    EXPECT_EQ(rest.up + rest.down, 0);
    EXPECT_EQ(rest.Total(), 502);
}

TEST_F(AnimatedWindow, ShowTipWhileShowingChangesNothing) {
    ShowForm();
    Run(100);
    const int hold = anim.HoldTicks();
    ShowTip(300);
    EXPECT_FALSE(anim.TipMode());
    EXPECT_EQ(anim.HoldTicks(), hold);
    EXPECT_EQ(top, kScreenHeight - 61);
}

TEST_F(AnimatedWindow, EscapePausesAtOnce) {
    ShowForm();
    Run(20);
    Escape();
    EXPECT_TRUE(anim.IsPaused());
    const int before = top;
    EXPECT_EQ(Run(5).idle, 5);
    EXPECT_EQ(top, before);

    ShowTip(500);  // the next hover shows the tip again
    EXPECT_FALSE(anim.IsPaused());
    EXPECT_TRUE(anim.TipMode());
    EXPECT_FALSE(anim.Rising());
}

// The animator pauses itself when it decides to hide; the window's thread
// hides the window a moment later. A capture or a hover in between finds the
// window still showing and must not wake the animator: it would time the
// hidden window through another hold and slide, and the tray would offer no
// tip meanwhile. Once the hide is applied the next request shows anew.
TEST_F(AnimatedWindow, ARequestWhileTheHideIsOnItsWayLeavesTheAnimatorPaused) {
    struct Case {
        const char* name;
        bool tip;
        bool hover;  // the request in the gap: a hover (tip) or a capture
    };
    const Case cases[] = {
        {"notification, then a capture", false, false},
        {"notification, then a hover", false, true},
        {"tip, then a capture", true, false},
        {"tip, then a hover", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.tip)
            ShowTip(700);
        else
            ShowForm();
        AnimatorStep step;
        for (int n = 0; n < 10000 && step.kind != Kind::Hide; ++n) {
            step = anim.Tick(top, kScreenHeight, kWindowHeight);
            if (step.kind == Kind::MoveTo) top = step.top;
        }
        ASSERT_EQ(step.kind, Kind::Hide);
        ASSERT_TRUE(showing) << "the hide has not reached the window yet";
        EXPECT_TRUE(anim.IsPaused());

        if (c.hover)
            ShowTip(700);
        else
            ShowForm();
        EXPECT_TRUE(anim.IsPaused());
        EXPECT_EQ(Run(5).idle, 5);

        anim.HideApplied();
        showing = false;
        EXPECT_TRUE(anim.IsPaused());
        EXPECT_EQ(Run(5).idle, 5);
    }
    ShowTip(500);  // the next hover shows the tip
    EXPECT_FALSE(anim.IsPaused());
    EXPECT_TRUE(showing);
    EXPECT_TRUE(anim.TipMode());
}

TEST_F(AnimatedWindow, TerminatedAnimatorNeverTicksAgain) {
    ShowForm();
    anim.Terminate();
    ShowForm();
    EXPECT_EQ(Run(10).idle, 10);
    EXPECT_EQ(top, kScreenHeight);
}

TEST(NotificationAnimatorPlacement, RightEdgeAndTip) {
    EXPECT_EQ(NotificationLeft(1024, 233), 791);
    EXPECT_EQ(TipTop(30, 59), -39);  // not clamped to the screen
}

}  // namespace
}  // namespace swl
