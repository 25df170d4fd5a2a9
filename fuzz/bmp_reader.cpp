// The BMP reader on arbitrary files: no crash, undefined behaviour or
// unbounded allocation; what it accepts lies wholly inside the bytes given,
// every pixel can be read, and the picture made from it saves and reads back
// pixel for pixel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "bmp/bmp_reader.h"
#include "bmp/memory_picture_bmp.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool Inside(std::span<const std::uint8_t> part, std::span<const std::uint8_t> whole) {
    return part.empty() ||
           (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const swl::BmpReadResult read = swl::ReadBmp(file);
    if (!read.ok()) {
        Check(!swl::MemoryPictureFromBmp(file));
        return 0;
    }
    const swl::BmpImage& img = read.image;
    // A picture with pixels, or the 0 x 0 file of one without (no rows).
    Check((img.width >= 1 && img.height >= 1) || (img.width == 0 && img.height == 0 && img.pixels.empty()));
    Check(img.pixels.size() == img.stride * static_cast<std::size_t>(img.height));
    Check(img.colourTable.size() ==
          static_cast<std::size_t>(img.colourCount) * static_cast<std::size_t>(img.colourEntrySize));
    Check(Inside(img.pixels, file) && Inside(img.colourTable, file));

    const auto info = swl::BitmapInfoBytes(img);
    Check(info.size() == 40 + (img.bitfields ? 12u : 0u) + 4u * static_cast<std::size_t>(img.colourCount));

    const auto picture = swl::MemoryPictureFromBmp(file);
    Check(picture != nullptr);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) Check(picture->Pixel(x, y) == img.PixelValue(x, y));

    const auto saved = swl::MemoryPictureToBmp(*picture);
    const auto back = swl::MemoryPictureFromBmp(saved);
    Check(back != nullptr && back->Width() == img.width && back->Height() == img.height);
    Check(back->Pixels().size() == picture->Pixels().size());
    for (std::size_t i = 0; i < back->Pixels().size(); ++i) Check(back->Pixels()[i] == picture->Pixels()[i]);
    return 0;
}
