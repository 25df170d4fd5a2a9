#include "profile_values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace swl {
namespace {

constexpr std::int32_t kDefault = 77;

struct IntCase {
    std::string value;
    std::int32_t expected;  // kDefault where the value is not a number
};

TEST(ProfileInt, ReadsDecimalAndHexadecimal) {
    const IntCase cases[] = {
        {"150", 150},
        {"0", 0},
        {"-5", -5},
        {"+5", 5},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"0x20", 32},
        {"0X1f", 31},
        {"0xAbC", 0xABC},
        {"$10", 16},
        {"$ff", 255},
        {"-$10", -16},
        {"-0x20", -32},
        {"+0x20", 32},
        {"0x0000000000000010", 16},   // leading zeros do not overflow
        {"0x7FFFFFFF", 2147483647},
        // Hexadecimal takes all 32 bits and wraps to the signed value.
        {"0x80000000", std::numeric_limits<std::int32_t>::min()},
        {"$FFFFFFFF", -1},
        {"0xFFFFFFFE", -2},
        {"-$FFFFFFFF", 1},
        // Leading blanks are skipped.
        {"  42", 42},
        {"\t-3", -3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseProfileInt(c.value, kDefault), c.expected) << '"' << c.value << '"';
    }
}

TEST(ProfileInt, AnythingButANumberGivesTheDefault) {
    const std::string cases[] = {
        "",
        " ",
        "-",
        "+",
        "abc",
        "12abc",
        "12 ",           // trailing blanks are not part of a number
        "1 2",
        "- 5",
        "--5",
        "+-5",
        "1.5",
        "1e3",
        "0x",            // "0x" needs at least one more character
        "0X",
        "0x ",
        "0xg",
        "0x1g",
        "$",
        "$g",
        "$-1",
        "x10",
        "0b101",
        "2147483648",    // beyond 32 bits
        "-2147483649",
        "99999999999999999999",
        "0x100000000",
        "$1FFFFFFFF",
        "-0x100000000",
        std::string("5\0", 2),
    };
    for (const auto& value : cases) {
        EXPECT_EQ(ParseProfileInt(value, kDefault), kDefault) << testing::PrintToString(value);
    }
}

TEST(ProfileBool, IsAnIntegerThatIsNotZero) {
    struct BoolCase {
        std::string value;
        bool def;
        bool expected;
    };
    const BoolCase cases[] = {
        {"1", false, true},
        {"0", true, false},
        {"2", false, true},
        {"-1", false, true},
        {"0x0", true, false},
        {"$1", false, true},
        {"", true, true},
        {"", false, false},
        {"yes", false, false},
        {"true", true, true},   // not a number: the default
        {"no", true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseProfileBool(c.value, c.def), c.expected)
            << '"' << c.value << "\" default " << c.def;
    }
}

TEST(ProfileValues, WrittenValuesReadBack) {
    const std::int32_t values[] = {0, 1, -1, 24, 100, -5,
                                   std::numeric_limits<std::int32_t>::max(),
                                   std::numeric_limits<std::int32_t>::min()};
    for (const auto v : values) {
        EXPECT_EQ(ParseProfileInt(FormatProfileInt(v), kDefault), v);
    }
    EXPECT_EQ(FormatProfileInt(-5), "-5");
    EXPECT_EQ(FormatProfileInt(24), "24");
    EXPECT_EQ(FormatProfileBool(true), "1");
    EXPECT_EQ(FormatProfileBool(false), "0");
}

}  // namespace
}  // namespace swl
