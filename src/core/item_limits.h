// How large a history item may be. One set of limits for the capture, the
// settings file and the bitmap files: what the capture records can be saved
// at exit, and what the save writes is read back at the next start. The
// capture refuses, with an error, only what lies beyond them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "history.h"

namespace swl {

// Pictures: each side up to 65535 pixels (a screenshot across several wide
// screens), at most 64 M pixels. A BMP file of such a picture has at most
// 4 bytes of rows per pixel (32 bits, or less with row padding), so its rows
// stay within kMaxPictureRowBytes at any depth.
inline constexpr int kMaxPictureSide = 65535;
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{64} * 1024 * 1024;
inline constexpr std::size_t kMaxPictureRowBytes = std::size_t{4} * kMaxPicturePixels;

// Whether a picture of this size is kept. 0 x 0 (a clipboard bitmap that
// could not be had) is kept; a negative side is not.
bool PictureSizeKept(int width, int height);

// Texts: at most this many bytes as the settings file stores them before
// encoding (the 8-bit text of a format 1 item, the UTF-8 form of the wide
// text of a format 13 item).
inline constexpr std::size_t kMaxStoredTextBytes = std::size_t{4} * 1024 * 1024;

// The bytes the UTF-8 form of the wide text takes.
std::size_t Utf8FormBytes(std::u16string_view wide);
// Whether the item's text is kept (items of other formats always are).
bool TextKept(const TCBI& item);

// The settings file: room for every slot saved with the longest text,
// encoded (4 characters per 3 bytes), plus the settings and the keys. The
// load and the save read no longer file, and the save writes none.
inline constexpr std::size_t kMaxSettingsFileBytes =
    std::size_t{kSlotCount} * ((kMaxStoredTextBytes + 2) / 3 * 4 + 4096) + 1024 * 1024;

}  // namespace swl
