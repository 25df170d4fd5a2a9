// A 32-bit top-down DIB selected into a memory DC: what a window or widget
// prints into it is read back pixel by pixel. And the font the pixel tests
// measure against.
#pragma once

#include <windows.h>

namespace swl::test {

class Canvas {
public:
    // Filled with `fill` first unless it is CLR_INVALID, so untouched
    // pixels show.
    Canvas(int width, int height, COLORREF fill = CLR_INVALID);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // CLR_INVALID outside the canvas.
    COLORREF At(int x, int y) const;
    // How many pixels of the rectangle have exactly this colour.
    int Count(const RECT& r, COLORREF colour) const;
    // The rightmost column holding this colour; -1 for none.
    int RightmostOf(COLORREF colour) const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

// Makes sure GDI finds Tahoma, the interface font the drawings are checked
// in: a Wine prefix that does not list it gets Wine's own, for this process.
void EnsureTahoma();

}  // namespace swl::test
