// A picture held in memory as 32-bit pixels, row by row from the top. It is
// the portable picture of the core: tests and benchmarks store it in the
// history like the display bitmaps of the Windows front end.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "picture.h"

namespace swl {

class MemoryPicture final : public Picture {
public:
    // Negative sizes count as 0. Throws std::length_error for a size whose
    // pixel count does not fit in memory's address range.
    MemoryPicture(int width, int height, std::uint32_t fill = 0);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // An independent picture with the same pixels; null when this picture
    // was told to fail its copies or the memory for the copy is not there.
    std::unique_ptr<Picture> Copy() const override;

    // Outside the picture: Pixel gives 0 and SetPixel does nothing.
    std::uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t value);
    std::span<const std::uint32_t> Pixels() const { return pixels_; }

    // Makes Copy() fail from now on, as it does on Windows when the system
    // has no drawing resources left. Copies made earlier are not affected.
    void SetCopyFails(bool fails) { copyFails_ = fails; }

private:
    bool Contains(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    bool copyFails_ = false;
};

}  // namespace swl
