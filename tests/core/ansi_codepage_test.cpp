#include "ansi_codepage.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

struct CodePageCase {
    std::string ansi;
    std::u16string wide;
};

TEST(Cp1252CodePage, RoundTripsMappedCharacters) {
    const CodePageCase cases[] = {
        {"plain ASCII", u"plain ASCII"},
        {"caf\xE9", u"caf\u00E9"},
        {"\x80 \x99", u"\u20AC \u2122"},  // euro sign, trade mark
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},  // unassigned bytes
    };
    Cp1252CodePage cp;
    for (const auto& c : cases) {
        EXPECT_EQ(cp.ToWide(c.ansi), c.wide);
        EXPECT_EQ(cp.ToAnsi(c.wide), c.ansi);
    }
}

TEST(Cp1252CodePage, LosesWhatItCannotHold) {
    Cp1252CodePage cp;
    EXPECT_EQ(cp.ToAnsi(u"Xem t\u1EA5t c\u1EA3"), "Xem t?t c?");
}

}  // namespace
}  // namespace swl
