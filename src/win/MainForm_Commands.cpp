// TfrmMain: writing history items back to the clipboard, and the commands
// built on it: Copy to Clipboard, Clear, Clear All, Backspace in the list and
// Clear Windows Clipboard.
#include "MainForm.h"
#include "clipboard.h"
#include "clipboard_blocks.h"
#include "ddb_picture.h"

namespace swl {

bool TfrmMain::PutOnClipboard(const TCBI& item) {
    // The record is read only before the final close: the capture that runs
    // inside it may renew the very slot the record is.
    TClipboard& clipboard = TClipboard::Instance();
    try {
        ClipboardSpan span(clipboard);
        switch (item.Format) {
        case kCF_TEXT:
        case kCF_UNICODETEXT: {
            HGLOBAL text = MakeAnsiBlock(item.Text);
            if (!text) return false;
            if (!clipboard.SetData(CF_TEXT, text)) {
                GlobalFree(text);
                return false;
            }
            HGLOBAL wide = MakeWideBlock(item.WText);
            if (!wide) return false;
            if (!clipboard.SetData(CF_UNICODETEXT, wide)) {
                GlobalFree(wide);
                return false;
            }
            break;
        }
        case kCF_BITMAP: {
            const auto* picture = dynamic_cast<const DdbPicture*>(item.Bitmap.get());
            if (!picture || !clipboard.AssignPicture(*picture)) return false;
            break;
        }
        default:
            break;  // an empty record writes nothing
        }
        span.Close();  // with monitoring on, the capture runs in here
        return true;
    } catch (const ClipboardError&) {
        return false;
    }
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
    // drops nothing when the capture records it again. Taking the record
    // whole keeps its picture without a copy that could fail.
    TCBI item = std::move(History.CBItems[k]);
    History.DeleteItem(k);
    const unsigned recordedBefore = captureCount_;
    if (!PutOnClipboard(item) && captureCount_ == recordedBefore) {
        // Nothing reached the history: put the item back where it was rather
        // than lose it.
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
