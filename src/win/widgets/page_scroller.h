// Lets a page hold more than it shows: its children scroll up and down under
// a vertical scroll bar that appears only while the page is shorter than its
// content. The wheel scrolls too, and a child that takes the keyboard focus
// is scrolled into view.
#pragma once

#include <windows.h>

namespace swl {

class TPageScroller {
public:
    TPageScroller() = default;
    ~TPageScroller();
    TPageScroller(const TPageScroller&) = delete;
    TPageScroller& operator=(const TPageScroller&) = delete;

    // The page's children lie within contentHeight pixels from its top;
    // call it once they are all made.
    void Attach(HWND page, int contentHeight);
    // How far the content is scrolled (0 at the top).
    int Position() const { return position_; }
    void ScrollTo(int position);
    // Scrolls so that the child's rectangle is in view.
    void ScrollIntoView(HWND child);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    // Each child's: taking the focus (Tab, an access key) scrolls it into view.
    static LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);
    void Update();
    int PageHeight() const;

    HWND page_ = nullptr;
    int content_ = 0;
    int position_ = 0;
};

}  // namespace swl
