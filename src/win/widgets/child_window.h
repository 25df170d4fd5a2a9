// The base of the program's own widgets: one Win32 child window per widget,
// its window procedure dispatching to the object's HandleMessage.
#pragma once

#include <windows.h>

namespace swl {

class ChildWindow {
public:
    ChildWindow() = default;
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;
    virtual ~ChildWindow();

    HWND Handle() const { return hwnd_; }

    // Creates the window of the given registered class (see RegisterWidgetClass)
    // as a child of parent at the rectangle; returns false when it fails.
    bool CreateChild(const wchar_t* className, HWND parent, int x, int y, int w, int h,
                     DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0, int id = 0);

    // Registers a window class whose procedure forwards to ChildWindow objects.
    // Safe to call more than once.
    static void RegisterWidgetClass(const wchar_t* className, HCURSOR cursor = nullptr,
                                    UINT classStyle = CS_HREDRAW | CS_VREDRAW);

protected:
    // Messages not handled here go to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// The paint messages of a window that paints all of its client area itself:
// WM_ERASEBKGND (nothing to erase, so no flicker), WM_PAINT and
// WM_PRINTCLIENT, each drawn by paint(dc). True, with the answer in
// `result`, for those three; false for any other message.
template <class PaintFunction>
bool AnswerPaintMessage(HWND hwnd, UINT msg, WPARAM wParam, PaintFunction&& paint, LRESULT& result) {
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(hwnd, &ps)) paint(dc);
        EndPaint(hwnd, &ps);
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    default:
        return false;
    }
}

// Paints what the parent shows under `child` into dc (in child coordinates),
// so a widget drawn over it looks transparent. The parent is asked with
// WM_PRINTCLIENT at the child's offset; parents that draw gradients answer it.
void PaintParentBackground(HWND child, HDC dc);

// Paints the visible sibling windows that lie under `child` in the Z order
// and overlap it into dc (in child coordinates), after the parent: a widget
// drawn over the result shows what it covers. A sibling that should not
// paint over such a widget needs WS_CLIPSIBLINGS.
void PaintSiblingsBeneath(HWND child, HDC dc);

}  // namespace swl
