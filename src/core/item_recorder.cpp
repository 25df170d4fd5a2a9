#include "item_recorder.h"

#include <string>
#include <string_view>
#include <utility>

namespace swl {
namespace {

// The record the capture makes of what a write of the item puts on the
// clipboard; Format 0 when the write puts nothing.
TCBI AsCaptured(const THistory& history, TCBI item) {
    TCBI entry;
    if (item.Format == kCF_TEXT || item.Format == kCF_UNICODETEXT) {
        std::u16string_view wide(item.WText);
        wide = wide.substr(0, wide.find(u'\0'));
        entry.WText = std::u16string(wide);
        entry.Text = history.CodePage().ToAnsi(wide);
        entry.Format = kCF_UNICODETEXT;
        entry.FormatName = "CF_UNICODETEXT";
    } else if (item.Format == kCF_BITMAP && (item.Bitmap || !item.UnreadFile.empty())) {
        entry.Bitmap = std::move(item.Bitmap);
        entry.Format = kCF_BITMAP;
        entry.FormatName = "CF_BITMAP";
        entry.Text = "Bitmap";
    }
    entry.UnreadFile = std::move(item.UnreadFile);
    return entry;
}

}  // namespace

bool RecordDirectly(THistory& history, TCBI item) {
    TCBI entry = AsCaptured(history, std::move(item));
    if (entry.Format == 0) return false;
    history.ReserveSlot();
    history.ShowCountText();
    history.CBItems[static_cast<std::size_t>(history.CBCount)] = std::move(entry);
    history.AddNewestLine();
    THistory::CopyItem(history.CBItems[0], history.CBItems[static_cast<std::size_t>(history.CBCount)]);
    return true;
}

RecordOutcome PutAndRecord(THistory& history, RecordingClipboard& clipboard, TCBI&& item) {
    const unsigned before = clipboard.CaptureCount();
    const RecordingClipboard::Written written = clipboard.Put(item);
    if (written == RecordingClipboard::Written::Nothing) return RecordOutcome::NotWritten;
    const bool captured = clipboard.CaptureCount() != before;
    if (captured && written == RecordingClipboard::Written::Whole) {
        // The saved picture file a placeholder stands for goes with it.
        if (!item.UnreadFile.empty() && history.CBCount > 0) {
            history.CBItems[static_cast<std::size_t>(history.CBCount)].UnreadFile = item.UnreadFile;
            history.CBItems[0].UnreadFile = item.UnreadFile;
        }
        return RecordOutcome::ByCapture;
    }
    // The capture saw only part of the item: its record gives way to the
    // whole one.
    if (captured) history.DeleteItem(history.CBCount);
    clipboard.TakeAsRecorded();
    RecordDirectly(history, std::move(item));
    return RecordOutcome::Directly;
}

}  // namespace swl
