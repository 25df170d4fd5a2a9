// TfrmMain: the tray icon TrayIco and the notification window frmTrayWnd.
// The icon goes into the notification area once the main window has loaded;
// its three events answer with the notification window (tip, dismissal) and
// the Show command.
#include <memory>

#include "MainForm.h"
#include "TrayForm.h"
#include "resource_ids.h"
#include "tray_handlers.h"

namespace swl {
namespace {

// The notification window behind frmTrayWnd, when it is the real one.
TfrmTrayWnd* TrayWndOf(NotificationWindow* window) { return dynamic_cast<TfrmTrayWnd*>(window); }

}  // namespace

void TfrmMain::EnableTrayIcon() {
    if (!hwnd_ || TrayIco.Enabled()) return;
    HICON picture = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"" SWL_RES_TRAYICON, IMAGE_ICON,
                                                  res::kTrayIconSize, res::kTrayIconSize, 0));
    if (picture) {
        TrayIco.SetStaticIcon(picture);  // the icon keeps a copy
        DestroyIcon(picture);
    }
    // The main window measures and draws the owner-drawn items and runs the
    // chosen command. Without a menu the right button clicks like the left.
    TrayIco.SetPopupMenu(pmTray, hwnd_);
    TrayIco.PopupWhenModal = false;
    TrayIco.OnClick = [this](MouseButton, unsigned, POINT) { TrayIcoClick(); };
    TrayIco.OnDblClick = [this] { TrayIcoDblClick(); };
    TrayIco.OnMouseMove = [this](unsigned, POINT) { TrayIcoMouseMove(); };
    TrayIco.SetEnabled(true);
}

void TfrmMain::DisableTrayIcon() { TrayIco.SetEnabled(false); }

void TfrmMain::TrayIcoClick() {
    if (TfrmTrayWnd* trayWnd = TrayWndOf(frmTrayWnd)) swl::TrayIcoClick(*trayWnd);
}

void TfrmMain::TrayIcoDblClick() {
    if (TfrmTrayWnd* trayWnd = TrayWndOf(frmTrayWnd))
        swl::TrayIcoDblClick(*trayWnd, [this] { miShowClick(); });
    else
        miShowClick();
}

void TfrmMain::TrayIcoMouseMove() {
    if (TfrmTrayWnd* trayWnd = TrayWndOf(frmTrayWnd)) swl::TrayIcoMouseMove(*trayWnd);
}

std::unique_ptr<NotificationWindow> CreateNotificationWindow(TfrmMain& frmMain) {
    TrayWndSource source;
    source.StatusCaption = [&frmMain] { return frmMain.lbStatusHint.Caption(); };
    source.CountText = [&frmMain] { return frmMain.pbCBItems.LightText(); };
    source.Vietnamese = [&frmMain] { return frmMain.ckLang.Checked(); };
    auto window = std::make_unique<TfrmTrayWnd>(std::move(source));
    // Owned by the application's hidden window, never by the main window:
    // hiding the main window must not take the notification with it.
    if (!window->Create(frmMain.Application().Handle())) return nullptr;
    return window;
}

}  // namespace swl
