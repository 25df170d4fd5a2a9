#include "menu_access_key.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

TEST(MenuAccessKey, IsTheCharacterAfterTheFirstSingleAmpersand) {
    struct Case {
        std::u16string_view caption;
        char16_t key;
    };
    const Case cases[] = {
        {u"&Clear", u'C'},
        {u"Clear &All", u'A'},
        {u"E&xit", u'X'},
        {u"Copy to Clipboard", 0},
        {u"Salt && &Pepper", u'P'},  // "&&" is a literal "&"
        {u"A&&B", 0},
        {u"Trailing&", 0},
        {u"&Giấu SWL", u'G'},
        {u"&Đóng", u'Đ'},  // only ASCII letters are folded
        {u"-", 0},
        {u"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(MenuAccessKey(c.caption), c.key);
}

TEST(MenuAccessKey, TypedLettersMatchInEitherCase) {
    EXPECT_TRUE(MatchesAccessKey(u"E&xit", u'x'));
    EXPECT_TRUE(MatchesAccessKey(u"E&xit", u'X'));
    EXPECT_FALSE(MatchesAccessKey(u"E&xit", u'e'));
    EXPECT_FALSE(MatchesAccessKey(u"Copy to Clipboard", 0));
}

}  // namespace
}  // namespace swl
