// The main window's placement against the taskbar the running shell
// reports, hiding instead of minimising without a taskbar button, and its
// transparency through the settings track bar.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "MainForm.h"
#include "collected_reports.h"
#include "test_support.h"

namespace swl {
namespace {

struct ShellTaskbar {
    UINT edge;
    RECT rect;
};

// The taskbar as this test sees it, asked independently of the program.
std::optional<ShellTaskbar> AskShell() {
    APPBARDATA data{};
    data.cbSize = sizeof(data);
    if (!SHAppBarMessage(ABM_GETTASKBARPOS, &data)) return std::nullopt;
    // The taskbar window's rectangle; Wine's shell reports a thinner one of
    // its own, and answers with no rectangle at all where it shows no
    // taskbar, which the program takes as no taskbar.
    RECT rect{};
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr)) GetWindowRect(tray, &rect);
    if (IsRectEmpty(&rect)) rect = data.rc;
    if (IsRectEmpty(&rect)) return std::nullopt;
    return ShellTaskbar{data.uEdge, rect};
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

std::u16string ToolTipText(const TTrackBar& bar) {
    wchar_t buffer[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = bar.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(bar.Handle());
    tool.lpszText = buffer;
    SendMessageW(bar.ToolTip(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
        // The layout puts the bar on the Settings page; here the window
        // itself holds it when the page does not exist.
        if (!form->tbTransparent.Handle()) form->CreateTransparencyBar(form->Handle());
        ASSERT_NE(form->tbTransparent.Handle(), nullptr);
    }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(reports.Texts(), std::vector<std::string>{});
    }

    HWND Hwnd() const { return form->Handle(); }
    SIZE Outer() const {
        const RECT r = WindowRect(Hwnd());
        return {r.right - r.left, r.bottom - r.top};
    }

    test::CollectedReports reports;
    TApplication app;
    std::unique_ptr<TfrmMain> form;
};

TEST_F(PlacementTest, ShowDocksAgainstTheTaskbarTheShellReports) {
    // Left somewhere else, and with the application window showing.
    SetWindowPos(Hwnd(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(app.Handle(), SW_SHOWNOACTIVATE);
    form->miShowClick();
    ASSERT_TRUE(IsWindowVisible(Hwnd()));
    EXPECT_FALSE(IsWindowVisible(app.Handle())) << "the owner would show a taskbar button";
    EXPECT_TRUE(form->PosTimerEnabled());

    const SIZE size = Outer();
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    const RECT r = WindowRect(Hwnd());
    const std::optional<ShellTaskbar> taskbar = AskShell();
    if (!taskbar) {
        // No taskbar: the screen's bottom-right corner.
        EXPECT_EQ(r.left, screenW - size.cx);
        EXPECT_EQ(r.top, screenH - size.cy);
        EXPECT_TRUE(IsRectEmpty(&form->TaskbarRect)) << "no taskbar seen";
        return;
    }
    const RECT& t = taskbar->rect;
    SCOPED_TRACE(testing::Message() << "edge " << taskbar->edge << " taskbar (" << t.left << "," << t.top << ")-("
                                    << t.right << "," << t.bottom << ")");
    switch (taskbar->edge) {
        case ABE_BOTTOM:
            EXPECT_EQ(r.bottom, t.top);
            EXPECT_EQ(r.right, screenW);
            break;
        case ABE_TOP:
            EXPECT_EQ(r.top, t.bottom);
            EXPECT_EQ(r.right, screenW);
            break;
        case ABE_LEFT:
            EXPECT_EQ(r.left, t.right);
            EXPECT_EQ(r.bottom, screenH);
            break;
        case ABE_RIGHT:
            EXPECT_EQ(r.right, t.left);
            EXPECT_EQ(r.bottom, screenH);
            break;
        default:
            EXPECT_EQ(r.right, screenW);
            EXPECT_EQ(r.bottom, screenH);
    }
    EXPECT_TRUE(EqualRect(&form->TaskbarRect, &t));
}

// Where the shell has a taskbar window, resizing it moves a docked window
// along within a tick, and leaves a window that was dragged away alone.
TEST_F(PlacementTest, FollowsTheTaskbarOnlyWhileTouchingIt) {
    const std::optional<ShellTaskbar> taskbar = AskShell();
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    const RECT trayRect = tray ? WindowRect(tray) : RECT{};
    if (!taskbar || taskbar->edge != ABE_BOTTOM || IsRectEmpty(&trayRect))
        GTEST_SKIP() << "the shell reports no bottom taskbar window here";
    const RECT original = taskbar->rect;
    auto resizeTray = [&](int height) {
        SetWindowPos(tray, nullptr, original.left, original.bottom - height, original.right - original.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const int height = original.bottom - original.top;

    form->miShowClick();
    ASSERT_EQ(WindowRect(Hwnd()).bottom, original.top);
    resizeTray(height + 30);
    if (WindowRect(tray).top != original.top - 30) {
        resizeTray(height);
        GTEST_SKIP() << "the shell does not let its taskbar be resized";
    }
    EXPECT_TRUE(test::PumpUntil([&] { return WindowRect(Hwnd()).bottom == original.top - 30; }, 3000))
        << "the window did not follow; bottom at " << WindowRect(Hwnd()).bottom;
    EXPECT_EQ(form->TaskbarRect.top, original.top - 30);

    // Dragged away: the next resize leaves the window where it is, and the
    // taskbar is remembered all the same.
    SetWindowPos(Hwnd(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    resizeTray(height);
    EXPECT_TRUE(test::PumpUntil([&] { return form->TaskbarRect.top == original.top; }, 3000));
    EXPECT_EQ(WindowRect(Hwnd()).left, 100);
    EXPECT_EQ(WindowRect(Hwnd()).top, 100);
}

TEST_F(PlacementTest, MinimiseHidesWithoutATaskbarButtonAndShowBringsItBack) {
    form->miShowClick();
    ASSERT_TRUE(IsWindowVisible(Hwnd()));
    SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    EXPECT_FALSE(IsIconic(Hwnd())) << "hidden, not minimised";
    EXPECT_FALSE(IsWindowVisible(app.Handle()));
    EXPECT_EQ(GetWindow(Hwnd(), GW_OWNER), app.Handle()) << "an owned window gets no taskbar button";
    EXPECT_FALSE(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_TRUE(form->PosTimerEnabled()) << "minimising leaves the timer running";

    // The low four bits of the command do not matter; other commands keep
    // their usual meaning.
    form->miShowClick();
    SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE | 0x2, 0);
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    form->miShowClick();
    SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(Hwnd()));
    SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(Hwnd()));
    EXPECT_TRUE(IsWindowVisible(Hwnd()));
}

TEST_F(PlacementTest, HideAndCloseStopThePositionTimer) {
    form->miShowClick();
    form->miHideClick();
    EXPECT_FALSE(IsWindowVisible(Hwnd()));
    EXPECT_FALSE(form->PosTimerEnabled());
    form->miShowClick();
    ASSERT_TRUE(form->PosTimerEnabled());
    SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->PosTimerEnabled());
    EXPECT_TRUE(app.Terminated()) << "closing the main form ends the loop";
}

TEST_F(PlacementTest, TransparencyPositionSetsTheWindowsAlpha) {
    if (!form->SetLayeredWindowAttributesProc) GTEST_SKIP() << "no SetLayeredWindowAttributes";
    struct Case {
        int position;
        bool layered;
        BYTE alpha;
    };
    for (const Case c : {Case{40, true, 215}, Case{100, true, 155}, Case{0, false, 0}, Case{250, true, 155},
                         Case{-3, false, 0}, Case{1, true, 254}}) {
        SCOPED_TRACE(c.position);
        form->SetTransparencyPosition(c.position);
        const bool layered = GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED;
        EXPECT_EQ(layered, c.layered);
        if (!c.layered) continue;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(Hwnd(), nullptr, &alpha, &flags));
        EXPECT_EQ(alpha, c.alpha);
        EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    }
    EXPECT_TRUE(form->tbTransparent.Hint().empty()) << "setting the position sets no tooltip";
}

// Moving the bar by keys raises its changing event: the window's alpha and
// the bar's tooltip follow.
TEST_F(PlacementTest, MovingTheBarAppliesTheTransparencyAndTheTooltip) {
    if (!form->SetLayeredWindowAttributesProc) GTEST_SKIP() << "no SetLayeredWindowAttributes";
    form->miShowClick();
    SetForegroundWindow(Hwnd());
    SetFocus(form->tbTransparent.Handle());
    ASSERT_TRUE(test::PumpUntil([&] { return GetFocus() == form->tbTransparent.Handle(); }, 3000));
    form->SetTransparencyPosition(35);
    test::PressKey(VK_NEXT);  // Page Down: 40
    ASSERT_TRUE(test::PumpUntil([&] { return form->TransparencyPosition() == 40; }, 3000));
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(Hwnd(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 215);
    EXPECT_EQ(form->tbTransparent.Hint(), u"40%");
    EXPECT_EQ(ToolTipText(form->tbTransparent), u"40%");

    test::PressKey(VK_HOME);
    ASSERT_TRUE(test::PumpUntil([&] { return form->TransparencyPosition() == 0; }, 3000));
    EXPECT_FALSE(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(form->tbTransparent.Hint(), u"0%");

    // The wheel applies at once as well: one notch toward the user.
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == 0 || lines == WHEEL_PAGESCROLL) return;
    SendMessageW(form->tbTransparent.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    const int expected = static_cast<int>(std::min<UINT>(lines, 100));
    EXPECT_EQ(form->TransparencyPosition(), expected);
    EXPECT_EQ(form->Alpha().blend, 255 - expected);
    EXPECT_EQ(form->tbTransparent.Hint(), TransparencyTooltip(expected));
}

// Without SetLayeredWindowAttributes (before Windows 2000) the window keeps
// its look; the alpha state is still kept for the settings file.
TEST_F(PlacementTest, WithoutLayeredWindowsTransparencyChangesNothingOnScreen) {
    form->SetLayeredWindowAttributesProc = nullptr;
    form->SetTransparencyPosition(40);
    EXPECT_FALSE(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(form->TransparencyPosition(), 40);
    EXPECT_EQ(form->Alpha(), (AlphaState{215, true}));
}

// The Paste link follows the list's selection on every tick, also while the
// window is hidden by minimising.
TEST_F(PlacementTest, ThePasteLinkFollowsTheSelectionWhileHidden) {
    test::MessageWindow writer;
    test::ClipboardContent content;
    content.unicode = u"one";
    ASSERT_TRUE(test::WriteClipboard(writer.Handle(), content));
    ASSERT_GE(form->LineCount(), 1);
    form->miShowClick();
    SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_FALSE(IsWindowVisible(Hwnd()));
    for (int selected : {0, -1, 0}) {
        SCOPED_TRACE(selected);
        form->SelectLine(selected);
        EXPECT_TRUE(test::PumpUntil([&] { return form->lbPasteAll.Enabled() == (selected >= 0); }, 3000));
    }
}

}  // namespace
}  // namespace swl
