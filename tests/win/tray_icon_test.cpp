// The tray icon in Wine's notification area. The shell's notifications are
// simulated by sending the callback message to the utility window, the way
// the shell does.
#include "widgets/tray_icon.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "error_report.h"
#include "test_support.h"
#include "widgets/modal_state.h"

namespace swl {
namespace {

using Clock = std::chrono::steady_clock;

void PumpFor(Clock::duration span) {
    const auto end = Clock::now() + span;
    MSG msg;
    while (Clock::now() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Whether the shell holds an icon for (window, id): only a known icon can
// be modified.
bool ShellKnows(HWND hwnd) {
    NOTIFYICONDATAA data{};
    data.cbSize = TTrayIcon::RecordSize();
    data.hWnd = hwnd;
    data.uID = TTrayIcon::kIconID;
    data.uFlags = NIF_TIP;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

struct Event {
    enum Kind { Click, DblClick, Move } kind;
    MouseButton button = MouseButton::Left;
    unsigned shift = 0;
    POINT position{};
};

class TrayIconTest : public ::testing::Test {
protected:
    // One icon for the suite: Wine's shell takes a while over each removal.
    static void SetUpTestSuite() {
        icon_ = std::make_unique<TTrayIcon>();
        icon_->SetStaticIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
        icon_->SetEnabled(true);
    }
    static void TearDownTestSuite() {
        icon_.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(icon_->Handle());
        // A short double-click time keeps the waits short.
        savedDoubleClickTime_ = GetDoubleClickTime();
        SetDoubleClickTime(200);
        icon_->OnClick = [this](MouseButton b, unsigned s, POINT p) { events_.push_back({Event::Click, b, s, p}); };
        icon_->OnDblClick = [this] { events_.push_back({Event::DblClick}); };
        icon_->OnMouseMove = [this](unsigned s, POINT p) { events_.push_back({Event::Move, {}, s, p}); };
    }
    void TearDown() override {
        icon_->OnClick = nullptr;
        icon_->OnDblClick = nullptr;
        icon_->OnMouseMove = nullptr;
        SetDoubleClickTime(savedDoubleClickTime_);
    }

    void Notify(UINT mouseMessage) {
        SendMessageW(icon_->Handle(), TTrayIcon::kCallbackMessage, TTrayIcon::kIconID, mouseMessage);
    }
    int Count(Event::Kind kind) const {
        int n = 0;
        for (const Event& e : events_) n += e.kind == kind;
        return n;
    }
    void WaitPastDoubleClickTime() { PumpFor(std::chrono::milliseconds(GetDoubleClickTime() + 250)); }

    UINT savedDoubleClickTime_ = 500;
    std::vector<Event> events_;
    static inline std::unique_ptr<TTrayIcon> icon_;
};

TEST_F(TrayIconTest, IsAddedToTheNotificationArea) {
    EXPECT_TRUE(icon_->Added());
    EXPECT_TRUE(icon_->LastAddAccepted()) << "Wine's shell refused NIM_ADD";
    EXPECT_TRUE(ShellKnows(icon_->Handle()));
    EXPECT_EQ(TTrayIcon::RecordSize(), static_cast<DWORD>(NOTIFYICONDATAA_V2_SIZE)) << "Wine reports NT 5 or later";
    std::printf("  NIM_ADD %s; Shell_TrayWnd %s\n", icon_->LastAddAccepted() ? "accepted" : "refused",
                FindWindowA("Shell_TrayWnd", nullptr) ? "present" : "absent");
    // The session may end at any time, as far as the icon is concerned.
    EXPECT_EQ(SendMessageW(icon_->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(icon_->Added());
}

TEST_F(TrayIconTest, MouseSequencesBecomeClicksAndDoubleClicks) {
    struct Case {
        const char* name;
        std::vector<UINT> messages;
        bool modal;
        int clicks;
        int doubleClicks;
        MouseButton button;
    };
    const Case cases[] = {
        {"left double click", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, false, 0, 1,
         MouseButton::Left},
        {"left click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, false, 1, 0, MouseButton::Left},
        {"up without down", {WM_LBUTTONUP}, false, 0, 0, MouseButton::Left},
        {"middle click", {WM_MBUTTONDOWN, WM_MBUTTONUP}, false, 1, 0, MouseButton::Middle},
        {"right double click", {WM_RBUTTONDBLCLK}, false, 0, 1, MouseButton::Right},
        {"middle double click", {WM_MBUTTONDBLCLK}, false, 0, 1, MouseButton::Middle},
        {"right click without a menu", {WM_RBUTTONDOWN, WM_RBUTTONUP}, false, 1, 0, MouseButton::Right},
        {"left double click, modal", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, true, 0, 0,
         MouseButton::Left},
        {"not a mouse message", {WM_USER, WM_USER + 5}, false, 0, 0, MouseButton::Left},
    };
    const POINT pointer = test::MovePointer(640, 700);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        events_.clear();
        {
            std::optional<ModalDialogScope> modal;
            if (c.modal) modal.emplace();
            for (UINT m : c.messages) Notify(m);
            WaitPastDoubleClickTime();
        }
        EXPECT_EQ(Count(Event::Click), c.clicks);
        EXPECT_EQ(Count(Event::DblClick), c.doubleClicks);
        for (const Event& e : events_) {
            if (e.kind != Event::Click) continue;
            EXPECT_EQ(e.button, c.button);
            EXPECT_TRUE(e.shift & ShiftBitFor(c.button)) << "the shift state carries the button";
            EXPECT_EQ(e.position.x, pointer.x);
            EXPECT_EQ(e.position.y, pointer.y);
        }
    }
}

// The general error report's message box is a modal window of the program
// too: while it is open a left double click on the icon does nothing.
struct SeenBox {
    std::function<void(HWND)> onBox;
    bool box = false;
    bool modal = false;
    int doubleClicks = -1;
};
SeenBox seen;

// Polls for the message box while ReportError's modal loop runs.
void CALLBACK PollForTheBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowW(L"#32770", L"Stashwell");
    if (!box || !IsWindowVisible(box) || seen.box) return;
    seen.box = true;
    seen.onBox(box);
}

TEST_F(TrayIconTest, TheErrorReportsMessageBoxClosesTheGate) {
    seen = {};
    seen.onBox = [this](HWND box) {
        seen.modal = IsModalDialogShowing();
        for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Notify(m);
        seen.doubleClicks = Count(Event::DblClick);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    const ErrorReportSink previous = SetErrorReportSink({});
    const UINT_PTR poll = SetTimer(nullptr, 0, 20, &PollForTheBox);
    ReportError("Something went wrong");
    KillTimer(nullptr, poll);
    SetErrorReportSink(previous);
    ASSERT_TRUE(seen.box) << "the message box did not show";
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.doubleClicks, 0);
    EXPECT_FALSE(IsModalDialogShowing()) << "the gate opens again with the box gone";
    WaitPastDoubleClickTime();
    EXPECT_EQ(Count(Event::DblClick), 0);
}

TEST_F(TrayIconTest, SingleClickWaitsForTheDoubleClickTime) {
    const auto start = Clock::now();
    Notify(WM_LBUTTONDOWN);
    Notify(WM_LBUTTONUP);
    PumpFor(std::chrono::milliseconds(GetDoubleClickTime() / 3));
    EXPECT_EQ(Count(Event::Click), 0) << "reported before a double click could have followed";
    while (Count(Event::Click) == 0 && Clock::now() - start < std::chrono::seconds(3))
        PumpFor(std::chrono::milliseconds(10));
    ASSERT_EQ(Count(Event::Click), 1);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(GetDoubleClickTime() - 20));
    // Reported once: the timer stopped.
    WaitPastDoubleClickTime();
    EXPECT_EQ(Count(Event::Click), 1);
}

TEST_F(TrayIconTest, PointerMovesAreReportedAtOnce) {
    Notify(WM_MOUSEMOVE);
    Notify(WM_MOUSEMOVE);
    EXPECT_EQ(Count(Event::Move), 2);
}

TEST_F(TrayIconTest, ReappearsWhenTheShellAnnouncesANewTaskbar) {
    // The shell forgets the icon, as a restarted shell would.
    NOTIFYICONDATAA data{};
    data.cbSize = TTrayIcon::RecordSize();
    data.hWnd = icon_->Handle();
    data.uID = TTrayIcon::kIconID;
    Shell_NotifyIconA(NIM_DELETE, &data);
    ASSERT_FALSE(ShellKnows(icon_->Handle()));
    SendMessageW(icon_->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(ShellKnows(icon_->Handle()));
    EXPECT_TRUE(icon_->Added());
}

TEST_F(TrayIconTest, DisablingRemovesTheIcon) {
    const HWND hwnd = icon_->Handle();
    icon_->SetEnabled(false);
    EXPECT_FALSE(icon_->Added());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(ShellKnows(hwnd));
    icon_->SetEnabled(true);
    EXPECT_TRUE(ShellKnows(icon_->Handle()));
}

// The menu's owner: it draws the items and receives the chosen command.
struct MenuOwner {
    std::vector<UINT> commands;
    int measured = 0;
    RECT menuRect{};
    bool menuSeen = false;
    int polls = 0;
};
MenuOwner* g_owner = nullptr;

constexpr UINT kCmdShow = 301;
constexpr UINT kCmdHide = 302;
constexpr UINT kCmdExit = 303;
constexpr UINT_PTR kPollTimer = 7;

LRESULT CALLBACK MenuOwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (g_owner) g_owner->commands.push_back(LOWORD(wParam));
            return 0;
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            item->itemWidth = 120;
            item->itemHeight = item->itemID == 0 ? 8 : 20;
            if (g_owner) ++g_owner->measured;
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            FillRect(item->hDC, &item->rcItem, GetSysColorBrush(item->itemState & ODS_SELECTED ? COLOR_HIGHLIGHT
                                                                                                  : COLOR_MENU));
            return TRUE;
        }
        case WM_TIMER:
            // Runs inside the menu's own loop: find the menu, then pick its
            // first item with the keyboard.
            if (wParam == kPollTimer && g_owner) {
                ++g_owner->polls;
                HWND menu = FindWindowW(L"#32768", nullptr);
                if (menu && IsWindowVisible(menu) && !g_owner->menuSeen) {
                    g_owner->menuSeen = true;
                    GetWindowRect(menu, &g_owner->menuRect);
                    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
                    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
                } else if (g_owner->polls > 100) {
                    EndMenu();
                }
            }
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

TEST_F(TrayIconTest, RightClickOpensTheMenuAtThePointer) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MenuOwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TrayIconTestOwner";
    RegisterClassW(&wc);
    HWND ownerWindow = CreateWindowExW(0, wc.lpszClassName, L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(ownerWindow);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_OWNERDRAW, kCmdShow, nullptr);
    AppendMenuW(menu, MF_OWNERDRAW, kCmdHide, nullptr);
    AppendMenuW(menu, MF_OWNERDRAW | MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_OWNERDRAW, kCmdExit, nullptr);
    icon_->SetPopupMenu(menu, ownerWindow);

    MenuOwner owner;
    g_owner = &owner;
    const POINT pointer = test::MovePointer(400, 300);
    SetTimer(ownerWindow, kPollTimer, 50, nullptr);

    // With a modal dialog up the menu stays shut: the right click is a click.
    {
        ModalDialogScope modal;
        Notify(WM_RBUTTONDOWN);
        Notify(WM_RBUTTONUP);
        WaitPastDoubleClickTime();
    }
    EXPECT_FALSE(owner.menuSeen);
    ASSERT_EQ(Count(Event::Click), 1);
    EXPECT_EQ(events_[0].button, MouseButton::Right);
    events_.clear();

    Notify(WM_RBUTTONDOWN);
    Notify(WM_RBUTTONUP);  // returns when the menu has closed
    KillTimer(ownerWindow, kPollTimer);
    PumpFor(std::chrono::milliseconds(100));
    g_owner = nullptr;

    EXPECT_TRUE(owner.menuSeen) << "no menu window appeared";
    EXPECT_EQ(owner.menuRect.left, pointer.x);
    EXPECT_EQ(owner.menuRect.top, pointer.y);
    EXPECT_GT(owner.measured, 0) << "the owner measures the owner-drawn items";
    ASSERT_EQ(owner.commands.size(), 1u);
    EXPECT_EQ(owner.commands[0], kCmdShow);
    EXPECT_EQ(Count(Event::Click), 0) << "a right click that opened the menu is no click";
    WaitPastDoubleClickTime();
    EXPECT_EQ(Count(Event::Click), 0);

    icon_->SetPopupMenu(nullptr, nullptr);
    DestroyMenu(menu);
    DestroyWindow(ownerWindow);
}

}  // namespace
}  // namespace swl
