#include "machines/notification_animator.h"

namespace swl {

int NotificationLeft(int screenWidth, int windowWidth) { return screenWidth - windowWidth; }

int TipTop(int pointerY, int windowHeight) { return pointerY - windowHeight - 10; }

bool NotificationAnimator::ShowForm(bool windowShowing) {
    holdTicks_.store(kHoldTicks);
    if (windowShowing) return false;
    rising_.store(true);
    falling_.store(false);
    tipMode_.store(false);
    return true;
}

bool NotificationAnimator::ShowTip(bool windowShowing) {
    if (windowShowing) return false;
    rising_.store(false);
    falling_.store(false);
    tipMode_.store(true);
    holdTicks_.store(kHoldTicks);
    return true;
}

bool NotificationAnimator::Wake() {
    int expected = kPaused;
    return run_.compare_exchange_strong(expected, kRunning);
}

void NotificationAnimator::HideApplied() {
    int expected = kHiding;
    run_.compare_exchange_strong(expected, kPaused);
}

void NotificationAnimator::PauseToHide() {
    // A pause or a wake by the main thread since this tick began wins.
    int expected = kRunning;
    run_.compare_exchange_strong(expected, kHiding);
}

AnimatorStep NotificationAnimator::Tick(int currentTop, int screenHeight, int windowHeight) {
    using Kind = AnimatorStep::Kind;
    if (terminated_.load() || IsPaused()) return {};

    if (falling_.load() && tipMode_.load()) {
        tipMode_.store(false);
        falling_.store(false);
        PauseToHide();
        return {Kind::Hide, currentTop};
    }
    if (falling_.load()) {
        if (currentTop < screenHeight + 1) return {Kind::MoveTo, currentTop + 1};
        falling_.store(false);
        PauseToHide();
        return {Kind::Hide, currentTop};
    }
    if (rising_.load()) {
        if (currentTop > screenHeight - windowHeight - 2) return {Kind::MoveTo, currentTop - 1};
        rising_.store(false);
        return {};
    }
    // Holding. A restart of the hold by the main thread between the read and
    // the decrement wins: the decrement then retries on the new value.
    int hold = holdTicks_.load();
    while (hold > 0) {
        if (holdTicks_.compare_exchange_weak(hold, hold - 1)) return {};
    }
    falling_.store(true);
    return {};
}

}  // namespace swl
