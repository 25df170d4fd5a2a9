#include "memory_picture.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

namespace swl {
namespace {

std::size_t PixelCount(int width, int height) {
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    // Checked so that a 32-bit build cannot wrap round to a small buffer.
    if (h != 0 && w > std::numeric_limits<std::size_t>::max() / sizeof(std::uint32_t) / h)
        throw std::length_error("picture too large");
    return w * h;
}

}  // namespace

MemoryPicture::MemoryPicture(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(PixelCount(width_, height_), fill) {}

std::unique_ptr<Picture> MemoryPicture::Copy() const {
    if (copyFails_) return nullptr;
    try {
        auto copy = std::make_unique<MemoryPicture>(*this);
        copy->copyFails_ = false;
        return copy;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool MemoryPicture::Contains(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
}

std::uint32_t MemoryPicture::Pixel(int x, int y) const {
    if (!Contains(x, y)) return 0;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void MemoryPicture::SetPixel(int x, int y, std::uint32_t value) {
    if (!Contains(x, y)) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = value;
}

}  // namespace swl
