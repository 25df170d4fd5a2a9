// Keyboard handling in the style of a dialog for the program's windows that
// hold controls: Tab and Shift+Tab move the focus through the tab stops,
// the arrow keys go to the control that wants them, and the access keys of
// the controls ("&Save on Exit") work with Alt, and without it while the
// focused control does not type characters. Enter on a focused check box
// toggles it, as Space does. A focused control that answers
// DLGC_WANTALLKEYS gets every key itself, access keys included.
#pragma once

#include <windows.h>

namespace swl {

// Handles a keyboard message taken from the queue for a top-level window
// with WS_EX_CONTROLPARENT; true when it was handled (translated and
// dispatched as needed), false when the caller translates and dispatches
// it as usual. Call it for every message before TranslateMessage.
bool HandleDialogKey(MSG& msg);

}  // namespace swl
