#include "dialog_driver.h"

namespace swl::test {
namespace {

DialogDriver* g_driver = nullptr;

BOOL CALLBACK FindVisibleForm(HWND hwnd, LPARAM found) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    if (lstrcmpW(name, L"TPromptForm") == 0 && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindPromptForm() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindVisibleForm, reinterpret_cast<LPARAM>(&found));
    return found;
}

DialogDriver::DialogDriver(std::function<void(HWND)> act, DWORD watchdogMs)
    : act_(std::move(act)), watchdogMs_(watchdogMs) {
    g_driver = this;
    poll_ = SetTimer(nullptr, 0, 10, &DialogDriver::Poll);
}

DialogDriver::~DialogDriver() {
    KillTimer(nullptr, poll_);
    if (watchdog_) KillTimer(nullptr, watchdog_);
    g_driver = nullptr;
}

void CALLBACK DialogDriver::Poll(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* d = g_driver;
    if (!d) return;
    HWND form = FindPromptForm();
    if (!form || form == d->current_) return;
    d->current_ = form;
    ++d->seen_;
    if (d->watchdog_) KillTimer(nullptr, d->watchdog_);
    d->watchdog_ = SetTimer(nullptr, 0, d->watchdogMs_, &DialogDriver::Watchdog);
    d->act_(form);
}

void CALLBACK DialogDriver::Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* d = g_driver;
    if (!d) return;
    KillTimer(nullptr, d->watchdog_);
    d->watchdog_ = 0;
    if (HWND form = FindPromptForm()) {
        d->timedOut_ = true;
        PostMessageW(form, WM_CLOSE, 0, 0);
    }
}

}  // namespace swl::test
