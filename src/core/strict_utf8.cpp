#include "strict_utf8.h"

namespace swl {
namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::optional<std::u16string> DecodeStrictUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t value = 0;
        char32_t smallest = 0;  // below this the form is overlong
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2; value = lead & 0x1F; smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3; value = lead & 0x0F; smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4; value = lead & 0x07; smallest = 0x10000;
        } else {
            return std::nullopt;  // continuation byte, C0/C1 or F5..FF
        }
        if (utf8.size() - i < length) return std::nullopt;
        for (std::size_t n = 1; n < length; ++n) {
            const auto b = static_cast<unsigned char>(utf8[i + n]);
            if (!IsContinuation(b)) return std::nullopt;
            value = (value << 6) | (b & 0x3F);
        }
        if (value < smallest || value > 0x10FFFF) return std::nullopt;
        if (value >= 0xD800 && value <= 0xDFFF) return std::nullopt;
        if (value < 0x10000) {
            out.push_back(static_cast<char16_t>(value));
        } else {
            value -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
        }
        i += length;
    }
    return out;
}

std::optional<std::u16string> DecodeStrictUtf8(std::u8string_view utf8) {
    // char may alias char8_t's storage.
    return DecodeStrictUtf8(
        std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

}  // namespace swl
