#include "tray_handlers.h"

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

}  // namespace swl
