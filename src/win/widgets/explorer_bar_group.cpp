#include "widgets/explorer_bar_group.h"

#include "widgets/offscreen_surface.h"
#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "error_report.h"
#include "gdi_handles.h"
#include "geometry/gradient.h"
#include "geometry/rgb.h"
#include "win_rect.h"
#include "widgets/explorer_bar.h"

namespace swl {
namespace {

// Messages the strip posts to itself: focus changes are finished before the
// focus is moved on, so no SetFocus runs inside WM_SETFOCUS or WM_KILLFOCUS.
constexpr UINT kPassFocusMessage = WM_USER + 1;
constexpr UINT kLeaveCollapsedMessage = WM_USER + 2;

constexpr int kCheckBoxSide = 13;
constexpr int kCheckBoxLeft = 3;
constexpr COLORREF kBuiltInTransparent = RGB(255, 0, 255);

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    const COLORREF old = SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

// A picture drawn from rows of text: '#' black, anything else transparent.
HBITMAP DrawnPicture(int width, int height, const char* const* rows) {
    ScreenDC screen;
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    if (!bitmap) return nullptr;
    MemoryDC dc(screen.get());
    if (!dc.Select(bitmap)) {
        DeleteObject(bitmap);
        return nullptr;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixelV(dc.get(), x, y, rows[y][x] == '#' ? RGB(0, 0, 0) : kBuiltInTransparent);
    return bitmap;
}

// The built-in minimise glyphs, 7 x 5 each: up (expanded), down (collapsed).
HBITMAP BuiltInArrows() {
    static const char* const rows[] = {
        "...#..........",
        "..###..#######",
        ".#####..#####.",
        "#######..###..",
        "..........#...",
    };
    return DrawnPicture(14, 5, rows);
}

// The built-in close glyph: a 7 x 7 cross.
HBITMAP BuiltInCross() {
    static const char* const rows[] = {
        "##...##", ".##.##.", "..###..", "...#...", "..###..", ".##.##.", "##...##",
    };
    return DrawnPicture(7, 7, rows);
}

// An independent copy of a bitmap, compatible with the screen.
HBITMAP CopyPicture(HBITMAP source) {
    BITMAP info{};
    if (!source || !GetObjectW(source, sizeof info, &info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return nullptr;
    const int width = info.bmWidth;
    const int height = std::abs(info.bmHeight);
    ScreenDC screen;
    HBITMAP copy = CreateCompatibleBitmap(screen.get(), width, height);
    if (!copy) return nullptr;
    MemoryDC from(screen.get());
    MemoryDC to(screen.get());
    if (!from.Select(source) || !to.Select(copy)) {
        DeleteObject(copy);
        return nullptr;
    }
    BitBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, SRCCOPY);
    return copy;
}

// Paints with `paint` off-screen and copies the result over the client area.
template <class Paint>
void PaintBuffered(HWND window, Paint&& paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc) {
        RECT client{};
        GetClientRect(window, &client);
        if (client.right > 0 && client.bottom > 0) {
            OffscreenSurface surface(dc, client.right, client.bottom);
            try {
                if (surface.Ok()) {
                    paint(surface.Dc());
                    BitBlt(dc, 0, 0, client.right, client.bottom, surface.Dc(), 0, 0, SRCCOPY);
                } else {
                    paint(dc);
                }
            } catch (...) {
                // Out of memory while painting: the window stays as it was.
            }
        }
    }
    EndPaint(window, &ps);
}

}  // namespace

// ---- glyphs ----------------------------------------------------------------

void TExplorerBarGroup::Glyph::Reset(HBITMAP bitmap, std::optional<COLORREF> transparent) {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    size_ = {};
    transparent_ = transparent.value_or(kBuiltInTransparent);
    BITMAP info{};
    if (!bitmap_ || !GetObjectW(bitmap_, sizeof info, &info)) return;
    size_ = {info.bmWidth, std::abs(info.bmHeight)};
    if (transparent) return;
    // The picture's bottom-left pixel names its transparent colour.
    ScreenDC screen;
    MemoryDC dc(screen.get());
    if (size_.cx > 0 && size_.cy > 0 && dc.Select(bitmap_))
        transparent_ = GetPixel(dc.get(), 0, size_.cy - 1);
}

// ---- the group -------------------------------------------------------------

TExplorerBarGroup::TExplorerBarGroup() {
    caption_.showCloseButton = false;
    minGlyph_.Reset(BuiltInArrows());
    closeGlyph_.Reset(BuiltInCross(), kBuiltInTransparent);
}

TExplorerBarGroup::~TExplorerBarGroup() {
    if (bar_) bar_->RemoveGroup(*this);
    // The window goes first, while every member is still alive to answer
    // the messages its destruction sends.
    if (Handle()) DestroyWindow(Handle());
}

bool TExplorerBarGroup::Create(TExplorerBar& bar, int x, int y, int width, int height, int id) {
    if (!bar.Handle()) return false;
    RegisterWidgetClass(kClassName);
    RegisterWidgetClass(kCaptionClassName, nullptr, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    pendingHeight_ = height;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                        (enabled_ ? 0 : WS_DISABLED);
    if (!CreateChild(kClassName, bar.Handle(), x, y, width, height, style, WS_EX_CONTROLPARENT, id))
        return false;
    bar.AddGroup(*this);
    return true;
}

void TExplorerBarGroup::Raise(const std::function<void()>& handler) {
    if (!handler) return;
    try {
        handler();
    } catch (...) {
        ReportCurrentException();
    }
}

bool TExplorerBarGroup::Themed() const { return useXPThemes_ && static_cast<bool>(theme_); }

int TExplorerBarGroup::ButtonSide() const {
    if (Themed() && bar_) {
        // The theme's buttons decide: the larger side of close and expand.
        const ThemeApi& api = ThemeApi::Get();
        SIZE close{}, expand{};
        api.PartSize(theme_.Get(), nullptr, EBP_HEADERCLOSE, EBHC_NORMAL, close);
        api.PartSize(theme_.Get(), nullptr, EBP_NORMALGROUPEXPAND, EBNGE_NORMAL, expand);
        const int side = static_cast<int>(std::max({close.cx, close.cy, expand.cx, expand.cy}));
        if (side > 0) return side;
    }
    return caption_.buttonWidth;
}

int TExplorerBarGroup::CaptionHeight() const {
    return CaptionStripHeight(caption_.height, ButtonSide());
}

// A collapsed group keeps its strip; the group has no bevels to add.
int TExplorerBarGroup::CollapsedHeight() const {
    return CaptionHeight() + BevelThickness(false, false, 0);
}

int TExplorerBarGroup::CurrentHeight() const {
    if (!Handle()) return pendingHeight_;
    RECT r{};
    GetWindowRect(Handle(), &r);
    return static_cast<int>(r.bottom - r.top);
}

void TExplorerBarGroup::ApplyHeight(int height) {
    pendingHeight_ = height;
    if (!Handle()) return;
    RECT r{};
    GetWindowRect(Handle(), &r);
    applyingHeight_ = true;
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    applyingHeight_ = false;
}

CaptionStripLayout TExplorerBarGroup::Layout() const {
    RECT client{};
    if (Handle()) GetClientRect(Handle(), &client);
    CaptionStripOptions options;
    options.groupWidth = static_cast<int>(client.right);
    options.groupClientHeight = static_cast<int>(client.bottom);
    options.stripHeight = CaptionHeight();
    options.buttonSide = ButtonSide();
    options.showMinButton = caption_.showMinButton;
    options.showCloseButton = caption_.showCloseButton;
    options.showCheckBox = caption_.showCheckBox;
    return LayoutCaptionStrip(options);
}

void TExplorerBarGroup::SetMinimized(bool minimized) {
    const auto change =
        collapse_.SetMinimized(minimized, caption_.visible, CurrentHeight(), CollapsedHeight());
    if (!change) return;
    ApplyHeight(change->height);
    if (bar_) bar_->Restack();
    InvalidateStrip();
    NotifyAccessibleStateChange(strip_.Handle());
    if (change->event == GroupEvent::Minimize) {
        LeaveCollapsed();
        HideContents();
        Raise(OnMinimize);
    } else {
        ShowContents();
        Raise(OnRestore);
    }
}

void TExplorerBarGroup::HideContents() {
    HWND strip = strip_.Handle();
    if (!Handle()) return;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == strip || !(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        hiddenContents_.push_back(child);
    }
    for (HWND child : hiddenContents_) ShowWindow(child, SW_HIDE);
}

void TExplorerBarGroup::ShowContents() {
    std::vector<HWND> contents;
    contents.swap(hiddenContents_);
    for (HWND child : contents)
        if (IsWindow(child) && GetParent(child) == Handle()) ShowWindow(child, SW_SHOWNA);
}

void TExplorerBarGroup::SetExpandedHeight(int height) {
    collapse_ = GroupCollapse(collapse_.Minimized(), height);
}

void TExplorerBarGroup::SetCaptionSettings(const TPanelCaptionSettings& settings) {
    caption_ = settings;
    UpdateAutoSize();
    CaptionChanged();
}

void TExplorerBarGroup::SetCaptionText(std::u16string text) {
    if (caption_.text == text) return;
    caption_.text = std::move(text);
    PrepareCaption();
    InvalidateStrip();
}

void TExplorerBarGroup::UpdateAutoSize() {
    if (!caption_.autoSize) return;
    const int fontHeight = measurer_.Metrics(MarkupFontFromLogFont(caption_.font, 0)).height;
    caption_.height = AutoSizeCaptionHeight(fontHeight, caption_.buttonWidth);
}

void TExplorerBarGroup::CaptionChanged() {
    // A collapsed group follows its strip's new height and stays collapsed.
    if (collapse_.Minimized() && CurrentHeight() != CollapsedHeight()) {
        ApplyHeight(CollapsedHeight());
        if (bar_) bar_->Restack();
    }
    PlaceStrip();
    PrepareCaption();
    InvalidateStrip();
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TExplorerBarGroup::PlaceStrip() {
    HWND strip = strip_.Handle();
    if (!Handle() || !strip) return;
    if (!caption_.visible) {
        if (GetFocus() == strip) PassFocusOn();
        ShowWindow(strip, SW_HIDE);
        return;
    }
    const Rect r = Layout().strip;
    SetWindowPos(strip, nullptr, r.left, r.top, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TExplorerBarGroup::PrepareCaption() {
    render_.SetBaseFont(MarkupFontFromLogFont(caption_.font, caption_.fontColor));
    const Rect area = Layout().textArea;
    captionValid_ = render_.Prepare(caption_.text, measurer_, area.Width(), true) == MarkupStatus::Ok;
    // The strip's window text is its caption: what other programs read.
    if (strip_.Handle()) SetWindowTextW(strip_.Handle(), reinterpret_cast<const wchar_t*>(render_.PlainText().c_str()));
}

void TExplorerBarGroup::InvalidateStrip() {
    if (strip_.Handle()) InvalidateRect(strip_.Handle(), nullptr, FALSE);
}

void TExplorerBarGroup::SetMinButtonGlyph(HBITMAP picture) {
    HBITMAP copy = picture ? CopyPicture(picture) : nullptr;
    minGlyph_.Reset(copy ? copy : BuiltInArrows());
    InvalidateStrip();
}

bool TExplorerBarGroup::LoadMinButtonGlyph(HINSTANCE module, const wchar_t* name) {
    auto bitmap = static_cast<HBITMAP>(LoadImageW(module, name, IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap) return false;
    SetMinButtonGlyph(bitmap);
    DeleteObject(bitmap);
    return true;
}

void TExplorerBarGroup::SetBackgroundType(GroupBackground type) {
    background_ = type;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TExplorerBarGroup::SetGradientStartColor(COLORREF color) {
    gradientStart_ = color;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TExplorerBarGroup::SetGradientEndColor(COLORREF color) {
    gradientEnd_ = color;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TExplorerBarGroup::SetGradientSteps(int steps) {
    gradientSteps_ = steps;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TExplorerBarGroup::SetColor(COLORREF color) {
    color_ = color;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TExplorerBarGroup::SetEnabled(bool enabled) {
    enabled_ = enabled;
    // A disabled window's children are disabled with it: no mouse and no
    // keyboard for anything in the group. Nothing is drawn greyed.
    if (Handle()) EnableWindow(Handle(), enabled ? TRUE : FALSE);
}

void TExplorerBarGroup::SetUseXPThemes(bool on) {
    if (useXPThemes_ == on) return;
    useXPThemes_ = on;
    if (on)
        theme_.Refresh(Handle());
    else
        theme_.Close();
    CaptionChanged();
}

void TExplorerBarGroup::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    InvalidateStrip();
}

// ---- keyboard ----------------------------------------------------------------

void TExplorerBarGroup::PassFocusOn() {
    HWND strip = strip_.Handle();
    if (!strip) return;
    HWND root = GetAncestor(strip, GA_ROOT);
    // Shift+Tab came from behind: keep going backwards.
    const BOOL backwards = GetKeyState(VK_SHIFT) < 0 ? TRUE : FALSE;
    HWND next = GetNextDlgTabItem(root, strip, backwards);
    if (next && next != strip) SetFocus(next);
}

// The hidden contents of a collapsed group never keep the focus: it goes to
// the next control in tab order outside the group.
void TExplorerBarGroup::LeaveCollapsed() {
    HWND group = Handle();
    HWND strip = strip_.Handle();
    HWND focus = GetFocus();
    if (!group || !collapse_.Minimized() || !focus || focus == strip || !IsChild(group, focus))
        return;
    HWND root = GetAncestor(group, GA_ROOT);
    HWND next = strip ? strip : focus;
    // Bounded: the tab order is a cycle, and a window can vanish meanwhile.
    for (int step = 0; step < 4096; ++step) {
        next = GetNextDlgTabItem(root, next, FALSE);
        if (!next || next == strip || next == focus) {
            next = nullptr;
            break;
        }
        if (next != group && !IsChild(group, next)) break;
    }
    SetFocus(next ? next : root);
}

// ---- mouse -----------------------------------------------------------------

TExplorerBarGroup::Button TExplorerBarGroup::ButtonAt(POINT pt) const {
    const CaptionStripLayout layout = Layout();
    auto inside = [&](const Rect& r) {
        return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
    };
    if (layout.minButton && inside(*layout.minButton)) return Button::Min;
    if (layout.closeButton && inside(*layout.closeButton)) return Button::Close;
    if (caption_.showCheckBox) {
        const int top = (layout.strip.Height() - kCheckBoxSide) / 2;
        if (inside(Rect::FromSize(kCheckBoxLeft, top, kCheckBoxSide, kCheckBoxSide)))
            return Button::Check;
    }
    return Button::None;
}

void TExplorerBarGroup::PressButton(Button button) {
    switch (button) {
        case Button::Min:
            SetMinimized(!collapse_.Minimized());
            break;
        case Button::Close:
            if (Handle()) ShowWindow(Handle(), SW_HIDE);
            Raise(OnClose);
            break;
        case Button::Check:
            SetChecked(!checked_);
            Raise(OnCheckClick);
            break;
        case Button::None:
            break;
    }
}

// ---- painting --------------------------------------------------------------

void TExplorerBarGroup::PaintBody(HDC dc, const RECT& client) {
    if (Themed()) {
        const ThemeApi& api = ThemeApi::Get();
        api.DrawBackground(theme_.Get(), dc, 0, 0, client);
        RECT body = client;
        if (caption_.visible) body.top = std::min<LONG>(client.top + CaptionHeight(), client.bottom);
        api.DrawBackground(theme_.Get(), dc, EBP_NORMALGROUPBACKGROUND, 0, body);
        return;
    }
    if (background_ != GroupBackground::VerticalGradient) {
        FillSolid(dc, client, color_);
        return;
    }
    for (const GradientBand& band :
         GradientBands(ToRect(client), RgbFromColorRef(gradientStart_), RgbFromColorRef(gradientEnd_),
                       gradientSteps_, GradientDirection::TopToBottom))
        FillSolid(dc, ToRECT(band.rect), static_cast<COLORREF>(ColorRefFromRgb(band.colour)));
}

void TExplorerBarGroup::PaintCaptionText(HDC dc, const RECT& area) {
    if (!captionValid_) return;
    const int areaWidth = static_cast<int>(area.right - area.left);
    const int areaHeight = static_cast<int>(area.bottom - area.top);
    MarkupRect block = PlaceMarkupBlock(areaWidth, areaHeight, 0, caption_.alignment,
                                        caption_.layout, render_.TextWidth(), render_.TextHeight());
    block.left += area.left;
    block.right += area.left;
    block.top += area.top;
    block.bottom += area.top;

    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    IntersectClipRect(dc, block.left, block.top, block.right, block.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    for (const MarkupDrawRun& run : render_.DrawList(block)) {
        // Each font is deselected before the next is asked for.
        HGDIOBJ old = SelectObject(dc, measurer_.Font(*run.font));
        SetTextColor(dc, run.font->color);
        TextOutW(dc, run.x, run.baseline, reinterpret_cast<const wchar_t*>(run.text.data()),
                 static_cast<int>(std::min<std::size_t>(run.text.size(), INT_MAX)));
        SelectObject(dc, old);
    }
    RestoreDC(dc, saved);

    if (strip_.Handle() && GetFocus() == strip_.Handle()) {
        // Around the text itself: a left-aligned block spans the whole area.
        const int textRight = std::min(block.right, block.left + render_.TextWidth());
        RECT focus{block.left - 1, block.top, textRight + 1, block.bottom};
        if (block.right <= block.left) focus = area;
        IntersectRect(&focus, &focus, &area);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

void TExplorerBarGroup::PaintButton(HDC dc, Button button, const RECT& rect) {
    const bool down = pressed_ == button && pressedInside_;
    const bool hot = hot_ == button || down;

    if (button == Button::Check) {
        RECT box = rect;
        UINT state = DFCS_BUTTONCHECK | DFCS_FLAT | (checked_ ? DFCS_CHECKED : 0) |
                     (down ? DFCS_PUSHED : 0);
        DrawFrameControl(dc, &box, DFC_BUTTON, state);
        return;
    }

    if (Themed()) {
        int part = EBP_HEADERCLOSE;
        if (button == Button::Min)
            part = collapse_.Minimized() ? EBP_NORMALGROUPEXPAND : EBP_NORMALGROUPCOLLAPSE;
        // Normal, hot and pressed are states 1, 2 and 3 of all three parts.
        const int state = down ? 3 : hot ? 2 : 1;
        ThemeApi::Get().DrawBackground(theme_.Get(), dc, part, state, rect);
        return;
    }

    FillSolid(dc, rect, caption_.buttonColor);
    const Glyph& glyph = button == Button::Min ? minGlyph_ : closeGlyph_;
    if (glyph.Get()) {
        int width = static_cast<int>(glyph.Size().cx);
        const int height = static_cast<int>(glyph.Size().cy);
        int sourceX = 0;
        if (button == Button::Min) {
            width /= 2;
            if (collapse_.Glyph(caption_.invertMinButtonArrows) == MinButtonGlyph::Down)
                sourceX = width;
        }
        const int x = rect.left + (rect.right - rect.left - width) / 2 + (down ? 1 : 0);
        const int y = rect.top + (rect.bottom - rect.top - height) / 2 + (down ? 1 : 0);
        MemoryDC source(dc);
        if (width > 0 && height > 0 && source.Select(glyph.Get())) {
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
            TransparentBlt(dc, x, y, width, height, source.get(), sourceX, 0, width, height,
                           glyph.Transparent());
            RestoreDC(dc, saved);
        }
    }

    UINT edge = 0;
    if (caption_.flatButtons) {
        if (down)
            edge = BDR_SUNKENOUTER;
        else if (hot)
            edge = BDR_RAISEDINNER;
    } else if (down) {
        edge = caption_.flatAlways ? BDR_SUNKENOUTER : EDGE_SUNKEN;
    } else {
        edge = caption_.flatAlways ? BDR_RAISEDINNER : EDGE_RAISED;
    }
    if (edge) {
        RECT frame = rect;
        DrawEdge(dc, &frame, edge, BF_RECT);
    }
}

void TExplorerBarGroup::PaintStrip(HDC dc) {
    const CaptionStripLayout layout = Layout();
    const RECT strip = ToRECT(layout.strip);
    if (strip.right <= strip.left || strip.bottom <= strip.top) return;
    if (Themed()) {
        const ThemeApi& api = ThemeApi::Get();
        api.DrawBackground(theme_.Get(), dc, 0, 0, strip);
        api.DrawBackground(theme_.Get(), dc, EBP_NORMALGROUPHEAD, 0, strip);
    } else {
        FillSolid(dc, strip, caption_.color);
    }
    PaintCaptionText(dc, ToRECT(layout.textArea));
    if (layout.minButton) PaintButton(dc, Button::Min, ToRECT(*layout.minButton));
    if (layout.closeButton) PaintButton(dc, Button::Close, ToRECT(*layout.closeButton));
    if (caption_.showCheckBox) {
        const int top = (layout.strip.Height() - kCheckBoxSide) / 2;
        PaintButton(dc, Button::Check,
                    ToRECT(Rect::FromSize(kCheckBoxLeft, top, kCheckBoxSide, kCheckBoxSide)));
    }
}

void TExplorerBarGroup::PaintTo(HDC dc) {
    if (!Handle()) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    PaintBody(dc, client);
    if (caption_.visible) PaintStrip(dc);
}

// ---- messages --------------------------------------------------------------

LRESULT TExplorerBarGroup::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: {
            if (useXPThemes_) theme_.Refresh(Handle());
            const Rect r = Layout().strip;
            const DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS |
                                (caption_.visible ? WS_VISIBLE : 0);
            if (!strip_.CreateChild(kCaptionClassName, Handle(), r.left, r.top, r.Width(),
                                    r.Height(), style, WS_EX_NOPARENTNOTIFY))
                return -1;
            UpdateAutoSize();
            lastHeight_ = CurrentHeight();
            shown_ = (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
            CaptionChanged();
            return 0;
        }
        case WM_DESTROY:
            theme_.Close();
            return 0;
        case WM_THEMECHANGED:
            if (useXPThemes_) theme_.Refresh(Handle());
            CaptionChanged();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintBuffered(Handle(), [this](HDC dc) {
                RECT client{};
                GetClientRect(Handle(), &client);
                PaintBody(dc, client);
            });
            return 0;
        case WM_PRINTCLIENT:
            try {
                PaintTo(reinterpret_cast<HDC>(wParam));
            } catch (...) {
            }
            return 0;
        case WM_SIZE:
            PlaceStrip();
            PrepareCaption();
            InvalidateStrip();
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = ChildWindow::HandleMessage(msg, wParam, lParam);
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            const int height = CurrentHeight();
            if (height != lastHeight_) {
                lastHeight_ = height;
                pendingHeight_ = height;
                // Resized by someone else: a collapsed group counts as expanded.
                if (!applyingHeight_ && collapse_.Resized(height, CollapsedHeight())) {
                    InvalidateStrip();
                    ShowContents();
                    NotifyAccessibleStateChange(strip_.Handle());
                    Raise(OnRestore);
                }
            }
            if (pos->flags & SWP_SHOWWINDOW) shown_ = true;
            if (pos->flags & SWP_HIDEWINDOW) shown_ = false;
            const bool geometry = !(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE) ||
                                  (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW));
            if (bar_ && geometry) bar_->Restack();
            return result;
        }
        case WM_SHOWWINDOW:
            // lParam 0: ShowWindow on the group itself, not its parent's state.
            if (lParam == 0 && shown_ != (wParam != 0)) {
                shown_ = wParam != 0;
                if (bar_) bar_->Restack();
            }
            return ChildWindow::HandleMessage(msg, wParam, lParam);
        default:
            return ChildWindow::HandleMessage(msg, wParam, lParam);
    }
}

bool TExplorerBarGroup::CaptionStrip::DescribeAccessible(int child, AccessibleElement& element) const {
    HWND strip = Handle();
    if (child != 0 || !strip) return false;
    element.name = group_.render_.PlainText();
    element.role = ROLE_SYSTEM_OUTLINEBUTTON;
    element.state = (IsWindowEnabled(strip) && IsWindowEnabled(group_.Handle()) ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                    (IsWindowVisible(strip) ? 0 : STATE_SYSTEM_INVISIBLE) |
                    (GetFocus() == strip ? STATE_SYSTEM_FOCUSED : 0);
    if (group_.caption_.showMinButton) {
        element.state |= STATE_SYSTEM_FOCUSABLE |
                         (group_.Minimized() ? STATE_SYSTEM_COLLAPSED : STATE_SYSTEM_EXPANDED);
        element.defaultAction = group_.Minimized() ? u"Expand" : u"Collapse";
    }
    element.screen = ScreenRectOf(strip);
    return true;
}

bool TExplorerBarGroup::CaptionStrip::DoAccessibleDefaultAction(int child) {
    if (child != 0 || !group_.caption_.showMinButton || !IsWindowEnabled(group_.Handle())) return false;
    group_.SetMinimized(!group_.Minimized());
    return true;
}

int TExplorerBarGroup::CaptionStrip::AccessibleFocus() const { return Handle() && GetFocus() == Handle() ? 0 : -1; }

LRESULT TExplorerBarGroup::CaptionStrip::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return group_.StripMessage(msg, wParam, lParam);
}

LRESULT TExplorerBarGroup::StripMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND strip = strip_.Handle();
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintBuffered(strip, [this](HDC dc) { PaintStrip(dc); });
            return 0;
        case WM_PRINTCLIENT:
            try {
                PaintStrip(reinterpret_cast<HDC>(wParam));
            } catch (...) {
            }
            return 0;
        case WM_MOUSEMOVE: {
            const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const Button under = ButtonAt(pt);
            if (pressed_ != Button::None) {
                const bool inside = under == pressed_;
                if (inside != pressedInside_) {
                    pressedInside_ = inside;
                    InvalidateStrip();
                }
            } else if (under != hot_) {
                hot_ = under;
                InvalidateStrip();
            }
            if (!tracking_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, strip, 0};
                tracking_ = TrackMouseEvent(&track) != FALSE;
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (hot_ != Button::None) {
                hot_ = Button::None;
                InvalidateStrip();
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            // A click puts the keyboard on the strip (one without a minimise
            // button would only pass it on).
            if (caption_.showMinButton && GetFocus() != strip) SetFocus(strip);
            const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const Button under = ButtonAt(pt);
            if (under != Button::None) {
                // A double click on a button is a second press of it.
                pressed_ = under;
                pressedInside_ = true;
                SetCapture(strip);
                InvalidateStrip();
            } else if (msg == WM_LBUTTONDBLCLK) {
                stripClick_ = false;
                Raise(OnDblClick);
            } else {
                stripClick_ = true;
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (pressed_ != Button::None) {
                const Button button = pressed_;
                const bool inside = ButtonAt(pt) == button;
                pressed_ = Button::None;
                pressedInside_ = false;
                if (GetCapture() == strip) ReleaseCapture();
                InvalidateStrip();
                if (inside) PressButton(button);
            } else if (stripClick_) {
                stripClick_ = false;
                RECT client{};
                GetClientRect(strip, &client);
                if (PtInRect(&client, pt)) Raise(OnClick);
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (pressed_ != Button::None && reinterpret_cast<HWND>(lParam) != strip) {
                pressed_ = Button::None;
                pressedInside_ = false;
                InvalidateStrip();
            }
            return 0;
        case WM_GETDLGCODE: {
            // Space reaches the strip as a character under a dialog manager;
            // any other letter stays an access key of the window's controls.
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            return key && key->message == WM_CHAR && key->wParam == L' ' ? DLGC_WANTCHARS : 0;
        }
        case WM_GETOBJECT:
            if (const LRESULT answer = strip_.AnswerAccessible(wParam, lParam)) return answer;
            return DefWindowProcW(strip, msg, wParam, lParam);
        case WM_CHAR:
            if (wParam == L' ' && caption_.showMinButton) SetMinimized(!collapse_.Minimized());
            return 0;
        case WM_SETFOCUS:
            if (!caption_.showMinButton) PostMessageW(strip, kPassFocusMessage, 0, 0);
            InvalidateStrip();
            NotifyAccessibleFocus(strip);
            return 0;
        case WM_KILLFOCUS:
            InvalidateStrip();
            if (collapse_.Minimized()) PostMessageW(strip, kLeaveCollapsedMessage, 0, 0);
            return 0;
        case kPassFocusMessage:
            if (GetFocus() == strip && !caption_.showMinButton) PassFocusOn();
            return 0;
        case kLeaveCollapsedMessage:
            LeaveCollapsed();
            return 0;
        default:
            return DefWindowProcW(strip, msg, wParam, lParam);
    }
}

}  // namespace swl
