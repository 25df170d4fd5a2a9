#include "quick_paste_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ddb_picture.h"
#include "gdi_handles.h"
#include "geometry/history_entry_geometry.h"
#include "geometry/quick_paste_geometry.h"
#include "menu_palette.h"
#include "resource_ids.h"
#include "solid_shapes.h"
#include "text_normalization.h"
#include "wide_text.h"
#include "widgets/offscreen_surface.h"
#include "window_object.h"
#include "win_rect.h"

namespace swl {
namespace {

// An entry shows one line: the text's start, its breaks and tabs as blanks.
constexpr std::size_t kShownChars = 200;

void RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DROPSHADOW;
        wc.lpfnWndProc = &WindowObjectProc<TQuickPasteWindow>;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kQuickPasteClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

void Text(HDC dc, const std::u16string& text, RECT box, COLORREF colour, UINT extra = 0) {
    SetTextColor(dc, colour);
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | extra);
}

std::u16string OneLine(std::u16string_view text) {
    std::u16string line(text.substr(0, kShownChars));
    std::replace_if(line.begin(), line.end(), [](char16_t c) { return c == u'\r' || c == u'\n' || c == u'\t'; },
                    u' ');
    return line;
}

int RowsFor(int entries) { return std::clamp(entries, 1, kQuickPasteMaxRows); }

// The filter and the texts it looks in, both in normal form C: a text
// stored with combining marks matches what the user types precomposed, and
// the other way round.
std::vector<QuickPasteEntry> Composed(std::vector<QuickPasteEntry> entries) {
    for (QuickPasteEntry& entry : entries) entry.text = ComposedForm(entry.text);
    return entries;
}

bool HoldsLetter(const std::u16string& text) {
    return std::any_of(text.begin(), text.end(), [](char16_t c) { return IsCharAlphaW(static_cast<wchar_t>(c)); });
}

bool ControlDown() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

TQuickPasteWindow::TQuickPasteWindow(std::vector<QuickPasteEntry> newestFirst, QuickPasteTexts texts, HFONT font,
                                     HIMAGELIST icons, std::function<const TCBI*(int slot)> item)
    : list_(Composed(newestFirst), RowsFor(static_cast<int>(newestFirst.size()))),
      texts_(std::move(texts)),
      font_(font),
      item_(std::move(item)) {
    if (icons)
        for (int i = 0; i < res::kItemImageCount; ++i) icons_[i] = ImageList_GetIcon(icons, i, ILD_TRANSPARENT);
}

TQuickPasteWindow::~TQuickPasteWindow() {
    done_ = true;
    if (hwnd_) DestroyWindow(hwnd_);
    for (HICON icon : icons_)
        if (icon) DestroyIcon(icon);
}

bool TQuickPasteWindow::Open(const Rect& caret, const Rect& workArea) {
    RegisterClassOnce();
    const Size size{kQuickPasteWidth, QuickPasteHeight(list_.RowsInView())};
    const Rect at = PlaceQuickPaste(caret, size, workArea);
    CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kQuickPasteClass, L"Stashwell", WS_POPUP, at.left, at.top,
                    size.width, size.height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) return false;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
    return true;
}

void TQuickPasteWindow::SetEntries(std::vector<QuickPasteEntry> newestFirst) {
    const std::u16string filter = list_.Filter();
    const int rows = RowsFor(static_cast<int>(newestFirst.size()));
    list_ = QuickPasteList(Composed(std::move(newestFirst)), rows);
    for (char16_t c : filter) list_.TypeFilter(c);
    if (hwnd_) {
        SetWindowPos(hwnd_, nullptr, 0, 0, kQuickPasteWidth, QuickPasteHeight(rows),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Refresh();
    }
}

void TQuickPasteWindow::KeyDown(UINT vk) {
    // Ctrl+digit picks, whatever the filter holds.
    if (ControlDown() && ((vk >= '0' && vk <= '9') || (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9))) {
        const char16_t digit = static_cast<char16_t>(vk >= VK_NUMPAD0 ? u'0' + (vk - VK_NUMPAD0) : vk);
        if (const auto position = list_.PositionForDigit(digit)) Pick(*position);
        return;
    }
    switch (vk) {
    case VK_UP: list_.Move(QuickPasteMove::Up); break;
    case VK_DOWN: list_.Move(QuickPasteMove::Down); break;
    case VK_PRIOR: list_.Move(QuickPasteMove::PageUp); break;
    case VK_NEXT: list_.Move(QuickPasteMove::PageDown); break;
    case VK_HOME: list_.Move(QuickPasteMove::Home); break;
    case VK_END: list_.Move(QuickPasteMove::End); break;
    case VK_BACK: list_.EraseFilter(); break;
    case VK_RETURN:
        if (list_.Selected() >= 0) Pick(list_.Selected());
        return;
    case VK_ESCAPE:
        Close(true);
        return;
    default: return;
    }
    Refresh();
}

void TQuickPasteWindow::Char(char16_t c) {
    if (done_ || c < u' ' || c == 0x7F) return;  // Enter, Escape and Backspace come as keys
    // A digit picks until the filter holds a letter; then it is part of
    // what is looked for ("room 2").
    if (c >= u'0' && c <= u'9' && !HoldsLetter(list_.Filter())) {
        if (const auto position = list_.PositionForDigit(c)) Pick(*position);
        return;
    }
    list_.SetFilter(ComposedForm(list_.Filter() + c));
    Refresh();
}

void TQuickPasteWindow::Pick(int position) {
    if (done_ || position < 0 || position >= list_.ShownCount()) return;
    done_ = true;
    const int slot = list_.Shown(position).slot;
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    if (OnPick) OnPick(slot);
}

void TQuickPasteWindow::Close(bool byKey) {
    if (done_) return;
    done_ = true;
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    if (OnClose) OnClose(byKey);
}

void TQuickPasteWindow::Refresh() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

int TQuickPasteWindow::RowsShown() const { return list_.RowsInView(); }

int TQuickPasteWindow::RowAt(int y) const {
    for (int r = 0; r < RowsShown(); ++r) {
        const Rect row = QuickPasteRow(r);
        if (y >= row.top && y < row.bottom) return list_.Top() + r < list_.ShownCount() ? list_.Top() + r : -1;
    }
    return -1;
}

LRESULT TQuickPasteWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
        KeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_CHAR:
        Char(static_cast<char16_t>(wParam));
        return 0;
    case WM_MOUSEMOVE: {
        const int position = RowAt(GET_Y_LPARAM(lParam));
        if (position >= 0 && position != list_.Selected()) {
            list_.Select(position);
            Refresh();
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        const int position = RowAt(GET_Y_LPARAM(lParam));
        if (position >= 0) Pick(position);
        return 0;
    }
    case WM_MOUSEWHEEL:
        KeyDown(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? VK_UP : VK_DOWN);
        return 0;
    case WM_ACTIVATE:
        // A click outside, or any other window coming to the front.
        if (LOWORD(wParam) == WA_INACTIVE) Close(false);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void TQuickPasteWindow::Paint(HDC target) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    OffscreenSurface surface(target, client.right, client.bottom);
    HDC dc = surface.Ok() ? surface.Dc() : target;
    ScopedSelect font(dc, font_);
    SetBkMode(dc, TRANSPARENT);

    DrawSolidRectangle(dc, client, kMenuText, kMenuBack);

    // The filter line: what was typed, or how to filter.
    const int f = kQuickPasteFrame;
    RECT header{f, f, client.right - f, f + kQuickPasteHeaderHeight};
    FillSolid(dc, {header.left, header.top, header.left + kQuickPasteStripeWidth, header.bottom}, kMenuStripe);
    RECT textBox{header.left + kQuickPasteStripeWidth + 6, header.top, header.right - 4, header.bottom};
    if (list_.Filter().empty())
        Text(dc, texts_.filterHint, textBox, kMenuDisabledText);
    else
        Text(dc, list_.Filter(), textBox, kMenuText);
    const int lineY = header.bottom + kQuickPasteSeparatorHeight / 2;
    FillSolid(dc, {header.left, header.bottom, header.left + kQuickPasteStripeWidth, header.bottom + kQuickPasteSeparatorHeight},
         kMenuStripe);
    FillSolid(dc, {header.left + kQuickPasteStripeWidth + 2, lineY, header.right - 2, lineY + 1}, kMenuSeparator);

    for (int r = 0; r < RowsShown(); ++r) {
        const RECT row = ToRECT(QuickPasteRow(r));
        const int position = list_.Top() + r;
        if (position < list_.ShownCount()) {
            DrawEntry(dc, position, row, position == list_.Selected());
            continue;
        }
        FillSolid(dc, {row.left, row.top, row.left + kQuickPasteStripeWidth, row.bottom}, kMenuStripe);
        if (r == 0) {
            RECT box{row.left + kQuickPasteStripeWidth + 6, row.top, row.right - 4, row.bottom};
            Text(dc, list_.HistoryEmpty() ? texts_.empty : texts_.noMatch, box, kMenuDisabledText);
        }
    }
    // More entries than rows: a thin mark at the right edge says where the
    // rows in view lie among them.
    const int n = list_.ShownCount();
    if (n > RowsShown()) {
        const Rect first = QuickPasteRow(0);
        const int height = RowsShown() * kQuickPasteRowHeight;
        const int top = first.top + height * list_.Top() / n;
        const int bottom = first.top + height * (list_.Top() + RowsShown()) / n;
        FillSolid(dc, {first.right - 3, top, first.right - 1, bottom}, kMenuSeparator);
    }
    if (dc != target) BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

void TQuickPasteWindow::DrawEntry(HDC dc, int position, const RECT& row, bool selected) {
    const QuickPasteEntry& entry = list_.Shown(position);
    const TCBI* item = item_ ? item_(entry.slot) : nullptr;
    if (selected) {
        DrawSolidRectangle(dc, row, kMenuText, kMenuSelectedBack);
    } else {
        FillSolid(dc, {row.left, row.top, row.left + kQuickPasteStripeWidth, row.bottom}, kMenuStripe);
    }
    const COLORREF colour = selected ? kMenuSelectedText : kMenuText;
    const HICON icon = item ? icons_[EntryIconIndexForFormat(static_cast<unsigned>(item->Format))] : nullptr;
    const int iconX = row.left + (kQuickPasteStripeWidth - kQuickPasteIconSize) / 2;
    const int iconY = row.top + (kQuickPasteRowHeight - kQuickPasteIconSize) / 2;
    if (icon) DrawIconEx(dc, iconX, iconY, icon, kQuickPasteIconSize, kQuickPasteIconSize, 0, nullptr, DI_NORMAL);

    int x = row.left + kQuickPasteStripeWidth + 4;
    Text(dc, QuickPasteList::NumberText(position), {x, row.top, x + kQuickPasteNumberWidth, row.bottom}, colour,
         DT_CENTER);
    x += kQuickPasteNumberWidth + 4;
    RECT box{x, row.top, row.right - 6, row.bottom};

    const auto* picture = item && item->Format == kCF_BITMAP ? dynamic_cast<const DdbPicture*>(item->Bitmap.get())
                                                             : nullptr;
    if (!entry.picture) {
        Text(dc, OneLine(entry.text), box, colour);
        return;
    }
    if (picture && picture->Handle()) {
        const Size thumb = QuickPasteThumbSize(picture->Width(), picture->Height());
        const int ty = row.top + (kQuickPasteRowHeight - thumb.height) / 2;
        MemoryDC source(dc);
        if (source.Select(picture->Handle())) {
            const int oldMode = SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            StretchBlt(dc, x, ty, thumb.width, thumb.height, source.get(), 0, 0, picture->Width(),
                       picture->Height(), SRCCOPY);
            SetStretchBltMode(dc, oldMode);
        }
        FrameSolid(dc, {x - 1, ty - 1, x + thumb.width + 1, ty + thumb.height + 1}, kMenuPictureFrame);
        box.left = x + kQuickPasteThumbWidth + 8;
        const std::string size = std::to_string(picture->Width()) + " x " + std::to_string(picture->Height());
        Text(dc, std::u16string(size.begin(), size.end()), box, colour);
        return;
    }
    Text(dc, u"Bitmap", box, colour);
}

}  // namespace swl
