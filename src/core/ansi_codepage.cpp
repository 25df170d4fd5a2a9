#include "ansi_codepage.h"

#include <array>

namespace swl {
namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes, which
// Windows maps to the same-valued control characters.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ByteToWide(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) return kHigh[b - 0x80];
    return b;
}

}  // namespace

std::u16string Cp1252CodePage::ToWide(std::string_view ansi) const {
    std::u16string out;
    out.reserve(ansi.size());
    for (char c : ansi) out.push_back(ByteToWide(static_cast<unsigned char>(c)));
    return out;
}

std::string Cp1252CodePage::ToAnsi(std::u16string_view wide) const {
    std::string out;
    out.reserve(wide.size());
    for (char16_t w : wide) {
        char mapped = '?';
        if (w < 0x80 || (w >= 0xA0 && w <= 0xFF)) {
            mapped = static_cast<char>(w);
        } else if (w >= 0x80 && w <= 0x9F && kHigh[w - 0x80] == 0) {
            mapped = static_cast<char>(w);
        } else {
            for (std::size_t i = 0; i < kHigh.size(); ++i) {
                if (kHigh[i] == w) { mapped = static_cast<char>(0x80 + i); break; }
            }
        }
        out.push_back(mapped);
    }
    return out;
}

std::u16string WidenAscii(std::string_view ascii) {
    std::u16string out;
    out.reserve(ascii.size());
    for (char c : ascii) out.push_back(static_cast<unsigned char>(c));
    return out;
}

}  // namespace swl
