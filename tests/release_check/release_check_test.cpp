// The shipped SWL.exe (the one SWL_CHECKED_EXE names), driven from this
// process along the path a user takes: it records a copy made in another
// program, pastes it into another program's edit box from the quick-paste
// hotkey, saves it at exit and brings it back at the next start. Every wait
// is SWL_CHECK_WAIT_MS long (five minutes unless set): the program may run
// under an emulator, which takes the better part of a minute to start it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "program_windows.h"
#include "test_support.h"

namespace swl::test {
namespace {

constexpr wchar_t kTargetClass[] = L"StashwellPasteTarget";

DWORD LongWait() {
    const char* text = std::getenv("SWL_CHECK_WAIT_MS");
    const long ms = text ? std::strtol(text, nullptr, 10) : 0;
    return ms > 0 ? static_cast<DWORD>(ms) : 300000;
}

std::wstring CheckedExe() {
    const char* path = std::getenv("SWL_CHECKED_EXE");
    return path ? ToWindowsPath(path) : std::wstring();
}

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

TEST(ReleaseExe, RecordsACopyPastesItIntoAnotherProgramAndBringsItBackAfterARestart) {
    const std::wstring exe = CheckedExe();
    ASSERT_FALSE(exe.empty()) << "SWL_CHECKED_EXE names no program";
    const DWORD wait = LongWait();
    MessageWindow owner;
    ASSERT_TRUE(EmptyTheClipboard(owner.Handle()));
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.Path() + L"SWL.ini", "[SWL]\r\nFTR=0\r\nSaveOnExit=1\r\nHotKey=Ctrl+Alt+F9\r\n"));
    const std::u16string copied = u"copied in another program";

    {
        RunningProgram program(exe, folder.Path());
        ASSERT_TRUE(program.Start(wait)) << "the program did not come up";
        ASSERT_TRUE(WriteClipboard(owner.Handle(), ClipboardContent{.unicode = copied}));
        ASSERT_TRUE(PumpUntil([&] { return program.Lines() == std::vector<std::u16string>{copied}; }, wait))
            << "the copy was not recorded";

        ChildProcess target;
        ASSERT_TRUE(target.Start(ToWindowsPath(PASTE_TARGET_PATH), {}));
        HWND window = nullptr;
        ASSERT_TRUE(PumpUntil([&] {
            window = FindWindowOf(target.Id(), kTargetClass, true);
            return window && GetForegroundWindow() == window;
        }, wait));
        HWND edit = FindWindowOf(target.Id(), L"Edit");
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(PumpUntil([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
            return info.hwndCaret == edit;
        }, wait));

        PressKeys({VK_CONTROL, VK_MENU, VK_F9});
        ASSERT_TRUE(PumpUntil([&] {
            HWND popup = FindWindowOf(program.Id(), L"TfrmQuickPaste", true);
            return popup && GetForegroundWindow() == popup;
        }, wait)) << "the hotkey opened no popup";
        PressKey('1');
        EXPECT_TRUE(PumpUntil([&] { return TextOf(edit) == copied; }, wait)) << Narrow(TextOf(edit));
        target.Terminate();

        ASSERT_TRUE(program.Close(wait)) << "the program did not end cleanly at exit";
    }

    ASSERT_TRUE(EmptyTheClipboard(owner.Handle()));
    RunningProgram restarted(exe, folder.Path());
    ASSERT_TRUE(restarted.Start(wait)) << "the program did not come up again";
    EXPECT_TRUE(PumpUntil([&] { return restarted.Lines() == std::vector<std::u16string>{copied}; }, wait))
        << "the saved copy did not come back";
    EXPECT_TRUE(restarted.Close(wait));
}

}  // namespace
}  // namespace swl::test
