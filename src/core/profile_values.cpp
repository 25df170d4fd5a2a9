#include "profile_values.h"

#include <optional>

namespace swl {
namespace {

std::optional<unsigned> HexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

// The magnitude of a run of digits that makes up all of `digits`, or nothing
// when the run is empty, holds another character or exceeds `limit`.
std::optional<std::uint32_t> ParseMagnitude(std::string_view digits, unsigned base,
                                            std::uint64_t limit) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const auto d = HexDigit(c);
        if (!d || *d >= base) return std::nullopt;
        value = value * base + *d;
        if (value > limit) return std::nullopt;  // leading zeros never trip this
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::int32_t ParseProfileInt(std::string_view value, std::int32_t def) {
    std::size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
    std::string_view s = value.substr(i);

    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }

    std::uint32_t magnitude = 0;
    if (!s.empty() && s[0] == '$') {
        const auto m = ParseMagnitude(s.substr(1), 16, 0xFFFFFFFFu);
        if (!m) return def;
        magnitude = *m;
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        const auto m = ParseMagnitude(s.substr(2), 16, 0xFFFFFFFFu);
        if (!m) return def;
        magnitude = *m;
    } else {
        // One more allowed on the negative side: -2147483648.
        const auto m = ParseMagnitude(s, 10, negative ? 0x80000000u : 0x7FFFFFFFu);
        if (!m) return def;
        magnitude = *m;
    }

    // Negation and the signed view of the 32 bits, both modulo 2^32.
    const std::uint32_t bits = negative ? 0u - magnitude : magnitude;
    return static_cast<std::int32_t>(bits);
}

bool ParseProfileBool(std::string_view value, bool def) {
    return ParseProfileInt(value, def ? 1 : 0) != 0;
}

std::string FormatProfileInt(std::int32_t value) { return std::to_string(value); }

std::string FormatProfileBool(bool value) { return value ? "1" : "0"; }

}  // namespace swl
