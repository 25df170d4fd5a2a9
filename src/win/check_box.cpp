#include "check_box.h"

namespace swl {

void TCheckBox::Create(HWND parent, int id, const std::u16string& caption, int x, int y, int w, int h,
                       bool checked) {
    id_ = id;
    // BS_CHECKBOX, not BS_AUTOCHECKBOX: the button only reports the click,
    // and Click toggles, so a program's click and a user's click are one path.
    hwnd_ = CreateWindowExW(0, L"BUTTON", reinterpret_cast<const wchar_t*>(caption.c_str()),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, x, y, w, h, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                            nullptr);
    SetChecked(checked);
}

void TCheckBox::SetCaption(const std::u16string& caption) {
    if (hwnd_) SetWindowTextW(hwnd_, reinterpret_cast<const wchar_t*>(caption.c_str()));
}

std::u16string TCheckBox::Caption() const {
    if (!hwnd_) return {};
    const int length = GetWindowTextLengthW(hwnd_);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int got = GetWindowTextW(hwnd_, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

bool TCheckBox::Checked() const {
    return hwnd_ && SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::Click() {
    SetChecked(!Checked());
    if (OnClick) OnClick();
}

}  // namespace swl
