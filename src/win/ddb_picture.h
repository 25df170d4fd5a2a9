// The picture of a clipboard item on Windows: a device-dependent bitmap
// compatible with the display, optionally with a palette. Copies are made
// by drawing (BitBlt) into a new bitmap of the same size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "gdi_handles.h"
#include "item_limits.h"
#include "picture.h"

namespace swl {

class DdbPicture final : public Picture {
public:
    // A new picture of the display's format, its pixels undefined. A size
    // with a zero side makes a picture without a bitmap. Null for sizes the
    // history does not keep (PictureSizeKept) and when the system cannot make
    // the bitmap.
    static std::unique_ptr<DdbPicture> Create(int width, int height);
    // A new picture of the bitmap's size with the bitmap drawn onto it. The
    // bitmap stays the caller's (for a clipboard bitmap: the clipboard's).
    // A null handle gives a picture of 0 x 0 pixels; null when the handle is
    // not a bitmap or the copy cannot be made.
    static std::unique_ptr<DdbPicture> FromBitmap(HBITMAP source);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    std::unique_ptr<Picture> Copy() const override;

    // Null for a picture with a zero side.
    HBITMAP Handle() const { return bitmap_.get(); }
    HPALETTE Palette() const { return palette_.get(); }
    void SetPalette(UniquePalette palette) { palette_ = std::move(palette); }

    // Draws source onto this picture with its top-left corner at (x, y).
    bool Draw(int x, int y, const DdbPicture& source);

    // The clipboard form: a new bitmap copied from this picture (null for a
    // picture without a bitmap or when the copy fails) and a copy of the
    // palette (null when there is none).
    UniqueBitmap CopyBitmap() const;
    UniquePalette CopyPalette() const;

private:
    DdbPicture(int width, int height, UniqueBitmap bitmap)
        : width_(width), height_(height), bitmap_(std::move(bitmap)) {}

    int width_;
    int height_;
    UniqueBitmap bitmap_;
    UniquePalette palette_;
};

// The size of a bitmap; false when the handle is not a bitmap.
bool BitmapSize(HBITMAP bitmap, int& width, int& height);

}  // namespace swl
