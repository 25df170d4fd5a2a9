#include "check_box.h"

#include <commctrl.h>
#include <oleacc.h>

namespace swl {

namespace {

// The caption's width with the control's font, as the control draws it
// (one line, "&" marking the access key).
int TextWidth(HWND hwnd, const std::u16string& caption) {
    HDC dc = GetDC(hwnd);
    if (!dc) return 0;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    RECT rc{0, 0, 0, 0};
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(caption.c_str()), static_cast<int>(caption.size()), &rc,
              DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return rc.right - rc.left;
}

}  // namespace

void TCheckBox::Create(HWND parent, int id, const std::u16string& caption, int x, int y, int w, int h,
                       bool checked) {
    id_ = id;
    designWidth_ = w;
    designCaption_ = caption;
    // BS_CHECKBOX, not BS_AUTOCHECKBOX: the button only reports the click,
    // and Click toggles, so a program's click and a user's click are one path.
    hwnd_ = CreateWindowExW(0, L"BUTTON", reinterpret_cast<const wchar_t*>(caption.c_str()),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, x, y, w, h, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                            nullptr);
    SetWindowSubclass(hwnd_, &TCheckBox::ButtonProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SetChecked(checked);
}

TCheckBox::~TCheckBox() {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &TCheckBox::ButtonProc, 1);
}

LRESULT CALLBACK TCheckBox::ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TCheckBox*>(data);
    if (msg == WM_GETOBJECT) {
        if (const LRESULT answer = self->accessible_.Answer(hwnd, wParam, lParam)) return answer;
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &TCheckBox::ButtonProc, 1);
        self->hwnd_ = nullptr;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool TCheckBox::DescribeAccessible(int child, AccessibleElement& element) const {
    if (child != 0 || !hwnd_) return false;
    const std::u16string caption = Caption();
    const bool checked = Checked();
    element.name = WithoutAccessKeyMarks(caption);
    element.keyboardShortcut = AccessKeyShortcut(caption);
    element.role = ROLE_SYSTEM_CHECKBUTTON;
    element.state = STATE_SYSTEM_FOCUSABLE | (checked ? STATE_SYSTEM_CHECKED : 0) |
                    (GetFocus() == hwnd_ ? STATE_SYSTEM_FOCUSED : 0) |
                    (IsWindowEnabled(hwnd_) ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                    (IsWindowVisible(hwnd_) ? 0 : STATE_SYSTEM_INVISIBLE);
    element.defaultAction = checked ? u"Uncheck" : u"Check";
    element.screen = ScreenRectOf(hwnd_);
    return true;
}

bool TCheckBox::DoAccessibleDefaultAction(int child) {
    if (child != 0 || !hwnd_ || !IsWindowEnabled(hwnd_)) return false;
    // Through the button, as a user's click goes.
    PostMessageW(hwnd_, BM_CLICK, 0, 0);
    return true;
}

int TCheckBox::AccessibleFocus() const { return hwnd_ && GetFocus() == hwnd_ ? 0 : -1; }

void TCheckBox::SetCaption(const std::u16string& caption) {
    if (!hwnd_) return;
    SetWindowTextW(hwnd_, reinterpret_cast<const wchar_t*>(caption.c_str()));
    FitCaption();
}

void TCheckBox::SetFont(HFONT font) {
    if (!hwnd_) return;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    designCaptionWidth_ = TextWidth(hwnd_, designCaption_);
    FitCaption();
}

int TCheckBox::CaptionWidth() const { return hwnd_ ? TextWidth(hwnd_, Caption()) : 0; }

void TCheckBox::FitCaption() {
    RECT own{};
    RECT parent{};
    HWND parentWindow = GetParent(hwnd_);
    if (!parentWindow || !GetWindowRect(hwnd_, &own) || !GetClientRect(parentWindow, &parent)) return;
    MapWindowPoints(HWND_DESKTOP, parentWindow, reinterpret_cast<POINT*>(&own), 2);
    const int room = parent.right - own.left;
    int width = designWidth_ + CaptionWidth() - designCaptionWidth_;
    if (width > room) width = room;
    if (width < designWidth_) width = designWidth_;
    if (width != own.right - own.left)
        SetWindowPos(hwnd_, nullptr, 0, 0, width, own.bottom - own.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    if (!hwnd_) return;
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    NotifyAccessibleStateChange(hwnd_);
}

void TCheckBox::Click() {
    SetChecked(!Checked());
    if (OnClick) OnClick();
}

}  // namespace swl
