// BMP files of the in-memory picture: how the core, its tests and benchmarks
// save and load pictures without the Windows bitmap functions. A pixel of a
// MemoryPicture is taken as 0x00RRGGBB, the layout of a 32-bit DIB pixel.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "memory_picture.h"

namespace swl {

// A 32-bit BI_RGB file holding every pixel value unchanged.
std::vector<std::uint8_t> MemoryPictureToBmp(const MemoryPicture& picture);

// A picture from a BMP file of any depth the reader takes; null when the
// reader rejects the file.
std::unique_ptr<MemoryPicture> MemoryPictureFromBmp(std::span<const std::uint8_t> file);

}  // namespace swl
