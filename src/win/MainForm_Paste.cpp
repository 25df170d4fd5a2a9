// TfrmMain: remembering the window the user worked in before turning to the
// program, and pasting into it. While the program is not active FocusTimer
// samples the foreground window; activating the program stops the sampling,
// so the last sample is the window Paste types Ctrl+V into.
#include "MainForm.h"

#include <algorithm>

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

// Waits up to timeoutMs for done(), answering meanwhile the messages other
// threads and programs send to this thread: the clipboard viewers after this
// one in the chain wait for its answer to every notification. Posted
// messages and input stay queued for the main loop, so no command of the
// program runs in the middle of the paste.
template <class Done>
void WaitAnsweringSentMessages(DWORD timeoutMs, Done done) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return;
        // Wakes at once for a sent message; otherwise looks again in 5 ms.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(5, timeoutMs - elapsed), QS_SENDMESSAGE);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// SetForegroundWindow only asks the target's thread to activate its window;
// until that thread has done so it has no focus window, and keys typed
// meanwhile reach no one. Waits, boundedly, until the target's thread has
// an active window in front.
void WaitUntilInFront(HWND target) {
    const DWORD thread = GetWindowThreadProcessId(target, nullptr);
    WaitAnsweringSentMessages(kTargetWaitMs, [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(thread, &info) && info.hwndActive && GetForegroundWindow() == info.hwndActive;
    });
}

// Taking the front back before the target has read its keys would lose
// them: the target's deactivation is a sent message, handled before the
// input still queued for it, so the keys would reach no focus window. With
// this thread's input attached to the target's, the two share one key
// state, which follows the keys as the target reads them: V toggled and
// Ctrl released again means the whole chord has been read, and the
// character its translation posted came before the Ctrl release. A round
// trip then lets the target finish with it. Without SMTO_BLOCK the messages
// sent to this thread are answered while it waits.
class KeysReadByTarget {
public:
    explicit KeysReadByTarget(HWND target)
        : target_(target), thread_(GetWindowThreadProcessId(target, nullptr)),
          attached_(thread_ && thread_ != GetCurrentThreadId() && AttachThreadInput(GetCurrentThreadId(), thread_, TRUE)),
          vToggle_(GetKeyState(kKeyV) & 1) {}
    KeysReadByTarget(const KeysReadByTarget&) = delete;
    KeysReadByTarget& operator=(const KeysReadByTarget&) = delete;
    ~KeysReadByTarget() {
        if (attached_) AttachThreadInput(GetCurrentThreadId(), thread_, FALSE);
    }

    void Wait() {
        if (attached_)
            WaitAnsweringSentMessages(kTargetWaitMs, [&] {
                return (GetKeyState(kKeyV) & 1) != vToggle_ && GetKeyState(VK_CONTROL) >= 0;
            });
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(target_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kTargetWaitMs, &ignored);
    }

private:
    HWND target_;
    DWORD thread_;
    bool attached_;
    SHORT vToggle_;
};

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
    KeysReadByTarget read(target);
    Key(VK_CONTROL, 0);
    Key(kKeyV, 0);
    Key(kKeyV, KEYEVENTF_KEYUP);
    Key(VK_CONTROL, KEYEVENTF_KEYUP);
    read.Wait();
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
