// The track bar driven through real input: keys, a thumb drag, a held press
// on the track and the wheel, with the changing event asked before every
// change except the wheel's.
#include "widgets/track_bar.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace swl {
namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void SendMouse(DWORD flags, DWORD data = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.mouseData = data;
    SendInput(1, &in, sizeof(INPUT));
}

class TrackBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = L"StashwellTrackBarHost";
        RegisterClassExW(&wc);
        host_ = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 200, 200, 140, 45,
                                nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(host_, nullptr);
        ASSERT_TRUE(bar.Create(host_, 20, 10));
        bar.OnChanging = [this](int p, bool& allow) {
            asked.push_back(p);
            positionWhenAsked.push_back(bar.Position());
            allow = allow && !refuse;
        };
        bar.OnChange = [this] { ++changes; };
        SetForegroundWindow(host_);
        SetFocus(bar.Handle());
        ASSERT_TRUE(test::PumpUntil([&] { return GetFocus() == bar.Handle(); }, 3000));
    }
    void TearDown() override {
        if (GetCapture()) SendMouse(MOUSEEVENTF_LEFTUP);
        test::PumpPending();
        DestroyWindow(host_);
    }

    // A point of the bar's client area on the screen.
    POINT Screen(int x, int y = 12) const {
        POINT p{x, y};
        ClientToScreen(bar.Handle(), &p);
        return p;
    }
    // One absolute move event, as a mouse sends it.
    void MoveMouseTo(int x) {
        const POINT p = Screen(x);
        const LONG w = GetSystemMetrics(SM_CXSCREEN);
        const LONG h = GetSystemMetrics(SM_CYSCREEN);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = (p.x * 65536 + w - 1) / w;
        in.mi.dy = (p.y * 65536 + h - 1) / h;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &in, sizeof(INPUT));
    }
    void Reset(int position) {
        bar.SetPosition(position);
        asked.clear();
        positionWhenAsked.clear();
        changes = 0;
    }

    HWND host_ = nullptr;
    TTrackBar bar;
    std::vector<int> asked;
    std::vector<int> positionWhenAsked;
    int changes = 0;
    bool refuse = false;
};

TEST_F(TrackBarTest, KeysStepAndAskFirst) {
    struct Case {
        int from;
        WORD vk;
        int expected;
    };
    const Case cases[] = {
        {40, VK_RIGHT, 41}, {40, VK_DOWN, 41}, {40, VK_LEFT, 39}, {40, VK_UP, 39}, {40, VK_NEXT, 45},
        {40, VK_PRIOR, 35}, {40, VK_HOME, 0},  {40, VK_END, 100}, {98, VK_NEXT, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " key " << c.vk);
        Reset(c.from);
        test::PressKey(c.vk);
        ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == c.expected; }, 3000)) << bar.Position();
        ASSERT_EQ(asked, std::vector<int>{c.expected});
        EXPECT_EQ(positionWhenAsked, std::vector<int>{c.from}) << "asked before the change";
        EXPECT_EQ(changes, 1);
    }
    // At the end nothing changes and nobody is asked.
    Reset(0);
    test::PressKey(VK_LEFT);
    test::PressKey(VK_RIGHT);  // a marker that the first key was handled
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == 1; }, 3000));
    EXPECT_EQ(asked, std::vector<int>{1});
}

TEST_F(TrackBarTest, ARefusedChangeKeepsThePosition) {
    Reset(50);
    refuse = true;
    test::PressKey(VK_END);
    ASSERT_TRUE(test::PumpUntil([&] { return asked.size() == 1; }, 3000));
    EXPECT_EQ(bar.Position(), 50);
    refuse = false;
    test::PressKey(VK_LEFT);
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == 49; }, 3000));
    EXPECT_EQ(asked, (std::vector<int>{100, 49}));
    EXPECT_EQ(changes, 1);
}

TEST_F(TrackBarTest, DraggingTheThumbFollowsThePointer) {
    Reset(20);
    const RECT thumb = bar.ThumbRect();
    MoveMouseTo((thumb.left + thumb.right) / 2);
    test::PumpPending();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(test::PumpUntil([&] { return GetCapture() == bar.Handle(); }, 3000));
    EXPECT_EQ(bar.Position(), 20) << "a press on the thumb does not move it";
    struct Step {
        int x, expected;
    };
    for (const Step s : {Step{50, 50}, Step{13, 9}, Step{95, 100}, Step{300, 100}, Step{-30, 0}}) {
        SCOPED_TRACE(s.x);
        MoveMouseTo(s.x);
        ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == s.expected; }, 3000)) << bar.Position();
    }
    SendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(test::PumpUntil([&] { return GetCapture() == nullptr; }, 3000));
    // Every position asked for is one the pointer stood at (a virtual
    // desktop may deliver a stale move again, so repeats are allowed).
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), 50);
    for (int p : asked) EXPECT_TRUE(p == 20 || p == 50 || p == 9 || p == 100 || p == 0) << p;
    MoveMouseTo(60);
    test::PressKey(VK_RIGHT);  // after the release moves no longer drag
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == 1; }, 3000));
}

// A press beside the thumb pages toward the pointer and keeps paging while
// the button is held, stopping where the thumb reaches the pointer.
TEST_F(TrackBarTest, AHeldPressOnTheTrackPagesTowardThePointer) {
    Reset(0);
    MoveMouseTo(80);  // position 83 under the pointer
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == 5; }, 3000)) << "the press steps at once";
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == 80; }, 10000)) << bar.Position();
    const std::vector<int> expected = {5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80};
    EXPECT_EQ(asked, expected);
    const RECT thumb = bar.ThumbRect();
    EXPECT_TRUE(80 >= thumb.left && 80 < thumb.right) << "the thumb is under the pointer";
    // Moving the pointer back while held pages back toward it.
    MoveMouseTo(30);
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == 30; }, 10000)) << bar.Position();
    SendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(test::PumpUntil([&] { return GetCapture() == nullptr; }, 3000));
    const std::size_t asks = asked.size();
    test::PressKey(VK_RIGHT);
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == 31; }, 3000)) << "no paging after the release";
    EXPECT_EQ(asked.size(), asks + 1);
}

TEST_F(TrackBarTest, TheWheelMovesByTheWheelLinesWithoutAsking) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == 0 || lines == WHEEL_PAGESCROLL || lines > 20) GTEST_SKIP() << "wheel lines " << lines;
    const int step = static_cast<int>(lines);
    Reset(50);
    MoveMouseTo(50);
    SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(-WHEEL_DELTA));  // toward the user
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == 50 + step; }, 3000)) << bar.Position();
    SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(2 * WHEEL_DELTA));  // two notches up
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == 50 - step; }, 3000)) << bar.Position();
    // Half notches add up.
    SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(WHEEL_DELTA / 2));
    SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(WHEEL_DELTA / 2));
    ASSERT_TRUE(test::PumpUntil([&] { return bar.Position() == 50 - 2 * step; }, 3000)) << bar.Position();
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace swl
