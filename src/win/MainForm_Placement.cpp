// TfrmMain: showing and hiding, docking against the taskbar and following
// it, minimise as hide, and the window's transparency.
#include "MainForm.h"

#include <shellapi.h>

#include <optional>

#include "geometry/taskbar_docking.h"
#include "win_rect.h"

namespace swl {
namespace {

constexpr UINT kPosTimerMs = 100;
// The shell's record: 36 bytes in the 32-bit build, 48 in the 64-bit one.
static_assert(sizeof(APPBARDATA) == (sizeof(void*) == 4 ? 36 : 48));

// The taskbar as the shell reports it: its edge and the rectangle of the
// "Shell_TrayWnd" window. Nothing when the shell has no taskbar to report.
// A shell can answer with a taskbar window that has no size (or none at
// all); the rectangle the shell itself reported stands in then, and a
// taskbar without any rectangle counts as none, since docking against an
// empty rectangle would push the window off the screen.
std::optional<TaskbarInfo> QueryTaskbar() {
    APPBARDATA data{};
    data.cbSize = sizeof(data);  // 36 bytes in the 32-bit build
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &data) == 0) return std::nullopt;
    RECT t{};
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr)) GetWindowRect(tray, &t);
    if (IsRectEmpty(&t)) t = data.rc;
    if (IsRectEmpty(&t)) return std::nullopt;
    return TaskbarInfo{data.uEdge, ToRect(t)};
}

void MoveTo(HWND hwnd, Point p) {
    SetWindowPos(hwnd, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TfrmMain::SetLayeredWindowAttributesFn TfrmMain::LookUpSetLayeredWindowAttributes() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<SetLayeredWindowAttributesFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
}

// The hidden application window owns the main window and would otherwise
// carry a taskbar button.
void TfrmMain::HideApplicationWindow() {
    if (HWND owner = GetWindow(hwnd_, GW_OWNER)) {
        ShowWindow(owner, SW_HIDE);
        ShowWindowAsync(owner, SW_HIDE);
    }
}

void TfrmMain::SetPosTimer(bool on) {
    if (on)
        SetTimer(hwnd_, kPosTimer, kPosTimerMs, nullptr);
    else
        KillTimer(hwnd_, kPosTimer);
    posTimerEnabled_ = on;
}

void TfrmMain::miShowClick() {
    // Shown the way it was left: normal or maximised, never minimised.
    ShowWindow(hwnd_, IsZoomed(hwnd_) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    SetPosTimer(true);
}

void TfrmMain::miHideClick() {
    ShowWindow(hwnd_, SW_HIDE);
    SetPosTimer(false);
}

void TfrmMain::FormShow() {
    HideApplicationWindow();
    RECT outer{};
    GetWindowRect(hwnd_, &outer);
    const Size window{outer.right - outer.left, outer.bottom - outer.top};
    const Size screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const std::optional<TaskbarInfo> taskbar = QueryTaskbar();
    MoveTo(hwnd_, DockOnShow(screen, window, taskbar));
    if (!taskbar) return;
    TaskbarRect = ToRECT(taskbar->rect);
    SetPosTimer(true);
}

void TfrmMain::FormClose() {
    SetPosTimer(false);
    // Closing the application's main form ends the main loop; the window
    // itself is destroyed by the main block after the loop.
    if (application_.MainForm() == hwnd_)
        application_.Terminate();
    else
        ShowWindow(hwnd_, SW_HIDE);
}

bool TfrmMain::WMSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != SC_MINIMIZE) return false;
    // Minimise hides: the window would otherwise end up as a taskbar button
    // or an icon on the desktop. PosTimer keeps running.
    ShowWindow(hwnd_, SW_HIDE);
    return true;
}

void TfrmMain::PosTimerTimer() {
    lbPasteAll.SetEnabled(SelectedIndex() >= 0);
    if (!IsWindowVisible(hwnd_)) return;
    RECT current{};
    GetWindowRect(hwnd_, &current);
    const std::optional<TaskbarInfo> taskbar = QueryTaskbar();
    if (!taskbar) return;
    if (const std::optional<Point> moved = FollowTaskbar(ToRect(current), ToRect(TaskbarRect), *taskbar))
        MoveTo(hwnd_, *moved);
    TaskbarRect = ToRECT(taskbar->rect);
}

void TfrmMain::CreateTransparencyBar(HWND settingsPage) {
    if (tbTransparent.Handle()) return;  // made once
    tbTransparent.OnChanging = [this](int position, bool& allow) { tbTransparentChanging(position, allow); };
    // The wheel moves the bar without asking; its position is applied at
    // once so that what is seen is what gets saved.
    tbTransparent.OnChange = [this] {
        bool allow = true;
        tbTransparentChanging(tbTransparent.Position(), allow);
    };
    tbTransparent.Create(settingsPage, 128, 149, TTrackBar::kDefaultWidth, TTrackBar::kDefaultHeight);
    tbTransparent.SetAccessibleName(lbTransparent.PlainText());
    SendMessageW(tbTransparent.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

int TfrmMain::TransparencyPosition() const { return tbTransparent.Position(); }

void TfrmMain::SetTransparencyPosition(int position) {
    tbTransparent.SetPosition(position);
    ApplyAlpha(AlphaForTransparency(tbTransparent.Position()));
}

void TfrmMain::tbTransparentChanging(int newPosition, bool&) {
    ApplyAlpha(AlphaForTransparency(newPosition));
    tbTransparent.SetHint(TransparencyTooltip(newPosition));
}

void TfrmMain::ApplyAlpha(AlphaState state) {
    if (state == alpha_) return;
    alpha_ = state;
    if (!SetLayeredWindowAttributesProc || !hwnd_) return;
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    if (alpha_.layered) {
        if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        SetLayeredWindowAttributesProc(hwnd_, 0, static_cast<BYTE>(alpha_.blend), LWA_ALPHA);
    } else {
        SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

}  // namespace swl
