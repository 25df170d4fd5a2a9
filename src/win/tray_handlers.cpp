#include "tray_handlers.h"

#include <utility>

#include "TrayForm.h"

namespace swl {

void TrayIcoClick(TfrmTrayWnd& trayWnd) {
    if (!trayWnd.Showing()) trayWnd.ShowTip();
}

void TrayIcoDblClick(TfrmTrayWnd& trayWnd, const std::function<void()>& miShowClick) {
    if (trayWnd.Showing()) {
        trayWnd.Hide();
        if (trayWnd.HasTimer()) trayWnd.frmTimer().Pause();
    }
    if (miShowClick) miShowClick();
}

void TrayIcoMouseMove(TfrmTrayWnd& trayWnd) {
    if (trayWnd.HasTimer() && trayWnd.frmTimer().IsPaused()) trayWnd.ShowTip();
}

void ConnectTrayIcon(TTrayIcon& trayIco, TfrmTrayWnd& trayWnd, std::function<void()> miShowClick) {
    trayIco.OnClick = [&trayWnd](MouseButton, unsigned, POINT) { TrayIcoClick(trayWnd); };
    trayIco.OnDblClick = [&trayWnd, show = std::move(miShowClick)] { TrayIcoDblClick(trayWnd, show); };
    trayIco.OnMouseMove = [&trayWnd](unsigned, POINT) { TrayIcoMouseMove(trayWnd); };
}

}  // namespace swl
