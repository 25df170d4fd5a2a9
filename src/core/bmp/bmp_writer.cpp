#include "bmp/bmp_writer.h"

#include <algorithm>
#include <limits>

#include "bmp/bmp_layout.h"

namespace swl {

std::size_t BmpStride(int width, int bitsPerPixel) {
    if (width < 0 || bitsPerPixel < 1 || bitsPerPixel > 32) return 0;
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel);
    return static_cast<std::size_t>((bits + 31) / 32 * 4);
}

namespace {

bool Describable(const BmpWriteInput& in) {
    const int bpp = in.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
    if (in.width < 0 || in.height < 0) return false;
    if (in.masks && bpp != 16 && bpp != 32) return false;
    const std::size_t maxColours = bpp <= 8 ? (std::size_t{1} << bpp) : 256;
    if (in.colours.size() > maxColours) return false;
    // Up to 8 bits the pixels are indexes: without a table they mean nothing
    // (and a count of 0 would tell readers to expect a full table).
    return !(bpp <= 8 && in.colours.empty());
}

std::uint64_t RowBytes(const BmpWriteInput& in) {
    return static_cast<std::uint64_t>(BmpStride(in.width, in.bitsPerPixel)) * static_cast<std::uint64_t>(in.height);
}

}  // namespace

std::size_t RowsOffset(const BmpWriteInput& in) {
    return kBmpFileHeaderSize + kBmpInfoHeaderSize + (in.masks ? 12 : 0) + 4 * in.colours.size();
}

std::optional<std::vector<std::uint8_t>> BmpFileForRows(const BmpWriteInput& in) {
    if (!Describable(in)) return std::nullopt;
    const std::uint64_t rowBytes = RowBytes(in);
    const std::uint64_t offset = RowsOffset(in);
    const std::uint64_t fileSize = offset + rowBytes;
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(fileSize));
    out.push_back('B');
    out.push_back('M');
    PutU32(out, static_cast<std::uint32_t>(fileSize));
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, static_cast<std::uint32_t>(offset));

    PutU32(out, kBmpInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(in.width));
    PutU32(out, static_cast<std::uint32_t>(in.height));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(in.bitsPerPixel));
    PutU32(out, in.masks ? kBiBitfields : kBiRgb);
    PutU32(out, static_cast<std::uint32_t>(rowBytes));
    PutU32(out, 0);  // resolution: none stated
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(in.colours.size()));
    PutU32(out, 0);

    if (in.masks)
        for (const std::uint32_t m : *in.masks) PutU32(out, m);
    for (const std::uint32_t c : in.colours) PutU32(out, c & 0x00FFFFFFu);
    out.resize(static_cast<std::size_t>(fileSize));
    return out;
}

std::optional<std::vector<std::uint8_t>> WriteBmp(const BmpWriteInput& in) {
    if (!Describable(in) || in.rows.size() != RowBytes(in)) return std::nullopt;
    auto out = BmpFileForRows(in);
    if (out && !in.rows.empty()) std::copy(in.rows.begin(), in.rows.end(), out->begin() + static_cast<std::ptrdiff_t>(RowsOffset(in)));
    return out;
}

}  // namespace swl
