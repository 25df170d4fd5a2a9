// Character references in markup: the text between "&" and ";".
#pragma once

#include <string>
#include <string_view>

namespace swl::markup_detail {

// The UTF-16 text `name` stands for ("amp" -> "&", "#65" -> "A"); empty for
// a name that is not known. Numbers that are 0, a surrogate or above U+10FFFF
// give U+FFFD. Names are compared without regard to ASCII case.
std::u16string ResolveCharReference(std::u16string_view name);

// Appends code point `cp` (at most U+10FFFF, not a surrogate) as UTF-16.
void AppendUtf16(std::u16string& out, char32_t cp);

}  // namespace swl::markup_detail

namespace swl {

// `text` as markup that shows it literally: "&", "<" and ">" become their
// character references. For plain text (file names, error details) put into
// a markup caption.
std::string EscapeMarkupText(std::string_view text);

}  // namespace swl
