#include "bmp/bmp_reader.h"

#include "bmp/bmp_layout.h"

namespace swl {
namespace {

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

bool KnownInfoHeaderSize(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// One run of set bits, nothing outside the pixel's bits.
bool ValidMask(std::uint32_t mask, int bits) {
    if (mask == 0) return false;
    if (bits < 32 && (mask >> bits) != 0) return false;
    const std::uint32_t low = mask & (0u - mask);  // lowest set bit
    const std::uint32_t run = mask + low;           // carries out of a single run
    return (run & mask) == 0;
}

int TrailingZeros(std::uint32_t mask) {
    int n = 0;
    while (n < 32 && (mask & (1u << n)) == 0) ++n;
    return n;
}

int BitCount(std::uint32_t mask) {
    int n = 0;
    for (; mask != 0; mask &= mask - 1) ++n;
    return n;
}

// The channel of `mask` in pixel v, scaled to 0..255.
std::uint32_t Channel(std::uint32_t v, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = TrailingZeros(mask);
    const int bits = BitCount(mask);
    const std::uint32_t value = (v & mask) >> shift;
    if (bits >= 8) return value >> (bits - 8);
    const std::uint32_t max = (1u << bits) - 1;
    return (value * 255 + max / 2) / max;
}

BmpReadResult Fail(BmpError error) {
    BmpReadResult r;
    r.error = error;
    return r;
}

}  // namespace

std::string_view BmpErrorName(BmpError error) {
    switch (error) {
        case BmpError::None: return "no error";
        case BmpError::Truncated: return "file cut short";
        case BmpError::NotBmp: return "not a BMP file";
        case BmpError::HeaderSize: return "unknown header size";
        case BmpError::Planes: return "plane count not 1";
        case BmpError::BitDepth: return "unsupported bit depth";
        case BmpError::Compression: return "unsupported compression";
        case BmpError::Dimensions: return "bad dimensions";
        case BmpError::TooLarge: return "picture too large";
        case BmpError::ColourTable: return "bad colour table";
        case BmpError::Masks: return "bad colour masks";
        case BmpError::PixelOffset: return "bad pixel offset";
    }
    return "unknown error";
}

BmpReadResult ReadBmp(std::span<const std::uint8_t> file) {
    const std::size_t size = file.size();
    if (size < kBmpFileHeaderSize + 4) return Fail(BmpError::Truncated);
    if (file[0] != 'B' || file[1] != 'M') return Fail(BmpError::NotBmp);
    const std::uint32_t declaredSize = U32(file, 2);
    const std::uint32_t pixelOffset = U32(file, 10);
    // A file that says it is longer than it is was cut off. A smaller figure
    // is common among writers and harmless: only the bytes at hand are used.
    if (declaredSize > size) return Fail(BmpError::Truncated);

    BmpImage img;
    const std::size_t h = kBmpFileHeaderSize;
    img.headerSize = U32(file, h);
    const bool core = img.headerSize == kBmpCoreHeaderSize;
    if (!core && !KnownInfoHeaderSize(img.headerSize)) return Fail(BmpError::HeaderSize);
    if (size - h < img.headerSize) return Fail(BmpError::Truncated);

    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, compression = kBiRgb, clrUsed = 0;
    if (core) {
        width = U16(file, h + 4);
        height = U16(file, h + 6);
        planes = U16(file, h + 8);
        img.bitsPerPixel = U16(file, h + 10);
    } else {
        width = static_cast<std::int32_t>(U32(file, h + 4));
        height = static_cast<std::int32_t>(U32(file, h + 8));
        planes = U16(file, h + 12);
        img.bitsPerPixel = U16(file, h + 14);
        compression = U32(file, h + 16);
        clrUsed = U32(file, h + 32);
    }
    if (planes != 1) return Fail(BmpError::Planes);

    const int bpp = img.bitsPerPixel;
    const bool knownDepth = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 ||
                            (!core && (bpp == 16 || bpp == 32));
    if (!knownDepth) return Fail(BmpError::BitDepth);
    if (compression == kBiBitfields) {
        if (bpp != 16 && bpp != 32) return Fail(BmpError::Compression);
        img.bitfields = true;
    } else if (compression != kBiRgb) {
        return Fail(BmpError::Compression);
    }

    if (height < 0) {
        img.topDown = true;
        height = -height;  // from 64 bits, so even INT32_MIN negates safely
    }
    const bool noPixels = width == 0 && height == 0;
    if (!noPixels && (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide))
        return Fail(BmpError::Dimensions);
    img.width = static_cast<int>(width);
    img.height = static_cast<int>(height);

    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(height);
    if (pixelBytes > kMaxPictureRowBytes ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPicturePixels)
        return Fail(BmpError::TooLarge);
    img.stride = static_cast<std::size_t>(stride);

    // Masks, then the colour table, then (at or after the offset) the rows.
    std::uint64_t tableStart = h + img.headerSize;
    if (img.bitfields) {
        // Right after a 40-byte header; inside the longer ones, at the same
        // place.
        const std::size_t maskAt = h + 40;
        if (img.headerSize == 40) {
            if (size - tableStart < 12) return Fail(BmpError::Truncated);
            tableStart += 12;
        }
        for (int i = 0; i < 3; ++i) img.masks[i] = U32(file, maskAt + 4 * static_cast<std::size_t>(i));
        for (int i = 0; i < 3; ++i)
            if (!ValidMask(img.masks[i], bpp)) return Fail(BmpError::Masks);
        if ((img.masks[0] & img.masks[1]) != 0 || (img.masks[0] & img.masks[2]) != 0 ||
            (img.masks[1] & img.masks[2]) != 0)
            return Fail(BmpError::Masks);
    } else if (bpp == 16) {
        img.masks[0] = 0x7C00;
        img.masks[1] = 0x03E0;
        img.masks[2] = 0x001F;
    } else if (bpp == 32) {
        img.masks[0] = 0xFF0000;
        img.masks[1] = 0x00FF00;
        img.masks[2] = 0x0000FF;
    }

    std::uint64_t entries = 0;
    if (bpp <= 8) {
        const std::uint32_t full = 1u << bpp;
        if (clrUsed > full) return Fail(BmpError::ColourTable);
        entries = clrUsed == 0 ? full : clrUsed;
    } else {
        if (clrUsed > 256) return Fail(BmpError::ColourTable);
        entries = clrUsed;
    }
    img.colourEntrySize = core ? 3 : 4;
    const std::uint64_t tableEnd = tableStart + entries * static_cast<std::uint64_t>(img.colourEntrySize);
    if (tableEnd > size) return Fail(BmpError::Truncated);
    if (pixelOffset < tableEnd) return Fail(BmpError::PixelOffset);
    if (pixelOffset > size) return Fail(BmpError::PixelOffset);
    if (size - pixelOffset < pixelBytes) return Fail(BmpError::Truncated);

    if (bpp <= 8) {
        img.colourCount = static_cast<int>(entries);
        img.colourTable = file.subspan(static_cast<std::size_t>(tableStart),
                                       static_cast<std::size_t>(tableEnd - tableStart));
    }
    img.pixels = file.subspan(pixelOffset, static_cast<std::size_t>(pixelBytes));

    BmpReadResult result;
    result.image = img;
    return result;
}

std::span<const std::uint8_t> BmpImage::Row(int y) const {
    const int stored = topDown ? y : height - 1 - y;
    return pixels.subspan(static_cast<std::size_t>(stored) * stride, stride);
}

std::uint32_t BmpImage::Colour(int i) const {
    if (i < 0 || i >= colourCount) return 0;
    const std::size_t at = static_cast<std::size_t>(i) * static_cast<std::size_t>(colourEntrySize);
    return static_cast<std::uint32_t>(colourTable[at]) |
           (static_cast<std::uint32_t>(colourTable[at + 1]) << 8) |
           (static_cast<std::uint32_t>(colourTable[at + 2]) << 16);
}

std::uint32_t BmpImage::PixelValue(int x, int y) const {
    const auto row = Row(y);
    const auto ux = static_cast<std::size_t>(x);
    switch (bitsPerPixel) {
        case 1: return Colour((row[ux / 8] >> (7 - ux % 8)) & 1);
        case 4: return Colour((row[ux / 2] >> (ux % 2 == 0 ? 4 : 0)) & 0xF);
        case 8: return Colour(row[ux]);
        case 16: {
            const std::uint32_t v = U16(row, ux * 2);
            return (Channel(v, masks[0]) << 16) | (Channel(v, masks[1]) << 8) | Channel(v, masks[2]);
        }
        case 24:
            return static_cast<std::uint32_t>(row[ux * 3]) |
                   (static_cast<std::uint32_t>(row[ux * 3 + 1]) << 8) |
                   (static_cast<std::uint32_t>(row[ux * 3 + 2]) << 16);
        case 32: {
            const std::uint32_t v = U32(row, ux * 4);
            if (!bitfields) return v;
            return (Channel(v, masks[0]) << 16) | (Channel(v, masks[1]) << 8) | Channel(v, masks[2]);
        }
        default: return 0;
    }
}

std::vector<std::uint8_t> BitmapInfoBytes(const BmpImage& image) {
    std::vector<std::uint8_t> out;
    out.reserve(kBmpInfoHeaderSize + 12 + static_cast<std::size_t>(image.colourCount) * 4);
    const std::int32_t height = image.topDown ? -image.height : image.height;
    PutU32(out, kBmpInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(image.width));
    PutU32(out, static_cast<std::uint32_t>(height));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(image.bitsPerPixel));
    PutU32(out, image.bitfields ? kBiBitfields : kBiRgb);
    PutU32(out, static_cast<std::uint32_t>(image.pixels.size()));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(image.colourCount));
    PutU32(out, 0);
    if (image.bitfields)
        for (const std::uint32_t m : image.masks) PutU32(out, m);
    for (int i = 0; i < image.colourCount; ++i) PutU32(out, image.Colour(i));
    return out;
}

}  // namespace swl
