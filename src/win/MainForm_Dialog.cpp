// TfrmMain: the message dialog. dlDialog keeps the configuration it was
// made with (caption "Stashwell", OK only, markup, topmost, Tahoma 8 pt);
// only its type and message change from one use to the next.
#include "MainForm.h"

namespace swl {

void TfrmMain::ShowDialog(TDlgType type, const std::u16string& message) {
    dlDialog.SetDlgType(type == TDlgType::Error ? PromptDlgType::Error : PromptDlgType::Information);
    dlDialog.SetMessage(message);
    // Owned by the hidden application window: no taskbar button, and the
    // dialog stays above the program's windows.
    dlDialog.RunModal(application_.Handle());
}

}  // namespace swl
