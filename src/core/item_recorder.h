// Putting a history item back on the clipboard so that it becomes the
// newest item: the one rule for "was it recorded", used by Copy to
// Clipboard (and so by Paste and quick paste) and by the replay of the saved
// history at start.
//
// While monitoring is on, the capture records what a write put on the
// clipboard before the write returns. When it does not (monitoring is off,
// another program took the clipboard before the capture could read it, or
// the write was cut short so the capture saw only part of the item), the
// item is stored as the newest item directly, as the capture would have
// recorded it whole, and the clipboard's content counts as recorded so that
// a capture still waiting for it does not record it a second time.
#pragma once

#include "history.h"

namespace swl {

class RecordingClipboard {
public:
    enum class Written { Nothing, Partly, Whole };

    virtual ~RecordingClipboard() = default;
    // Writes the record onto the clipboard. Nothing: the clipboard was not
    // changed (it could not be opened, no memory, a record without content);
    // Partly: some of its formats are on the clipboard.
    virtual Written Put(const TCBI& item) = 0;
    // How many items the capture has recorded so far.
    virtual unsigned CaptureCount() const = 0;
    // What the last Put wrote stands recorded: a capture waiting for the
    // clipboard to be let go, or a late notification of that content,
    // records nothing.
    virtual void TakeAsRecorded() = 0;
};

enum class RecordOutcome {
    NotWritten,     // the clipboard is unchanged and the history too
    ByCapture,      // the capture recorded it
    Directly,       // written, and stored directly as the newest item
};

// Puts the item on the clipboard and makes sure it ends up as the newest
// history item exactly once (slot 0 mirrors it). The item is the caller's
// own record, not a slot of the history. When it is stored directly its
// picture moves into the history, so no copy is needed that could fail;
// when nothing was written (NotWritten) the item is left as it was, for the
// caller to keep.
RecordOutcome PutAndRecord(THistory& history, RecordingClipboard& clipboard, TCBI&& item);

// Stores the item as the newest history item the way the capture records
// what a write of it put on the clipboard: a text as format 13 (the wide
// text up to its first zero, its 8-bit form converted from it), a picture
// as it is (a picture item without a picture is stored as it is when it
// stands for a saved file that could not be read). False when it has no
// content: nothing is stored then.
bool RecordDirectly(THistory& history, TCBI item);

}  // namespace swl
