// TfrmMain: the places later parts of the program fill in. Each does the
// least that keeps the program honest until then; the comment on each says
// what it stands in for.
#include "MainForm.h"
#include "SWLLang.h"

namespace swl {

// The settings file SWL.ini does not exist yet: every start applies the
// defaults of a missing file, and a missing file means a first run, which
// shows the main window. Replaced by the load of the settings file, which
// also restores transparency, page and the saved history.
void TfrmMain::LoadSettings() {
    ApplyDefaultSettings();
    ShowWindow(hwnd_, SW_SHOWNORMAL);
}

// Nothing is saved until the settings file exists. Called by FormDestroy
// after the window has left the viewer chain.
void TfrmMain::SaveSettings() {}

// Brings each settings box into its default state the way the load does:
// set it to the opposite, then click it, so each box's handler runs once, in
// the load's order.
void TfrmMain::ApplyDefaultSettings() {
    struct Default {
        TCheckBox& box;
        bool value;
    };
    const Default defaults[] = {
        {ckAutoLoad, false}, {ckMonitor, true}, {ckRestoreCB, false}, {ckSave, false}, {ckLang, false},
    };
    for (const auto& d : defaults) {
        d.box.SetChecked(!d.value);
        d.box.Click();
    }
}

// Auto-start registration comes with the registry part; until then the box
// changes nothing outside the program.
void TfrmMain::ckAutoLoadClick() {}

// "Restore Clipboard when start" is offered only while "Save on Exit" is on.
void TfrmMain::ckSaveClick() {
    const bool save = ckSave.Checked();
    if (!save) ckRestoreCB.SetChecked(false);
    EnableWindow(ckRestoreCB.Handle(), save);
}

// The language walk re-captions the whole window; until it exists only the
// status caption follows the language.
void TfrmMain::ckLangClick() { SetStatusCaption(ckMonitor.Checked() ? "statactive" : "statdeactive"); }
void TfrmMain::ApplyLanguage() {}

// Hiding also stops the position timer once placement exists.
void TfrmMain::miHideClick() { ShowWindow(hwnd_, SW_HIDE); }
void TfrmMain::miShowClick() { ShowWindow(hwnd_, SW_SHOW); }
// Docking against the taskbar comes with placement.
void TfrmMain::FormShow() {}
// Minimise keeps its default until placement hides instead.
bool TfrmMain::WMSysCommand(WPARAM) { return false; }
void TfrmMain::PosTimerTimer() {}
void TfrmMain::CreateTransparencyBar(HWND) {}
int TfrmMain::TransparencyPosition() const { return seamTransparency_; }
void TfrmMain::SetTransparencyPosition(int position) { seamTransparency_ = position; }

// The page area: its index is kept until the pages exist.
int TfrmMain::PageIndex() const { return seamPageIndex_; }
void TfrmMain::SetPageIndex(int index) { seamPageIndex_ = index; }
void TfrmMain::lbShowAllClick() { SetPageIndex(0); }
void TfrmMain::lbSettingsClick() { SetPageIndex(1); }
void TfrmMain::lbAboutClick() { SetPageIndex(2); }
void TfrmMain::lbAboutDetailLinkClick(const std::u16string&) {}
void TfrmMain::FormResize() {}

// The menus draw as the system draws them until they are owner-drawn.
bool TfrmMain::MenuMeasureItem(MEASUREITEMSTRUCT&) { return false; }
bool TfrmMain::MenuDrawItem(const DRAWITEMSTRUCT&) { return false; }

// The tray icon's events.
void TfrmMain::TrayIcoClick() {}
void TfrmMain::TrayIcoDblClick() {}
void TfrmMain::TrayIcoMouseMove() {}
void TfrmMain::FocusTimerTimer() {}

// Paste puts the item on the clipboard like Copy to Clipboard; typing it
// into the window that had the focus comes with the focus tracking.
void TfrmMain::miPasteClick() { miCopyClick(); }

// Focus tracking starts and stops here once it exists.
void TfrmMain::FormActivate() {}
void TfrmMain::FormDeactivate() {}

// Closing the application's main form ends the main loop; the window itself
// is destroyed by the main block after the loop.
void TfrmMain::FormClose() {
    if (application_.MainForm() == hwnd_)
        application_.Terminate();
    else
        ShowWindow(hwnd_, SW_HIDE);
}

// The notification window does not exist yet.
std::unique_ptr<NotificationWindow> CreateNotificationWindow(TfrmMain&) { return nullptr; }

}  // namespace swl
