// Pasting into the window the user worked in: the focus sampling while the
// program is not active, Ctrl+V typed into a real target in another
// process, and the message when there is no target.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "MainForm.h"
#include "clipboard_holder.h"
#include "collected_reports.h"
#include "dialog_driver.h"
#include "test_support.h"

namespace swl {
namespace {

constexpr char16_t kMsgSetFocus[] = u"Please set the focus to application which you want to paste!";

std::u16string WindowText(HWND hwnd) {
    wchar_t buffer[256] = {};
    // WM_GETTEXT is carried across processes.
    SendMessageW(hwnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
    return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

std::string ClassOf(HWND hwnd) {
    char name[64] = "none";
    if (hwnd) GetClassNameA(hwnd, name, 64);
    return name;
}

class PasteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
    }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(reports.Texts(), std::vector<std::string>{});
    }

    // Records "first" and "second" (oldest first) through the capture.
    void Record() {
        for (const char16_t* text : {u"first", u"second"}) {
            test::ClipboardContent content;
            content.unicode = text;
            ASSERT_TRUE(test::WriteClipboard(writer.Handle(), content));
        }
        ASSERT_EQ(form->LineCount(), 2);
    }

    // Brings the main window up and waits until it is the active window and
    // has stopped sampling.
    void Activate() {
        form->miShowClick();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(test::PumpUntil(
            [&] { return GetForegroundWindow() == form->Handle() && !form->FocusTimerEnabled(); }, 5000));
    }

    // Starts the paste target (a window with an edit control, in another
    // process), lets the program sample it while the target is in front, and
    // activates the program.
    void StartTargetAndActivate() {
        ASSERT_TRUE(target.Start(test::ExeDirectory() + L"paste_target.exe", {}));
        ASSERT_TRUE(test::PumpUntil([&] {
            targetWindow = FindWindowW(L"StashwellPasteTarget", nullptr);
            return targetWindow && GetForegroundWindow() == targetWindow;
        })) << "the target did not come up";
        edit = GetDlgItem(targetWindow, 1);
        ASSERT_NE(edit, nullptr);

        // The program is not active: the timer samples the target.
        ASSERT_TRUE(form->FocusTimerEnabled());
        ASSERT_TRUE(test::PumpUntil([&] { return form->TargetWnd == targetWindow; }, 5000));
        Activate();
        EXPECT_EQ(form->TargetWnd, targetWindow) << "activating the program keeps the last sample";
    }
    void CloseTarget() {
        if (targetWindow) PostMessageW(targetWindow, WM_CLOSE, 0, 0);
        EXPECT_TRUE(target.Wait());
    }

    test::CollectedReports reports;
    TApplication app;
    test::MessageWindow writer;
    std::unique_ptr<TfrmMain> form;
    test::ChildProcess target;
    HWND targetWindow = nullptr;
    HWND edit = nullptr;
};

TEST_F(PasteTest, TypesTheItemIntoTheWindowThatHadTheFocus) {
    Record();
    StartTargetAndActivate();

    form->SelectLine(0);  // "first"
    form->miPasteClick();
    // The main window has taken the front back and holds the target.
    const HWND foregroundAfterPaste = GetForegroundWindow();
    EXPECT_FALSE(form->FocusTimerEnabled());
    EXPECT_TRUE(test::PumpUntil([&] { return WindowText(edit) == u"first"; }, 5000))
        << "the target holds " << WindowText(edit).size() << " characters; foreground "
        << (GetForegroundWindow() == targetWindow ? "target" : GetForegroundWindow() == form->Handle() ? "form" : "other");
    // The item went through the clipboard and is now the newest one.
    EXPECT_EQ(test::ReadClipboardUnicode(writer.Handle()), std::u16string(u"first"));
    ASSERT_EQ(form->LineCount(), 2);
    EXPECT_EQ(form->SelectedIndex(), 1);
    EXPECT_EQ(foregroundAfterPaste, form->Handle()) << ClassOf(foregroundAfterPaste);
    EXPECT_EQ(form->TargetWnd, targetWindow);
    // The Ctrl key is not left down.
    EXPECT_FALSE(GetAsyncKeyState(VK_CONTROL) & 0x8000);
    CloseTarget();
}

// When the item cannot be written (another program holds the clipboard
// open) no keys are typed: Ctrl+V would paste what the clipboard held
// before. The item stays where it was.
TEST_F(PasteTest, AnItemThatCannotBeWrittenIsNotPasted) {
    Record();
    StartTargetAndActivate();
    form->SelectLine(0);  // "first"; the clipboard holds "second"
    {
        test::ClipboardHolder holder(test::ExeDirectory() + L"cbwriter.exe");
        ASSERT_TRUE(holder.Held());
        form->miPasteClick();
        EXPECT_TRUE(holder.Release());
    }
    // Whatever had been typed is in the edit control once the target has
    // answered a message sent after it.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(targetWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    test::PumpUntil([] { return false; }, 300);
    EXPECT_EQ(WindowText(edit), u"") << "Ctrl+V was typed";
    EXPECT_EQ(form->LineString(0), form->History.LineText(form->History.CBItems[1]));
    EXPECT_EQ(form->History.CBItems[1].WText, u"first");
    EXPECT_EQ(form->SelectedIndex(), 0);
    CloseTarget();
}

// A window to paste into on a thread of its own that does not serve its
// queue at first, so it cannot come to the front: the paste waits for it.
// As soon as the paste has put its item on the clipboard, the thread sends
// the main window a message, as the next clipboard viewer in the chain
// does, without answering anything itself meanwhile (SMTO_BLOCK); then it
// serves its queue and comes to the front.
class SlowTarget {
public:
    explicit SlowTarget(HWND mainWindow)
        : mainWindow_(mainWindow), sequence_(GetClipboardSequenceNumber()), thread_([this] { Run(); }) {
        test::PumpUntil([&] { return window_.load() != nullptr; }, 5000);
    }
    ~SlowTarget() {
        stop_ = true;
        thread_.join();
    }
    HWND Window() const { return window_; }
    bool Answered() const { return answered_; }

    static constexpr DWORD kPatienceMs = 400;

private:
    void Run() {
        HWND window = CreateWindowExW(0, L"STATIC", L"Slow target", WS_OVERLAPPEDWINDOW, 60, 60, 240, 90, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(window, SW_SHOWNOACTIVATE);
        window_ = window;
        while (!stop_ && GetClipboardSequenceNumber() == sequence_) Sleep(1);
        if (!stop_) {
            DWORD_PTR ignored = 0;
            answered_ = SendMessageTimeoutW(mainWindow_, WM_NULL, 0, 0, SMTO_BLOCK, kPatienceMs, &ignored) != 0;
        }
        while (!stop_) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        DestroyWindow(window);
    }

    HWND mainWindow_;
    DWORD sequence_;
    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::thread thread_;
};

// Waiting for the target must not stop the program answering: every
// clipboard viewer after it in the chain waits for its answers.
TEST_F(PasteTest, MessagesSentWhileThePasteWaitsForTheTargetAreAnswered) {
    Record();
    Activate();
    SlowTarget slow(form->Handle());
    ASSERT_NE(slow.Window(), nullptr);
    form->TargetWnd = slow.Window();
    form->SelectLine(0);
    form->miPasteClick();
    EXPECT_EQ(test::ReadClipboardUnicode(writer.Handle()), std::u16string(u"first"));
    EXPECT_TRUE(slow.Answered()) << "no answer within " << SlowTarget::kPatienceMs << " ms";
    EXPECT_FALSE(GetAsyncKeyState(VK_CONTROL) & 0x8000);
}

TEST_F(PasteTest, WithoutATargetTheItemIsCopiedAndTheMessageShown) {
    // A window that has closed since it was sampled, and no sample at all.
    HWND closed = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(closed, nullptr);
    DestroyWindow(closed);
    for (HWND target : {closed, static_cast<HWND>(nullptr)}) {
        SCOPED_TRACE(target ? "closed target" : "no target");
        ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
        form->History.ClearItems();
        Record();
        Activate();
        form->TargetWnd = target;
        form->SelectLine(0);
        std::u16string shown;
        test::DialogDriver driver([&](HWND dialog) {
            shown = form->dlDialog.Message();
            PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
        });
        form->miPasteClick();
        EXPECT_EQ(driver.Seen(), 1);
        EXPECT_FALSE(driver.TimedOut());
        EXPECT_EQ(shown, kMsgSetFocus);
        EXPECT_EQ(form->dlDialog.DlgType(), PromptDlgType::Information);
        EXPECT_EQ(test::ReadClipboardUnicode(writer.Handle()), std::u16string(u"first"));
        EXPECT_EQ(form->LineString(1), form->History.LineText(form->History.CBItems[2]));
        EXPECT_EQ(form->SelectedIndex(), 1) << "the item moved to the bottom";
    }
}

TEST_F(PasteTest, WithoutASelectionNothingHappens) {
    Record();
    Activate();
    form->TargetWnd = nullptr;
    form->SelectLine(-1);
    test::DialogDriver driver([](HWND dialog) { PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0); });
    form->miPasteClick();
    test::PumpPending();
    EXPECT_EQ(driver.Seen(), 0) << "no message either";
    EXPECT_EQ(test::ReadClipboardUnicode(writer.Handle()), std::u16string(u"second"));
    EXPECT_EQ(form->LineCount(), 2);
}

// Both event sources drive the same switch; whichever came last decides.
// The samples skip the program's own windows: those come to the front while
// the main window is inactive (the tray icon's window holds the front while
// its menu is open) and are never the window to paste into.
TEST_F(PasteTest, ActivateStopsAndDeactivateRestartsTheSamplingOfOtherProgramsWindows) {
    EXPECT_TRUE(form->FocusTimerEnabled()) << "sampling from the start";
    Activate();
    form->TargetWnd = nullptr;
    app.OnDeactivate();
    EXPECT_TRUE(form->FocusTimerEnabled());
    // Our own window in front is no target.
    ASSERT_EQ(GetForegroundWindow(), form->Handle());
    form->FocusTimerTimer();
    EXPECT_EQ(form->TargetWnd, nullptr) << "sampled " << ClassOf(form->TargetWnd);
    // Another program comes to the front: the timer samples it.
    ASSERT_TRUE(target.Start(test::ExeDirectory() + L"paste_target.exe", {}));
    EXPECT_TRUE(test::PumpUntil([&] {
        targetWindow = FindWindowW(L"StashwellPasteTarget", nullptr);
        return targetWindow && form->TargetWnd == targetWindow;
    })) << "the timer samples again; it holds " << ClassOf(form->TargetWnd);

    SendMessageW(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(form->FocusTimerEnabled());
    SendMessageW(form->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(form->FocusTimerEnabled());
    app.OnActivate();
    EXPECT_FALSE(form->FocusTimerEnabled());
    CloseTarget();
}

}  // namespace
}  // namespace swl
