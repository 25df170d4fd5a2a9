// A strict decoder from standard UTF-8 to UTF-16, used for the texts the
// program keeps in UTF-8 (the Vietnamese string table). Characters above
// U+FFFF become surrogate pairs. It is not the settings file's UTF-8 form,
// which encodes each 16-bit unit on its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace swl {

// Null for anything that is not well-formed UTF-8: stray or missing
// continuation bytes, overlong forms, encoded surrogates, values above
// U+10FFFF, a sequence cut off by the end of the text.
std::optional<std::u16string> DecodeStrictUtf8(std::string_view utf8);
std::optional<std::u16string> DecodeStrictUtf8(std::u8string_view utf8);

}  // namespace swl
