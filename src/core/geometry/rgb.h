// A colour as its red, green and blue parts, 0..255 each.
#pragma once

#include <cstdint>

namespace swl {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The platform's COLORREF layout (0x00BBGGRR), as the forms store colours.
constexpr Rgb RgbFromColorRef(std::uint32_t ref) {
    return {static_cast<std::uint8_t>(ref & 0xFF), static_cast<std::uint8_t>((ref >> 8) & 0xFF),
            static_cast<std::uint8_t>((ref >> 16) & 0xFF)};
}

constexpr std::uint32_t ColorRefFromRgb(Rgb c) {
    return static_cast<std::uint32_t>(c.r) | (static_cast<std::uint32_t>(c.g) << 8) |
           (static_cast<std::uint32_t>(c.b) << 16);
}

}  // namespace swl
