// The notification window TfrmTrayWnd and its animator TfrmTimer.
//
// The window is a small borderless, always-on-top window in the bottom-right
// corner of the screen that shows the monitoring state and how full the
// history is. As a notification (ShowForm) it slides up from below the
// screen, holds and slides down again; as a tip (ShowTip) it appears above
// the pointer, holds and vanishes.
//
// The animator paces that movement on its own thread. It decides each step
// with the core's NotificationAnimator, but never touches the window: it
// posts the step (move the top edge, or hide) to the window and waits until
// the window's thread has applied it. The window's thread never waits for
// the animator. A paused animator blocks on an event and does no ticks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "machines/notification_animator.h"
#include "notification_window.h"

namespace swl {

class TMarkupLabel;

class TfrmTimer {
public:
    // The steps posted to the window. wParam: the placement the step was
    // decided for (see Place); lParam: the new top edge (kMsgMoveTop).
    static constexpr UINT kMsgMoveTop = WM_APP + 0x71;
    static constexpr UINT kMsgHide = WM_APP + 0x72;

    // Starts the animator's thread, paused, for the window of that height.
    TfrmTimer(HWND window, int windowHeight);
    // Terminates the animator. The thread is joined when it ends within a
    // short while, and left to end on its own otherwise (it holds its own
    // share of the state), so the window's thread is never held up.
    ~TfrmTimer();
    TfrmTimer(const TfrmTimer&) = delete;
    TfrmTimer& operator=(const TfrmTimer&) = delete;

    // --- the window's thread ---
    void Resume();  // wake; no effect on a running animator
    void Pause();   // reads as paused at once; the ticks stop at the next boundary
    bool IsPaused() const;
    void Terminate();  // for good
    bool IsTerminated() const;

    // The shared flags (Rising, Falling, TipMode, HoldTicks).
    NotificationAnimator& Flags();

    // The window was placed or hidden by its own thread: steps decided for an
    // earlier placement are dropped when they arrive.
    void Place(int top);
    // A step was applied: the window's top edge is now `top`.
    void Moved(int top);
    void SetScreenHeight(int height);
    // Whether a posted step was decided for the current placement.
    bool IsCurrent(WPARAM placement) const;
    // The posted step has been carried out (or dropped): the animator goes on.
    void StepDone();

    // For measurements: the ticks made so far, and the animator thread's id.
    std::uint64_t TickCount() const;
    DWORD ThreadId() const;

private:
    struct Shared;
    static void Run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

// What the notification window reads from the main window at each Reset.
struct TrayWndSource {
    std::function<std::u16string()> StatusCaption;  // the caption of lbStatusHint
    std::function<std::u16string()> CountText;      // such as "5/24"
    std::function<bool()> Vietnamese;               // ckLang is ticked
};

class TfrmTrayWnd final : public NotificationWindow {
public:
    static constexpr const wchar_t* kClassName = L"TfrmTrayWnd";
    static constexpr int kClientWidth = 233;
    static constexpr int kClientHeight = 59;

    explicit TfrmTrayWnd(TrayWndSource source);
    ~TfrmTrayWnd() override;
    TfrmTrayWnd(const TfrmTrayWnd&) = delete;
    TfrmTrayWnd& operator=(const TfrmTrayWnd&) = delete;

    // Creates the window, hidden, owned by `owner` (the application's hidden
    // window, which FormShow keeps hidden: never the main window). `icon` is
    // the picture of imgIcon; null takes MAINICON of the program's module.
    // Runs FormCreate; false when the window cannot be created.
    bool Create(HWND owner, HICON icon = nullptr);
    HWND Handle() const { return hwnd_; }

    // Show as a notification: slide up, hold, slide down. On a showing
    // window only the hold restarts and the texts are refreshed.
    void ShowForm() override;
    // Show as a tip above the pointer: hold, then vanish. On a showing window
    // only the texts are refreshed.
    void ShowTip();
    // Right edge on the screen's right edge; texts from the main window.
    void Reset();

    bool Showing() const;
    // Hides the window at once (Escape, a double click on the tray icon);
    // the caller pauses the animator.
    void Hide();

    // The animator; exists once the window has been created.
    TfrmTimer& frmTimer() { return *frmTimer_; }
    bool HasTimer() const { return frmTimer_ != nullptr; }

    // The texts as shown: the group's caption and the status label.
    std::u16string GroupCaption() const;
    const TMarkupLabel& StatusLabel() const;

    // Window events.
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormKeyPress(wchar_t key);

private:
    struct Components;

    static void RegisterWindowClass();
    template <class Window>
    friend LRESULT CALLBACK WindowObjectProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateComponents();
    void PlaceTop(int top);
    int CurrentTop() const;
    void ApplyStep(UINT msg, WPARAM placement, LPARAM top);
    void WakeUnlessDismissed();
    static int ShowCommand();  // SW_SHOWNORMAL or SW_SHOWNOACTIVATE

    TrayWndSource source_;
    HWND hwnd_ = nullptr;
    HICON icon_ = nullptr;
    bool ownIcon_ = false;
    int left_ = 0;
    std::unique_ptr<Components> components_;
    std::unique_ptr<TfrmTimer> frmTimer_;
};

}  // namespace swl
