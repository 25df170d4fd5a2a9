// The text of the general error report: the error's message, with a full
// stop appended when its last character sorts after "." (so "Cannot open
// clipboard" gains one, while "Done." and "Failed!" stay as they are).
#pragma once

#include <string>
#include <string_view>

namespace swl {

// Characters compare as unsigned bytes: a message ending in a byte of 0x80
// or above (a character of the ANSI code page beyond ASCII) gains a stop.
std::string ErrorReportText(std::string_view message);

}  // namespace swl
