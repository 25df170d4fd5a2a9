#include "bmp/memory_picture_bmp.h"

#include <exception>

#include "bmp/bmp_reader.h"
#include "bmp/bmp_writer.h"

namespace swl {

std::vector<std::uint8_t> MemoryPictureToBmp(const MemoryPicture& picture) {
    const int w = picture.Width();
    const int h = picture.Height();
    std::vector<std::uint8_t> rows;
    rows.reserve(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = picture.Pixel(x, y);
            for (int i = 0; i < 4; ++i) rows.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    }
    BmpWriteInput in;
    in.width = w;
    in.height = h;
    in.bitsPerPixel = 32;
    in.rows = rows;
    auto file = WriteBmp(in);
    return file ? std::move(*file) : std::vector<std::uint8_t>{};
}

std::unique_ptr<MemoryPicture> MemoryPictureFromBmp(std::span<const std::uint8_t> file) {
    const BmpReadResult read = ReadBmp(file);
    if (!read.ok()) return nullptr;
    const BmpImage& img = read.image;
    std::unique_ptr<MemoryPicture> picture;
    try {
        picture = std::make_unique<MemoryPicture>(img.width, img.height);
    } catch (const std::exception&) {  // no memory for it
        return nullptr;
    }
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) picture->SetPixel(x, y, img.PixelValue(x, y));
    return picture;
}

}  // namespace swl
