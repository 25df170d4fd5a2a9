// Waiting on the program's own message pump, which does the dialog-style
// key handling, so that keys typed in a test reach the controls as they do
// in the program.
#pragma once

#include <windows.h>

#include <functional>

#include "message_pump.h"

namespace swl::test {

// Runs the program's pump until done() holds or the time is up.
inline bool PumpProgramUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
    const DWORD start = GetTickCount();
    for (;;) {
        ProcessPendingMessages();
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace swl::test
