// Reads Windows BMP files from bytes that come from outside the program: a
// bitmap file beside the settings file may be damaged or made to harm.
// Everything is checked against the bytes at hand before anything is used
// or allocated; what passes is a description of the picture whose parts
// point into the caller's buffer.
//
// Accepted:
// - the 14-byte file header ("BM", file size, two reserved words, offset of
//   the pixel rows), then a 12-byte core header or an information header of
//   40, 52, 56, 108 (version 4) or 124 (version 5) bytes;
// - 1, 4, 8, 16, 24 or 32 bits per pixel (the core header: 1, 4, 8, 24), one
//   plane;
// - no compression, or for 16 and 32 bits colour masks (BI_BITFIELDS): after
//   a 40-byte header, three 32-bit masks follow it; longer headers hold them.
//   Each mask is one run of bits inside the pixel, the three do not overlap;
// - rows bottom-up, or top-down when the height is negative;
// - the sizes the history keeps (item_limits.h): width and height from 1 to
//   kMaxPictureSide, at most kMaxPicturePixels pixels and kMaxPictureRowBytes
//   of pixel rows; or 0 x 0 with no rows, the file of a picture without
//   pixels;
// - a colour table of 2^bits entries for up to 8 bits, or of the count the
//   header gives (at most 2^bits); at 16 bits and more a table of at most 256
//   entries is allowed and skipped. It lies between the headers and the rows.
// Rejected: anything else, including RLE compression, a file shorter than
// its header says it is, rows or a table reaching past the end of the bytes,
// and rows that start inside the headers or the table. The image-size field
// and the resolution fields are not used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "item_limits.h"

namespace swl {

// The most a valid file can take: headers, masks, the largest colour table
// and the rows. Callers can refuse longer files before reading them.
inline constexpr std::size_t kMaxBmpFileBytes = kMaxPictureRowBytes + 64 * 1024;

enum class BmpError {
    None,
    Truncated,       // shorter than the file header, header or rows need
    NotBmp,          // no "BM" signature
    HeaderSize,      // an information header of an unknown size
    Planes,
    BitDepth,
    Compression,     // RLE, JPEG, PNG, or masks for a depth without them
    Dimensions,      // one side zero, negative width, beyond kMaxPictureSide
    TooLarge,        // more than kMaxPicturePixels, or kMaxPictureRowBytes of rows
    ColourTable,     // more colours than the depth can index
    Masks,
    PixelOffset,     // rows starting inside the headers or past the end
};

std::string_view BmpErrorName(BmpError error);

struct BmpImage {
    std::uint32_t headerSize = 0;  // 12 for the core header
    int width = 0;                 // pixels, positive (both 0 for a picture without pixels)
    int height = 0;
    bool topDown = false;          // rows stored from the top (negative height)
    int bitsPerPixel = 0;
    bool bitfields = false;        // BI_BITFIELDS
    // Red, green and blue masks of a 16 or 32-bit pixel: the file's for
    // BI_BITFIELDS, otherwise the fixed 5-5-5 and 8-8-8 layouts.
    std::uint32_t masks[3] = {0, 0, 0};
    // The colour table as stored: colourCount entries of colourEntrySize
    // bytes (3 after a core header, 4 otherwise), blue first. Only a table of
    // a depth up to 8 bits is kept; a larger depth has colourCount 0.
    std::span<const std::uint8_t> colourTable;
    int colourCount = 0;
    int colourEntrySize = 4;
    // The pixel rows as stored, each `stride` bytes (4-byte aligned).
    std::span<const std::uint8_t> pixels;
    std::size_t stride = 0;

    // Row y counted from the top of the picture, whatever the storage order.
    // y must be in 0..height-1.
    std::span<const std::uint8_t> Row(int y) const;
    // Entry i of the colour table as 0x00RRGGBB; 0 for an index past the
    // table (a pixel value the table does not cover shows black).
    std::uint32_t Colour(int i) const;
    // The colour of pixel (x, y), y from the top, inside the picture: 0x00RRGGBB,
    // except that a 32-bit pixel without masks is returned as stored, top
    // byte included, so that a 32-bit picture reads back unchanged.
    std::uint32_t PixelValue(int x, int y) const;
};

struct BmpReadResult {
    BmpError error = BmpError::None;
    BmpImage image;  // valid when error is None

    bool ok() const { return error == BmpError::None; }
};

BmpReadResult ReadBmp(std::span<const std::uint8_t> file);

// The image's header in the one form every Windows version takes
// (a BITMAPINFO): a 40-byte BITMAPINFOHEADER with the checked values (a
// negative height for top-down rows), the three masks for BI_BITFIELDS,
// and the colour table widened to 4-byte entries. It is built from checked
// values only, so the system never reads the file's own header fields.
std::vector<std::uint8_t> BitmapInfoBytes(const BmpImage& image);

}  // namespace swl
