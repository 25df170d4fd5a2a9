// The program's UTF-16 strings handed to the wide-character system calls.
#pragma once

#include <string>

namespace swl {

// wchar_t is UTF-16 on Windows: the same units, another type.
inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace swl
