// The notification window with its real animator thread: the window's moves
// arrive as posted steps, so each test pumps this thread's messages until
// the animator has paused again (with a deadline).
#include "TrayForm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "test_support.h"
#include "tray_handlers.h"
#include "widgets/markup_label.h"

namespace swl {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = TfrmTrayWnd::kClientWidth;
constexpr int kHeight = TfrmTrayWnd::kClientHeight;
// A whole notification is 626 ticks of at least 1 ms; far more than enough.
constexpr auto kDeadline = std::chrono::seconds(30);

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
int RestingTop() { return ScreenHeight() - kHeight - 2; }

RECT WindowRect(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc;
}

void PumpOnce() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
}

// Pumps until `done` answers true; `each` sees every round. False on timeout.
bool PumpUntil(const std::function<bool()>& done, const std::function<void()>& each = {},
               Clock::duration limit = kDeadline) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        PumpOnce();
        if (each) each();
        if (done()) return true;
    }
    return false;
}

void PumpFor(Clock::duration span) {
    const auto end = Clock::now() + span;
    while (Clock::now() < end) PumpOnce();
}

std::uint64_t ThreadCpu100ns(DWORD threadId) {
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId);
    if (!thread) return 0;
    FILETIME created, exited, kernel, user;
    std::uint64_t total = 0;
    if (GetThreadTimes(thread, &created, &exited, &kernel, &user)) {
        total = (static_cast<std::uint64_t>(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
                (static_cast<std::uint64_t>(user.dwHighDateTime) << 32 | user.dwLowDateTime);
    }
    CloseHandle(thread);
    return total;
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Stands in for the application's hidden window that owns the program's windows.
HWND CreateOwner() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TrayFormTestOwner";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExW(0, L"TrayFormTestOwner", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class TrayFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateOwner();
        ASSERT_TRUE(owner_);
        ASSERT_TRUE(form_.Create(owner_));
    }
    void TearDown() override {
        if (HasFailure()) std::printf("  window at top %ld\n", WindowRect(form_.Handle()).top);
        DestroyWindow(owner_);
    }

    TfrmTimer& Timer() { return form_.frmTimer(); }
    bool Idle() { return Timer().IsPaused() && !form_.Showing(); }
    int Top() { return static_cast<int>(WindowRect(form_.Handle()).top); }

    std::u16string status_ = u"Stashwell :: Active";
    std::u16string count_ = u"5/24";
    bool vietnamese_ = false;
    HWND owner_ = nullptr;
    TfrmTrayWnd form_{TrayWndSource{[this] { return status_; }, [this] { return count_; },
                                    [this] { return vietnamese_; }}};
};

TEST_F(TrayFormTest, IsABorderlessTopmostToolWindowOwnedByTheApplicationWindow) {
    const HWND hwnd = form_.Handle();
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), owner_);
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "a tool window gets no taskbar button";
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, kWidth);
    EXPECT_EQ(client.bottom, kHeight);
    EXPECT_FALSE(form_.Showing());
    EXPECT_TRUE(Timer().IsPaused()) << "the animator is created paused";
}

TEST_F(TrayFormTest, NotificationSlidesUpHoldsAndSlidesDownAgain) {
    ShowWindow(owner_, SW_SHOWNA);
    const std::uint64_t ticksBefore = Timer().TickCount();
    const auto start = Clock::now();
    form_.ShowForm();

    EXPECT_FALSE(IsWindowVisible(owner_)) << "showing the window hides its owner";
    ASSERT_TRUE(form_.Showing());
    const RECT shown = WindowRect(form_.Handle());
    EXPECT_EQ(shown.right, ScreenWidth());
    EXPECT_GE(shown.top, RestingTop()) << "it starts below its resting place";

    int highest = shown.top;
    bool sawRest = false;
    int lastTop = shown.top;
    bool leftEdgeMoved = false;
    const bool finished = PumpUntil(
        [&] { return Idle(); },
        [&] {
            const RECT rc = WindowRect(form_.Handle());
            highest = std::min<int>(highest, rc.top);
            if (rc.top == RestingTop()) sawRest = true;
            if (rc.right != ScreenWidth()) leftEdgeMoved = true;
            lastTop = rc.top;
        });
    const auto took = Clock::now() - start;
    ASSERT_TRUE(finished) << "the notification did not end";

    EXPECT_EQ(highest, RestingTop()) << "the bottom edge rests 2 pixels above the screen's bottom";
    EXPECT_TRUE(sawRest);
    EXPECT_FALSE(leftEdgeMoved) << "the right edge stays on the screen's right edge";
    EXPECT_EQ(lastTop, ScreenHeight() + 1) << "it leaves until it lies wholly below the screen";
    // 61 rising, 1 stop, 500 holding, 1 leave, 62 falling and 1 hiding tick:
    // any dropped or repeated step would change the count.
    EXPECT_EQ(Timer().TickCount() - ticksBefore, 626u);
    std::printf("  one notification took %lld ms of wall clock\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
}

TEST_F(TrayFormTest, ShowFormDuringTheHoldRestartsIt) {
    form_.ShowForm();
    ASSERT_TRUE(PumpUntil([&] { return Top() == RestingTop(); }));
    const std::uint64_t restedAt = Timer().TickCount();
    // Well into the hold, then a capture.
    ASSERT_TRUE(PumpUntil([&] { return Timer().TickCount() - restedAt >= 300; }));
    ASSERT_EQ(Top(), RestingTop());
    form_.ShowForm();
    const std::uint64_t restartedAt = Timer().TickCount();

    int highest = Top();
    ASSERT_TRUE(PumpUntil([&] { return Top() != RestingTop(); }, [&] { highest = std::min(highest, Top()); }));
    EXPECT_GE(Timer().TickCount() - restartedAt, 500u) << "the hold counts 500 ticks from the latest request";
    EXPECT_EQ(highest, RestingTop()) << "the window does not slide in again";
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
}

TEST_F(TrayFormTest, ShowFormWhileLeavingDoesNotBringItBack) {
    form_.ShowForm();
    ASSERT_TRUE(PumpUntil([&] { return Top() > RestingTop() + 5 && Timer().Flags().Falling(); }));
    int previous = Top();
    bool roseAgain = false;
    form_.ShowForm();
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }, [&] {
        if (Top() < previous) roseAgain = true;
        previous = Top();
    }));
    EXPECT_FALSE(roseAgain);
    // The next request slides it in again.
    form_.ShowForm();
    EXPECT_TRUE(form_.Showing());
    EXPECT_TRUE(PumpUntil([&] { return Top() == RestingTop(); }));
    form_.Hide();
    Timer().Pause();
}

TEST_F(TrayFormTest, TextsFollowTheMainWindow) {
    struct Case {
        const char16_t* status;
        const char16_t* count;
        bool vietnamese;
        const char16_t* label;
    };
    const Case cases[] = {
        {u"Stashwell :: Active", u"5/24", false, u"<b>5/24</b> Clipboard Items collected"},
        {u"Stashwell :: Inactive", u"24/24", false, u"<b>24/24</b> Clipboard Items collected"},
        {u"Stashwell :: Hoạt động", u"0/24", true, u"<b>0/24</b> đối tượng Clipboard đã được lưu"},
    };
    // The first request shows the window; the others find it showing and
    // only refresh the texts.
    for (const Case& c : cases) {
        status_ = c.status;
        count_ = c.count;
        vietnamese_ = c.vietnamese;
        form_.ShowForm();
        EXPECT_EQ(form_.GroupCaption(), c.status);
        EXPECT_EQ(form_.StatusLabel().Caption(), c.label);
        EXPECT_TRUE(form_.StatusLabel().IsMarkupValid());
    }
    form_.Hide();
    Timer().Pause();
}

// A copy made in another program shows the window without taking that
// program's keyboard; from the program's own window it takes the keyboard,
// so Escape dismisses it.
TEST_F(TrayFormTest, TheWindowTakesTheKeyboardOnlyFromTheProgramsOwnWindows) {
    test::ChildProcess target;
    ASSERT_TRUE(target.Start(test::ExeDirectory() + L"paste_target.exe", {}));
    HWND targetWindow = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        targetWindow = FindWindowW(L"StashwellPasteTarget", nullptr);
        return targetWindow && GetForegroundWindow() == targetWindow;
    })) << "the other program did not come to the front";
    form_.ShowForm();
    EXPECT_TRUE(form_.Showing());
    EXPECT_NE(GetActiveWindow(), form_.Handle()) << "shown active over another program";
    EXPECT_EQ(GetForegroundWindow(), targetWindow);
    form_.Hide();
    Timer().Pause();
    PostMessageW(targetWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(target.Wait());

    const HWND own = CreateOwner();  // another window of the program
    ShowWindow(own, SW_SHOWNORMAL);
    SetForegroundWindow(own);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == own; })) << "the program did not come to the front";
    form_.ShowForm();
    EXPECT_EQ(GetActiveWindow(), form_.Handle()) << "from the program's own window it takes the keyboard";
    form_.Hide();
    Timer().Pause();
    DestroyWindow(own);
}

TEST_F(TrayFormTest, EscapeHidesAndPauses) {
    form_.ShowForm();
    ASSERT_TRUE(PumpUntil([&] { return Top() == RestingTop(); }));
    // The window took the focus when it was shown; Escape arrives as a key.
    SetForegroundWindow(form_.Handle());
    SetFocus(form_.Handle());
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    const bool hidden = PumpUntil([&] { return !form_.Showing(); }, {}, std::chrono::milliseconds(300));
    if (!hidden) {
        // No keyboard focus to be had on this display: the key press itself.
        std::printf("  the Escape key did not arrive (foreground %p, focus %p, window %p)\n",
                    static_cast<void*>(GetForegroundWindow()), static_cast<void*>(GetFocus()),
                    static_cast<void*>(form_.Handle()));
        SendMessageW(form_.Handle(), WM_CHAR, 27, 1);
    }
    EXPECT_FALSE(form_.Showing());
    EXPECT_TRUE(Timer().IsPaused());
    EXPECT_EQ(Top(), RestingTop()) << "hidden where it was, without sliding";
    const std::uint64_t ticks = Timer().TickCount();
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_LE(Timer().TickCount() - ticks, 1u) << "the animator stops at the next tick boundary";

    // Other keys do nothing.
    form_.ShowForm();
    SendMessageW(form_.Handle(), WM_CHAR, 'a', 1);
    EXPECT_TRUE(form_.Showing());
    SendMessageW(form_.Handle(), WM_CHAR, 27, 1);
    EXPECT_FALSE(form_.Showing());
}

// Showing processes the pending messages before it wakes the animator; a
// dismissal among them (Escape typed while the window came up) stays: the
// animator must not be woken for a window that is hidden again.
TEST_F(TrayFormTest, ADismissalWhileShowingStaysDismissed) {
    struct Case {
        const char* name;
        void (TfrmTrayWnd::*show)();
    };
    for (const Case& c : {Case{"notification", &TfrmTrayWnd::ShowForm}, Case{"tip", &TfrmTrayWnd::ShowTip}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
        PostMessageW(form_.Handle(), WM_CHAR, 27, 1);
        (form_.*c.show)();
        EXPECT_FALSE(form_.Showing());
        EXPECT_TRUE(Timer().IsPaused()) << "the animator runs for a hidden window";
        const int top = Top();
        PumpFor(std::chrono::milliseconds(200));
        EXPECT_EQ(Top(), top) << "the hidden window was moved";
    }
}

TEST_F(TrayFormTest, HiddenWindowLeavesTheAnimatorBlocked) {
    form_.ShowForm();
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
    const DWORD thread = Timer().ThreadId();
    ASSERT_NE(thread, 0u);
    PumpFor(std::chrono::milliseconds(50));
    const std::uint64_t ticks = Timer().TickCount();
    const std::uint64_t cpu = ThreadCpu100ns(thread);
    PumpFor(std::chrono::seconds(2));
    EXPECT_EQ(Timer().TickCount(), ticks);
    const std::uint64_t used = ThreadCpu100ns(thread) - cpu;
    EXPECT_EQ(used, 0u) << "CPU time of the idle animator, in 100 ns units";
    std::printf("  idle animator over 2 s: %llu ticks, %llu x 100 ns of CPU\n",
                static_cast<unsigned long long>(Timer().TickCount() - ticks),
                static_cast<unsigned long long>(used));
}

TEST_F(TrayFormTest, CloseRequestEndsTheAnimatorForGood) {
    form_.ShowForm();
    ASSERT_TRUE(PumpUntil([&] { return Top() < ScreenHeight() - 10; }));
    SendMessageW(form_.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form_.Handle())) << "closing hides the window, it stays";
    EXPECT_FALSE(form_.Showing());
    EXPECT_TRUE(Timer().IsTerminated());
    PumpFor(std::chrono::milliseconds(50));
    const std::uint64_t ticks = Timer().TickCount();
    form_.ShowForm();
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(Timer().TickCount(), ticks);
    EXPECT_TRUE(form_.Showing()) << "still shown on request, no longer moved";
    EXPECT_EQ(Top(), ScreenHeight());
}

TEST(TrayFormLifetime, DestroyedWhileSlidingEndsPromptly) {
    HWND owner = CreateOwner();
    auto form = std::make_unique<TfrmTrayWnd>(TrayWndSource{});
    ASSERT_TRUE(form->Create(owner));
    form->ShowForm();
    PumpFor(std::chrono::milliseconds(30));
    ASSERT_FALSE(form->frmTimer().IsPaused());
    // Hidden behind the animator's back, so the time measured is the
    // animator's (Wine takes seconds to destroy a visible active window).
    ShowWindow(form->Handle(), SW_HIDE);
    const auto start = Clock::now();
    form.reset();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(600));
    // Steps still queued for the destroyed window go nowhere.
    PumpFor(std::chrono::milliseconds(30));
    DestroyWindow(owner);
}

// The tray icon's handlers against the real window.
class TrayHandlersTest : public TrayFormTest {};

TEST_F(TrayHandlersTest, HoverShowsATipAboveThePointerOnlyWhenIdle) {
    const POINT pointer = test::MovePointer(500, 600);
    const std::uint64_t ticks = Timer().TickCount();
    TrayIcoMouseMove(form_);
    ASSERT_TRUE(form_.Showing());
    const RECT tip = WindowRect(form_.Handle());
    EXPECT_EQ(tip.right, ScreenWidth());
    EXPECT_EQ(tip.bottom, pointer.y - 10) << "the tip's bottom edge 10 pixels above the pointer";

    // Moving on while the tip shows changes nothing.
    test::MovePointer(500, 300);
    TrayIcoMouseMove(form_);
    TrayIcoClick(form_);
    bool moved = false;
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }, [&] {
        if (form_.Showing() && WindowRect(form_.Handle()).top != tip.top) moved = true;
    }));
    EXPECT_FALSE(moved) << "a tip vanishes without sliding";
    EXPECT_EQ(Timer().TickCount() - ticks, 502u) << "500 holding ticks, one to leave, one to hide";

    // Idle again: the next hover shows it again.
    TrayIcoMouseMove(form_);
    EXPECT_TRUE(form_.Showing());
    form_.Hide();
    Timer().Pause();
}

TEST_F(TrayHandlersTest, ClickShowsTheTipUnlessShowing) {
    TrayIcoClick(form_);
    ASSERT_TRUE(form_.Showing());
    EXPECT_TRUE(Timer().Flags().TipMode());
    form_.Hide();
    Timer().Pause();

    form_.ShowForm();
    TrayIcoClick(form_);
    EXPECT_FALSE(Timer().Flags().TipMode()) << "a showing notification stays a notification";
    form_.Hide();
    Timer().Pause();
}

TEST_F(TrayHandlersTest, DoubleClickDismissesAndShowsTheMainWindow) {
    int shown = 0;
    const auto miShowClick = [&] { ++shown; };
    form_.ShowForm();
    ASSERT_TRUE(PumpUntil([&] { return Top() < ScreenHeight() - 20; }));
    TrayIcoDblClick(form_, miShowClick);
    EXPECT_FALSE(form_.Showing());
    EXPECT_TRUE(Timer().IsPaused());
    EXPECT_EQ(shown, 1);
    const int top = Top();
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(Top(), top) << "steps on their way when it was dismissed are dropped";

    TrayIcoDblClick(form_, miShowClick);
    EXPECT_EQ(shown, 2) << "the main window opens whether or not the notification showed";
}

}  // namespace
}  // namespace swl
