// The main window in process: a real TfrmMain in the viewer chain, with the
// clipboard written by this thread (the capture then runs inside the
// writer's CloseClipboard) or by the cbwriter helper in a process of its own.
#include "MainForm.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "clipboard.h"
#include "clipboard_holder.h"
#include "collected_reports.h"
#include "ddb_picture.h"
#include "test_support.h"

namespace swl {
namespace {

using test::ClipboardContent;

std::wstring Cbwriter() { return test::ExeDirectory() + L"cbwriter.exe"; }

std::u16string WindowText(HWND hwnd) {
    wchar_t buffer[256] = {};
    const int n = GetWindowTextW(hwnd, buffer, 256);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(n));
}

ClipboardContent Unicode(std::u16string text) {
    ClipboardContent c;
    c.unicode = std::move(text);
    return c;
}

class CountingNotificationWindow : public NotificationWindow {
public:
    void ShowForm() override { ++shown; }
    int shown = 0;
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
    }

    void TearDown() override {
        form.reset();
        EXPECT_EQ(TClipboard::Instance().OpenCount(), 0);
    }

    // Creates the window with the settings' defaults: monitoring on, which
    // joins the viewer chain.
    void Start() {
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
        form->frmTrayWnd = &notifications;
    }

    void Write(const ClipboardContent& content) { ASSERT_TRUE(test::WriteClipboard(writer.Handle(), content)); }

    // Fills the history with items "item00", "item01", ...
    void Fill(int n) {
        for (int i = 0; i < n; ++i) {
            char16_t name[] = u"item00";
            name[4] = static_cast<char16_t>(u'0' + i / 10);
            name[5] = static_cast<char16_t>(u'0' + i % 10);
            Write(Unicode(name));
        }
    }

    std::vector<std::u16string> Lines() const {
        std::vector<std::u16string> lines;
        for (int i = 0; i < form->LineCount(); ++i) lines.push_back(form->LineString(i));
        return lines;
    }

    std::u16string CountText() const { return form->pbCBItems.LightText(); }
    const TCBI& Slot(int i) const { return form->History.CBItems[static_cast<std::size_t>(i)]; }
    int Count() const { return form->History.CBCount; }

    // A click on a control, as the control reports it to its parent (a page
    // of the window, which hands it on).
    void ClickControl(HWND control, WORD code) {
        SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                     reinterpret_cast<LPARAM>(control));
    }

    // A mouse click on a link of the link panel.
    static void ClickLink(const TMarkupLabel& link) {
        SendMessageW(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }

    // Every slot above the count is empty and the list matches the slots.
    void ExpectStoreConsistent() const {
        ASSERT_EQ(form->LineCount(), Count());
        for (int k = 1; k <= Count(); ++k) EXPECT_EQ(form->LineString(k - 1), form->History.LineText(Slot(k)));
        for (int k = Count() + 1; k < kSlotCount; ++k) EXPECT_EQ(Slot(k).Format, 0) << "slot " << k;
        const std::string count = form->History.CountText();
        EXPECT_EQ(CountText(), std::u16string(count.begin(), count.end()));
        EXPECT_EQ(form->pbCBItems.LightValue(), Count());
    }

    test::CollectedReports reports;
    TApplication app;
    test::MessageWindow writer;
    CountingNotificationWindow notifications;
    std::unique_ptr<TfrmMain> form;
};

TEST_F(MainFormTest, JoiningTheChainRecordsWhatTheClipboardHolds) {
    struct Case {
        const char* name;
        bool withText;
        int count;
        bool clearLinkEnabled;
    };
    for (const Case c : {Case{"empty clipboard", false, 0, false}, Case{"text on the clipboard", true, 1, true}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
        if (c.withText) Write(Unicode(u"first"));
        Start();
        EXPECT_TRUE(form->ckMonitor.Checked());
        EXPECT_EQ(form->lbStatusHint.Caption(), u"Stashwell :: Active");
        EXPECT_EQ(GetClipboardViewer(), form->Handle());
        EXPECT_EQ(Count(), c.count);
        EXPECT_EQ(IsWindowEnabled(form->lbClearCB.Handle()) != 0, c.clearLinkEnabled);
        if (c.withText) {
            EXPECT_EQ(Slot(1).WText, u"first");
            EXPECT_EQ(Slot(0).WText, u"first");
            EXPECT_EQ(Lines(), std::vector<std::u16string>{u"first"});
        }
        ExpectStoreConsistent();
        form.reset();
    }
}

TEST_F(MainFormTest, CaptureTakesUnicodeOverTextOverBitmap) {
    ClipboardContent all;
    all.unicode = u"uni";
    all.text = "ansi";
    all.bitmap = SIZE{7, 5};
    ClipboardContent textAndBitmap;
    textAndBitmap.text = "caf\xE9";
    textAndBitmap.bitmap = SIZE{7, 5};
    ClipboardContent bitmap;
    bitmap.bitmap = SIZE{7, 5};
    ClipboardContent lossy = Unicode(u"Xem t\u1EA5t c\u1EA3");
    ClipboardContent other;
    other.customFormat = true;

    struct Case {
        const char* name;
        ClipboardContent content;
        bool recorded;
        int format;  // 0: a text item, 13 or 1 (Windows may offer Unicode for 8-bit text)
        std::string text;
        std::u16string wtext;
    };
    const Case cases[] = {
        {"all three formats", all, true, kCF_UNICODETEXT, "uni", u"uni"},
        {"8-bit text and bitmap", textAndBitmap, true, 0, "caf\xE9", u"caf\u00E9"},
        {"bitmap only", bitmap, true, kCF_BITMAP, "Bitmap", u""},
        {"text the code page cannot hold", lossy, true, kCF_UNICODETEXT, "Xem t?t c?", u"Xem t\u1EA5t c\u1EA3"},
        {"an unrecorded format", other, false, 0, "", u""},
    };
    Start();
    Write(Unicode(u"before"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int count = Count();
        const int shown = notifications.shown;
        Write(c.content);
        EXPECT_TRUE(IsWindowEnabled(form->lbClearCB.Handle()));
        // Shown once the clipboard's message has been answered.
        EXPECT_TRUE(test::PumpUntil([&] { return notifications.shown == shown + 1; }, 5000));
        ASSERT_EQ(Count(), c.recorded ? count + 1 : count);
        const TCBI& newest = Slot(Count());
        if (c.recorded) {
            if (c.format)
                EXPECT_EQ(newest.Format, c.format);
            else
                EXPECT_TRUE(newest.Format == kCF_UNICODETEXT || newest.Format == kCF_TEXT) << newest.Format;
            EXPECT_EQ(newest.Text, c.text);
            EXPECT_EQ(newest.WText, c.wtext);
            if (c.format == kCF_BITMAP) {
                ASSERT_TRUE(newest.Bitmap);
                EXPECT_EQ(newest.Bitmap->Width(), 7);
                EXPECT_EQ(newest.Bitmap->Height(), 5);
                EXPECT_EQ(newest.FormatName, "CF_BITMAP");
            }
        }
        // Slot 0 mirrors the newest item with a picture of its own.
        EXPECT_EQ(Slot(0).Format, newest.Format);
        EXPECT_EQ(Slot(0).Text, newest.Text);
        EXPECT_EQ(Slot(0).WText, newest.WText);
        if (newest.Bitmap) {
            ASSERT_TRUE(Slot(0).Bitmap);
            EXPECT_NE(Slot(0).Bitmap.get(), newest.Bitmap.get());
            EXPECT_EQ(Slot(0).Bitmap->Width(), newest.Bitmap->Width());
        }
        ExpectStoreConsistent();
    }
}

TEST_F(MainFormTest, AnEmptiedClipboardRecordsNothingAndShowsNoNotification) {
    Start();
    Write(Unicode(u"kept"));
    ASSERT_TRUE(test::PumpUntil([&] { return notifications.shown > 0; }, 5000));
    const int shown = notifications.shown;
    ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
    EXPECT_EQ(Count(), 1);
    EXPECT_FALSE(IsWindowEnabled(form->lbClearCB.Handle()));
    test::PumpPending();
    EXPECT_EQ(notifications.shown, shown);
    EXPECT_EQ(Slot(0).WText, u"kept");
}

TEST_F(MainFormTest, TheTwentyFifthCaptureDropsTheOldest) {
    Start();
    Fill(25);
    EXPECT_EQ(Count(), 24);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines.front(), u"item01");
    EXPECT_EQ(lines.back(), u"item24");
    EXPECT_EQ(Slot(1).WText, u"item01");
    EXPECT_EQ(Slot(24).WText, u"item24");
    EXPECT_EQ(Slot(0).WText, u"item24");
    EXPECT_EQ(CountText(), u"24/24");
    ExpectStoreConsistent();
}

// A notification from another process can arrive after the content it
// announced has been recorded (the capture of an earlier, late notification
// read it); it records nothing. The same text copied again is a new change.
TEST_F(MainFormTest, ANotificationOfContentAlreadyRecordedRecordsNothing) {
    Start();
    Write(Unicode(u"once"));
    ASSERT_EQ(Count(), 1);
    SendMessageW(form->Handle(), WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(Count(), 1);
    Write(Unicode(u"once"));
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Slot(2).WText, u"once");
    ExpectStoreConsistent();
}

// A change announced while another program holds the clipboard open is
// tried again once it lets go, for a bounded time, without the handler
// waiting for it.
TEST_F(MainFormTest, AChangeAnnouncedWhileTheClipboardIsHeldIsRecordedWhenItIsLetGo) {
    struct Case {
        const char* name;
        DWORD heldAfterTheAnnouncementMs;
        bool recorded;
    };
    const Case cases[] = {
        {"let go at once", 0, true},
        {"held past the retries", 2000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
        Start();
        // The change is made unseen and then announced by hand, the way a
        // notification that arrives late finds the clipboard held.
        form->ckMonitor.Click();
        Write(Unicode(u"held back"));
        test::ClipboardHolder holder(Cbwriter());
        ASSERT_TRUE(holder.Held());
        const DWORD start = GetTickCount();
        SendMessageW(form->Handle(), WM_DRAWCLIPBOARD, 0, 0);
        EXPECT_LT(GetTickCount() - start, 200u) << "the handler waited for the clipboard";
        EXPECT_EQ(Count(), 0);
        if (c.heldAfterTheAnnouncementMs) test::PumpUntil([] { return false; }, c.heldAfterTheAnnouncementMs);
        EXPECT_TRUE(holder.Release());
        if (c.recorded) {
            ASSERT_TRUE(test::PumpUntil([&] { return Count() == 1; }, 5000));
            EXPECT_EQ(Slot(1).WText, u"held back");
            EXPECT_FALSE(form->CaptureRetryPending());
        } else {
            EXPECT_FALSE(form->CaptureRetryPending());
            test::PumpUntil([] { return false; }, 200);
            EXPECT_EQ(Count(), 0);
        }
        EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
        ExpectStoreConsistent();
        form.reset();
    }
}

TEST_F(MainFormTest, ContentMarkedForNoMonitorsIsNotRecorded) {
    struct Case {
        const char* name;
        bool exclude;
        bool ignore;
        std::optional<DWORD> history;
        bool recorded;
    };
    const Case cases[] = {
        {"ExcludeClipboardContentFromMonitorProcessing", true, false, std::nullopt, false},
        {"Clipboard Viewer Ignore", false, true, std::nullopt, false},
        {"CanIncludeInClipboardHistory 0", false, false, DWORD{0}, false},
        {"CanIncludeInClipboardHistory 1", false, false, DWORD{1}, true},
    };
    Start();
    Write(Unicode(u"public"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClipboardContent secret = Unicode(u"secret");
        secret.excludeFromMonitors = c.exclude;
        secret.viewerIgnore = c.ignore;
        secret.includeInHistory = c.history;
        const int count = Count();
        Write(secret);
        EXPECT_EQ(Count(), c.recorded ? count + 1 : count);
        EXPECT_TRUE(IsWindowEnabled(form->lbClearCB.Handle()));
        EXPECT_EQ(Slot(0).WText, c.recorded ? u"secret" : u"public");
        for (int k = 1; k <= Count(); ++k)
            if (!c.recorded) EXPECT_NE(Slot(k).WText, u"secret");
        if (c.recorded) {
            // the next cases start from a public newest item again
            Write(Unicode(u"public"));
        }
    }
}

TEST_F(MainFormTest, AUnicodeBlockWithoutAClosingZeroIsReadToItsEndOnly) {
    // The 8-bit reader is covered by the block tests: for CF_TEXT alone the
    // clipboard offers a converted Unicode text, which the capture prefers.
    ClipboardContent wide = Unicode(u"abc");
    wide.unterminated = true;
    Start();
    Write(wide);
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(Slot(1).WText, u"abc");
    EXPECT_EQ(Slot(1).Text, "abc");
}

TEST_F(MainFormTest, ChangesFromAnotherProcessAreRecorded) {
    Start();
    test::ChildProcess writerProcess;
    ASSERT_TRUE(writerProcess.Start(Cbwriter(), {L"set", L"bitmap=16x9"}));
    ASSERT_TRUE(writerProcess.Wait());
    EXPECT_EQ(writerProcess.ExitCode(), 0u);
    ASSERT_TRUE(test::PumpUntil([&] { return Count() == 1; }));
    ASSERT_EQ(Slot(1).Format, kCF_BITMAP);
    ASSERT_TRUE(Slot(1).Bitmap);
    EXPECT_EQ(Slot(1).Bitmap->Width(), 16);
    EXPECT_EQ(Slot(1).Bitmap->Height(), 9);
}

TEST_F(MainFormTest, APictureThatCannotBeCopiedRecordsNothing) {
    Start();
    Write(Unicode(u"text"));
    ClipboardContent picture;
    picture.bitmap = SIZE{8, 8};
    // The capture cannot draw from a bitmap that is selected into another
    // device context: its copy fails. The picture goes on the clipboard with
    // monitoring off, is selected here, and monitoring is switched on.
    form->ckMonitor.Click();
    Write(picture);
    ASSERT_TRUE(test::OpenClipboardWithRetry(writer.Handle()));
    auto clipboardBitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    CloseClipboard();
    ASSERT_TRUE(clipboardBitmap);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, clipboardBitmap);
    if (!old) {
        DeleteDC(dc);
        GTEST_SKIP() << "the clipboard's bitmap is not this process's own handle here";
    }
    form->ckMonitor.Click();  // joins: the capture runs and fails
    SelectObject(dc, old);
    DeleteDC(dc);

    EXPECT_EQ(reports.Texts(), std::vector<std::string>{"Cannot copy the picture on the clipboard."});
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Slot(0).WText, u"text");
    EXPECT_EQ(TClipboard::Instance().OpenCount(), 0);
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    ExpectStoreConsistent();
}

TEST_F(MainFormTest, PutOnClipboardHasRecordedTheItemWhenItReturns) {
    struct Case {
        const char* name;
        std::string text;
        std::u16string wtext;
        SIZE_T textBlock;
        SIZE_T wideBlock;
        std::u16string recorded;
    };
    const Case cases[] = {
        {"plain text", "abc", u"abc", 4, 8, u"abc"},
        {"empty text", "", u"", 1, 2, u""},
        {"a zero byte in Text", std::string("ab\0cd", 5), u"ab", 6, 6, u"ab"},
        {"a zero unit in WText", "ab", std::u16string(u"ab\0cd", 5), 3, 12, u"ab"},
    };
    Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TCBI item;
        item.Format = kCF_TEXT;
        item.FormatName = "CF_TEXT";
        item.Text = c.text;
        item.WText = c.wtext;
        const int count = Count();
        ASSERT_EQ(form->PutOnClipboard(item), RecordingClipboard::Written::Whole);
        ASSERT_EQ(Count(), count + 1);
        EXPECT_EQ(Slot(Count()).Format, kCF_UNICODETEXT);
        EXPECT_EQ(Slot(Count()).WText, c.recorded);
        EXPECT_EQ(Slot(0).WText, c.recorded);
        EXPECT_EQ(test::ClipboardBlockSize(writer.Handle(), CF_TEXT), c.textBlock);
        EXPECT_EQ(test::ClipboardBlockSize(writer.Handle(), CF_UNICODETEXT), c.wideBlock);
    }
    // An empty record writes nothing and causes no capture.
    const int count = Count();
    EXPECT_EQ(form->PutOnClipboard(TCBI{}), RecordingClipboard::Written::Nothing);
    EXPECT_EQ(Count(), count);
}

TEST_F(MainFormTest, PutOnClipboardWritesPicturesAsBitmaps) {
    Start();
    auto picture = DdbPicture::Create(12, 6);
    ASSERT_TRUE(picture);
    {
        ScreenDC screen;
        MemoryDC dc(screen.get());
        ASSERT_TRUE(dc.Select(picture->Handle()));
        RECT all{0, 0, 12, 6};
        UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(dc.get(), &all, red.get());
    }
    TCBI item;
    item.Format = kCF_BITMAP;
    item.FormatName = "CF_BITMAP";
    item.Text = "Bitmap";
    item.Bitmap = std::move(picture);
    ASSERT_EQ(form->PutOnClipboard(item), RecordingClipboard::Written::Whole);
    ASSERT_EQ(Count(), 1);
    auto* recorded = dynamic_cast<const DdbPicture*>(Slot(1).Bitmap.get());
    ASSERT_TRUE(recorded);
    EXPECT_NE(recorded, item.Bitmap.get());
    EXPECT_EQ(recorded->Width(), 12);
    EXPECT_EQ(recorded->Height(), 6);
    ScreenDC screen;
    MemoryDC dc(screen.get());
    ASSERT_TRUE(dc.Select(recorded->Handle()));
    EXPECT_EQ(GetPixel(dc.get(), 11, 5), RGB(255, 0, 0));
}

TEST_F(MainFormTest, CopyToClipboardMovesTheItemToTheBottom) {
    struct Case {
        const char* name;
        int items;
        int selected;
    };
    for (const Case c : {Case{"a short history", 3, 0}, Case{"a full history", 24, 5}, Case{"the newest item", 4, 3}}) {
        SCOPED_TRACE(c.name);
        Start();
        Fill(c.items);
        auto expected = Lines();
        const std::u16string moved = expected[static_cast<std::size_t>(c.selected)];
        expected.erase(expected.begin() + c.selected);
        expected.push_back(moved);
        form->SelectLine(c.selected);
        form->miCopyClick();
        EXPECT_EQ(Count(), c.items);
        EXPECT_EQ(Lines(), expected);
        EXPECT_EQ(form->SelectedIndex(), c.items - 1);
        EXPECT_EQ(Slot(0).WText, moved);
        EXPECT_EQ(test::ReadClipboardUnicode(writer.Handle()), moved);
        ExpectStoreConsistent();
        form.reset();
        ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
    }
}

// Nothing records the write, so the item comes back as the newest item
// directly instead of leaving the history.
TEST_F(MainFormTest, CopyToClipboardWithMonitoringOffMovesTheItemToTheBottom) {
    Start();
    Fill(3);
    form->ckMonitor.Click();
    form->SelectLine(0);
    EXPECT_TRUE(form->miCopyClick());
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"item01", u"item02", u"item00"}));
    EXPECT_EQ(form->SelectedIndex(), 2);
    EXPECT_EQ(Slot(0).WText, u"item00");
    EXPECT_EQ(test::ReadClipboardUnicode(writer.Handle()), u"item00");
    ExpectStoreConsistent();
}

TEST_F(MainFormTest, CopyToClipboardThatCannotWritePutsTheItemBack) {
    Start();
    Fill(4);
    const auto before = Lines();
    form->SelectLine(1);
    {
        test::ClipboardHolder holder(Cbwriter());
        ASSERT_TRUE(holder.Held());
        form->miCopyClick();
        EXPECT_TRUE(holder.Release());
    }
    EXPECT_EQ(Lines(), before);
    EXPECT_EQ(Slot(2).WText, u"item01");
    EXPECT_EQ(form->SelectedIndex(), 1);
    EXPECT_TRUE(reports.Texts().empty());
    ExpectStoreConsistent();
}

TEST_F(MainFormTest, ClearWindowsClipboard) {
    Start();
    Fill(2);
    ClickLink(form->lbClearCB);
    EXPECT_TRUE(reports.Texts().empty());
    EXPECT_EQ(CountClipboardFormats(), 0);
    EXPECT_EQ(Slot(0).Format, 0);
    EXPECT_FALSE(IsWindowEnabled(form->lbClearCB.Handle()));
    EXPECT_EQ(Count(), 2);
}

TEST_F(MainFormTest, ClearWindowsClipboardWhileAnotherProgramHoldsItReportsAndChangesNothing) {
    Start();
    Fill(2);
    {
        test::ClipboardHolder holder(Cbwriter());
        ASSERT_TRUE(holder.Held());
        ClickLink(form->lbClearCB);
        EXPECT_TRUE(holder.Release());
    }
    EXPECT_EQ(reports.Texts(), std::vector<std::string>{"Cannot open clipboard."});
    EXPECT_EQ(Slot(0).WText, u"item01");
    EXPECT_TRUE(IsWindowEnabled(form->lbClearCB.Handle()));
    EXPECT_EQ(test::ReadClipboardUnicode(writer.Handle()), u"item01");
    EXPECT_EQ(Count(), 2);
}

TEST_F(MainFormTest, MonitoringOffStopsTheCaptureAndOnRejoins) {
    Start();
    Write(Unicode(u"one"));
    ClickControl(form->ckMonitor.Handle(), BN_CLICKED);
    EXPECT_FALSE(form->ckMonitor.Checked());
    EXPECT_EQ(form->lbStatusHint.Caption(), u"Stashwell :: Stopped");
    EXPECT_NE(GetClipboardViewer(), form->Handle());
    Write(Unicode(u"unseen"));
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(CountText(), u"1/24");

    ClickControl(form->ckMonitor.Handle(), BN_CLICKED);
    EXPECT_TRUE(form->ckMonitor.Checked());
    EXPECT_EQ(form->lbStatusHint.Caption(), u"Stashwell :: Active");
    // Joining records what the clipboard holds now.
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(Slot(2).WText, u"unseen");
}

TEST_F(MainFormTest, NotificationsAndChainChangesArePassedOn) {
    test::TestViewer farther;  // joined first: last in the chain
    farther.Join();
    test::TestViewer next;
    next.Join();
    Start();  // the chain: form, next, farther
    ASSERT_EQ(form->NextViewer, next.Handle());

    const int seen = next.Notifications();
    Write(Unicode(u"passed on"));
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(next.Notifications(), seen + 1);
    EXPECT_EQ(farther.Notifications(), seen + 1);

    // A window farther down leaves: the message goes on to the next viewer,
    // and the form keeps its next viewer.
    const HWND afterFarther = farther.Next();
    farther.Leave();
    EXPECT_EQ(form->NextViewer, next.Handle());
    EXPECT_EQ(next.Next(), afterFarther);

    // The next viewer leaves: the form takes the one after it.
    next.Leave();
    EXPECT_EQ(form->NextViewer, afterFarther);
    Write(Unicode(u"after"));
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(next.Notifications(), seen + 1);
}

TEST_F(MainFormTest, ListCommandsChangeTheHistoryOnly) {
    Start();
    Fill(3);
    form->SelectLine(1);
    form->miClearClick();
    EXPECT_EQ(Lines(), (std::vector<std::u16string>{u"item00", u"item02"}));
    EXPECT_EQ(Slot(0).WText, u"item02");
    EXPECT_EQ(test::ReadClipboardUnicode(writer.Handle()), u"item02");

    // Backspace in the list clears the selected line; without one it does nothing.
    SendMessageW(form->lstCB, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(form->lstCB, WM_CHAR, L'\b', 0);
    EXPECT_EQ(Count(), 2);
    form->SelectLine(0);
    SendMessageW(form->lstCB, WM_CHAR, L'\b', 0);
    EXPECT_EQ(Lines(), std::vector<std::u16string>{u"item02"});
    SendMessageW(form->lstCB, WM_CHAR, L'x', 0);
    EXPECT_EQ(Count(), 1);

    form->miClearAllClick();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Slot(0).Format, 0);
    EXPECT_EQ(CountText(), u"0/24");
    EXPECT_EQ(test::ReadClipboardUnicode(writer.Handle()), u"item02");
    ExpectStoreConsistent();
}

TEST_F(MainFormTest, TheListMenuEnablesItsItemsWhenItOpens) {
    struct Case {
        const char* name;
        int items;
        int selected;
        bool clearAll;
        bool onItem;
    };
    const Case cases[] = {
        {"empty list", 0, -1, false, false},
        {"no selection", 2, -1, true, false},
        {"a selected line", 2, 1, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        Fill(c.items);
        SendMessageW(form->lstCB, LB_SETCURSEL, static_cast<WPARAM>(c.selected), 0);
        form->pmCBPopup();
        EXPECT_EQ(form->miClearAll.Enabled(), c.clearAll);
        for (const TMenuItem* item : {&form->miCopy, &form->miClear, &form->miPaste, &form->miView})
            EXPECT_EQ(item->Enabled(), c.onItem) << item->Id();
        EXPECT_TRUE(form->N3.Enabled());
        form.reset();
        ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
    }
}

TEST_F(MainFormTest, ADisabledMenuItemRunsNoCommand) {
    Start();
    Fill(2);
    form->SelectLine(0);
    form->miClear.SetEnabled(false);
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(kCmdMiClear, 0), 0);
    EXPECT_EQ(Count(), 2);
    form->miClear.SetEnabled(true);
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(kCmdMiClear, 0), 0);
    EXPECT_EQ(Count(), 1);
}

TEST_F(MainFormTest, ExitEndsTheLoopAndDestructionLeavesTheChain) {
    test::TestViewer before;
    before.Join();
    Start();
    ASSERT_EQ(app.MainForm(), form->Handle());
    ASSERT_EQ(GetWindow(form->Handle(), GW_OWNER), app.Handle());
    form->lbExitClick();
    EXPECT_TRUE(app.Terminated());
    EXPECT_TRUE(IsWindow(form->Handle()));  // destroyed after the loop, by the main block
    form->Destroy();
    EXPECT_EQ(GetClipboardViewer(), before.Handle());
    EXPECT_FALSE(form->ckMonitor.Handle() && IsWindow(form->ckMonitor.Handle()));
    const int seen = before.Notifications();
    Write(Unicode(u"after exit"));
    EXPECT_EQ(before.Notifications(), seen + 1);
    test::PumpPending();  // the WM_QUIT Exit posted
}

}  // namespace
}  // namespace swl
