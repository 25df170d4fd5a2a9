// Filling a main window's history from a test or a helper program: through
// the clipboard, as the program records it. Header-only, since the support
// library itself does not link the program's windows (the end-to-end tests
// use it too).
#pragma once

#include <windows.h>

#include "MainForm.h"
#include "test_support.h"

namespace swl::test {

// Puts content on the clipboard from writer and pumps until the form has
// recorded it; false when the write fails or nothing is recorded in time.
inline bool RecordOnForm(TfrmMain& form, HWND writer, const ClipboardContent& content) {
    const int before = form.History.CBCount;
    if (!WriteClipboard(writer, content)) return false;
    return PumpUntil([&] { return form.History.CBCount != before; }, 5000);
}

}  // namespace swl::test
