// Answers the program's message dialog from inside its modal loop: while a
// DialogDriver lives, a thread timer (which the modal loop keeps serving)
// looks for a visible TPromptForm of this thread and hands each new one to
// `act` once, which typically presses a key or posts WM_CLOSE. A watchdog
// closes a dialog that `act` left open, so a faulty test fails instead of
// hanging.
#pragma once

#include <windows.h>

#include <functional>

namespace swl::test {

class DialogDriver {
public:
    explicit DialogDriver(std::function<void(HWND form)> act, DWORD watchdogMs = 10000);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // How many dialogs were handed to `act`.
    int Seen() const { return seen_; }
    // Whether the watchdog had to close a dialog.
    bool TimedOut() const { return timedOut_; }

private:
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD);

    std::function<void(HWND)> act_;
    DWORD watchdogMs_;
    HWND current_ = nullptr;
    int seen_ = 0;
    bool timedOut_ = false;
    UINT_PTR poll_ = 0;
    UINT_PTR watchdog_ = 0;
};

// The visible message dialog of this thread, or null.
HWND FindPromptForm();

}  // namespace swl::test
