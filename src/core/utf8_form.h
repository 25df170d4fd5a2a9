// The UTF-8 form in which the settings file keeps wide item texts. Each 16-bit
// unit is encoded on its own, so a character outside the Basic Multilingual
// Plane is stored as two three-byte sequences, one per surrogate. Reading is
// lenient about which values a sequence carries (overlong forms are taken as
// they are) but strict about the shape of every sequence.
#pragma once

#include <string>
#include <string_view>

namespace swl {

// One byte for a unit below 0x80, two below 0x800, three otherwise.
std::string ToUtf8Form(std::u16string_view wide);

// A byte below 0x80 is a unit by itself. Any other byte leads a sequence of
// three bytes when its bit 0x20 is set and of two bytes when it is clear; the
// unit is the low 4 (three-byte lead) or 5 (two-byte lead) bits followed by the
// low 6 bits of each following byte. This holds for every byte of 0x80 and
// above, including 10xxxxxx bytes and leads that standard UTF-8 does not use.
// A following byte that is not 10xxxxxx, or a sequence cut off by the end of
// the data, makes the whole result empty.
std::u16string FromUtf8Form(std::string_view bytes);

}  // namespace swl
