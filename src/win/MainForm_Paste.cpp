// TfrmMain: remembering the window the user worked in before turning to the
// program, and pasting into it. While the program is not active FocusTimer
// samples the foreground window; activating the program stops the sampling,
// so the last sample is the window Paste types Ctrl+V into.
#include "MainForm.h"
#include "SWLLang.h"

namespace swl {
namespace {

constexpr UINT kFocusTimerMs = 100;
constexpr BYTE kKeyV = 0x56;

// How long Paste waits for the target to come to the front, and for it to
// take the keys, before it goes on regardless.
constexpr DWORD kTargetWaitMs = 500;

void Key(BYTE vk, DWORD flags) {
    keybd_event(vk, static_cast<BYTE>(MapVirtualKeyA(vk, 0)), flags, 0);
}

// SetForegroundWindow only asks the target's thread to activate its window;
// until that thread has done so it has no focus window, and keys typed
// meanwhile reach no one. Waits, boundedly, until the target's thread has
// an active window in front.
void WaitUntilInFront(HWND target) {
    const DWORD thread = GetWindowThreadProcessId(target, nullptr);
    const DWORD start = GetTickCount();
    for (;;) {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        if (GetGUIThreadInfo(thread, &info) && info.hwndActive && GetForegroundWindow() == info.hwndActive) return;
        if (GetTickCount() - start >= kTargetWaitMs) return;
        Sleep(5);
    }
}

// Taking the front back before the target has read its keys would send
// them to this program instead. A sent message is answered only when the
// target's thread comes back to its queue, after the input ahead of it has
// been dispatched; two round trips cover the key strokes and the character
// their translation posts.
void LetTargetTakeTheKeys(HWND target) {
    for (int i = 0; i < 2; ++i) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kTargetWaitMs, &ignored);
    }
}

}  // namespace

void TfrmMain::SetFocusTimer(bool on) {
    if (on)
        SetTimer(hwnd_, kFocusTimer, kFocusTimerMs, nullptr);
    else
        KillTimer(hwnd_, kFocusTimer);
    focusTimerEnabled_ = on;
}

// The program's own windows (the tray icon's window while its menu is open,
// the notification, the menus) can come to the front while the main window
// is inactive; they are never where the user wants the paste, so the window
// before them stays the target.
void TfrmMain::FocusTimerTimer() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground) GetWindowThreadProcessId(foreground, &process);
    if (foreground && process == GetCurrentProcessId()) return;
    TargetWnd = foreground;
}

void TfrmMain::FormActivate() { SetFocusTimer(false); }

void TfrmMain::FormDeactivate() { SetFocusTimer(true); }

void TfrmMain::TypePasteKeys(HWND target) {
    SetForegroundWindow(target);
    WaitUntilInFront(target);
    Key(VK_CONTROL, 0);
    Key(kKeyV, 0);
    Key(kKeyV, KEYEVENTF_KEYUP);
    Key(VK_CONTROL, KEYEVENTF_KEYUP);
    LetTargetTakeTheKeys(target);
}

void TfrmMain::miPasteClick() {
    if (LineCount() == 0 || SelectedIndex() < 0) return;
    // Ctrl+V after a failed copy would paste whatever the clipboard held
    // before, in place of the item the user chose.
    if (!miCopyClick()) return;
    if (TargetWnd && IsWindow(TargetWnd)) {
        TypePasteKeys(TargetWnd);
        SetForegroundWindow(hwnd_);
        return;
    }
    ShowDialog(TDlgType::Information, GetLangText(ckLang.Checked(), "msgsetfocus"));
}

}  // namespace swl
