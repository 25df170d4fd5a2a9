#include "utf8_form.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace swl {
namespace {

using namespace std::string_literals;

struct FormCase {
    std::u16string wide;
    std::string bytes;
};

TEST(Utf8Form, EncodesEachUnitOnItsOwn) {
    const FormCase cases[] = {
        {u"", ""},
        {u"plain ASCII", "plain ASCII"},
        {std::u16string(u"a\0b", 3), "a\0b"s},
        {u"\u007F", "\x7F"},
        {u"\u0080", "\xC2\x80"},
        {u"caf\u00E9", "caf\xC3\xA9"},
        {u"\u07FF", "\xDF\xBF"},
        {u"\u0800", "\xE0\xA0\x80"},
        {u"Xem t\u1EA5t c\u1EA3", "Xem t\xE1\xBA\xA5t c\xE1\xBA\xA3"},
        {u"\uFFFF", "\xEF\xBF\xBF"},
        // U+1F600 as its two surrogates, each a three-byte sequence (not the
        // four-byte sequence F0 9F 98 80 of standard UTF-8).
        {u"\U0001F600", "\xED\xA0\xBD\xED\xB8\x80"},
        // A lone surrogate is a unit like any other.
        {u"\xDC00", "\xED\xB0\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUtf8Form(c.wide), c.bytes) << testing::PrintToString(c.bytes);
        EXPECT_EQ(FromUtf8Form(c.bytes), c.wide) << testing::PrintToString(c.bytes);
    }
}

// Shapes the reader accepts although the writer never produces them: the
// length comes from bit 0x20 of the lead alone, and the value is taken as is.
TEST(Utf8Form, ReadsEveryWellShapedSequence) {
    const FormCase cases[] = {
        {u"A", "\xC1\x81"},                // overlong two-byte form
        {u"A", "\xE0\x81\x81"},            // overlong three-byte form
        // A stray continuation byte as lead: 0x80..0x9F have bit 0x20 clear
        // and lead two bytes, 0xA0..0xBF have it set and lead three.
        {u"\u0001", "\x80\x81"},
        {u"\u07FF", "\x9F\xBF"},
        {u"\u0041", "\xA0\x81\x81"},
        {u"\xFFFF", "\xBF\xBF\xBF"},
        // Leads of four-byte and longer forms lead three bytes, low 4 bits.
        {u"\u0041", "\xF0\x81\x81"},
        {u"\xFFFF", "\xFF\xBF\xBF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromUtf8Form(c.bytes), c.wide) << testing::PrintToString(c.bytes);
    }
}

TEST(Utf8Form, MalformedOrCutSequenceEmptiesTheWholeText) {
    const std::string cases[] = {
        "abc\xC3",                     // two-byte sequence cut by the end
        "abc\xE1\xBA",                 // three-byte sequence cut by the end
        "\xE1",
        "\x80",                        // a stray continuation byte leads two bytes
        "abc\xC3" "A",                 // second byte is not 10xxxxxx
        "\xC3\xC3\xA9",
        "\xE1\xBA" "A",                // third byte is not 10xxxxxx
        "\xE1" "A\xA5",
        "\xF0\x9F\x98\x80",            // standard four-byte form: F0 9F 98, then 80 cut
        "caf\xC3\xA9\xE9",
    };
    for (const auto& bytes : cases) {
        EXPECT_EQ(FromUtf8Form(bytes), u"") << testing::PrintToString(bytes);
    }
}

TEST(Utf8Form, RoundTripsRandomUnits) {
    std::mt19937 rng(1535);
    // Draw from each encoded length and from the surrogate range.
    const char16_t ranges[][2] = {
        {0x0000, 0x007F}, {0x0080, 0x07FF}, {0x0800, 0xD7FF}, {0xD800, 0xDFFF}, {0xE000, 0xFFFF}};
    std::uniform_int_distribution<int> pick(0, 4);
    std::uniform_int_distribution<int> length(0, 64);
    for (int round = 0; round < 1000; ++round) {
        std::u16string wide;
        for (int n = length(rng); n > 0; --n) {
            const auto& r = ranges[pick(rng)];
            wide.push_back(static_cast<char16_t>(
                std::uniform_int_distribution<int>(r[0], r[1])(rng)));
        }
        ASSERT_EQ(FromUtf8Form(ToUtf8Form(wide)), wide);
    }
}

}  // namespace
}  // namespace swl
