// The window procedure of the program's top-level windows: the object passed
// as the creation parameter gets its handle at WM_NCCREATE and every message
// from then on in its HandleMessage. An error that escapes a handler goes to
// the general error report and the message counts as handled, so the main
// loop goes on.
#pragma once

#include <windows.h>

#include "error_report.h"

namespace swl {

// Window needs a member `HWND hwnd_` and `LRESULT HandleMessage(UINT, WPARAM,
// LPARAM)`; a class keeping them private names this function its friend.
template <class Window>
LRESULT CALLBACK WindowObjectProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        ReportCurrentException();
        return 0;
    }
}

}  // namespace swl
