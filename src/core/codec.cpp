#include "codec.h"

#include <array>
#include <cstdint>

namespace swl {
namespace {

constexpr char kAlphabet[] =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz+/";

// Value of each byte as a codec character; kForeign for bytes outside the
// alphabet. kForeign has the top bit set so four lookups can be tested at once.
constexpr std::uint8_t kForeign = 0xFF;

constexpr std::array<std::uint8_t, 256> MakeDecodeTable() {
    std::array<std::uint8_t, 256> table{};
    for (auto& v : table) v = kForeign;
    for (std::uint8_t i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = i;
    return table;
}

constexpr std::array<std::uint8_t, 256> kDecode = MakeDecodeTable();

}  // namespace

std::string EncodeText(std::string_view bytes) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    const std::size_t whole = n / 3;
    const std::size_t rest = n % 3;

    std::string out;
    out.resize(whole * 4 + (rest == 0 ? 0 : rest + 1));
    char* o = out.data();

    for (std::size_t i = 0; i < whole; ++i, in += 3, o += 4) {
        const std::uint32_t v = (std::uint32_t{in[0]} << 16) |
                                (std::uint32_t{in[1]} << 8) | in[2];
        o[0] = kAlphabet[v >> 18];
        o[1] = kAlphabet[(v >> 12) & 63];
        o[2] = kAlphabet[(v >> 6) & 63];
        o[3] = kAlphabet[v & 63];
    }
    if (rest == 1) {
        o[0] = kAlphabet[in[0] >> 2];
        o[1] = kAlphabet[(in[0] & 3) << 4];
    } else if (rest == 2) {
        const std::uint32_t v = (std::uint32_t{in[0]} << 8) | in[1];
        o[0] = kAlphabet[v >> 10];
        o[1] = kAlphabet[(v >> 4) & 63];
        o[2] = kAlphabet[(v & 15) << 2];
    }
    return out;
}

std::string DecodeText(std::string_view text) {
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t m = text.size();

    // Room for the longest possible result; trimmed to what was produced.
    std::string out;
    out.resize(m / 4 * 3 + 2);
    char* const begin = out.data();
    char* o = begin;

    std::size_t i = 0;
    for (; i + 4 <= m; i += 4, o += 3) {
        const std::uint8_t a = kDecode[in[i]];
        const std::uint8_t b = kDecode[in[i + 1]];
        const std::uint8_t c = kDecode[in[i + 2]];
        const std::uint8_t d = kDecode[in[i + 3]];
        if ((a | b | c | d) & 0x80) break;  // the slow path finds which one
        const std::uint32_t v = (std::uint32_t{a} << 18) | (std::uint32_t{b} << 12) |
                                (std::uint32_t{c} << 6) | d;
        o[0] = static_cast<char>(v >> 16);
        o[1] = static_cast<char>(v >> 8);
        o[2] = static_cast<char>(v);
    }

    // The last group of fewer than four characters, or the group holding the
    // first foreign character: one character at a time from a group boundary.
    std::uint32_t acc = 0;
    unsigned bits = 0;
    for (; i < m; ++i) {
        const std::uint8_t v = kDecode[in[i]];
        if (v == kForeign) break;
        acc = (acc << 6) | v;
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            *o++ = static_cast<char>(acc >> bits);
            acc &= (1u << bits) - 1;
        }
    }

    out.resize(static_cast<std::size_t>(o - begin));
    return out;
}

}  // namespace swl
