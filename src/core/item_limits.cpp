#include "item_limits.h"

namespace swl {

bool PictureSizeKept(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxPictureSide || height > kMaxPictureSide) return false;
    return std::uint64_t(width) * std::uint64_t(height) <= kMaxPicturePixels;
}

std::size_t Utf8FormBytes(std::u16string_view wide) {
    std::size_t n = 0;
    for (const char16_t unit : wide) n += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
    return n;
}

bool TextKept(const TCBI& item) {
    if (item.Format == kCF_TEXT) return item.Text.size() <= kMaxStoredTextBytes;
    if (item.Format == kCF_UNICODETEXT) return Utf8FormBytes(item.WText) <= kMaxStoredTextBytes;
    return true;
}

}  // namespace swl
