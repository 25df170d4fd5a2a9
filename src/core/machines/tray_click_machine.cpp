#include "machines/tray_click_machine.h"

namespace swl {
namespace {

TrayAction Plain(TrayAction::Kind kind) { return {kind, MouseButton::Left, 0, {}}; }

TrayAction WithInput(TrayAction::Kind kind, MouseButton button, unsigned shift, Point position) {
    return {kind, button, shift, position};
}

}  // namespace

std::optional<TrayMouse> TrayMouseFromMessage(std::uint32_t message) {
    switch (message) {
        case 0x200: return TrayMouse::Move;
        case 0x201: return TrayMouse::LeftDown;
        case 0x202: return TrayMouse::LeftUp;
        case 0x203: return TrayMouse::LeftDoubleClick;
        case 0x204: return TrayMouse::RightDown;
        case 0x205: return TrayMouse::RightUp;
        case 0x206: return TrayMouse::RightDoubleClick;
        case 0x207: return TrayMouse::MiddleDown;
        case 0x208: return TrayMouse::MiddleUp;
        case 0x209: return TrayMouse::MiddleDoubleClick;
        default: return std::nullopt;
    }
}

unsigned ShiftBitFor(MouseButton button) {
    switch (button) {
        case MouseButton::Left: return kLeftButton;
        case MouseButton::Right: return kRightButton;
        case MouseButton::Middle: return kMiddleButton;
    }
    return 0;
}

void TrayClickMachine::CancelPending(std::vector<TrayAction>& out) {
    if (!pending_) return;
    pending_.reset();
    out.push_back(Plain(TrayAction::Kind::CancelClickTimer));
}

void TrayClickMachine::Click(MouseButton button, unsigned keys, Point position,
                             const TrayClickContext& context, std::vector<TrayAction>& out) {
    const unsigned shift = keys | ShiftBitFor(button);
    if (context.hasDblClickHandler || context.hasEnabledDefaultItem) {
        // Wait and see whether this becomes a double click.
        pending_ = PendingClick{button, shift, position};
        out.push_back(Plain(TrayAction::Kind::StartClickTimer));
        return;
    }
    out.push_back(WithInput(TrayAction::Kind::RaiseClick, button, shift, position));
}

std::vector<TrayAction> TrayClickMachine::OnMouse(TrayMouse message, unsigned keys,
                                                  Point position,
                                                  const TrayClickContext& context) {
    using Kind = TrayAction::Kind;
    std::vector<TrayAction> out;
    if (message == TrayMouse::Move) {
        out.push_back(WithInput(Kind::RaiseMouseMove, MouseButton::Left, keys, position));
        return out;
    }
    CancelPending(out);
    switch (message) {
        case TrayMouse::Move:
            break;
        case TrayMouse::LeftDown:
            leftHeld_ = true;
            break;
        case TrayMouse::LeftUp:
            if (leftHeld_) {
                leftHeld_ = false;
                Click(MouseButton::Left, keys, position, context, out);
            }
            break;
        case TrayMouse::LeftDoubleClick:
            if (!context.popupWhenModal && context.modalShowing) break;
            if (context.hasEnabledDefaultItem) {
                out.push_back(Plain(Kind::ClickDefaultItem));
                break;
            }
            out.push_back(Plain(Kind::RaiseDblClick));
            break;
        case TrayMouse::RightDown:
            rightHeld_ = true;
            break;
        case TrayMouse::RightUp:
            if (rightHeld_) {
                rightHeld_ = false;
                const bool menuOpens =
                    context.menuAvailable && (context.popupWhenModal || !context.modalShowing);
                if (menuOpens)
                    out.push_back(WithInput(Kind::OpenMenu, MouseButton::Right, keys, position));
                else
                    Click(MouseButton::Right, keys, position, context, out);
            }
            break;
        case TrayMouse::RightDoubleClick:
        case TrayMouse::MiddleDoubleClick:
            out.push_back(Plain(Kind::RaiseDblClick));
            break;
        case TrayMouse::MiddleDown:
            break;
        case TrayMouse::MiddleUp:
            Click(MouseButton::Middle, keys, position, context, out);
            break;
    }
    return out;
}

std::vector<TrayAction> TrayClickMachine::OnClickTimer() {
    std::vector<TrayAction> out;
    out.push_back(Plain(TrayAction::Kind::CancelClickTimer));
    if (pending_) {
        const PendingClick click = *pending_;
        pending_.reset();
        out.push_back(WithInput(TrayAction::Kind::RaiseClick, click.button, click.shift, click.position));
    }
    return out;
}

}  // namespace swl
