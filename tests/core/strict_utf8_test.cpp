#include "strict_utf8.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

TEST(DecodeStrictUtf8, DecodesEverySequenceLength) {
    const Utf8Case cases[] = {
        {"empty", "", u""},
        {"ascii with nul", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"two bytes", "\xC3\xB3", u"\u00F3"},
        {"three bytes", "\xE1\xBA\xA5", u"\u1EA5"},
        {"largest below surrogates", "\xED\x9F\xBF", u"\uD7FF"},
        {"largest of the plane", "\xEF\xBF\xBF", u"\uFFFF"},
        {"four bytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"largest", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto decoded = DecodeStrictUtf8(c.utf8);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(*decoded, c.utf16);
    }
}

TEST(DecodeStrictUtf8, RejectsMalformedInput) {
    const Utf8Case cases[] = {
        {"stray continuation", "a\x80", u""},
        {"overlong two bytes", "\xC0\x80", u""},
        {"overlong C1", "\xC1\xBF", u""},
        {"overlong three bytes", "\xE0\x9F\xBF", u""},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF", u""},
        {"encoded surrogate", "\xED\xA0\x80", u""},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u""},
        {"lead F5", "\xF5\x80\x80\x80", u""},
        {"lead FF", "\xFF", u""},
        {"cut off", "ok\xE1\xBA", u""},
        {"bad continuation", "\xC3(", u""},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(DecodeStrictUtf8(c.utf8).has_value()) << c.name;
    }
}

}  // namespace
}  // namespace swl
