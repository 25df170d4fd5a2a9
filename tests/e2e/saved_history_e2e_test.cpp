// The real SWL.exe keeps the saved history on disk until an exit save has
// replaced it: a run that is killed after its start, or whose exit save
// fails, leaves it for the next start; and the save deletes no file that a
// section of the settings file merely names.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_windows.h"
#include "test_support.h"

namespace swl::test {
namespace {

class SavedHistoryEndToEnd : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EmptyTheClipboard(owner.Handle())); }

    // Starts the program, copies the texts in another program and waits
    // until the history shows them all.
    bool CopyTexts(RunningProgram& program, const std::vector<std::string>& texts) {
        const std::size_t before = program.Lines().size();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (!WriteClipboard(owner.Handle(), ClipboardContent{.text = texts[i]})) return false;
            if (!PumpUntil([&] { return program.Lines().size() == before + i + 1; })) return false;
        }
        return true;
    }

    // Starts the program with an empty clipboard, so that the history it
    // shows is the saved one alone.
    bool StartWithEmptyClipboard(RunningProgram& program) {
        return EmptyTheClipboard(owner.Handle()) && program.Start();
    }

    // Starts the program and waits until the three saved texts are back.
    bool StartWithTheThreeSaved(RunningProgram& program) {
        return StartWithEmptyClipboard(program) && PumpUntil([&] { return program.Lines().size() == 3; });
    }

    // A run that saves three texts at exit; what its history showed.
    std::vector<std::u16string> SaveThreeTexts() {
        RunningProgram program(ToWindowsPath(SWL_EXE_PATH), folder.Path());
        if (!program.Start() || !CopyTexts(program, {"one", "two", "three"})) return {};
        std::vector<std::u16string> lines = program.Lines();
        if (!program.Close()) return {};
        return lines;
    }

    // The next start's history, once it shows `expected` lines (or the time
    // is up).
    std::vector<std::u16string> HistoryAtStart(std::size_t expected) {
        RunningProgram program(ToWindowsPath(SWL_EXE_PATH), folder.Path());
        if (!StartWithEmptyClipboard(program)) return {};
        PumpUntil([&] { return program.Lines().size() == expected; });
        std::vector<std::u16string> lines = program.Lines();
        program.Close();
        return lines;
    }

    MessageWindow owner;
    TempFolder folder;
    const std::wstring ini = folder.Path() + L"SWL.ini";
};

TEST_F(SavedHistoryEndToEnd, AKillAfterTheStartLeavesTheSavedHistory) {
    ASSERT_TRUE(WriteFileBytes(ini, "[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\n"));
    const std::vector<std::u16string> saved = SaveThreeTexts();
    ASSERT_EQ(saved.size(), 3u);
    {
        RunningProgram program(ToWindowsPath(SWL_EXE_PATH), folder.Path());
        ASSERT_TRUE(StartWithTheThreeSaved(program));
        // As a crash or "taskkill /f" ends it: no exit save.
        program.Process().Terminate();
        ASSERT_TRUE(program.Process().Wait());
    }
    EXPECT_EQ(HistoryAtStart(3), saved);
}

TEST_F(SavedHistoryEndToEnd, AnExitSaveThatFailsLeavesTheSavedHistory) {
    ASSERT_TRUE(WriteFileBytes(ini, "[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\n"));
    const std::vector<std::u16string> saved = SaveThreeTexts();
    ASSERT_EQ(saved.size(), 3u);
    {
        RunningProgram program(ToWindowsPath(SWL_EXE_PATH), folder.Path());
        ASSERT_TRUE(StartWithTheThreeSaved(program));
        ASSERT_TRUE(CopyTexts(program, {"four"}));
        // The settings file cannot be replaced, as in a read-only folder.
        ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
        program.PostClose();
        HWND dialog = nullptr;
        EXPECT_TRUE(PumpUntil(
            [&] { return (dialog = FindWindowOf(program.Id(), L"TPromptForm")) && IsWindowVisible(dialog); }, 20000));
        if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program.Ended());
        SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(HistoryAtStart(3), saved);
}

TEST_F(SavedHistoryEndToEnd, AFileASectionNamesSurvivesTheSave) {
    ASSERT_TRUE(WriteFileBytes(ini, "[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\nCBI=0\r\n[CBI01]\r\nBMP=notes.txt\r\n"));
    const std::wstring notes = folder.Path() + L"notes.txt";
    ASSERT_TRUE(WriteFileBytes(notes, "the user's notes"));
    EXPECT_EQ(SaveThreeTexts().size(), 3u);
    EXPECT_NE(FileBytes(ini).find("CBI=3"), std::string::npos) << FileBytes(ini);
    EXPECT_EQ(FileBytes(notes), "the user's notes");
}

}  // namespace
}  // namespace swl::test
