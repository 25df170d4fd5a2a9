#include "widgets/page_scroller.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace swl {
namespace {

constexpr int kLine = 12;
constexpr UINT_PTR kSubclassId = 0x5C;

}  // namespace

TPageScroller::~TPageScroller() {
    if (page_ && IsWindow(page_)) RemoveWindowSubclass(page_, &TPageScroller::Proc, kSubclassId);
}

void TPageScroller::Attach(HWND page, int contentHeight) {
    page_ = page;
    content_ = contentHeight;
    SetWindowSubclass(page_, &TPageScroller::Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    for (HWND child = GetWindow(page_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SetWindowSubclass(child, &TPageScroller::ChildProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    Update();
}

int TPageScroller::PageHeight() const {
    RECT client{};
    GetClientRect(page_, &client);
    return client.bottom;
}

void TPageScroller::Update() {
    if (!page_) return;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = content_ - 1;
    info.nPage = static_cast<UINT>(std::max(PageHeight(), 0));
    info.nPos = position_;
    // A page as tall as its content shows no bar.
    SetScrollInfo(page_, SB_VERT, &info, TRUE);
    ScrollTo(position_);  // a taller page may leave room below the content
}

void TPageScroller::ScrollTo(int position) {
    if (!page_) return;
    position = std::clamp(position, 0, std::max(content_ - PageHeight(), 0));
    if (position == position_) return;
    const int dy = position_ - position;
    position_ = position;
    // The children are moved one by one: scrolling the window's pixels does
    // nothing while it is hidden, and the page may be.
    std::vector<HWND> children;
    for (HWND child = GetWindow(page_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, page_, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetScrollPos(page_, SB_VERT, position_, TRUE);
    InvalidateRect(page_, nullptr, TRUE);
}

void TPageScroller::ScrollIntoView(HWND child) {
    if (!page_ || !child) return;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, page_, reinterpret_cast<POINT*>(&r), 2);
    const int height = PageHeight();
    // In content coordinates; a child that fits on the first (or last)
    // screen brings that whole screen, the page's title with it.
    const int top = r.top + position_;
    const int bottom = r.bottom + position_;
    if (r.top < 0)
        ScrollTo(bottom + 4 <= height ? 0 : top - 4);
    else if (r.bottom > height)
        ScrollTo(content_ - top <= height ? content_ : bottom - height + 4);
}

LRESULT CALLBACK TPageScroller::ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
    auto* self = reinterpret_cast<TPageScroller*>(data);
    if (msg == WM_SETFOCUS && self->page_) {
        self->ScrollIntoView(hwnd);
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &TPageScroller::ChildProc, kSubclassId);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TPageScroller::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TPageScroller*>(data);
    switch (msg) {
    case WM_VSCROLL:
        if (lParam != 0) break;  // a scroll bar control of the page: its owner's business
        switch (LOWORD(wParam)) {
        case SB_LINEUP: self->ScrollTo(self->position_ - kLine); break;
        case SB_LINEDOWN: self->ScrollTo(self->position_ + kLine); break;
        case SB_PAGEUP: self->ScrollTo(self->position_ - self->PageHeight()); break;
        case SB_PAGEDOWN: self->ScrollTo(self->position_ + self->PageHeight()); break;
        case SB_TOP: self->ScrollTo(0); break;
        case SB_BOTTOM: self->ScrollTo(self->content_); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(hwnd, SB_VERT, &info);
            self->ScrollTo(info.nTrackPos);
            break;
        }
        default: break;
        }
        return 0;
    case WM_MOUSEWHEEL:
        if (self->content_ > self->PageHeight()) {
            self->ScrollTo(self->position_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3 * kLine);
            return 0;
        }
        break;
    case WM_SIZE: {
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        self->Update();
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &TPageScroller::Proc, kSubclassId);
        self->page_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace swl
