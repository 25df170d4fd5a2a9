// The program's answers to the tray icon: a click or hovering shows the
// notification window as a tip, a double click dismisses it and opens the
// main window.
#pragma once

#include <functional>

namespace swl {

class TfrmTrayWnd;

// Any button: the tip, unless the notification window is showing.
void TrayIcoClick(TfrmTrayWnd& trayWnd);
// A showing notification window is hidden and its animator paused; then the
// Show command runs (miShowClick of the main window).
void TrayIcoDblClick(TfrmTrayWnd& trayWnd, const std::function<void()>& miShowClick);
// The tip, only while the animator is idle: hovering during a tip or a
// notification changes nothing.
void TrayIcoMouseMove(TfrmTrayWnd& trayWnd);

}  // namespace swl
