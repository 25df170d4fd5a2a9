#include "message_pump.h"

#include <windows.h>

#include "dialog_keys.h"

namespace swl {

void ProcessPendingMessages() {
    // A message dispatched here may call back into this (each capture shows
    // the notification, which pumps); nested pumps would stack one frame per
    // queued clipboard change and, under a burst of changes, leave the
    // thread unable to answer. The outermost pump empties the queue anyway.
    static thread_local bool pumping = false;
    if (pumping) return;
    pumping = true;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (HandleDialogKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    pumping = false;
}

}  // namespace swl
