// The real SWL.exe from the notification area: its icon in Wine's tray, the
// notification window sliding in and out of the bottom-right corner, the tip
// and the menu of the icon, and the program's idle cost while nothing shows.
// The icon is driven with the real pointer over the icon Wine's shell shows.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "program_windows.h"
#include "test_support.h"

namespace swl::test {
namespace {

constexpr UINT kIconID = 2073263927u;
constexpr int kTrayWndWidth = 233;
constexpr int kTrayWndHeight = 59;
// The window Wine's shell shows for each icon in its tray.
constexpr wchar_t kWineTrayIconClass[] = L"__winex11_tray_icon";

std::wstring ProgramExe() { return ToWindowsPath(SWL_EXE_PATH); }
std::wstring CbwriterExe() { return ToWindowsPath(CBWRITER_PATH); }
std::wstring CpuProbeExe() { return ToWindowsPath(CPU_PROBE_PATH); }
std::wstring PasteTargetExe() { return ToWindowsPath(PASTE_TARGET_PATH); }

// The status label's markup with n items held, in English.
std::u16string CollectedText(int n) {
    const std::string count = std::to_string(n);
    return u"<b>" + std::u16string(count.begin(), count.end()) + u"/24</b> Clipboard Items collected";
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

// Where the notification rests: right edge on the screen's right edge,
// bottom edge 2 pixels above the screen's bottom.
bool AtRest(HWND hwnd) {
    const RECT rc = RectOf(hwnd);
    return IsWindowVisible(hwnd) && rc.right == ScreenWidth() && rc.bottom == ScreenHeight() - 2 &&
           rc.right - rc.left == kTrayWndWidth && rc.bottom - rc.top == kTrayWndHeight;
}

bool RunCbwriter(const std::vector<std::wstring>& args) {
    ChildProcess writer;
    return writer.Start(CbwriterExe(), args) && writer.Wait(60000) && writer.ExitCode() == 0;
}

POINT Inside(HWND hwnd, int dx, int dy) {
    const RECT rc = RectOf(hwnd);
    return {rc.left + dx, rc.top + dy};
}

// The running program with its tray icon.
struct OwnTempFolder {
    TempFolder folder;
};

class TrayProgram : private OwnTempFolder, public RunningProgram {
public:
    TrayProgram() : RunningProgram(ProgramExe(), folder.Path()) {}

    bool Start() {
        if (!RunningProgram::Start()) return false;
        trayWnd_ = FindWindowOf(Id(), L"TfrmTrayWnd");
        utility_ = FindWindowOf(Id(), L"TTrayIcon");
        return trayWnd_ && utility_;
    }

    HWND TrayWnd() const { return trayWnd_; }

    // Whether the shell holds the icon: it accepts a change to it only then.
    bool IconInPlace() const {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = utility_;
        data.uID = kIconID;
        return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    }

    // The menu of the program, if one is open.
    HWND OpenMenu() const { return FindWindowOf(Id(), L"#32768", true); }

private:
    HWND trayWnd_ = nullptr;
    HWND utility_ = nullptr;
};

// The pointer on the icon Wine's shell shows, `offset` pixels right and down
// from its middle. Two clicks in a row at places further apart than the
// double-click rectangle stay two single clicks.
bool PointAtIcon(POINT& at, int offset = 0) {
    HWND icon = FindWindowOf(0, kWineTrayIconClass, true);
    if (!icon) return false;
    const RECT rc = RectOf(icon);
    at = {(rc.left + rc.right) / 2 + offset, (rc.top + rc.bottom) / 2 + offset};
    MovePointer(at.x, at.y);
    MouseEvent(MOUSEEVENTF_MOVE);  // a move of zero: the icon hears the pointer
    return true;
}

class TrayProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowW(L"TfrmMain", nullptr), nullptr) << "an instance is left from an earlier test";
        ASSERT_TRUE(EmptyTheClipboard(owner.Handle()));
        // The pointer away from the icon, so that nothing hovers it by chance.
        MovePointer(ScreenWidth() / 2, ScreenHeight() / 2);
    }
    MessageWindow owner;
};

TEST_F(TrayProgramTest, NotificationRestsInTheCornerStaysForCapturesAndLeavesTheProgramIdle) {
    TrayProgram program;
    ASSERT_TRUE(program.Start());
    EXPECT_TRUE(program.IconInPlace());
    EXPECT_NE(FindWindowOf(0, kWineTrayIconClass, true), nullptr) << "no icon in Wine's tray";
    const HWND trayWnd = program.TrayWnd();

    // The start is announced: up from below the corner, rest, hold, down, hidden.
    const DWORD shownAt = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return AtRest(trayWnd); }, 20000)) << "never came to rest";
    const DWORD restedAt = GetTickCount();
    EXPECT_EQ(TextOf(trayWnd), u"Stashwell :: Active");
    const HWND label = FindWindowOf(program.Process().Id(), L"TMarkupLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(TextOf(label), CollectedText(0));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(trayWnd) && RectOf(trayWnd).top > ScreenHeight() - 61; }, 60000))
        << "never started to leave";
    const DWORD leftAt = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(trayWnd); }, 30000)) << "never hidden";
    const DWORD hiddenAt = GetTickCount();
    EXPECT_EQ(RectOf(trayWnd).top, ScreenHeight() + 1) << "hidden when fully below the screen";
    const DWORD hold = leftAt - restedAt;
    std::printf("[ measure  ] one notification: %lu ms from start to hidden (hold %lu ms)\n",
                static_cast<unsigned long>(hiddenAt - shownAt), static_cast<unsigned long>(hold));
    RecordProperty("notification_ms", std::to_string(hiddenAt - shownAt));

    // A capture announces itself; captures during the hold keep the window up
    // well past the hold it had alone.
    ASSERT_TRUE(RunCbwriter({L"set", L"unicode=first capture"}));
    ASSERT_TRUE(PumpUntil([&] { return AtRest(trayWnd); }, 20000));
    EXPECT_EQ(TextOf(label), CollectedText(1));
    const DWORD secondRest = GetTickCount();
    int captures = 1;
    bool stayed = true;
    while (GetTickCount() - secondRest < 2 * hold) {
        ASSERT_TRUE(RunCbwriter({L"set", L"unicode=capture " + std::to_wstring(++captures)}));
        // Each capture's notification arrives within a moment: look until the
        // count shows it, and at the window all the while.
        const std::u16string expected = CollectedText(std::min(captures, 24));
        ASSERT_TRUE(PumpUntil([&] {
            stayed = stayed && AtRest(trayWnd);
            return TextOf(label) == expected;
        }));
        if (!stayed) break;
        PumpUntil([&] { return !AtRest(trayWnd); }, static_cast<DWORD>(hold / 4));
        stayed = AtRest(trayWnd);
        if (!stayed) break;
    }
    EXPECT_TRUE(stayed) << "left its place although captures kept coming (after " << captures << ")";
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(trayWnd); }, 60000)) << "never hidden after the captures";

    // Hidden, the program only waits: its animator does not tick.
    wchar_t tempDir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tempDir);
    const std::wstring out = std::wstring(tempDir) + L"swl_cpu_probe.txt";
    ChildProcess probe;
    ASSERT_TRUE(probe.Start(CpuProbeExe(), {std::to_wstring(program.Process().Id()), L"3000", out}));
    ASSERT_TRUE(probe.Wait(30000));
    ASSERT_EQ(probe.ExitCode(), 0u);
    FILE* file = _wfopen(out.c_str(), L"r");
    ASSERT_NE(file, nullptr);
    char line[256];
    double wallMs = 0, processMs = 0, busiestThreadMs = 0;
    while (std::fgets(line, sizeof line, file)) {
        std::printf("[ measure  ] idle: %s", line);
        double a = 0, b = 0;
        unsigned long tid = 0;
        if (std::sscanf(line, "wall_ms=%lf process_ms=%lf", &a, &b) == 2) {
            wallMs = a;
            processMs = b;
        } else if (std::sscanf(line, "thread=%lu cpu_ms=%lf", &tid, &a) == 2) {
            busiestThreadMs = std::max(busiestThreadMs, a);
        }
    }
    std::fclose(file);
    DeleteFileW(out.c_str());
    ASSERT_GT(wallMs, 0.0);
    RecordProperty("idle_process_cpu_ms", std::to_string(processMs));
    // A spinning or ticking animator would burn a good share of the wall time.
    EXPECT_LT(processMs, wallMs / 20) << "the idle program is busy";
    EXPECT_LT(busiestThreadMs, wallMs / 20);
    EXPECT_TRUE(program.Close());
}

TEST_F(TrayProgramTest, TheWholeProgramFromTheTray) {
    ASSERT_TRUE(WriteClipboard(owner.Handle(), ClipboardContent{.unicode = u"held at start"}));
    TrayProgram program;
    ASSERT_TRUE(program.Start());
    const HWND trayWnd = program.TrayWnd();
    const HWND main = program.MainWindow();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(trayWnd); }, 60000)) << "the start notification never hid";
    if (IsWindowVisible(main)) ShowWindow(main, SW_HIDE);  // a first start may show the window

    // A capture, then hovering the icon shows the tip above the pointer.
    ASSERT_TRUE(RunCbwriter({L"set", L"unicode=from another program"}));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(trayWnd); }, 20000));
    // Escape dismisses the notification that has the focus.
    SetForegroundWindow(trayWnd);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(trayWnd); }, 20000)) << "Escape did not dismiss";

    POINT at{};
    ASSERT_TRUE(PointAtIcon(at)) << "no icon in Wine's tray";
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(trayWnd); }, 20000)) << "hovering showed no tip";
    const RECT tip = RectOf(trayWnd);
    EXPECT_EQ(tip.right, ScreenWidth());
    EXPECT_EQ(tip.bottom, at.y - 10) << "the tip's bottom edge lies 10 pixels above the pointer";
    const HWND label = FindWindowOf(program.Process().Id(), L"TMarkupLabel");
    EXPECT_EQ(TextOf(label), CollectedText(2));

    // A double click dismisses the tip and opens the main window.
    MouseEvent(MOUSEEVENTF_LEFTDOWN);
    MouseEvent(MOUSEEVENTF_LEFTUP);
    MouseEvent(MOUSEEVENTF_LEFTDOWN);
    MouseEvent(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(main) && !IsWindowVisible(trayWnd); }, 20000))
        << "a double click did not swap the tip for the main window";

    // The menu of the right button, at the pointer: Show (after the user has
    // worked in another window), Hide, Show, then Exit.
    struct MenuStep {
        const char* item;
        std::vector<WORD> keys;
        bool mainVisibleAfter;
    };
    const MenuStep steps[] = {
        {"Show", {VK_DOWN, VK_RETURN}, true},
        {"Hide", {VK_DOWN, VK_DOWN, VK_RETURN}, false},
        {"Show", {VK_DOWN, VK_RETURN}, true},
    };
    // The user turns to another window: the program follows the focus there.
    ChildProcess target;
    ASSERT_TRUE(target.Start(PasteTargetExe(), {}));
    HWND targetWindow = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        targetWindow = FindWindowW(L"StashwellPasteTarget", nullptr);
        return targetWindow && GetForegroundWindow() == targetWindow;
    })) << "the paste target did not come up";
    // The program samples the foreground window every 100 ms while it is not
    // active, which cannot be watched from outside: give it several samples.
    PumpUntil([] { return false; }, 600);
    bool pasted = false;
    int place = 0;
    auto openMenu = [&]() -> HWND {
        if (!PointAtIcon(at, (place++ % 2 == 0) ? -6 : 6)) return nullptr;
        MouseEvent(MOUSEEVENTF_RIGHTDOWN);
        MouseEvent(MOUSEEVENTF_RIGHTUP);
        HWND menu = nullptr;
        PumpUntil([&] { return (menu = program.OpenMenu()) != nullptr; }, 20000);
        return menu;
    };
    for (const MenuStep& step : steps) {
        SCOPED_TRACE(step.item);
        const HWND menu = openMenu();
        ASSERT_NE(menu, nullptr) << "the right button opened no menu";
        const RECT rc = RectOf(menu);
        EXPECT_EQ(rc.left, at.x);
        EXPECT_EQ(rc.top, at.y);
        for (WORD vk : step.keys) PressKey(vk);
        ASSERT_TRUE(PumpUntil([&] { return !program.OpenMenu(); }, 20000));
        EXPECT_TRUE(PumpUntil([&] { return (IsWindowVisible(main) != FALSE) == step.mainVisibleAfter; }, 20000));
        if (pasted) continue;
        pasted = true;

        // Paste from the shown window: Show All, the oldest item, Paste.
        const std::vector<HWND> groups = ChildrenTopDown(main, L"TExplorerBarGroup");
        ASSERT_FALSE(groups.empty());
        const std::vector<HWND> links = ChildrenTopDown(groups.front(), L"TMarkupLabel");
        ASSERT_GE(links.size(), 2u);
        ClickAt(Inside(links[0], 8, 6));  // Show All
        const std::vector<HWND> lists = ChildrenTopDown(main, L"LISTBOX");
        ASSERT_EQ(lists.size(), 1u);
        const HWND list = lists.front();
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; }));
        ClickAt(Inside(list, 40, 8));  // the first line: the item held at start
        // The program enables Paste on its next position tick after the selection.
        ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(links[1]) != FALSE; })) << "Paste stayed disabled";
        ClickAt(Inside(links[1], 8, 6));  // Paste
        const HWND edit = GetDlgItem(targetWindow, 1);
        std::u16string held;
        EXPECT_TRUE(PumpUntil([&] { return (held = TextOf(edit)) == u"held at start"; }, 20000))
            << "the target holds \"" << std::string(held.begin(), held.end()) << "\"";
    }
    PostMessageW(targetWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(target.Wait());

    // Exit from the menu (its last item) ends the program and takes the icon away.
    const HWND menu = openMenu();
    ASSERT_NE(menu, nullptr);
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    ASSERT_TRUE(program.Process().Wait(20000)) << "Exit did not end the program";
    EXPECT_EQ(program.Process().ExitCode(), 0u);
    EXPECT_FALSE(program.IconInPlace()) << "the icon outlived the program";
    EXPECT_TRUE(PumpUntil([&] { return FindWindowOf(0, kWineTrayIconClass, true) == nullptr; }, 20000));
}

}  // namespace
}  // namespace swl::test
