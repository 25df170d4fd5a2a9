#include "widgets/prompt_dialog.h"

#include "widgets/gdi_text_measurer.h"
#include "widgets/prompt_form.h"

namespace swl {

int PromptButtonResult(PromptButton b) {
    static constexpr int kResults[kPromptButtonCount] = {6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0};
    const int i = static_cast<int>(b);
    return i >= 0 && i < kPromptButtonCount ? kResults[i] : 0;
}

PromptDialogConfig::PromptDialogConfig()
    : font(DefaultInterfaceFont()), fontColor(GetSysColor(COLOR_WINDOWTEXT)), captionFont(DefaultInterfaceFont(true)) {}

// The system icons by number: IDI_HAND and its kin are 8-bit names in a
// build without UNICODE.
HICON PromptIcon(PromptDlgType type) {
    switch (type) {
        case PromptDlgType::Warning: return LoadIconW(nullptr, MAKEINTRESOURCEW(32515));
        case PromptDlgType::Error: return LoadIconW(nullptr, MAKEINTRESOURCEW(32513));
        case PromptDlgType::Information: return LoadIconW(nullptr, MAKEINTRESOURCEW(32516));
        case PromptDlgType::Confirmation: return LoadIconW(nullptr, MAKEINTRESOURCEW(32514));
        case PromptDlgType::Custom: break;
    }
    return nullptr;
}

UINT PromptBeep(PromptDlgType type) {
    switch (type) {
        case PromptDlgType::Warning: return MB_ICONEXCLAMATION;
        case PromptDlgType::Error: return MB_ICONHAND;
        case PromptDlgType::Information: return MB_ICONASTERISK;
        case PromptDlgType::Confirmation: return MB_ICONQUESTION;
        case PromptDlgType::Custom: break;
    }
    return 0xFFFFFFFF;  // the simple beep
}

int TPromptDialog::RunModal(HWND owner) {
    MessageBeep(PromptBeep(type_));
    TPromptForm form(config_, type_, message_);
    return form.ShowModal(owner);
}

}  // namespace swl
