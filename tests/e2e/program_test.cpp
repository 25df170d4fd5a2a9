// The real SWL.exe, each run from a copy in a temporary folder of its own
// (so files it writes beside itself land there), driven from this process:
// single instance, a burst of clipboard changes from another process, and
// an exit that leaves the viewer chain intact.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace swl::test {
namespace {

std::wstring ProgramExe() { return ToWindowsPath(SWL_EXE_PATH); }
std::wstring CbwriterExe() { return ToWindowsPath(CBWRITER_PATH); }

struct WindowSearch {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND hwnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (pid == search.pid && std::wstring(name) == search.className) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND TopLevelWindowOf(DWORD pid, const wchar_t* className) {
    WindowSearch search{pid, className, nullptr};
    EnumWindows(&FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// One running copy of the program.
class RunningProgram {
public:
    // Copies the program into its folder and starts it there; true once its
    // main window exists.
    bool Start() {
        const std::wstring exe = folder_.Path() + L"SWL.exe";
        if (!CopyFileW(ProgramExe().c_str(), exe.c_str(), FALSE)) return false;
        if (!process_.Start(exe, {}, folder_.Path())) return false;
        if (!PumpUntil([&] {
                main_ = TopLevelWindowOf(process_.Id(), L"TfrmMain");
                return main_ != nullptr || !process_.Running();
            }, 30000) || !main_)
            return false;
        // The window exists before its creation has finished (the viewer
        // chain is joined last): wait until the main loop waits for input.
        return WaitForInputIdle(process_.Handle(), 30000) == 0;
    }

    ChildProcess& Process() { return process_; }
    HWND MainWindow() const { return main_; }

    // The history as the list shows it, read through the list's strings.
    std::vector<std::u16string> Lines() const {
        std::vector<std::u16string> lines;
        HWND list = FindWindowExW(main_, nullptr, L"LISTBOX", nullptr);
        DWORD_PTR count = 0;
        if (!list || !SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return lines;
        for (DWORD_PTR i = 0; i < count; ++i) {
            DWORD_PTR length = 0;
            SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
            std::u16string text(length + 1, u'\0');
            DWORD_PTR got = 0;
            SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                                &got);
            text.resize(got == static_cast<DWORD_PTR>(LB_ERR) ? 0 : got);
            lines.push_back(text);
        }
        return lines;
    }

    // An error report or other message box of the program.
    bool ShowsAMessageBox() const { return TopLevelWindowOf(process_.Id(), L"#32770") != nullptr; }

    // Closes the main window as Exit does; true when the process ended with 0.
    bool Close() {
        PostMessageW(main_, WM_CLOSE, 0, 0);
        return process_.Wait(20000) && process_.ExitCode() == 0;
    }
    // Tells the application window that the session ends.
    bool EndSession() {
        HWND application = TopLevelWindowOf(process_.Id(), L"SWLApplication");
        if (!application) return false;
        PostMessageW(application, WM_ENDSESSION, TRUE, 0);
        return process_.Wait(20000) && process_.ExitCode() == 0;
    }

private:
    TempFolder folder_;
    ChildProcess process_;  // ends before its folder goes
    HWND main_ = nullptr;
};

bool RunCbwriter(const std::vector<std::wstring>& args) {
    ChildProcess writer;
    return writer.Start(CbwriterExe(), args) && writer.Wait(60000) && writer.ExitCode() == 0;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        // No instance may be left from an earlier test.
        ASSERT_EQ(FindWindowW(L"TfrmMain", nullptr), nullptr);
        ASSERT_TRUE(EmptyTheClipboard(owner.Handle()));
    }
    MessageWindow owner;
};

TEST_F(ProgramTest, ASecondStartEndsAtOnceAndTheFirstKeepsRunning) {
    ASSERT_TRUE(WriteClipboard(owner.Handle(), ClipboardContent{.unicode = u"held by the first"}));
    RunningProgram first;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(PumpUntil([&] { return first.Lines() == std::vector<std::u16string>{u"held by the first"}; }));

    RunningProgram second;
    EXPECT_FALSE(second.Start());  // never shows a window
    ASSERT_TRUE(second.Process().Wait(20000));
    EXPECT_EQ(second.Process().ExitCode(), 0u);

    EXPECT_TRUE(first.Process().Running());
    EXPECT_TRUE(IsWindow(first.MainWindow()));
    EXPECT_EQ(first.Lines(), std::vector<std::u16string>{u"held by the first"});
    EXPECT_TRUE(first.Close());
}

TEST_F(ProgramTest, ABurstOfChangesFromAnotherProcessIsFollowedInOrder) {
    RunningProgram program;
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(RunCbwriter({L"burst", L"100", L"burst-"}));
    // Notifications arrive after the writer has moved on: some read a later
    // content than the one they announce, none may go back in time.
    ASSERT_TRUE(PumpUntil([&] {
        const auto lines = program.Lines();
        return !lines.empty() && lines.back() == u"burst-099";
    }, 30000)) << "the newest item is not the final content";
    const auto lines = program.Lines();
    EXPECT_LE(lines.size(), 24u);
    int previous = -1;
    for (const auto& line : lines) {
        ASSERT_EQ(line.substr(0, 6), u"burst-");
        const int n = std::stoi(std::string(line.begin() + 6, line.end()));
        EXPECT_GE(n, previous) << "out of order";
        previous = n;
    }
    EXPECT_FALSE(program.ShowsAMessageBox());
    EXPECT_TRUE(program.Process().Running());
    EXPECT_TRUE(program.Close());
}

TEST_F(ProgramTest, ExitLeavesTheViewerChainForTheViewersAfterIt) {
    struct Case {
        const char* name;
        bool (RunningProgram::*end)();
    };
    for (const Case c : {Case{"WM_CLOSE to the main window", &RunningProgram::Close},
                         Case{"the session ends", &RunningProgram::EndSession}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(EmptyTheClipboard(owner.Handle()));
        TestViewer viewer;
        viewer.Join();
        RunningProgram program;
        ASSERT_TRUE(program.Start());
        ASSERT_EQ(GetClipboardViewer(), program.MainWindow());

        // While it runs, the program passes each notification on.
        int seen = viewer.Notifications();
        ASSERT_TRUE(RunCbwriter({L"set", L"unicode=while running"}));
        EXPECT_TRUE(PumpUntil([&] { return viewer.Notifications() > seen; }));
        EXPECT_TRUE(PumpUntil([&] { return program.Lines() == std::vector<std::u16string>{u"while running"}; }));

        ASSERT_TRUE((program.*c.end)());
        EXPECT_EQ(GetClipboardViewer(), viewer.Handle());
        seen = viewer.Notifications();
        ASSERT_TRUE(RunCbwriter({L"set", L"unicode=after exit"}));
        EXPECT_TRUE(PumpUntil([&] { return viewer.Notifications() > seen; }));
    }
}

}  // namespace
}  // namespace swl::test
