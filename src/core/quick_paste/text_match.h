// How the quick-paste filter matches an item: the typed text anywhere in the
// item's text, without regard to case. Case is folded for the Latin letters
// (ASCII, Latin-1, Latin Extended-A and B, Latin Extended Additional, which
// hold every Vietnamese letter: "Ệ" matches "ệ", "Đ" matches "đ"), Greek and
// Cyrillic; other characters compare as they are. Texts are UTF-16 (8-bit
// texts are widened through the code page before they get here), so a
// character outside the Basic Multilingual Plane matches only itself.
#pragma once

#include <string_view>

namespace swl {

// The lower-case form of a UTF-16 unit in the ranges above.
char16_t FoldCase(char16_t c);

// Whether `part` occurs in `text`, case folded; an empty part is in every
// text.
bool ContainsIgnoringCase(std::u16string_view text, std::u16string_view part);

}  // namespace swl
