#include "error_report_text.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

TEST(ErrorReportText, AppendsAFullStopOnlyAfterCharactersSortingAfterIt) {
    struct Case {
        std::string_view message;
        std::string_view shown;
    };
    const Case cases[] = {
        {"Cannot open clipboard", "Cannot open clipboard."},
        {"Done.", "Done."},
        {"Failed!", "Failed!"},           // '!' sorts before '.'
        {"Path a/b", "Path a/b."},        // '/' is the first character after '.'
        {"Ends in a dash -", "Ends in a dash -"},
        {"Ends in a digit 0", "Ends in a digit 0."},
        {"caf\xE9", "caf\xE9."},          // bytes above 0x7F sort after '.'
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorReportText(c.message), c.shown) << c.message;
}

}  // namespace
}  // namespace swl
