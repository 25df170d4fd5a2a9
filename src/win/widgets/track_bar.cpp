#include "widgets/track_bar.h"

#include <oleacc.h>
#include "wide_text.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "widgets/offscreen_surface.h"

namespace swl {
namespace {

// A press on the track waits this long before it repeats, then repeats at
// the shorter interval, as a scroll bar does.
constexpr UINT kFirstRepeatMs = 300;
constexpr UINT kRepeatMs = 100;

// The channel the thumb runs along and the thumb's box, in a 25-pixel bar.
constexpr int kChannelTop = 8;
constexpr int kChannelBottom = 12;
constexpr int kThumbTop = 2;
constexpr int kThumbBottom = 19;
constexpr int kTickTop = 20;
constexpr int kTickBottom = 23;

void FrameBlack(HDC dc, const RECT& r) {
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FrameRect(dc, &r, black);
}

}  // namespace

TTrackBar::~TTrackBar() {
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

bool TTrackBar::Create(HWND parent, int x, int y, int width, int height, int id) {
    RegisterWidgetClass(kClassName, nullptr, CS_HREDRAW | CS_VREDRAW);
    if (!CreateChild(kClassName, parent, x, y, width, height, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, id))
        return false;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (tooltip_) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Handle());
        tool.lpszText = const_cast<wchar_t*>(Wide(hint_));
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        UpdateToolTip();
    }
    return true;
}

void TTrackBar::SetPosition(int position) {
    const int p = ClampTrackPosition(range_, position);
    if (p == position_) return;
    position_ = p;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TTrackBar::SetHint(std::u16string hint) {
    if (hint == hint_) return;
    hint_ = std::move(hint);
    UpdateToolTip();
}

void TTrackBar::UpdateToolTip() {
    if (!tooltip_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    tool.lpszText = const_cast<wchar_t*>(Wide(hint_));
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_ACTIVATE, hint_.empty() ? FALSE : TRUE, 0);
}

int TTrackBar::ClientWidth() const {
    RECT client{};
    if (Handle()) GetClientRect(Handle(), &client);
    return client.right - client.left;
}

RECT TTrackBar::ThumbRect() const {
    const int centre = TrackThumbCenter(range_, ClientWidth(), position_);
    return RECT{centre - kThumbHalfWidth, kThumbTop, centre + kThumbHalfWidth, kThumbBottom};
}

bool TTrackBar::ChangeTo(int position) {
    const int p = ClampTrackPosition(range_, position);
    if (p == position_) return false;
    bool allow = true;
    if (OnChanging) OnChanging(p, allow);
    if (!allow) return false;
    Taken(p);
    return true;
}

void TTrackBar::Taken(int position) {
    SetPosition(position);
    if (Handle()) UpdateWindow(Handle());
    if (OnChange) OnChange();
}

void TTrackBar::PageStepTowardPointer() {
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(Handle(), &at);
    const RECT thumb = ThumbRect();
    // The thumb has reached the pointer: it stays while the button is held.
    if (at.x >= thumb.left && at.x < thumb.right) return;
    pageTarget_ = TrackPositionForDrag(range_, ClientWidth(), at.x);
    ChangeTo(TrackPositionForPageStep(range_, position_, pageTarget_));
}

void TTrackBar::StopTracking() {
    if (tracking_ == Tracking::Page) KillTimer(Handle(), kRepeatTimer);
    tracking_ = Tracking::None;
}

void TTrackBar::Paint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const int width = client.right;
    const bool focused = GetFocus() == Handle();

    // The channel: a black line box from one inset to the other.
    RECT channel{kTrackBarInset - 1, kChannelTop, width - kTrackBarInset + 1, kChannelBottom};
    FillRect(dc, &channel, GetSysColorBrush(COLOR_WINDOW));
    FrameBlack(dc, channel);

    // A tick under every position (frequency 1).
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    int lastX = -1;
    for (int p = range_.min; p <= range_.max; ++p) {
        const int x = TrackThumbCenter(range_, width, p);
        if (x == lastX) continue;
        lastX = x;
        MoveToEx(dc, x, kTickTop, nullptr);
        LineTo(dc, x, p == range_.min || p == range_.max ? kTickBottom + 1 : kTickBottom);
    }
    SelectObject(dc, oldPen);

    // The thumb: a box, raised-outer while the bar has the focus, raised
    // otherwise, inside a black line.
    RECT thumb = ThumbRect();
    FillRect(dc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
    FrameBlack(dc, thumb);
    RECT inner = thumb;
    InflateRect(&inner, -1, -1);
    DrawEdge(dc, &inner, focused ? BDR_RAISEDOUTER : EDGE_RAISED, BF_RECT);

    if (focused) {
        RECT focus = client;
        DrawFocusRect(dc, &focus);
    }
}

bool TTrackBar::DescribeAccessible(int child, AccessibleElement& element) const {
    if (child != 0 || !Handle()) return false;
    element.name = accessibleName_;
    const std::string value = std::to_string(position_);
    element.value.assign(value.begin(), value.end());
    element.role = ROLE_SYSTEM_SLIDER;
    element.state = STATE_SYSTEM_FOCUSABLE | (GetFocus() == Handle() ? STATE_SYSTEM_FOCUSED : 0) |
                    (IsWindowEnabled(Handle()) ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                    (IsWindowVisible(Handle()) ? 0 : STATE_SYSTEM_INVISIBLE);
    element.screen = ScreenRectOf(Handle());
    return true;
}

int TTrackBar::AccessibleFocus() const { return Handle() && GetFocus() == Handle() ? 0 : -1; }

LRESULT TTrackBar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETOBJECT:
        if (const LRESULT answer = accessible_.Answer(Handle(), wParam, lParam)) return answer;
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT client{};
        GetClientRect(Handle(), &client);
        OffscreenSurface surface(dc, client.right, client.bottom);
        if (surface.Ok()) {
            Paint(surface.Dc());
            BitBlt(dc, 0, 0, client.right, client.bottom, surface.Dc(), 0, 0, SRCCOPY);
        } else {
            Paint(dc);
        }
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_KEYDOWN: {
        TrackBarKey key;
        switch (wParam) {
        case VK_LEFT: key = TrackBarKey::Left; break;
        case VK_RIGHT: key = TrackBarKey::Right; break;
        case VK_UP: key = TrackBarKey::Up; break;
        case VK_DOWN: key = TrackBarKey::Down; break;
        case VK_PRIOR: key = TrackBarKey::PageUp; break;
        case VK_NEXT: key = TrackBarKey::PageDown; break;
        case VK_HOME: key = TrackBarKey::Home; break;
        case VK_END: key = TrackBarKey::End; break;
        default: return DefWindowProcW(Handle(), msg, wParam, lParam);
        }
        ChangeTo(TrackPositionForKey(range_, position_, key));
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        SetFocus(Handle());
        StopTracking();
        const int x = GET_X_LPARAM(lParam);
        const RECT thumb = ThumbRect();
        SetCapture(Handle());
        if (x >= thumb.left && x < thumb.right) {
            tracking_ = Tracking::Thumb;
        } else {
            tracking_ = Tracking::Page;
            pageTarget_ = TrackPositionForDrag(range_, ClientWidth(), x);
            ChangeTo(TrackPositionForPageStep(range_, position_, pageTarget_));
            SetTimer(Handle(), kRepeatTimer, kFirstRepeatMs, nullptr);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (tracking_ == Tracking::Thumb)
            ChangeTo(TrackPositionForDrag(range_, ClientWidth(), GET_X_LPARAM(lParam)));
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer) {
            if (tracking_ != Tracking::Page) {
                KillTimer(Handle(), kRepeatTimer);
                return 0;
            }
            SetTimer(Handle(), kRepeatTimer, kRepeatMs, nullptr);
            PageStepTowardPointer();
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        StopTracking();
        if (GetCapture() == Handle()) ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        StopTracking();
        return 0;
    case WM_MOUSEWHEEL: {
        wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(wParam);
        const int notches = wheelRemainder_ / WHEEL_DELTA;
        wheelRemainder_ -= notches * WHEEL_DELTA;
        if (notches == 0) return 0;
        UINT lines = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        const int perNotch = lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(std::min<UINT>(lines, 10000));
        const int p = TrackPositionForWheel(range_, position_, notches, perNotch);
        if (p != position_) Taken(p);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(Handle(), msg, wParam, lParam);
}

}  // namespace swl
