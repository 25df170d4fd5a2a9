#include "widgets/prompt_form.h"
#include "wide_text.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#include "geometry/message_dialog_layout.h"
#include "widgets/theme_api.h"
#include "widgets/modal_state.h"

namespace swl {
namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kFirstButtonId = 1000;

struct DcWithFont {
    explicit DcWithFont(HFONT font) : dc(CreateCompatibleDC(nullptr)) {
        if (dc) old = SelectObject(dc, font);
    }
    ~DcWithFont() {
        if (dc) {
            SelectObject(dc, old);
            DeleteDC(dc);
        }
    }
    HDC dc;
    HGDIOBJ old = nullptr;
};

// Caption widths are measured once per run of the program and kept.
struct CaptionWidth {
    std::u16string caption;
    LOGFONTW font;
    int width;
};

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

int CaptionWidthOnOneLine(const std::u16string& caption, const LOGFONTW& lf, HDC dc) {
    static std::vector<CaptionWidth> known;
    for (const CaptionWidth& k : known)
        if (k.caption == caption && SameFont(k.font, lf)) return k.width;
    RECT calc{0, 0, 0, 0};
    DrawTextW(dc, Wide(caption), static_cast<int>(std::min<std::size_t>(caption.size(), INT_MAX)), &calc,
              DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
    known.push_back({caption, lf, calc.right - calc.left});
    return known.back().width;
}

// Disables the program's other windows for the lifetime of a modal dialog.
class DisabledWindows {
public:
    DisabledWindows(HWND dialog, HWND owner) : dialog_(dialog) {
        EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::Visit, reinterpret_cast<LPARAM>(this));
        if (owner && IsWindowEnabled(owner) && !IsDisabled(owner)) Disable(owner);
    }
    ~DisabledWindows() {
        for (HWND w : windows_)
            if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    static BOOL CALLBACK Visit(HWND w, LPARAM param) {
        auto* self = reinterpret_cast<DisabledWindows*>(param);
        if (w != self->dialog_ && IsWindowVisible(w) && IsWindowEnabled(w)) self->Disable(w);
        return TRUE;
    }
    bool IsDisabled(HWND w) const { return std::find(windows_.begin(), windows_.end(), w) != windows_.end(); }
    void Disable(HWND w) {
        EnableWindow(w, FALSE);
        windows_.push_back(w);
    }
    HWND dialog_;
    std::vector<HWND> windows_;
};

bool KeyDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

HGLOBAL GlobalCopy(const void* data, std::size_t bytes) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!mem) return nullptr;
    void* p = GlobalLock(mem);
    if (!p) {
        GlobalFree(mem);
        return nullptr;
    }
    std::memcpy(p, data, bytes);
    GlobalUnlock(mem);
    return mem;
}

void SetClipboardHandle(UINT format, HGLOBAL mem) {
    if (mem && !SetClipboardData(format, mem)) GlobalFree(mem);
}

}  // namespace

TPromptForm::TPromptForm(const PromptDialogConfig& config, PromptDlgType type, std::u16string message)
    : config_(config), type_(type), message_(std::move(message)) {}

TPromptForm::~TPromptForm() {
    if (Handle()) DestroyWindow(Handle());
    if (font_) DeleteObject(font_);
    if (captionFont_) DeleteObject(captionFont_);
}

int TPromptForm::ShowModal(HWND owner) {
    ModalDialogScope modal;
    if (!BuildForm(owner)) return 0;
    {
        DisabledWindows disabled(Handle(), owner);
        ShowInWorkArea();
        RunLoop();
        // The owners are enabled again before the window goes, so that the
        // activation returns to them.
    }
    DestroyWindow(Handle());
    return result_;
}

bool TPromptForm::BuildForm(HWND owner) {
    RegisterWidgetClass(kClassName, nullptr, CS_HREDRAW | CS_VREDRAW);
    icon_ = PromptIcon(type_);
    font_ = CreateFontIndirectW(&config_.font);
    if (!font_) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    captionFont_ = CreateFontIndirectW(&config_.captionFont);

    DialogLayoutInput in;
    in.hasIcon = icon_ != nullptr;
    {
        DcWithFont measure(font_);
        SIZE sample{};
        GetTextExtentPointA(measure.dc, kDialogAverageSample, 52, &sample);
        in.avgChar = DialogAverageCharSize({static_cast<int>(sample.cx), static_cast<int>(sample.cy)});
        for (int i = 0; i < kPromptButtonCount; ++i) {
            const auto kind = static_cast<PromptButton>(i);
            if (!(config_.buttons & ButtonBit(kind))) continue;
            in.captionWidths.push_back(CaptionWidthOnOneLine(config_.controlTexts[i], config_.font, measure.dc));
            buttons_.push_back({kind});
        }
    }
    const DialogMeasures measures = ComputeDialogMeasures(in.avgChar, in.captionWidths);

    RECT frame{0, 0, 0, 0};
    DWORD exStyle = kFormExStyle | (config_.topMost ? WS_EX_TOPMOST : 0);
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, exStyle);
    in.frame = {frame.right - frame.left, frame.bottom - frame.top};
    in.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};

    if (!CreateChild(kClassName, owner, 0, 0, 0, 0, kFormStyle, exStyle)) return false;
    SetWindowTextW(Handle(), Wide(config_.dialogCaption));
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

    // The message on one line, as wide as it is.
    label_.SetFont(config_.font);
    label_.SetFontColor(config_.fontColor);
    label_.SetIsHTML(config_.isHTML);
    label_.SetWordWrap(false);
    label_.SetAutoSize(true);
    label_.SetCaption(message_);
    if (!label_.Create(Handle(), 0, 0, 0, 0)) return false;
    RECT labelRect{};
    GetClientRect(label_.Handle(), &labelRect);
    in.text = {labelRect.right, labelRect.bottom};

    // A message wider than the work area allows is wrapped at that width.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int labelLeft = in.hasIcon ? measures.horzMargin + kDialogIconSide + measures.horzSpacing
                                     : measures.horzMargin;
    const int widest = (work.right - work.left) - 4 * GetSystemMetrics(SM_CXEDGE) - labelLeft -
                       measures.horzSpacing - kDialogIconSide;
    if (widest > 0 && in.text.width > widest) {
        label_.SetBounds(0, 0, widest, in.text.height);
        label_.SetWordWrap(true);
        in.text = {widest, label_.IsHTML() ? label_.Render().TextHeight() : in.text.height};
        if (!label_.IsHTML()) {
            label_.SetAutoSize(false);
            label_.SetAutoSize(true);  // measures the wrapped height at this width
            RECT rc{};
            GetClientRect(label_.Handle(), &rc);
            in.text.height = rc.bottom;
        }
    }

    const DialogLayout layout = LayoutMessageDialog(in);
    SetWindowPos(Handle(), nullptr, layout.window.left, layout.window.top, layout.window.Width(),
                 layout.window.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    imageRect_ = {layout.image.left, layout.image.top, layout.image.right, layout.image.bottom};
    label_.SetBounds(layout.label.left, layout.label.top, layout.label.Width(), layout.label.Height());

    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        Button& b = buttons_[i];
        const int index = static_cast<int>(b.kind);
        const Rect& r = layout.buttons[i];
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                            (b.kind == config_.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        b.hwnd = CreateWindowExW(0, L"BUTTON", Wide(config_.controlTexts[index]), style, r.left, r.top,
                                 r.Width(), r.Height(), Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + index)),
                                 GetModuleHandleW(nullptr), nullptr);
        if (b.hwnd) SendMessageW(b.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    ApplyTopmost();
    return true;
}

void TPromptForm::ShowInWorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT rc{};
    GetWindowRect(Handle(), &rc);
    const Rect placed = ClampDialogToWorkArea({rc.left, rc.top, rc.right, rc.bottom},
                                              {work.left, work.top, work.right, work.bottom});
    SetWindowPos(Handle(), nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    if (HWND def = ButtonWindow(config_.defaultButton)) SetFocus(def);
}

HWND TPromptForm::ButtonWindow(PromptButton kind) const {
    for (const Button& b : buttons_)
        if (b.kind == kind) return b.hwnd;
    return nullptr;
}

void TPromptForm::RunLoop() {
    while (!done_) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is quitting: leave the dialog and let the main loop
            // see the quit message too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            if (!done_) EndModal(kPromptCancelResult);
            break;
        }
        if (got == -1) break;
        if (PreTranslate(msg)) continue;
        if (Handle() && IsDialogMessageW(Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool TPromptForm::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !Handle()) return false;
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
    const bool ctrl = KeyDown(VK_CONTROL);
    const bool otherModifier = KeyDown(VK_SHIFT) || KeyDown(VK_MENU) || KeyDown(VK_LWIN) || KeyDown(VK_RWIN);
    switch (msg.wParam) {
        case 'C':
        case VK_INSERT:
            if (!ctrl || otherModifier) return false;
            CopyMessage();
            return true;
        case VK_RETURN: {
            // Enter presses the focused button, or the default one.
            HWND focus = GetFocus();
            for (const Button& b : buttons_) {
                if (b.hwnd && b.hwnd == focus) {
                    Press(b.kind);
                    return true;
                }
            }
            Press(config_.defaultButton);
            return true;
        }
        case VK_ESCAPE:
            Press(config_.cancelButton);
            return true;
        default:
            return false;
    }
}

void TPromptForm::Press(PromptButton button) {
    if (button == PromptButton::Help) return;  // the program has no help to open
    EndModal(PromptButtonResult(button));
}

void TPromptForm::EndModal(int result) {
    if (done_) return;
    done_ = true;
    result_ = result;
    // Wakes the loop when the end came from a message sent to the window.
    if (Handle()) PostMessageW(Handle(), WM_NULL, 0, 0);
}

void TPromptForm::ApplyTopmost() {
    if (config_.topMost && Handle())
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TPromptForm::CopyMessage() {
    const std::u16string text = label_.PlainText();
    const std::size_t length = std::min<std::size_t>(text.size(), INT_MAX - 1);
    if (!OpenClipboard(Handle())) return;
    EmptyClipboard();
    std::u16string wide(text, 0, length);
    SetClipboardHandle(CF_UNICODETEXT, GlobalCopy(wide.c_str(), (length + 1) * sizeof(char16_t)));
    const int bytes = WideCharToMultiByte(CP_ACP, 0, Wide(wide), static_cast<int>(length), nullptr, 0,
                                          nullptr, nullptr);
    std::string ansi(bytes > 0 ? static_cast<std::size_t>(bytes) : 0u, '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, Wide(wide), static_cast<int>(length), ansi.data(), bytes, nullptr, nullptr);
    SetClipboardHandle(CF_TEXT, GlobalCopy(ansi.c_str(), ansi.size() + 1));
    CloseClipboard();
}

void TPromptForm::Paint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (icon_)
        DrawIconEx(dc, imageRect_.left, imageRect_.top, icon_, kDialogIconSide, kDialogIconSide, 0, nullptr,
                   DI_NORMAL);
}

// The system draws the title bar and its text in the system's caption font;
// the text is then drawn again in the dialog's own caption font over the
// bar's background. With visual styles the theme's title bar stays as it is.
void TPromptForm::PaintTitle() {
    if (!captionFont_ || !Handle() || ThemeApi::Get().StylesActive()) return;
    RECT window{};
    GetWindowRect(Handle(), &window);
    POINT client{0, 0};
    ClientToScreen(Handle(), &client);
    const int border = client.x - window.left;
    // The bar lies between the top frame and the line above the client area;
    // its text area ends before the close box.
    RECT bar{border, border, (window.right - window.left) - border, client.y - window.top - 1};
    RECT text = bar;
    text.left += 2;
    text.right -= GetSystemMetrics(SM_CXSIZE) + 2;
    if (text.right <= text.left || bar.bottom <= bar.top) return;
    HDC dc = GetWindowDC(Handle());
    if (!dc) return;
    BOOL gradient = FALSE;
    SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, text.left - 2, bar.top, text.right, bar.bottom);
    // The whole bar's background, so a gradient runs on under the text.
    DrawCaption(Handle(), dc, &bar, (active_ ? DC_ACTIVE : 0) | (gradient ? DC_GRADIENT : 0));
    SelectObject(dc, captionFont_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active_ ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawTextW(dc, Wide(config_.dialogCaption), static_cast<int>(std::min<std::size_t>(config_.dialogCaption.size(), INT_MAX)),
              &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    RestoreDC(dc, saved);
    ReleaseDC(Handle(), dc);
}

LRESULT TPromptForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT painted = 0;
    if (AnswerPaintMessage(Handle(), msg, wParam, [this](HDC dc) { Paint(dc); }, painted)) return painted;
    switch (msg) {
        case WM_NCPAINT:
        case WM_SETTEXT: {
            const LRESULT r = ChildWindow::HandleMessage(msg, wParam, lParam);
            PaintTitle();
            return r;
        }
        case WM_NCACTIVATE: {
            active_ = wParam != 0;
            const LRESULT r = ChildWindow::HandleMessage(msg, wParam, lParam);
            PaintTitle();
            return r;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDOK) {
                Press(config_.defaultButton);
            } else if (id == IDCANCEL) {
                Press(config_.cancelButton);
            } else if (HIWORD(wParam) == BN_CLICKED && id >= kFirstButtonId &&
                       id < kFirstButtonId + kPromptButtonCount) {
                Press(static_cast<PromptButton>(id - kFirstButtonId));
            }
            return 0;
        }
        case WM_CLOSE:
            EndModal(kPromptCancelResult);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
            } else {
                ApplyTopmost();
                HWND focus = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : ButtonWindow(config_.defaultButton);
                if (focus) SetFocus(focus);
            }
            return 0;
        case WM_ACTIVATEAPP:
            if (!wParam) ApplyTopmost();
            return 0;
        case WM_DESTROY:
            // Destroyed from outside: the modal loop must not outlive the window.
            if (!done_) {
                done_ = true;
                result_ = kPromptCancelResult;
            }
            break;
        default:
            break;
    }
    return ChildWindow::HandleMessage(msg, wParam, lParam);
}

}  // namespace swl
