// The font a markup run is measured and drawn in, described in the terms of a
// Windows LOGFONT so the front end can create the GDI font directly.
#pragma once

#include <cstdint>
#include <string>

namespace swl {

// Font style bits; a style set is a bitwise or of them.
enum FontStyleBits : unsigned {
    kFontBold = 1u << 0,
    kFontItalic = 1u << 1,
    kFontUnderline = 1u << 2,
    kFontStrikeOut = 1u << 3,
};
using FontStyles = unsigned;

struct MarkupFont {
    std::u16string name;        // face name, at most 31 characters when set by markup
    int height = 0;             // lfHeight: negative = character height, positive = cell height (pixels)
    FontStyles style = 0;
    std::uint32_t color = 0;    // COLORREF, 0x00BBGGRR
    std::uint8_t charset = 1;   // lfCharSet (1 = DEFAULT_CHARSET)

    bool operator==(const MarkupFont&) const = default;
};

}  // namespace swl
