// The radix-64 text codec of the settings file: any string of bytes becomes a
// string of 64 plain characters and back. The alphabet is the program's own
// ("0".."9", "A".."Z", "a".."z", "+", "/", in that order of value), the bit
// layout is Base64's (most significant bit first) and there is no padding, so
// the result is not interchangeable with Base64.
#pragma once

#include <string>
#include <string_view>

namespace swl {

// n bytes give ceil(8n / 6) characters; the last one carries the remaining
// 2 or 4 bits followed by zero bits.
std::string EncodeText(std::string_view bytes);

// m alphabet characters give floor(6m / 8) bytes. Decoding stops quietly at the
// first character outside the alphabet (case matters) and returns what came
// before it. Bits left over at the end are dropped without being checked.
std::string DecodeText(std::string_view text);

}  // namespace swl
