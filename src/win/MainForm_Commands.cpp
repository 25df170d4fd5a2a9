// TfrmMain: writing history items back to the clipboard, and the commands
// built on it: Copy to Clipboard, Clear, Clear All, Backspace in the list and
// Clear Windows Clipboard.
#include "MainForm.h"
#include "clipboard.h"
#include "clipboard_blocks.h"
#include "ddb_picture.h"

namespace swl {

namespace {

using Written = RecordingClipboard::Written;

// Sets the item's formats on the open clipboard.
Written WriteItem(TClipboard& clipboard, const TCBI& item) {
    switch (item.Format) {
    case kCF_TEXT:
    case kCF_UNICODETEXT: {
        HGLOBAL text = MakeAnsiBlock(item.Text);
        if (!text) return Written::Nothing;
        if (!clipboard.SetData(CF_TEXT, text)) {
            GlobalFree(text);
            return Written::Nothing;
        }
        HGLOBAL wide = MakeWideBlock(item.WText);
        if (!wide) return Written::Partly;
        if (!clipboard.SetData(CF_UNICODETEXT, wide)) {
            GlobalFree(wide);
            return Written::Partly;
        }
        return Written::Whole;
    }
    case kCF_BITMAP: {
        const auto* picture = dynamic_cast<const DdbPicture*>(item.Bitmap.get());
        if (!picture || !clipboard.AssignPicture(*picture)) return Written::Nothing;
        return Written::Whole;
    }
    default:
        return Written::Nothing;  // an empty record writes nothing
    }
}

}  // namespace

RecordingClipboard::Written TfrmMain::PutOnClipboard(const TCBI& item) {
    // The record is read only before the final close: the capture that runs
    // inside it may renew the very slot the record is.
    TClipboard& clipboard = TClipboard::Instance();
    try {
        ClipboardSpan span(clipboard);
        const Written written = WriteItem(clipboard, item);
        // Read while the clipboard is still open: the number of this write.
        if (written != Written::Nothing) writtenSequence_ = GetClipboardSequenceNumber();
        span.Close();  // with monitoring on, the capture runs in here
        return written;
    } catch (const ClipboardError&) {
        return Written::Nothing;
    }
}

void TfrmMain::TakeAsRecorded() {
    if (!writtenSequence_) return;
    // A capture waiting for the clipboard to be let go would record the
    // write a second time, after the items that follow it.
    if (captureRetriesLeft_ > 0 && captureRetrySequence_ == *writtenSequence_) StopCaptureRetry();
    recordedSequence_ = writtenSequence_;
}

void TfrmMain::RestoreItem(int k, TCBI&& item) {
    if (k < 1 || k > History.CBCount + 1 || History.CBCount >= kMaxItems) return;
    for (int j = History.CBCount; j >= k; --j) History.CBItems[j + 1] = std::move(History.CBItems[j]);
    History.CBItems[k] = std::move(item);
    ++History.CBCount;
    SetLightValue(History.CBCount);
    History.ShowCountText();
    const std::u16string line = History.LineText(History.CBItems[k]);
    SendMessageW(lstCB, LB_INSERTSTRING, static_cast<WPARAM>(k - 1),
                 reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(line.c_str())));
}

bool TfrmMain::miCopyClick() {
    const int i = SelectedIndex();
    if (LineCount() == 0 || i < 0) return false;
    const int k = i + 1;
    // The item leaves the history before it is written, so a full history
    // drops nothing when it comes back as the newest item. Taking the record
    // whole keeps its picture without a copy that could fail.
    TCBI item = std::move(History.CBItems[k]);
    History.DeleteItem(k);
    if (PutAndRecord(History, *this, std::move(item)) == RecordOutcome::NotWritten) {
        // Nothing reached the clipboard: the item goes back where it was
        // rather than be lost (the failed put left it as it was).
        RestoreItem(k, std::move(item));
        SelectLine(i);
        return false;
    }
    SelectLine(LineCount() - 1);
    return true;
}

void TfrmMain::miClearClick() {
    const int i = SelectedIndex();
    if (LineCount() == 0 || i < 0) return;
    History.DeleteItem(i + 1);
}

void TfrmMain::miClearAllClick() { History.ClearItems(); }

void TfrmMain::lstCBKeyPress(wchar_t& key) {
    if (key == L'\b') miClearClick();
}

void TfrmMain::lbClearCBClick() {
    // A clipboard another program holds open raises "Cannot open clipboard"
    // to the error report, and nothing below runs.
    TClipboard::Instance().Clear();
    History.CBItems[0].Empty();
    lbClearCB.SetEnabled(false);
}

}  // namespace swl
