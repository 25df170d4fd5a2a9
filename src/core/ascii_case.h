// Case in the ASCII letters only: "A" to "Z" pair with "a" to "z" and every
// other byte stays as it is, so names in settings files and key names compare
// the same whatever code page wrote them.
#pragma once

#include <string_view>

namespace swl {

constexpr char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The two are the same but for the case of ASCII letters.
constexpr bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

}  // namespace swl
