#include "quick_paste/text_match.h"

namespace swl {
namespace {

constexpr bool In(char16_t c, char16_t first, char16_t last) { return c >= first && c <= last; }

// Blocks where capital and small letters alternate, the capital on the even
// (or, with oddCapital, the odd) code point.
char16_t FoldPairs(char16_t c, bool oddCapital) {
    const bool odd = (c & 1) != 0;
    return odd == oddCapital ? static_cast<char16_t>(c + 1) : c;
}

}  // namespace

char16_t FoldCase(char16_t c) {
    if (c < 0x80) return In(c, u'A', u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    // Latin-1: À to Þ, but not the multiplication sign.
    if (In(c, 0xC0, 0xDE)) return c == 0xD7 ? c : static_cast<char16_t>(c + 0x20);
    if (c < 0x100) return c;
    // Latin Extended-A.
    if (c == 0x130) return u'i';  // İ
    if (In(c, 0x100, 0x137) || In(c, 0x14A, 0x177)) return FoldPairs(c, false);
    if (In(c, 0x139, 0x148) || In(c, 0x179, 0x17E)) return FoldPairs(c, true);
    if (c == 0x178) return 0xFF;  // Ÿ
    // Latin Extended-B: the letters of Vietnamese (Ơ, Ư) and the regular pairs.
    if (c == 0x1A0 || c == 0x1AF) return static_cast<char16_t>(c + 1);
    if (In(c, 0x1CD, 0x1DC)) return FoldPairs(c, true);
    if (In(c, 0x1DE, 0x1EF) || In(c, 0x1F8, 0x21F) || In(c, 0x222, 0x233)) return FoldPairs(c, false);
    // Greek capitals (no capital at 0x3A2) and Cyrillic.
    if (In(c, 0x391, 0x3AB) && c != 0x3A2) return static_cast<char16_t>(c + 0x20);
    if (In(c, 0x400, 0x40F)) return static_cast<char16_t>(c + 0x50);
    if (In(c, 0x410, 0x42F)) return static_cast<char16_t>(c + 0x20);
    if (In(c, 0x460, 0x481) || In(c, 0x48A, 0x4BF) || In(c, 0x4D0, 0x52F)) return FoldPairs(c, false);
    // Latin Extended Additional: the Vietnamese letters with two marks
    // (Ấ, Ệ, Ở, ...) and the others, capital on the even code point; ẞ is ß.
    if (In(c, 0x1E00, 0x1E95) || In(c, 0x1EA0, 0x1EFF)) return FoldPairs(c, false);
    if (c == 0x1E9E) return 0xDF;
    return c;
}

bool ContainsIgnoringCase(std::u16string_view text, std::u16string_view part) {
    if (part.empty()) return true;
    if (part.size() > text.size()) return false;
    for (std::size_t start = 0; start + part.size() <= text.size(); ++start) {
        std::size_t i = 0;
        while (i < part.size() && FoldCase(text[start + i]) == FoldCase(part[i])) ++i;
        if (i == part.size()) return true;
    }
    return false;
}

}  // namespace swl
