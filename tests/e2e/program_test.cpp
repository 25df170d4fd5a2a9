// The real SWL.exe, each run from a copy in a temporary folder of its own
// (so files it writes beside itself land there), driven from this process:
// single instance, a burst of clipboard changes from another process, and
// an exit that leaves the viewer chain intact.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_windows.h"
#include "test_support.h"

namespace swl::test {
namespace {

std::wstring ProgramExe() { return ToWindowsPath(SWL_EXE_PATH); }
std::wstring CbwriterExe() { return ToWindowsPath(CBWRITER_PATH); }

// The folder comes first, so it is there before the program starts and
// goes after the program has ended.
struct OwnTempFolder {
    TempFolder folder;
};

// One running copy, in a temporary folder of its own.
class ProgramInTempFolder : private OwnTempFolder, public RunningProgram {
public:
    ProgramInTempFolder() : RunningProgram(ProgramExe(), folder.Path()) {}
    std::wstring FileBeside(const wchar_t* name) const { return folder.Path() + name; }

    // An error report or other message box of the program.
    bool ShowsAMessageBox() const { return FindWindowOf(Id(), L"#32770") != nullptr; }
    // Tells the application window that the session ends.
    bool EndSession() {
        HWND application = FindWindowOf(Id(), L"SWLApplication");
        if (!application) return false;
        PostMessageW(application, WM_ENDSESSION, TRUE, 0);
        return Ended();
    }
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
    ProgramInTempFolder first;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(PumpUntil([&] { return first.Lines() == std::vector<std::u16string>{u"held by the first"}; }));

    ProgramInTempFolder second;
    EXPECT_FALSE(second.Start());  // never shows a window
    ASSERT_TRUE(second.Process().Wait(20000));
    EXPECT_EQ(second.Process().ExitCode(), 0u);

    EXPECT_TRUE(first.Process().Running());
    EXPECT_TRUE(IsWindow(first.MainWindow()));
    EXPECT_EQ(first.Lines(), std::vector<std::u16string>{u"held by the first"});
    EXPECT_TRUE(first.Close());
}

TEST_F(ProgramTest, ASecondStartWhileTheFirstIsSavingAtExitEndsAtOnce) {
    ProgramInTempFolder first;
    // A read-only settings file keeps the exit's save on its error message,
    // so the second start is sure to come while the save is under way.
    const std::wstring ini = first.FileBeside(L"SWL.ini");
    ASSERT_TRUE(WriteFileBytes(ini, "[SWL]\r\nFTR=0\r\n"));
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    first.PostClose();
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (dialog = FindWindowOf(first.Id(), L"TPromptForm")) && IsWindowVisible(dialog); },
                          20000));

    ProgramInTempFolder second;
    EXPECT_FALSE(second.Start());
    EXPECT_TRUE(second.Process().Wait(20000));
    EXPECT_EQ(second.Process().ExitCode(), 0u);
    if (second.Process().Running()) EXPECT_TRUE(second.Close());

    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(first.Ended());
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ProgramTest, ABurstOfChangesFromAnotherProcessIsFollowedInOrder) {
    ProgramInTempFolder program;
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(RunCbwriter({L"burst", L"100", L"burst-"}));
    // Notifications arrive after the writer has moved on: some read a later
    // content than the one they announce, none may go back in time, and
    // none records a content that an earlier one has recorded already.
    std::vector<std::u16string> lines;
    ASSERT_TRUE(PumpUntil([&] {
        lines = program.Lines();
        return !lines.empty() && lines.back() == u"burst-099";
    }, 30000)) << "the newest of " << lines.size() << " items is not the final content but \""
               << (lines.empty() ? std::string() : std::string(lines.back().begin(), lines.back().end())) << "\"";
    EXPECT_LE(lines.size(), 24u);
    int previous = -1;
    for (const auto& line : lines) {
        ASSERT_EQ(line.substr(0, 6), u"burst-");
        const int n = std::stoi(std::string(line.begin() + 6, line.end()));
        EXPECT_GT(n, previous) << (n == previous ? "recorded twice" : "out of order");
        previous = n;
    }
    EXPECT_FALSE(program.ShowsAMessageBox());
    EXPECT_TRUE(program.Process().Running());
    EXPECT_TRUE(program.Close());
}

TEST_F(ProgramTest, ExitLeavesTheViewerChainForTheViewersAfterIt) {
    struct Case {
        const char* name;
        bool (ProgramInTempFolder::*end)();
    };
    for (const Case c : {Case{"WM_CLOSE to the main window", &ProgramInTempFolder::Close},
                         Case{"the session ends", &ProgramInTempFolder::EndSession}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(EmptyTheClipboard(owner.Handle()));
        TestViewer viewer;
        viewer.Join();
        ProgramInTempFolder program;
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
