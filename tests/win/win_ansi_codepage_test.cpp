#include "win_ansi_codepage.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace swl {
namespace {

// The conversions go through the thread's real ANSI code page; the Wine
// session runs with the default Western code page 1252.
TEST(WinAnsiCodePage, ConvertsThroughTheThreadCodePage) {
    ASSERT_EQ(GetACP(), 1252u);
    WinAnsiCodePage cp;
    EXPECT_EQ(cp.ToWide("caf\xE9 \x80"), u"caf\u00E9 \u20AC");
    EXPECT_EQ(cp.ToAnsi(u"caf\u00E9 \u20AC"), "caf\xE9 \x80");
    EXPECT_EQ(cp.ToWide(""), u"");
    EXPECT_EQ(cp.ToAnsi(u""), "");
}

TEST(WinAnsiCodePage, LosesWhatTheCodePageCannotHold) {
    WinAnsiCodePage cp;
    EXPECT_EQ(cp.ToAnsi(u"Xem t\u1EA5t c\u1EA3"), "Xem t?t c?");
}

TEST(WinAnsiCodePage, KeepsEmbeddedZeros) {
    WinAnsiCodePage cp;
    EXPECT_EQ(cp.ToWide(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

}  // namespace
}  // namespace swl
