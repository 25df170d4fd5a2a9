#include "widgets/markup_label.h"
#include "wide_text.h"

#include "widgets/offscreen_surface.h"
#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>

#include "resource_ids.h"

namespace swl {
namespace {

int ClampLength(std::size_t n) { return static_cast<int>(std::min<std::size_t>(n, INT_MAX)); }

}  // namespace

HCURSOR LinkCursor() {
    static const HCURSOR cursor = [] {
        HINSTANCE module = GetModuleHandleW(nullptr);
        HCURSOR c = LoadCursorW(module, L"" SWL_RES_LINKCURSOR);
        if (!c) c = LoadCursorW(module, MAKEINTRESOURCEW(SWL_RES_LINKCURSOR_ID));
        if (!c) c = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // IDC_HAND
        return c;
    }();
    return cursor;
}

TMarkupLabel::TMarkupLabel()
    : font_(DefaultInterfaceFont()),
      fontColor_(GetSysColor(COLOR_WINDOWTEXT)),
      cursor_(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512))) {}  // IDC_ARROW

bool TMarkupLabel::Create(HWND parent, int x, int y, int width, int height, int id) {
    RegisterWidgetClass(kClassName, nullptr, CS_HREDRAW | CS_VREDRAW);
    bounds_ = {x, y, x + width, y + height};
    DWORD style = WS_CHILD | WS_VISIBLE | (enabled_ ? 0 : WS_DISABLED) | (tabStop_ ? WS_TABSTOP : 0);
    if (!CreateChild(kClassName, parent, x, y, width, height, style, 0, id)) return false;
    Changed();
    return true;
}

void TMarkupLabel::SetCaption(std::u16string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Changed();
}

void TMarkupLabel::SetIsHTML(bool on) {
    if (on == isHTML_) return;
    isHTML_ = on;
    Changed();
}

void TMarkupLabel::SetWordWrap(bool on) {
    if (on == wordWrap_) return;
    wordWrap_ = on;
    Changed();
}

void TMarkupLabel::SetAutoSize(bool on) {
    if (on == autoSize_) return;
    autoSize_ = on;
    Changed();
}

void TMarkupLabel::SetAlignment(MarkupAlignment alignment) {
    alignment_ = alignment;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TMarkupLabel::SetLayout(MarkupLayout layout) {
    layout_ = layout;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TMarkupLabel::SetEndEllipsis(bool on) {
    endEllipsis_ = on;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TMarkupLabel::SetLinkColor(COLORREF color) {
    if (color == linkColor_) return;
    linkColor_ = color;
    Changed();
}

void TMarkupLabel::SetLinkStyle(FontStyles style) {
    if (style == linkStyle_) return;
    linkStyle_ = style;
    Changed();
}

void TMarkupLabel::SetFont(const LOGFONTW& font) {
    font_ = font;
    Changed();
}

void TMarkupLabel::SetFont(HFONT font) {
    LOGFONTW lf{};
    if (font && GetObjectW(font, sizeof lf, &lf) == sizeof lf) SetFont(lf);
}

void TMarkupLabel::SetFontColor(COLORREF color) {
    if (color == fontColor_) return;
    fontColor_ = color;
    Changed();
}

void TMarkupLabel::SetTransparent(bool on) {
    transparent_ = on;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TMarkupLabel::SetBorderWidth(int width) {
    width = std::clamp(width, 0, 1 << 16);
    if (width == borderWidth_) return;
    borderWidth_ = width;
    Changed();
}

void TMarkupLabel::SetEnabled(bool on) {
    // The main window sets the Paste link's state on every position tick:
    // an unchanged state repaints nothing.
    if (on == enabled_) return;
    enabled_ = on;
    if (Handle()) {
        // A link disabled while it has the focus hands it to the next
        // control: the system would leave the window without any focus.
        HWND next = nullptr;
        if (!on && GetFocus() == Handle()) {
            HWND root = GetAncestor(Handle(), GA_ROOT);
            next = GetNextDlgTabItem(root, Handle(), FALSE);
            if (!next || next == Handle()) next = root;
        }
        EnableWindow(Handle(), on);
        if (next) SetFocus(next);
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void TMarkupLabel::SetTabStop(bool on) {
    tabStop_ = on;
    if (!Handle()) return;
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
}

void TMarkupLabel::SetBounds(int x, int y, int width, int height) {
    bounds_ = {x, y, x + width, y + height};
    if (Handle()) SetWindowPos(Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE TMarkupLabel::ClientSize() const {
    if (Handle()) {
        RECT rc{};
        GetClientRect(Handle(), &rc);
        return {rc.right, rc.bottom};
    }
    return {bounds_.right - bounds_.left, bounds_.bottom - bounds_.top};
}

MarkupFont TMarkupLabel::BaseFont() const { return MarkupFontFromLogFont(font_, fontColor_); }

void TMarkupLabel::SetMeasurer(TextMeasurer* measurer) {
    measureWith_ = measurer;
    Changed();
}

void TMarkupLabel::Changed() {
    bool prepared = true;
    if (isHTML_) {
        prepared = PrepareMarkup();
    } else {
        links_.clear();
        focusedLink_ = -1;
    }
    AdjustBounds();
    SyncWindowText();
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
    if (!prepared) throw MarkupError();
}

bool TMarkupLabel::PrepareMarkup() {
    render_.SetBaseFont(BaseFont());
    render_.SetLinkColor(linkColor_);
    render_.SetLinkStyle(linkStyle_);
    const int available = ClientSize().cx - 2 * borderWidth_;
    // A failure leaves the render empty: the label shows nothing rather than
    // half-prepared text.
    TextMeasurer& measurer = measureWith_ ? *measureWith_ : measurer_;
    markupValid_ = render_.Prepare(caption_, measurer, available, wordWrap_) == MarkupStatus::Ok;
    links_ = FindMarkupLinks(render_);
    if (focusedLink_ >= static_cast<int>(links_.size())) focusedLink_ = links_.empty() ? -1 : 0;
    return markupValid_;
}

void TMarkupLabel::SyncWindowText() {
    // The window's text is what the label says: what other programs (and
    // screen readers' fallbacks) read.
    if (!Handle()) return;
    const std::u16string text = isHTML_ ? render_.PlainText() : WithoutAccessKeyMarks(caption_);
    SetWindowTextW(Handle(), Wide(text));
}

UINT TMarkupLabel::PlainFlags() const {
    UINT flags = DT_EXPANDTABS;
    switch (alignment_) {
        case MarkupAlignment::Left: flags |= DT_LEFT; break;
        case MarkupAlignment::Right: flags |= DT_RIGHT; break;
        case MarkupAlignment::Center: flags |= DT_CENTER; break;
    }
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (endEllipsis_) flags |= DT_END_ELLIPSIS;
    return flags;
}

void TMarkupLabel::AdjustBounds() {
    if (!autoSize_ || adjusting_) return;
    const SIZE client = ClientSize();
    int width = 0;
    int height = 0;
    if (isHTML_) {
        // A wrapped text follows the label's width, not the other way round.
        if (wordWrap_) return;
        width = render_.TextWidth() + 2 * borderWidth_;
        height = render_.TextHeight() + 2 * borderWidth_;
    } else {
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc) return;
        HGDIOBJ old = SelectObject(dc, measurer_.Font(BaseFont()));
        RECT calc{0, 0, std::max(0, static_cast<int>(client.cx) - 2 * borderWidth_), 0};
        // An empty caption still takes the height of one line.
        const std::u16string& text = caption_.empty() ? u" " : caption_;
        DrawTextW(dc, Wide(text), ClampLength(text.size()), &calc,
                  (PlainFlags() & ~DT_END_ELLIPSIS) | DT_CALCRECT);
        SelectObject(dc, old);
        DeleteDC(dc);
        width = calc.right - calc.left + 2 * borderWidth_;
        height = calc.bottom - calc.top + 2 * borderWidth_;
    }
    int left = bounds_.left;
    int top = bounds_.top;
    if (Handle()) {
        RECT rc{};
        GetWindowRect(Handle(), &rc);
        MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&rc), 2);
        left = rc.left;
        top = rc.top;
    }
    // A right-aligned plain label keeps its right edge.
    if (!isHTML_ && alignment_ == MarkupAlignment::Right) left += client.cx - width;
    adjusting_ = true;
    SetBounds(left, top, width, height);
    adjusting_ = false;
}

MarkupRect TMarkupLabel::TextBlock() const {
    const SIZE client = ClientSize();
    return PlaceMarkupBlock(client.cx, client.cy, borderWidth_, alignment_, layout_, render_.TextWidth(),
                            render_.TextHeight());
}

std::u16string TMarkupLabel::PlainText() const { return isHTML_ ? render_.PlainText() : caption_; }

void TMarkupLabel::PaintBackground(HDC dc, const RECT& client) {
    HWND parent = Handle() ? GetParent(Handle()) : nullptr;
    if (!transparent_ || !parent) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    // The parent's own brush first, for parents that do not answer
    // WM_PRINTCLIENT; then whatever the parent draws there, and the windows
    // the label lies over (the About title over the emblem).
    auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(parent, GCLP_HBRBACKGROUND));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    PaintParentBackground(Handle(), dc);
    PaintSiblingsBeneath(Handle(), dc);
}

void TMarkupLabel::DrawPlain(HDC dc, RECT inner) {
    const UINT flags = PlainFlags();
    const auto* text = Wide(caption_);
    const int length = ClampLength(caption_.size());
    HGDIOBJ old = SelectObject(dc, measurer_.Font(BaseFont()));
    SetBkMode(dc, TRANSPARENT);
    if (layout_ != MarkupLayout::Top) {
        RECT calc = inner;
        DrawTextW(dc, text, length, &calc, flags | DT_CALCRECT);
        const int free = (inner.bottom - inner.top) - (calc.bottom - calc.top);
        inner.top += layout_ == MarkupLayout::Center ? free / 2 : free;
    }
    if (Handle() && !IsWindowEnabled(Handle())) {
        RECT shifted = inner;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text, length, &shifted, flags);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, fontColor_);
    }
    DrawTextW(dc, text, length, &inner, flags);
    SelectObject(dc, old);
}

void TMarkupLabel::DrawMarkup(HDC dc) {
    if (!markupValid_) return;
    const MarkupRect block = TextBlock();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, block.left, block.top, block.right, block.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    for (const MarkupDrawRun& run : render_.DrawList(block)) {
        // Each font is deselected before the next is asked for (see Font).
        HGDIOBJ old = SelectObject(dc, measurer_.Font(*run.font));
        SetTextColor(dc, run.font->color);
        DrawMeasuredText(dc, run.x, run.baseline, run.text);
        SelectObject(dc, old);
    }
    RestoreDC(dc, saved);
}

void TMarkupLabel::PaintTo(HDC target) {
    const SIZE size = ClientSize();
    if (size.cx <= 0 || size.cy <= 0) return;
    const RECT client{0, 0, size.cx, size.cy};
    OffscreenSurface surface(target, size.cx, size.cy);
    HDC dc = surface.Ok() ? surface.Dc() : target;
    PaintBackground(dc, client);
    if (isHTML_) {
        DrawMarkup(dc);
    } else {
        RECT inner{borderWidth_, borderWidth_, size.cx - borderWidth_, size.cy - borderWidth_};
        DrawPlain(dc, inner);
    }
    DrawFocus(dc);
    if (surface.Ok()) BitBlt(target, 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
}

RECT TMarkupLabel::PlainTextRect(HDC dc) {
    const SIZE size = ClientSize();
    const RECT inner{borderWidth_, borderWidth_, size.cx - borderWidth_, size.cy - borderWidth_};
    RECT calc = inner;
    HGDIOBJ old = SelectObject(dc, measurer_.Font(BaseFont()));
    const std::u16string& text = caption_.empty() ? u" " : caption_;
    DrawTextW(dc, Wide(text), ClampLength(text.size()), &calc, (PlainFlags() & ~DT_END_ELLIPSIS) | DT_CALCRECT);
    SelectObject(dc, old);
    const int width = std::min<int>(calc.right - calc.left, inner.right - inner.left);
    const int height = std::min<int>(calc.bottom - calc.top, inner.bottom - inner.top);
    RECT r{inner.left, inner.top, inner.left + width, inner.top + height};
    if (alignment_ == MarkupAlignment::Right) OffsetRect(&r, (inner.right - inner.left) - width, 0);
    if (alignment_ == MarkupAlignment::Center) OffsetRect(&r, ((inner.right - inner.left) - width) / 2, 0);
    const int free = (inner.bottom - inner.top) - height;
    if (layout_ == MarkupLayout::Center) OffsetRect(&r, 0, free / 2);
    if (layout_ == MarkupLayout::Bottom) OffsetRect(&r, 0, free);
    return r;
}

void TMarkupLabel::DrawFocus(HDC dc) {
    if (!tabStop_ || !Handle() || GetFocus() != Handle()) return;
    const SIZE size = ClientSize();
    const RECT client{0, 0, size.cx, size.cy};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    auto draw = [&](RECT r) {
        // A pixel of room at the sides, inside the label.
        InflateRect(&r, 1, 0);
        IntersectRect(&r, &r, &client);
        if (r.right > r.left && r.bottom > r.top) DrawFocusRect(dc, &r);
    };
    if (!isHTML_) {
        draw(PlainTextRect(dc));
        return;
    }
    const MarkupRect block = TextBlock();
    if (focusedLink_ < 0 || focusedLink_ >= static_cast<int>(links_.size())) {
        draw({block.left, block.top, block.right, block.bottom});
        return;
    }
    // One rectangle for each line the link takes: its runs on a line joined.
    std::vector<RECT> lines;
    for (const MarkupRect& run : links_[static_cast<std::size_t>(focusedLink_)].rects) {
        RECT r{block.left + run.left, block.top + run.top, block.left + run.right, block.top + run.bottom};
        if (!lines.empty() && lines.back().bottom == r.bottom && r.left >= lines.back().left) {
            UnionRect(&lines.back(), &lines.back(), &r);
        } else {
            lines.push_back(r);
        }
    }
    for (const RECT& r : lines) draw(r);
}

bool TMarkupLabel::HasLinkBeyond(bool backwards) const {
    if (links_.empty() || focusedLink_ < 0) return false;
    return backwards ? focusedLink_ > 0 : focusedLink_ + 1 < static_cast<int>(links_.size());
}

LRESULT TMarkupLabel::DialogCode(const MSG* msg) const {
    if (!tabStop_ || !msg) return 0;
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
    if ((msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_TAB &&
        HasLinkBeyond(GetKeyState(VK_SHIFT) < 0))
        return DLGC_WANTTAB;
    return 0;
}

void TMarkupLabel::Activate() {
    if (!Handle() || !IsWindowEnabled(Handle())) return;
    if (isHTML_ && focusedLink_ >= 0 && focusedLink_ < static_cast<int>(links_.size())) {
        // A copy: the handler may change the caption.
        const std::u16string href = links_[static_cast<std::size_t>(focusedLink_)].href;
        if (OnLinkClick) OnLinkClick(href);
        return;
    }
    if (OnClick) OnClick();
}

int TMarkupLabel::AccessibleChildCount() const { return static_cast<int>(links_.size()); }

bool TMarkupLabel::DescribeAccessible(int child, AccessibleElement& element) const {
    if (!Handle() || child < 0 || child > static_cast<int>(links_.size())) return false;
    const bool focused = GetFocus() == Handle();
    const long common = (IsWindowEnabled(Handle()) ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                        (IsWindowVisible(Handle()) ? 0 : STATE_SYSTEM_INVISIBLE);
    if (child == 0) {
        element.name = isHTML_ ? render_.PlainText() : WithoutAccessKeyMarks(caption_);
        element.screen = ScreenRectOf(Handle());
        if (tabStop_ && links_.empty()) {
            element.role = ROLE_SYSTEM_LINK;
            element.state = common | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED | (focused ? STATE_SYSTEM_FOCUSED : 0);
            element.defaultAction = u"Jump";
        } else {
            element.role = ROLE_SYSTEM_STATICTEXT;
            element.state = common | STATE_SYSTEM_READONLY;
        }
        return true;
    }
    const MarkupLink& link = links_[static_cast<std::size_t>(child - 1)];
    element.name = link.text;
    element.value = link.href;
    element.role = ROLE_SYSTEM_LINK;
    element.state = common | STATE_SYSTEM_LINKED | (tabStop_ ? STATE_SYSTEM_FOCUSABLE : 0) |
                    (focused && focusedLink_ == child - 1 ? STATE_SYSTEM_FOCUSED : 0);
    element.defaultAction = u"Jump";
    const MarkupRect block = TextBlock();
    RECT area{};
    for (const MarkupRect& run : link.rects) {
        const RECT r{block.left + run.left, block.top + run.top, block.left + run.right, block.top + run.bottom};
        UnionRect(&area, &area, &r);
    }
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&area), 2);
    element.screen = area;
    return true;
}

bool TMarkupLabel::DoAccessibleDefaultAction(int child) {
    if (!Handle() || !IsWindowEnabled(Handle())) return false;
    if (child == 0) {
        if (!tabStop_ || !links_.empty() || !OnClick) return false;
        OnClick();
        return true;
    }
    if (child > static_cast<int>(links_.size())) return false;
    const std::u16string href = links_[static_cast<std::size_t>(child - 1)].href;
    if (OnLinkClick) OnLinkClick(href);
    return true;
}

int TMarkupLabel::AccessibleFocus() const {
    if (!Handle() || GetFocus() != Handle()) return -1;
    return links_.empty() ? 0 : focusedLink_ + 1;
}

void TMarkupLabel::Click(POINT pt) {
    const SIZE size = ClientSize();
    if (pt.x < 0 || pt.y < 0 || pt.x >= size.cx || pt.y >= size.cy) return;
    if (isHTML_) {
        const MarkupHit hit = render_.HitTest(TextBlock(), pt.x, pt.y);
        if (hit.link) {
            // A copy: the handler may change the caption.
            const std::u16string href(hit.href);
            if (OnLinkClick) OnLinkClick(href);
            return;
        }
    }
    if (OnClick) OnClick();
}

LRESULT TMarkupLabel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT painted = 0;
    if (AnswerPaintMessage(Handle(), msg, wParam, [this](HDC dc) { PaintTo(dc); }, painted)) return painted;
    switch (msg) {
        case WM_SIZE: {
            const bool prepared = adjusting_ || !isHTML_ || !wordWrap_ || PrepareMarkup();
            InvalidateRect(Handle(), nullptr, FALSE);
            if (!prepared) throw MarkupError();
            break;
        }
        case WM_ENABLE:
            enabled_ = wParam != 0;
            InvalidateRect(Handle(), nullptr, FALSE);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT pt{};
                GetCursorPos(&pt);
                ScreenToClient(Handle(), &pt);
                const bool link = isHTML_ && render_.HitTest(TextBlock(), pt.x, pt.y).link;
                ::SetCursor(link ? LinkCursor() : cursor_);
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            if (tabStop_) {
                // A click on a link puts the keyboard on that link.
                const MarkupHit hit = isHTML_ ? render_.HitTest(TextBlock(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))
                                              : MarkupHit{};
                for (std::size_t i = 0; hit.run >= 0 && i < links_.size(); ++i) {
                    const auto run = static_cast<std::size_t>(hit.run);
                    if (run >= links_[i].firstRun && run < links_[i].firstRun + links_[i].runCount)
                        focusedLink_ = static_cast<int>(i);
                }
                if (GetFocus() != Handle())
                    SetFocus(Handle());
                else
                    InvalidateRect(Handle(), nullptr, FALSE);
            }
            pressed_ = true;
            SetCapture(Handle());
            return 0;
        case WM_GETDLGCODE:
            return DialogCode(reinterpret_cast<const MSG*>(lParam));
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || (wParam == VK_SPACE && !(lParam & (1 << 30)))) {
                Activate();
                return 0;
            }
            if (wParam == VK_TAB && HasLinkBeyond(GetKeyState(VK_SHIFT) < 0)) {
                focusedLink_ += GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
                InvalidateRect(Handle(), nullptr, FALSE);
                NotifyAccessibleFocus(Handle(), focusedLink_ + 1);
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (!links_.empty()) {
                // Tab enters at the first link, Shift+Tab at the last.
                if (GetKeyState(VK_TAB) < 0)
                    focusedLink_ = GetKeyState(VK_SHIFT) < 0 ? static_cast<int>(links_.size()) - 1 : 0;
                else if (focusedLink_ < 0)
                    focusedLink_ = 0;
            }
            InvalidateRect(Handle(), nullptr, FALSE);
            NotifyAccessibleFocus(Handle(), links_.empty() ? 0 : focusedLink_ + 1);
            return 0;
        case WM_KILLFOCUS:
            InvalidateRect(Handle(), nullptr, FALSE);
            return 0;
        case WM_GETOBJECT:
            if (const LRESULT answer = accessible_.Answer(Handle(), wParam, lParam)) return answer;
            break;
        case WM_LBUTTONUP:
            if (pressed_) {
                pressed_ = false;
                if (GetCapture() == Handle()) ReleaseCapture();
                Click({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            }
            return 0;
        case WM_CAPTURECHANGED:
            pressed_ = false;
            return 0;
        default:
            break;
    }
    return ChildWindow::HandleMessage(msg, wParam, lParam);
}

}  // namespace swl
