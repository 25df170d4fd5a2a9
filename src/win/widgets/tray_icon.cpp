#include "widgets/tray_icon.h"

#include <shellapi.h>
#include <windowsx.h>

#include "window_object.h"
#include "message_pump.h"
#include "widgets/modal_state.h"

namespace swl {
namespace {

constexpr UINT kRecordFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
static_assert(kRecordFlags == 7);

#ifndef _WIN64
// The two records the shell knows from this program's systems.
static_assert(NOTIFYICONDATAA_V1_SIZE == 88);
static_assert(NOTIFYICONDATAA_V2_SIZE == 488);
#endif

// The shell announces a new taskbar with this broadcast.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void RegisterUtilityClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = TTrayIcon::kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

unsigned KeyState() {
    unsigned keys = 0;
    if (GetKeyState(VK_SHIFT) < 0) keys |= kShiftKey;
    if (GetKeyState(VK_MENU) < 0) keys |= kAltKey;
    if (GetKeyState(VK_CONTROL) < 0) keys |= kCtrlKey;
    return keys;
}

// Where the notification happened: the message's own position when it lies
// on the shell's notification area, the pointer otherwise.
POINT NotificationPosition() {
    const DWORD pos = GetMessagePos();
    POINT pt{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    RECT area{};
    if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr)) {
        if (HWND notify = FindWindowExA(tray, nullptr, "TrayNotifyWnd", nullptr)) GetWindowRect(notify, &area);
    }
    if (!PtInRect(&area, pt)) GetCursorPos(&pt);
    return pt;
}

POINT ToPoint(Point p) { return {p.x, p.y}; }

}  // namespace

TTrayIcon::TTrayIcon() { TaskbarCreatedMessage(); }

TTrayIcon::~TTrayIcon() {
    *alive_ = false;
    SetEnabled(false);
    if (staticIcon_) DestroyIcon(staticIcon_);
}

DWORD TTrayIcon::RecordSize() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    const bool nt5 = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                     version.dwMajorVersion >= 5;
    return nt5 ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE;
}

void TTrayIcon::SetEnabled(bool on) {
    if (on == Enabled()) return;
    if (on) {
        CreateUtilityWindow();
        if (!hwnd_) return;
        AddIcon();
        displayed_ = staticIcon_;
        Notify(NIM_MODIFY);
    } else {
        RemoveIcon();
        DestroyUtilityWindow();
    }
}

void TTrayIcon::SetStaticIcon(HICON icon) {
    HICON old = staticIcon_;
    staticIcon_ = icon ? CopyIcon(icon) : nullptr;
    if (displayed_ == old) {
        displayed_ = staticIcon_;
        if (added_) Notify(NIM_MODIFY);
    }
    if (old) DestroyIcon(old);
}

void TTrayIcon::SetPopupMenu(HMENU menu, HWND owner) {
    menu_ = menu;
    menuOwner_ = owner;
}

void TTrayIcon::CreateUtilityWindow() {
    RegisterUtilityClass(&WindowObjectProc<TTrayIcon>);
    // A hidden top-level window: it must be top-level to hear the shell's
    // "TaskbarCreated" broadcast.
    CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    GetModuleHandleW(nullptr), this);
}

void TTrayIcon::DestroyUtilityWindow() {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    KillTimer(hwnd, kClickTimerId);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
}

bool TTrayIcon::Notify(DWORD message) {
    NOTIFYICONDATAA data{};
    data.cbSize = RecordSize();
    data.hWnd = hwnd_;
    data.uID = kIconID;
    data.uFlags = kRecordFlags;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = displayed_;
    data.szTip[0] = '\0';  // no shell tooltip: hovering shows the notification window
    return Shell_NotifyIconA(message, &data) != FALSE;
}

void TTrayIcon::AddIcon() {
    // In place as far as the program is concerned, whatever the shell says: a
    // refused add is repaired by the next "TaskbarCreated".
    lastAddAccepted_ = Notify(NIM_ADD);
    added_ = true;
}

void TTrayIcon::RemoveIcon() {
    if (!hwnd_) return;
    NOTIFYICONDATAA data{};
    data.cbSize = RecordSize();
    data.hWnd = hwnd_;
    data.uID = kIconID;
    Shell_NotifyIconA(NIM_DELETE, &data);
    added_ = false;
}

LRESULT TTrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TaskbarCreatedMessage() && msg != 0) {
        if (added_) {
            added_ = false;
            AddIcon();
        }
        return 0;
    }
    switch (msg) {
        case kCallbackMessage:
            if (!TrayMouseFromMessage(static_cast<std::uint32_t>(lParam))) break;
            Callback(lParam);
            return 0;
        case WM_TIMER:
            if (wParam != kClickTimerId) break;
            Carry(machine_.OnClickTimer());
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        // The menu's owner draws and measures its items.
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_INITMENUPOPUP:
        case WM_MENUSELECT:
        case WM_MENUCHAR:
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_UNINITMENUPOPUP:
            if (inMenu_ && menuOwner_ && IsWindow(menuOwner_)) return ForwardToOwner(msg, wParam, lParam);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT TTrayIcon::ForwardToOwner(UINT msg, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(menuOwner_, msg, wParam, lParam);
}

TrayClickContext TTrayIcon::Context() const {
    TrayClickContext context;
    context.modalShowing = IsModalDialogShowing();
    context.popupWhenModal = PopupWhenModal;
    context.menuAvailable = menu_ != nullptr && Enabled();
    context.hasDblClickHandler = static_cast<bool>(OnDblClick);
    // GetMenuDefaultItem skips a disabled default item without GMDI_USEDISABLED.
    context.hasEnabledDefaultItem = menu_ && GetMenuDefaultItem(menu_, FALSE, 0) != static_cast<UINT>(-1);
    return context;
}

void TTrayIcon::Callback(LPARAM mouseMessage) {
    const auto message = TrayMouseFromMessage(static_cast<std::uint32_t>(mouseMessage));
    if (!message) return;
    const POINT pt = NotificationPosition();
    Carry(machine_.OnMouse(*message, KeyState(), Point{pt.x, pt.y}, Context()));
}

void TTrayIcon::Carry(const std::vector<TrayAction>& actions) {
    const std::shared_ptr<bool> alive = alive_;
    for (const TrayAction& action : actions) {
        if (!*alive || !hwnd_) return;  // a handler ended the icon
        switch (action.kind) {
            case TrayAction::Kind::StartClickTimer:
                SetTimer(hwnd_, kClickTimerId, GetDoubleClickTime(), nullptr);
                break;
            case TrayAction::Kind::CancelClickTimer:
                KillTimer(hwnd_, kClickTimerId);
                break;
            case TrayAction::Kind::RaiseClick:
                if (OnClick) OnClick(action.button, action.shift, ToPoint(action.position));
                break;
            case TrayAction::Kind::RaiseDblClick:
                if (OnDblClick) OnDblClick();
                break;
            case TrayAction::Kind::RaiseMouseMove:
                if (OnMouseMove) OnMouseMove(action.shift, ToPoint(action.position));
                break;
            case TrayAction::Kind::OpenMenu:
                OpenMenu(ToPoint(action.position));
                break;
            case TrayAction::Kind::ClickDefaultItem: {
                const UINT item = GetMenuDefaultItem(menu_, FALSE, 0);
                if (item != static_cast<UINT>(-1) && menuOwner_)
                    PostMessageW(menuOwner_, WM_COMMAND, MAKEWPARAM(item, 0), 0);
                break;
            }
        }
    }
}

void TTrayIcon::OpenMenu(POINT position) {
    if (!menu_ || inMenu_) return;
    const std::shared_ptr<bool> alive = alive_;
    // End any mouse capture of the active window before the menu takes over.
    HWND active = GetActiveWindow();
    if (!active) active = menuOwner_;
    if (active) SendMessageW(active, WM_CANCELMODE, 0, 0);
    // The menu closes on a click elsewhere only when its window is in front.
    if (IsWindowEnabled(hwnd_)) SetForegroundWindow(hwnd_);
    ProcessPendingMessages();
    if (!*alive || !hwnd_) return;
    inMenu_ = true;
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, position.x, position.y, 0,
        hwnd_, nullptr));
    if (!*alive) return;
    inMenu_ = false;
    if (!hwnd_) return;
    if (IsWindowEnabled(hwnd_)) SetForegroundWindow(hwnd_);
    // The command runs from the main loop, as a menu's command does, so a
    // command that ends the program does not pull the icon away under us.
    if (command != 0 && menuOwner_) PostMessageW(menuOwner_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

}  // namespace swl
