// The access key of a menu caption: the character after the first single
// "&" ("&&" stands for a literal "&"). Owner-drawn items have no system
// text, so the window finds the item for a typed key itself.
#pragma once

#include <string_view>

namespace swl {

// The access key in upper case (ASCII letters folded); 0 when there is none.
char16_t MenuAccessKey(std::u16string_view caption);

// Whether a typed character is that key, letters compared without case.
bool MatchesAccessKey(std::u16string_view caption, char16_t typed);

}  // namespace swl
