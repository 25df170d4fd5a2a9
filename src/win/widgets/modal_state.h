// Whether one of the program's modal windows is showing (the message dialog
// or the error report's message box): while one is, the
// tray icon opens no menu and the other windows take no input.
#pragma once

namespace swl {

bool IsModalDialogShowing();

// Marks a modal dialog as showing for its lifetime; scopes nest.
class ModalDialogScope {
public:
    ModalDialogScope();
    ~ModalDialogScope();
    ModalDialogScope(const ModalDialogScope&) = delete;
    ModalDialogScope& operator=(const ModalDialogScope&) = delete;
};

}  // namespace swl
