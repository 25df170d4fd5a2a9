#include "utf8_form.h"

#include <cstdint>

namespace swl {
namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::string ToUtf8Form(std::u16string_view wide) {
    std::string out;
    out.reserve(wide.size() * 3);
    for (const char16_t unit : wide) {
        const std::uint32_t u = unit;
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (u >> 12)));
            out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

std::u16string FromUtf8Form(std::string_view bytes) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();

    std::u16string out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < n) {
        const unsigned char lead = in[i];
        if (lead < 0x80) {
            out.push_back(static_cast<char16_t>(lead));
            ++i;
            continue;
        }
        const bool three = (lead & 0x20) != 0;
        const std::size_t length = three ? 3 : 2;
        if (n - i < length) return {};
        std::uint32_t unit = three ? (lead & 0x0F) : (lead & 0x1F);
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char b = in[i + k];
            if (!IsContinuation(b)) return {};
            unit = (unit << 6) | (b & 0x3F);
        }
        // At most 4 + 12 bits: always one 16-bit unit.
        out.push_back(static_cast<char16_t>(unit));
        i += length;
    }
    return out;
}

}  // namespace swl
