#include "codec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace swl {
namespace {

using namespace std::string_literals;

struct EncodeCase {
    std::string bytes;
    std::string text;
};

// Texts that decode to exactly what encodes to them.
TEST(TextCodec, EncodesAndDecodesKnownVectors) {
    const EncodeCase cases[] = {
        {"", ""},
        {"a", "OG"},    // last character: 2 data bits, 4 zero bits
        {"ab", "OM8"},  // last character: 4 data bits, 2 zero bits
        {"abc", "OM9Z"},
        {"abcd", "OM9ZP0"},
        {"\xFF"s, "/m"},   // bytes are unsigned: eight 1-bits, then 4 zero bits
        {"\xFF\xFF\xFF"s, "////"},
        {"\0\0\0"s, "0000"},
        {"\0"s, "00"},
        {"\xFB\xEF\xBF"s, "+++/"},   // values 62 and 63
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeText(c.bytes), c.text) << "encoding of " << testing::PrintToString(c.bytes);
        EXPECT_EQ(DecodeText(c.text), c.bytes) << "decoding of " << c.text;
    }
}

struct DecodeCase {
    std::string text;
    std::string bytes;
};

// Texts that are not the encoding of what they decode to.
TEST(TextCodec, DecodingStopsAtTheFirstForeignCharacter) {
    const DecodeCase cases[] = {
        {"OM9Z=", "abc"},
        {"OM9Z\n", "abc"},
        {"OM9Z\r\nOM9Z", "abc"},
        {"OM9!Z", "ab"},   // the 2 bits left over from "9" are dropped
        {"!OM9Z", ""},
        {"OM9Z OM9Z", "abc"},
        {"OM9Z\0OM9Z"s, "abc"},
        {"OM9Z\xC3\xA9OM"s, "abc"},
        {"OM9Z====", "abc"},
        // Foreign characters at each position of a second group of four.
        {"OM9Z=M9Z", "abc"},
        {"OM9ZO=9Z", "abc"},
        {"OM9ZOM=Z", "abca"},
        {"OM9ZOM9=", "abcab"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeText(c.text), c.bytes) << "decoding of " << testing::PrintToString(c.text);
    }
}

TEST(TextCodec, DecodingDropsLeftoverBitsUnchecked) {
    const DecodeCase cases[] = {
        {"OM9ZO", "abc"},  // 4k + 1 characters: the last six bits are lost
        {"O", ""},
        {"OH", "a"},       // nonzero fill bits are not checked
        {"OMB", "ab"},
        {"//", "\xFF"s},
        {"om9z", "\xCB\x02\x7D"s},  // case matters: a different text, not "abc"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeText(c.text), c.bytes) << "decoding of " << c.text;
    }
    EXPECT_EQ(EncodeText(DecodeText("OH")), "OG");
}

TEST(TextCodec, EveryCharacterOutsideTheAlphabetStopsDecoding) {
    const std::string alphabet =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz+/";
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        const std::string text = "OM9Z"s + ch + "OM9Z";
        const bool inAlphabet = alphabet.find(ch) != std::string::npos;
        EXPECT_EQ(DecodeText(text).size(), inAlphabet ? 6u : 3u) << "byte " << c;
    }
}

TEST(TextCodec, RoundTripsRandomByteStrings) {
    std::mt19937 rng(20050420);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 200);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(static_cast<std::size_t>(length(rng)), '\0');
        for (auto& b : bytes) {
            // Zero bytes and 0xFF are over-represented on purpose.
            const int v = byte(rng);
            b = static_cast<char>(v < 16 ? 0 : v < 32 ? 255 : v);
        }
        const std::string text = EncodeText(bytes);
        ASSERT_EQ(text.size(), (bytes.size() * 8 + 5) / 6);
        ASSERT_EQ(DecodeText(text), bytes) << "length " << bytes.size();
    }
}

}  // namespace
}  // namespace swl
