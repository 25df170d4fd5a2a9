// Small helpers on the wide text of markup.
#pragma once

#include <string>
#include <string_view>

namespace swl::markup_detail {

inline char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

inline std::u16string LowerAscii(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out) c = LowerAscii(c);
    return out;
}

// `a` equals `lower` (already lower case) when ASCII letters are compared without case.
inline bool EqualsAsciiNoCase(std::u16string_view a, std::u16string_view lower) {
    if (a.size() != lower.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != lower[i]) return false;
    return true;
}

inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace swl::markup_detail
