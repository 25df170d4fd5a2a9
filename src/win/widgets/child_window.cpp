#include "widgets/child_window.h"

#include <vector>

namespace swl {

ChildWindow::~ChildWindow() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void ChildWindow::RegisterWidgetClass(const wchar_t* className, HCURSOR cursor, UINT classStyle) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &ChildWindow::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

bool ChildWindow::CreateChild(const wchar_t* className, HWND parent, int x, int y, int w, int h,
                              DWORD style, DWORD exStyle, int id) {
    hwnd_ = CreateWindowExW(exStyle, className, L"", style, x, y, w, h, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

LRESULT ChildWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK ChildWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<ChildWindow*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ChildWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(msg, wParam, lParam);
}

void PaintParentBackground(HWND child, HDC dc) {
    HWND parent = GetParent(child);
    if (!parent) return;
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    POINT old{};
    OffsetWindowOrgEx(dc, origin.x, origin.y, &old);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    SetWindowOrgEx(dc, old.x, old.y, nullptr);
}

void PaintSiblingsBeneath(HWND child, HDC dc) {
    HWND parent = GetParent(child);
    if (!parent) return;
    RECT own{};
    GetWindowRect(child, &own);
    // From the bottom of the Z order up, so the nearest sibling ends on top.
    std::vector<HWND> beneath;
    for (HWND w = GetWindow(child, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        RECT r{}, common{};
        GetWindowRect(w, &r);
        if (IsWindowVisible(w) && IntersectRect(&common, &own, &r)) beneath.push_back(w);
    }
    for (auto it = beneath.rbegin(); it != beneath.rend(); ++it) {
        RECT r{};
        GetWindowRect(*it, &r);
        POINT old{};
        OffsetWindowOrgEx(dc, own.left - r.left, own.top - r.top, &old);
        SendMessageW(*it, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
        SetWindowOrgEx(dc, old.x, old.y, nullptr);
    }
}

}  // namespace swl
