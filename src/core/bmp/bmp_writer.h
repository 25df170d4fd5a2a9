// Writes Windows BMP files: the 14-byte file header ("BM", file size, two
// zero reserved words, offset of the rows), a 40-byte BITMAPINFOHEADER, the
// three colour masks for BI_BITFIELDS, the colour table, and the rows
// bottom-up, each padded to a multiple of 4 bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace swl {

// Bytes of one row: width * bits rounded up to whole 32-bit words.
// 0 for a negative width or a depth outside 1..32.
std::size_t BmpStride(int width, int bitsPerPixel);

struct BmpWriteInput {
    int width = 0;   // 0 or more; a 0 x 0 picture is written as it is
    int height = 0;  // 0 or more; rows are bottom-up
    int bitsPerPixel = 24;  // 1, 4, 8, 16, 24 or 32
    // Colour table entries as 0x00RRGGBB: 1 to 2^bits entries for up to 8
    // bits (required there), up to 256 otherwise; the count goes into
    // biClrUsed.
    std::span<const std::uint32_t> colours;
    // Red, green and blue masks: written with BI_BITFIELDS (16 and 32 bits
    // only); without them the rows are BI_RGB.
    std::optional<std::array<std::uint32_t, 3>> masks;
    // height * BmpStride(width, bitsPerPixel) bytes, the bottom row first.
    std::span<const std::uint8_t> rows;
};

// The file, or nothing when the input does not describe a picture (an
// unknown depth, rows of the wrong length, masks or a colour table that do
// not fit the depth, a file beyond 4 GiB).
std::optional<std::vector<std::uint8_t>> WriteBmp(const BmpWriteInput& input);

// The file with everything but the rows in place, and zeroed room for the
// rows at its end (from RowsOffset of the input), for a caller that fetches
// the rows straight into it: a large picture is then not held twice.
// input.rows is not used. Nothing when the input describes no picture.
std::optional<std::vector<std::uint8_t>> BmpFileForRows(const BmpWriteInput& input);
std::size_t RowsOffset(const BmpWriteInput& input);

}  // namespace swl
