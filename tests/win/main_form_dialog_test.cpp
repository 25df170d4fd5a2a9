// The main window's message dialog in the running program: what ShowDialog
// puts on screen, and that the program keeps recording the clipboard while
// the dialog's modal loop runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "MainForm.h"
#include "dialog_driver.h"
#include "collected_reports.h"
#include "test_support.h"

namespace swl {
namespace {

std::wstring Title(HWND hwnd) {
    wchar_t buffer[64] = {};
    GetWindowTextW(hwnd, buffer, 64);
    return buffer;
}

class MainFormDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
    }
    void TearDown() override {
        form.reset();
    }

    test::CollectedReports reports;  // keeps a report from blocking the test in a message box
    TApplication app;
    test::MessageWindow writer;
    std::unique_ptr<TfrmMain> form;
};

TEST_F(MainFormDialogTest, ShowsTheMessageAsTheProgramsTopmostDialog) {
    struct Case {
        TDlgType type;
        PromptDlgType shown;
        const char16_t* message;
    };
    for (const Case c : {Case{TDlgType::Error, PromptDlgType::Error, u"Error: Cannot save settings!"},
                         Case{TDlgType::Information, PromptDlgType::Information,
                              u"Please set the focus to application which you want to paste!"}}) {
        SCOPED_TRACE(static_cast<int>(c.type));
        HWND seen = nullptr;
        std::wstring title;
        LONG_PTR exStyle = 0;
        HWND owner = nullptr;
        test::DialogDriver driver([&](HWND dialog) {
            seen = dialog;
            title = Title(dialog);
            exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
            owner = GetWindow(dialog, GW_OWNER);
            PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
        });
        form->ShowDialog(c.type, c.message);
        ASSERT_EQ(driver.Seen(), 1);
        EXPECT_FALSE(driver.TimedOut());
        EXPECT_EQ(title, L"Stashwell");
        EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
        EXPECT_EQ(owner, app.Handle());
        EXPECT_EQ(form->dlDialog.DlgType(), c.shown);
        EXPECT_EQ(form->dlDialog.Message(), c.message);
        EXPECT_FALSE(IsWindow(seen)) << "the dialog's window goes when it closes";
    }
}

// Another program changes the clipboard while the dialog is open: the
// change is recorded before the dialog is closed. A thread timer watches from
// inside the dialog's modal loop; it has no parameter of its own, so what it
// watches is in one static record.
struct RecordedWhileOpenWatch {
    TfrmMain* form = nullptr;
    HWND dialog = nullptr;
    bool recorded = false;

    static RecordedWhileOpenWatch s;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (s.form->History.CBCount == 1 && IsWindow(s.dialog)) {
            s.recorded = true;
            PostMessageW(s.dialog, WM_CLOSE, 0, 0);
        }
    }
};
RecordedWhileOpenWatch RecordedWhileOpenWatch::s;

TEST_F(MainFormDialogTest, TheClipboardIsStillRecordedWhileTheDialogIsOpen) {
    RecordedWhileOpenWatch::s = {form.get(), nullptr, false};
    test::ChildProcess writerProcess;
    UINT_PTR watch = 0;
    test::DialogDriver driver([&](HWND dialog) {
        RecordedWhileOpenWatch::s.dialog = dialog;
        ASSERT_TRUE(writerProcess.Start(test::ExeDirectory() + L"cbwriter.exe", {L"set", L"unicode=during"}));
        watch = SetTimer(nullptr, 0, 10, &RecordedWhileOpenWatch::Tick);
    });
    form->ShowDialog(TDlgType::Error, u"Error: Cannot save settings!");
    KillTimer(nullptr, watch);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(RecordedWhileOpenWatch::s.recorded);
    ASSERT_EQ(form->History.CBCount, 1);
    EXPECT_EQ(form->History.CBItems[1].WText, u"during");
}

}  // namespace
}  // namespace swl
