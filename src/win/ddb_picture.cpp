#include "ddb_picture.h"

#include <cstdlib>
#include <vector>

namespace swl {
namespace {

// Draws the source bitmap (w x h) into the destination at (x, y).
bool Blit(HBITMAP dest, int x, int y, HBITMAP source, int w, int h) {
    ScreenDC screen;
    MemoryDC destDC(screen.get());
    MemoryDC sourceDC(screen.get());
    if (!destDC.Select(dest) || !sourceDC.Select(source)) return false;
    return BitBlt(destDC.get(), x, y, w, h, sourceDC.get(), 0, 0, SRCCOPY) != 0;
}

UniquePalette ClonePalette(HPALETTE palette) {
    if (!palette) return {};
    WORD count = 0;
    if (GetObjectW(palette, sizeof(count), &count) != sizeof(count) || count == 0) return {};
    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(storage.data());
    log->palVersion = 0x300;
    log->palNumEntries = count;
    if (GetPaletteEntries(palette, 0, count, log->palPalEntry) != count) return {};
    return UniquePalette(CreatePalette(log));
}

}  // namespace

bool BitmapSize(HBITMAP bitmap, int& width, int& height) {
    BITMAP info{};
    if (!bitmap || GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return false;
    width = info.bmWidth;
    height = std::abs(info.bmHeight);
    return true;
}

std::unique_ptr<DdbPicture> DdbPicture::Create(int width, int height) {
    if (!PictureSizeKept(width, height)) return nullptr;
    UniqueBitmap bitmap;
    if (width > 0 && height > 0) {
        ScreenDC screen;
        if (!screen.get()) return nullptr;
        bitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
        if (!bitmap) return nullptr;
    }
    return std::unique_ptr<DdbPicture>(new DdbPicture(width, height, std::move(bitmap)));
}

std::unique_ptr<DdbPicture> DdbPicture::FromBitmap(HBITMAP source) {
    if (!source) return Create(0, 0);
    int width = 0, height = 0;
    if (!BitmapSize(source, width, height)) return nullptr;
    auto picture = Create(width, height);
    if (!picture) return nullptr;
    if (picture->Handle() && !Blit(picture->Handle(), 0, 0, source, width, height)) return nullptr;
    return picture;
}

std::unique_ptr<Picture> DdbPicture::Copy() const {
    auto copy = Create(width_, height_);
    if (!copy) return nullptr;
    if (bitmap_ && !Blit(copy->Handle(), 0, 0, bitmap_.get(), width_, height_)) return nullptr;
    if (palette_) {
        copy->palette_ = ClonePalette(palette_.get());
        if (!copy->palette_) return nullptr;
    }
    return copy;
}

bool DdbPicture::Draw(int x, int y, const DdbPicture& source) {
    if (!bitmap_ || !source.bitmap_) return true;  // nothing to draw, or nowhere to
    return Blit(bitmap_.get(), x, y, source.bitmap_.get(), source.width_, source.height_);
}

UniqueBitmap DdbPicture::CopyBitmap() const {
    if (!bitmap_) return {};
    ScreenDC screen;
    UniqueBitmap copy(CreateCompatibleBitmap(screen.get(), width_, height_));
    if (!copy || !Blit(copy.get(), 0, 0, bitmap_.get(), width_, height_)) return {};
    return copy;
}

UniquePalette DdbPicture::CopyPalette() const { return ClonePalette(palette_.get()); }

}  // namespace swl
