// How integers and booleans are written to and read from the settings file.
//
// Reading follows the conventions of the Delphi-style string-to-integer
// conversion the file format comes from:
// - leading blanks (spaces, tabs) are skipped; anything after the number,
//   trailing blanks included, makes the value not a number;
// - one optional sign, "+" or "-";
// - "$" or "0x"/"0X" then selects hexadecimal (case-insensitive digits); at
//   least one digit must follow, so "0x" and "$" alone are not numbers;
// - decimal values must fit in 32 signed bits; hexadecimal ones may take all
//   32 bits and wrap to the signed value ("$FFFFFFFF" is -1), a "-" negating
//   that 32-bit value;
// - an empty value, or anything that is not a number, gives the default.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace swl {

std::int32_t ParseProfileInt(std::string_view value, std::int32_t def);

// An integer read with default 1 (true) or 0 (false); true when not 0.
bool ParseProfileBool(std::string_view value, bool def);

// Decimal, with a leading "-" when negative.
std::string FormatProfileInt(std::int32_t value);

// "1" or "0".
std::string FormatProfileBool(bool value);

}  // namespace swl
