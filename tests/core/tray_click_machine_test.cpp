#include "machines/tray_click_machine.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

using Kind = TrayAction::Kind;
using Actions = std::vector<TrayAction>;

constexpr Point kAt{1000, 750};

class TrayClicks : public ::testing::Test {
protected:
    TrayClickMachine machine;
    TrayClickContext context;

    Actions Send(TrayMouse m, unsigned keys = 0) { return machine.OnMouse(m, keys, kAt, context); }

    static bool Has(const Actions& actions, Kind kind) {
        for (const auto& a : actions)
            if (a.kind == kind) return true;
        return false;
    }
};

TEST_F(TrayClicks, DoubleClickGivesOnlyOnDblClick) {
    EXPECT_EQ(Send(TrayMouse::LeftDown), Actions{});
    EXPECT_EQ(Send(TrayMouse::LeftUp), (Actions{{Kind::StartClickTimer}}));
    EXPECT_EQ(Send(TrayMouse::LeftDoubleClick),
              (Actions{{Kind::CancelClickTimer}, {Kind::RaiseDblClick}}));
    EXPECT_EQ(Send(TrayMouse::LeftUp), Actions{});  // no button held any more
    EXPECT_FALSE(machine.ClickPending());
    EXPECT_FALSE(Has(machine.OnClickTimer(), Kind::RaiseClick));  // a late timer reports nothing
}

TEST_F(TrayClicks, SingleClickReportsWhenTheTimerFires) {
    Send(TrayMouse::LeftDown);
    Send(TrayMouse::LeftUp, kShiftKey);
    EXPECT_TRUE(machine.ClickPending());
    EXPECT_FALSE(Has(Send(TrayMouse::Move), Kind::CancelClickTimer));  // moving keeps it pending
    EXPECT_EQ(machine.OnClickTimer(),
              (Actions{{Kind::CancelClickTimer},
                       {Kind::RaiseClick, MouseButton::Left, kShiftKey | kLeftButton, kAt}}));
    EXPECT_FALSE(machine.ClickPending());
}

TEST_F(TrayClicks, AnotherButtonMessageCancelsThePendingClick) {
    Send(TrayMouse::LeftDown);
    Send(TrayMouse::LeftUp);
    EXPECT_EQ(Send(TrayMouse::RightDown), (Actions{{Kind::CancelClickTimer}}));
    EXPECT_FALSE(Has(machine.OnClickTimer(), Kind::RaiseClick));
}

TEST_F(TrayClicks, RightClickOpensTheMenu) {
    Send(TrayMouse::RightDown);
    EXPECT_EQ(Send(TrayMouse::RightUp), (Actions{{Kind::OpenMenu, MouseButton::Right, 0, kAt}}));
    EXPECT_FALSE(machine.ClickPending());
}

TEST_F(TrayClicks, RightClickWhileModalBecomesAClick) {
    context.modalShowing = true;
    Send(TrayMouse::RightDown);
    EXPECT_EQ(Send(TrayMouse::RightUp), (Actions{{Kind::StartClickTimer}}));
    EXPECT_EQ(machine.OnClickTimer().back(),
              (TrayAction{Kind::RaiseClick, MouseButton::Right, kRightButton, kAt}));
}

TEST_F(TrayClicks, LeftDoubleClickWhileModalDoesNothing) {
    context.modalShowing = true;
    Send(TrayMouse::LeftDown);
    Send(TrayMouse::LeftUp);
    EXPECT_EQ(Send(TrayMouse::LeftDoubleClick), (Actions{{Kind::CancelClickTimer}}));

    context.popupWhenModal = true;  // the gate is this switch
    EXPECT_EQ(Send(TrayMouse::LeftDoubleClick), (Actions{{Kind::RaiseDblClick}}));
}

TEST_F(TrayClicks, OtherDoubleClicksIgnoreTheModalGate) {
    context.modalShowing = true;
    EXPECT_EQ(Send(TrayMouse::RightDoubleClick), (Actions{{Kind::RaiseDblClick}}));
    EXPECT_EQ(Send(TrayMouse::MiddleDoubleClick), (Actions{{Kind::RaiseDblClick}}));
}

TEST_F(TrayClicks, DefaultMenuItemTakesTheLeftDoubleClick) {
    context.hasEnabledDefaultItem = true;
    EXPECT_EQ(Send(TrayMouse::LeftDoubleClick), (Actions{{Kind::ClickDefaultItem}}));
}

TEST_F(TrayClicks, WithoutDoubleClickHandlingClicksReportAtOnce) {
    context.hasDblClickHandler = false;
    EXPECT_EQ(Send(TrayMouse::MiddleUp, kCtrlKey),
              (Actions{{Kind::RaiseClick, MouseButton::Middle, kCtrlKey | kMiddleButton, kAt}}));
}

TEST_F(TrayClicks, UpWithoutDownIsIgnored) {
    EXPECT_EQ(Send(TrayMouse::LeftUp), Actions{});
    EXPECT_EQ(Send(TrayMouse::RightUp), Actions{});
}

TEST_F(TrayClicks, MoveIsReportedWithItsKeys) {
    EXPECT_EQ(Send(TrayMouse::Move, kAltKey),
              (Actions{{Kind::RaiseMouseMove, MouseButton::Left, kAltKey, kAt}}));
}

TEST(TrayMouseMessages, OnlyTheTenMouseMessages) {
    EXPECT_EQ(TrayMouseFromMessage(0x200), TrayMouse::Move);
    EXPECT_EQ(TrayMouseFromMessage(0x203), TrayMouse::LeftDoubleClick);
    EXPECT_EQ(TrayMouseFromMessage(0x209), TrayMouse::MiddleDoubleClick);
    EXPECT_FALSE(TrayMouseFromMessage(0x1FF));
    EXPECT_FALSE(TrayMouseFromMessage(0x20A));  // the wheel
}

}  // namespace
}  // namespace swl
