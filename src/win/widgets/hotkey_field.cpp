#include "widgets/hotkey_field.h"

#include <commctrl.h>

#include "gdi_handles.h"
#include "hotkey_keys.h"
#include "wide_text.h"

namespace swl {
namespace {

constexpr int kTextIndent = 3;

std::u16string Widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// The names of the modifiers held, each followed by "+": "Ctrl+Alt+".
std::u16string ModifierPrefix(unsigned modifiers) {
    std::string text = FormatHotKey(HotKey{modifiers, 'A', 0});
    text.pop_back();
    return Widen(text);
}

}  // namespace

THotKeyField::~THotKeyField() {
    if (balloon_) DestroyWindow(balloon_);
}

bool THotKeyField::Create(HWND parent, int id, int x, int y, int width, int height, HFONT font) {
    RegisterWidgetClass(kClassName, LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_IBEAM)));
    font_ = font;
    if (!CreateChild(kClassName, parent, x, y, width, height, WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE,
                     id))
        return false;
    // Owned by the window the field is in, so that it stands above it.
    balloon_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_BALLOON,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               GetAncestor(parent, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (balloon_) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Handle());
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(balloon_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(balloon_, TTM_SETMAXTIPWIDTH, 0, 240);
    }
    return true;
}

void THotKeyField::SetCombination(const HotKey& hotKey) {
    held_ = hotKey;
    typed_.reset();
    Changed();
}

std::u16string THotKeyField::Text() const {
    if (modifiersShown_ != 0) return ModifierPrefix(modifiersShown_);
    return Widen(FormatHotKey(typed_.value_or(held_)));
}

void THotKeyField::KeyDown(UINT vk, unsigned modifiers) {
    if (IsModifierKey(vk)) {
        modifiersShown_ = modifiers;
        Changed();
        return;
    }
    modifiersShown_ = 0;
    HideBalloon();
    if (modifiers == 0 && vk == VK_RETURN) {
        const HotKey confirmed = typed_.value_or(held_);
        if (OnConfirm) OnConfirm(confirmed);
        Changed();
        return;
    }
    if (modifiers == 0 && vk == VK_ESCAPE) {
        typed_.reset();
        Changed();
        return;
    }
    // Tab and Shift+Tab (never a hotkey) move on, as in every field.
    if ((modifiers & ~kHotKeyShift) == 0 && vk == VK_TAB) {
        const HWND root = GetAncestor(Handle(), GA_ROOT);
        const HWND next = GetNextDlgTabItem(root, Handle(), (modifiers & kHotKeyShift) != 0);
        if (next && next != Handle()) SetFocus(next);
        Changed();
        return;
    }
    const auto combination = CombinationOfKey(modifiers, vk);
    const HotKeyVerdict verdict = combination ? JudgeHotKey(*combination) : HotKeyVerdict::NotAKey;
    if (verdict == HotKeyVerdict::Usable) {
        typed_ = *combination;
    } else {
        Refuse(verdict, combination ? FormatHotKey(*combination) : std::string());
    }
    Changed();
}

void THotKeyField::Refuse(HotKeyVerdict verdict, const std::string& combination) {
    refusal_ = RefusalText ? RefusalText(verdict, combination) : std::u16string();
    if (!balloon_ || refusal_.empty()) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    tool.lpszText = const_cast<wchar_t*>(Wide(refusal_));
    SendMessageW(balloon_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    RECT field{};
    GetWindowRect(Handle(), &field);
    SendMessageW(balloon_, TTM_TRACKPOSITION, 0, MAKELPARAM(field.left + 12, field.bottom - 2));
    SendMessageW(balloon_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    // Over the window it belongs to, which is topmost itself.
    SetWindowPos(balloon_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void THotKeyField::HideBalloon() {
    if (refusal_.empty()) return;
    refusal_.clear();
    if (!balloon_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    SendMessageW(balloon_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void THotKeyField::Changed() {
    if (!Handle()) return;
    // The window text follows what is shown, for other programs to read.
    SetWindowTextW(Handle(), Wide(Text()));
    InvalidateRect(Handle(), nullptr, TRUE);
    PlaceCaret();
}

void THotKeyField::PlaceCaret() {
    if (GetFocus() != Handle()) return;
    HDC dc = GetDC(Handle());
    if (!dc) return;
    const HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    const std::u16string text = Text();
    SIZE extent{};
    GetTextExtentPoint32W(dc, Wide(text), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    RECT client{};
    GetClientRect(Handle(), &client);
    SetCaretPos(kTextIndent + extent.cx, (client.bottom - metrics.tmHeight) / 2);
}

void THotKeyField::Paint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    FillRect(dc, &client, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    const HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    const std::u16string text = Text();
    RECT box = client;
    box.left += kTextIndent;
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
}

LRESULT THotKeyField::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT painted = 0;
    if (AnswerPaintMessage(Handle(), msg, wParam, [this](HDC dc) { Paint(dc); }, painted)) return painted;
    switch (msg) {
    case WM_GETDLGCODE:
        // Every key, Tab, Enter, Escape and Alt+letter too: none of them
        // works as a key of the dialog while the field has the keyboard.
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        KeyDown(static_cast<UINT>(wParam), HeldModifiers());
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (IsModifierKey(static_cast<UINT>(wParam))) {
            modifiersShown_ = modifiersShown_ ? HeldModifiers() : 0;
            Changed();
        }
        return 0;
    // Characters, and the window menu that Alt and F10 would open.
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(Handle());
        return 0;
    case WM_SETFOCUS: {
        TEXTMETRICW metrics{};
        HDC dc = GetDC(Handle());
        const HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(Handle(), dc);
        CreateCaret(Handle(), nullptr, 1, metrics.tmHeight);
        PlaceCaret();
        ShowCaret(Handle());
        if (OnTakeKeyboard) OnTakeKeyboard();
        return 0;
    }
    case WM_KILLFOCUS: {
        DestroyCaret();
        HideBalloon();
        modifiersShown_ = 0;
        const HWND to = reinterpret_cast<HWND>(wParam);
        const bool away = !to || GetAncestor(to, GA_ROOT) != GetAncestor(Handle(), GA_ROOT);
        if (!away && typed_ && OnConfirm) OnConfirm(*typed_);
        Changed();
        if (OnLoseKeyboard) OnLoseKeyboard(away);
        return 0;
    }
    case WM_ENABLE:
        InvalidateRect(Handle(), nullptr, TRUE);
        return 0;
    default:
        break;
    }
    return ChildWindow::HandleMessage(msg, wParam, lParam);
}

}  // namespace swl
