#include "canvas.h"

#include <cstddef>

namespace swl::test {

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    if (fill != CLR_INVALID) {
        const RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::At(int x, int y) const {
    GdiFlush();
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const DWORD p = bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Canvas::Count(const RECT& r, COLORREF colour) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
    return n;
}

int Canvas::RightmostOf(COLORREF colour) const {
    for (int x = width_ - 1; x >= 0; --x)
        for (int y = 0; y < height_; ++y)
            if (At(x, y) == colour) return x;
    return -1;
}

void EnsureTahoma() {
    static const bool done = [] {
        HDC dc = CreateCompatibleDC(nullptr);
        LOGFONTW lf{};
        lf.lfHeight = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpyW(lf.lfFaceName, L"Tahoma");
        HFONT font = CreateFontIndirectW(&lf);
        HGDIOBJ old = SelectObject(dc, font);
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, face);
        SelectObject(dc, old);
        DeleteObject(font);
        DeleteDC(dc);
        if (lstrcmpiW(face, L"Tahoma") != 0) {
            AddFontResourceExW(L"Z:\\usr\\share\\wine\\fonts\\tahoma.ttf", FR_PRIVATE, nullptr);
            AddFontResourceExW(L"Z:\\usr\\share\\wine\\fonts\\tahomabd.ttf", FR_PRIVATE, nullptr);
        }
        return true;
    }();
    (void)done;
}

}  // namespace swl::test
