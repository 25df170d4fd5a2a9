// The interface language switch over the English and Vietnamese tables.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace swl {

// The text of a key in Vietnamese (flag true) or English (flag false), as a
// wide string; empty for a key the tables do not hold. Callers pass the
// checked state of the "Vietnamese interface" box at the moment they need
// the text.
std::u16string GetLangText(bool vietnamese, std::string_view key);

// The keys both tables hold, in table order.
std::span<const std::string_view> LangKeys();

}  // namespace swl
