// The notification window's animator: the flags shared between the main
// thread and the animator thread, and the decision of each tick. The
// animator never touches the window; Tick answers the step to carry out and
// the window's thread applies it (move the window's top, or hide it).
//
// Main thread, showing as a notification:
//   const bool place = anim.ShowForm(showing);   // restarts the hold
//   refresh the texts; if (place) { top = screen height; show the window; }
//   process pending messages; anim.Wake();
// As a tip: the same with ShowTip, placing the window at TipTop().
// Animator thread:
//   while (!anim.IsTerminated()) {
//       while paused, block until the main thread wakes or terminates it;
//       hand Tick(top, screenHeight, windowHeight) to the main thread, wait
//       until it is applied, then sleep 1 ms;
//   }
// The blocking is the front end's: it signals its thread after Wake and
// Terminate.
//
// Every shared value is an atomic; no call of the main thread waits for the
// animator.
#pragma once

#include <atomic>

namespace swl {

struct AnimatorStep {
    enum class Kind {
        None,   // nothing to do to the window this tick
        MoveTo, // set the window's top edge to `top`
        Hide,   // hide the window if it is showing (the animator has paused)
    };
    Kind kind = Kind::None;
    int top = 0;
    friend bool operator==(const AnimatorStep&, const AnimatorStep&) = default;
};

// Horizontal place of the window: its right edge on the screen's right edge.
int NotificationLeft(int screenWidth, int windowWidth);

// A tip's top edge: its bottom edge 10 pixels above the pointer. Not clamped.
int TipTop(int pointerY, int windowHeight);

class NotificationAnimator {
public:
    static constexpr int kHoldTicks = 500;

    // --- main thread ---

    // Restarts the hold. When the window is not showing, arms a rise from
    // below the screen and answers true: the caller places the window's top at
    // the screen height and shows it. The caller wakes the animator last.
    bool ShowForm(bool windowShowing);

    // When the window is not showing, arms a tip (held in place, then hidden
    // without sliding) and answers true: the caller places it at TipTop() and
    // shows it. A showing window is left as it is. The caller wakes last.
    bool ShowTip(bool windowShowing);

    // Escape, or a double click on the tray icon: the caller hides the window;
    // the animator stops at the next tick boundary.
    void Dismiss() { Pause(); }

    // Clears the paused state of a paused animator. An animator that paused
    // itself to hide the window stays paused until the hide has been carried
    // out (HideApplied): a request in between finds the window still showing,
    // and waking then would time a hidden window. Answers whether it woke.
    bool Wake();
    void Pause() { run_.store(kPaused); }
    bool IsPaused() const { return run_.load() != kRunning; }
    // The window's thread has carried out (or dropped) a Hide step.
    void HideApplied();
    // For good: no further ticks.
    void Terminate() { terminated_.store(true); }
    bool IsTerminated() const { return terminated_.load(); }

    bool Rising() const { return rising_.load(); }
    bool Falling() const { return falling_.load(); }
    bool TipMode() const { return tipMode_.load(); }
    int HoldTicks() const { return holdTicks_.load(); }

    // --- animator side ---

    // One decision. A paused or terminated animator answers None and changes
    // nothing. Hiding pauses the animator until the hide is applied.
    AnimatorStep Tick(int currentTop, int screenHeight, int windowHeight);

private:
    void PauseToHide();

    std::atomic<bool> rising_{false};
    std::atomic<bool> falling_{false};
    std::atomic<bool> tipMode_{false};
    std::atomic<int> holdTicks_{kHoldTicks};
    // Running, paused, or paused with a Hide step on its way to the window:
    // one value, so that a wake cannot slip in between the decision to hide
    // and the pause.
    static constexpr int kRunning = 0;
    static constexpr int kPaused = 1;
    static constexpr int kHiding = 2;
    std::atomic<int> run_{kPaused};  // created paused
    std::atomic<bool> terminated_{false};
};

}  // namespace swl
