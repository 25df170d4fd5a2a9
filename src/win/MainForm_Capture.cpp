// TfrmMain: the clipboard viewer chain and the capture of each new
// clipboard content into the history.
#include <exception>
#include <stdexcept>

#include "MainForm.h"
#include "SWLLang.h"
#include "clipboard.h"
#include "clipboard_blocks.h"
#include "ddb_picture.h"
#include "item_limits.h"
#include "picture_budget.h"

namespace swl {
namespace {

// A program that holds the clipboard open usually lets it go within a few
// milliseconds: the change it kept from the capture is tried again every
// 50 ms, for about a second.
constexpr UINT kCaptureRetryMs = 50;
constexpr unsigned kCaptureRetries = 20;

}  // namespace

void TfrmMain::SetStatusCaption(const char* key) {
    const std::u16string caption = u"Stashwell :: " + GetLangText(ckLang.Checked(), key);
    lbStatusHint.SetCaption(caption);
}

void TfrmMain::SetMonitoring(bool on) {
    StopCaptureRetry();
    if (on) {
        SetStatusCaption("statactive");
        // Joining records what the clipboard holds, even when it was
        // recorded before monitoring was switched off.
        recordedSequence_.reset();
        // Windows announces the current content inside this call: the first
        // capture runs before NextViewer has its new value.
        NextViewer = SetClipboardViewer(hwnd_);
        inViewerChain_ = true;
    } else {
        SetStatusCaption("statdeactive");
        LeaveViewerChain();
    }
}

void TfrmMain::LeaveViewerChain() {
    if (!inViewerChain_) return;
    inViewerChain_ = false;
    ChangeClipboardChain(hwnd_, NextViewer);
}

void TfrmMain::ckMonitorClick() { SetMonitoring(ckMonitor.Checked()); }

void TfrmMain::WMDrawClipboard() {
    // The chain is served even when the capture fails; the failure is
    // reported afterwards.
    std::exception_ptr failure;
    try {
        CaptureClipboard();
    } catch (...) {
        failure = std::current_exception();
    }
    if (NextViewer) SendMessageA(NextViewer, WM_DRAWCLIPBOARD, 0, 0);
    if (failure) std::rethrow_exception(failure);
}

void TfrmMain::WMChangeCBChain(HWND leaving, HWND next) {
    if (leaving == NextViewer)
        NextViewer = next;
    else if (NextViewer)
        SendMessageA(NextViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(leaving), reinterpret_cast<LPARAM>(next));
}

bool TfrmMain::ReadClipboardItem(TCBI& item) {
    TClipboard& clipboard = TClipboard::Instance();
    if (clipboard.HasFormat(CF_UNICODETEXT)) {
        item.Format = kCF_UNICODETEXT;
        item.FormatName = "CF_UNICODETEXT";
        item.WText = ReadWideBlock(clipboard.GetData(CF_UNICODETEXT));
    } else if (clipboard.HasFormat(CF_TEXT)) {
        item.Format = kCF_TEXT;
        item.FormatName = "CF_TEXT";
        item.Text = ReadAnsiBlock(clipboard.GetData(CF_TEXT));
    } else if (clipboard.HasFormat(CF_BITMAP)) {
        // The clipboard's bitmap is only read: it stays the clipboard's.
        const auto bitmap = static_cast<HBITMAP>(clipboard.GetData(CF_BITMAP));
        int width = 0, height = 0;
        if (BitmapSize(bitmap, width, height) && !PictureSizeKept(width, height))
            throw std::runtime_error("The picture on the clipboard is too large to keep");
        // Past the memory budget the oldest pictures make room for this one.
        MakeRoomForPicture(History, PictureBytes(width, height));
        auto picture = DdbPicture::FromBitmap(bitmap);
        if (!picture) throw std::runtime_error("Cannot copy the picture on the clipboard");
        item.Format = kCF_BITMAP;
        item.FormatName = "CF_BITMAP";
        item.Text = "Bitmap";
        item.Bitmap = std::move(picture);
    } else {
        return false;
    }
    // What could not be saved at exit is not recorded.
    if (!TextKept(item)) throw std::runtime_error("The text on the clipboard is too long to keep");
    return true;
}

void TfrmMain::CaptureClipboard() {
    // This notification's capture takes over from any change still waiting.
    StopCaptureRetry();
    if (!CaptureOpenClipboard()) StartCaptureRetry(GetClipboardSequenceNumber(), kCaptureRetries);
}

// Another program held the clipboard open when its change was announced.
// The change is tried again on a timer, never by waiting here: the
// notification has long been passed on, and the program keeps answering
// its messages meanwhile.
void TfrmMain::StartCaptureRetry(DWORD sequence, unsigned tries) {
    captureRetrySequence_ = sequence;
    captureRetriesLeft_ = SetTimer(hwnd_, kCaptureRetryTimer, kCaptureRetryMs, nullptr) ? tries : 0;
}

void TfrmMain::StopCaptureRetry() {
    if (captureRetriesLeft_ > 0 && hwnd_) KillTimer(hwnd_, kCaptureRetryTimer);
    captureRetriesLeft_ = 0;
}

void TfrmMain::CaptureRetryTimerTimer() {
    if (captureRetriesLeft_ == 0) return;
    const unsigned left = captureRetriesLeft_ - 1;
    const DWORD sequence = captureRetrySequence_;
    StopCaptureRetry();
    // Changed again since: that change's own notification records it.
    if (GetClipboardSequenceNumber() != sequence) return;
    if (!CaptureOpenClipboard() && left > 0) StartCaptureRetry(sequence, left);
}

bool TfrmMain::CaptureOpenClipboard() {
    // Already recorded: a late notification, or one more for the same change.
    if (recordedSequence_ && GetClipboardSequenceNumber() == *recordedSequence_) return true;
    TClipboard& clipboard = TClipboard::Instance();
    ClipboardSpan span(clipboard, std::nothrow);
    if (!span.IsOpen()) return false;  // another program holds it
    const bool anyFormat = clipboard.FormatCount() > 0;
    lbClearCB.SetEnabled(anyFormat);

    // Content its owner keeps from clipboard monitors (secrets) is treated
    // like content in a format the history does not record. A picture that
    // cannot be copied throws from here, before the store is touched.
    TCBI item;
    const bool taken = !ClipboardExcludedFromMonitors(clipboard) && ReadClipboardItem(item);
    // Read while the clipboard is still open: no other program can have
    // changed it since the content was read.
    recordedSequence_ = GetClipboardSequenceNumber();
    // Everything needed is copied: other programs get the clipboard back
    // before the history and the windows are updated.
    span.Close();

    if (taken) {
        if (item.Format == kCF_UNICODETEXT)
            item.Text = codePage_.ToAnsi(item.WText);
        else if (item.Format == kCF_TEXT)
            item.WText = codePage_.ToWide(item.Text);
        History.ReserveSlot();
        History.ShowCountText();
        History.CBItems[History.CBCount] = std::move(item);
        History.AddNewestLine();
        ++captureCount_;
    }
    THistory::CopyItem(History.CBItems[0], History.CBItems[History.CBCount]);
    if (anyFormat) PostNotification();
    return true;
}

// The notification is shown after the clipboard's message has been
// answered, not inside it: showing it moves windows and dispatches pending
// messages, and doing that inside the clipboard's sent message, once per
// change of a burst, left the window answering no one under Wine. A burst
// of changes shows the notification once for all of them.
void TfrmMain::PostNotification() {
    if (notificationPosted_ || !frmTrayWnd) return;
    notificationPosted_ = PostMessageW(hwnd_, kMsgShowNotification, 0, 0) != FALSE;
    if (!notificationPosted_) frmTrayWnd->ShowForm();
}

void TfrmMain::ShowNotification() {
    notificationPosted_ = false;
    if (frmTrayWnd) frmTrayWnd->ShowForm();
}

}  // namespace swl
