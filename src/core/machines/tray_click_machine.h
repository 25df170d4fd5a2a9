// The tray icon's mouse handling: which notification messages become clicks,
// double clicks, pointer moves or the menu. A single click is reported only
// after the double-click time has passed without a further button message,
// so that a double click gives OnDblClick and no OnClick. The machine answers
// actions; the icon's window carries them out (window timer, events, menu).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/rect.h"

namespace swl {

enum class TrayMouse {
    Move,
    LeftDown, LeftUp, LeftDoubleClick,
    RightDown, RightUp, RightDoubleClick,
    MiddleDown, MiddleUp, MiddleDoubleClick,
};

// The mouse message carried in the callback's lParam (WM_MOUSEMOVE 0x200 to
// WM_MBUTTONDBLCLK 0x209); anything else goes to the default window procedure.
std::optional<TrayMouse> TrayMouseFromMessage(std::uint32_t message);

enum class MouseButton { Left, Right, Middle };

// Shift state bits as the icon's events report them.
enum TrayShift : unsigned {
    kShiftKey = 1u << 0,
    kAltKey = 1u << 1,
    kCtrlKey = 1u << 2,
    kLeftButton = 1u << 3,
    kRightButton = 1u << 4,
    kMiddleButton = 1u << 5,
};

unsigned ShiftBitFor(MouseButton button);

struct TrayClickContext {
    bool modalShowing = false;           // a modal window of the program is up
    bool popupWhenModal = false;
    bool menuAvailable = true;           // menu set, auto-popup on, icon enabled
    bool hasDblClickHandler = true;      // OnDblClick is assigned
    bool hasEnabledDefaultItem = false;  // the menu's default item, enabled
};

struct TrayAction {
    enum class Kind {
        StartClickTimer,   // start the pending-click timer (the double-click time)
        CancelClickTimer,  // stop it; nothing is reported
        RaiseClick,        // OnClick(button, shift, position)
        RaiseDblClick,     // OnDblClick
        RaiseMouseMove,    // OnMouseMove(shift, position)
        OpenMenu,          // pop the menu up at `position`
        ClickDefaultItem,  // run the menu's default item
    };
    Kind kind;
    MouseButton button = MouseButton::Left;
    unsigned shift = 0;
    Point position;
    friend bool operator==(const TrayAction&, const TrayAction&) = default;
};

class TrayClickMachine {
public:
    // One mouse notification with the key state (kShiftKey | kAltKey | kCtrlKey)
    // and the screen position read when it arrived.
    std::vector<TrayAction> OnMouse(TrayMouse message, unsigned keys, Point position,
                                    const TrayClickContext& context);

    // The pending-click timer fired: stop it and report the stored click.
    std::vector<TrayAction> OnClickTimer();

    bool LeftHeld() const { return leftHeld_; }
    bool RightHeld() const { return rightHeld_; }
    bool ClickPending() const { return pending_.has_value(); }

private:
    struct PendingClick {
        MouseButton button;
        unsigned shift;
        Point position;
    };

    void CancelPending(std::vector<TrayAction>& out);
    void Click(MouseButton button, unsigned keys, Point position, const TrayClickContext& context,
               std::vector<TrayAction>& out);

    bool leftHeld_ = false;
    bool rightHeld_ = false;
    std::optional<PendingClick> pending_;
};

}  // namespace swl
