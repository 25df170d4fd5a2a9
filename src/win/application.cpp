#include "application.h"

#include <stdexcept>

#include "clipboard.h"
#include "dialog_keys.h"
#include "error_report.h"
#include "window_object.h"

namespace swl {

void TApplication::RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &WindowObjectProc<TApplication>;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kApplicationWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

TApplication::TApplication() {
    RegisterWindowClass();
    // A hidden popup: it never shows, and the windows it owns have no
    // taskbar button of their own.
    CreateWindowExW(0, kApplicationWindowClass, L"Stashwell", WS_POPUP, 0, 0, 0, 0, nullptr,
                    nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw std::runtime_error("Cannot create the application window");
    TClipboard::Instance().SetWindow(hwnd_);
    SetErrorReportOwner(hwnd_);
}

TApplication::~TApplication() {
    if (TClipboard::Instance().Window() == hwnd_) TClipboard::Instance().SetWindow(nullptr);
    SetErrorReportOwner(nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

void TApplication::SetMainForm(HWND form) { mainForm_ = form; }

void TApplication::Run() {
    if (ShowMainForm && mainForm_) ShowWindow(mainForm_, SW_SHOW);
    MSG msg;
    while (!terminated_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            terminated_ = true;
            break;
        }
        if (HandleDialogKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // Terminate's quit message may still be queued: take it, so that a
    // dialog shown while the windows go (a save that failed) still runs.
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void TApplication::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

LRESULT TApplication::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATEAPP:
        if (wParam) {
            if (OnActivate) OnActivate();
        } else if (OnDeactivate) {
            OnDeactivate();
        }
        return 0;
    case WM_ENDSESSION:
        // The session ends: the main form saves what it keeps before this
        // returns (the process may be ended right after), then the loop is
        // left the way closing the main form does, so the shut-down work runs.
        if (wParam) {
            if (mainForm_) SendMessageW(mainForm_, WM_ENDSESSION, wParam, lParam);
            Terminate();
        }
        return 0;
    case WM_CLOSE:
        // Closing the application window ends the program through its main
        // form, like Exit.
        if (mainForm_) PostMessageW(mainForm_, WM_CLOSE, 0, 0);
        return 0;
    default:
        return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

}  // namespace swl
