// Where the program keeps its files: the directory of its executable, as the
// system reports the running module's path in wide characters, so that a
// folder whose name the ANSI code page cannot spell still works.
#pragma once

#include <cstddef>
#include <string>

namespace swl {

// Paths longer than this (the system's wide-path limit) are not taken.
inline constexpr std::size_t kMaxModulePathChars = 32768;

// The full path of the running executable; empty when it cannot be had.
std::wstring ProgramPath();
// Its directory with a closing backslash; empty when it cannot be had.
std::wstring ProgramDirectory();

// Whether the ANSI code page can spell every character of the text.
bool AnsiCanHold(const std::wstring& text);

}  // namespace swl
