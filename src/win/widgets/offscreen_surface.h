// A memory surface a widget paints into before one BitBlt to the screen, so
// a paint shows no flicker. It is a 32-bit DIB section: text drawn into it
// takes the same glyph advances the measurer reported, whatever the display
// driver does with its own bitmaps.
#pragma once

#include <windows.h>

namespace swl {

class OffscreenSurface {
public:
    OffscreenSurface(HDC target, int width, int height) : dc_(CreateCompatibleDC(target)) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        if (dc_) bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
    }
    ~OffscreenSurface() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;
    bool Ok() const { return old_ != nullptr; }
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace swl
