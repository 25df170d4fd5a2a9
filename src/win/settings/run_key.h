// The auto-start value: "Stashwell" under the user's Run key, holding the
// command line that starts the program at logon.
#pragma once

#include <windows.h>

#include <string>

namespace swl {

inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Stashwell";

// The command line for the executable: in double quotes when the path holds
// a space, since the shell would otherwise split it there; bare otherwise.
std::wstring RunCommandFor(const std::wstring& exePath);

// Writes the REG_SZ value under HKEY_CURRENT_USER\keyPath (created when
// missing) and closes the key. Through the ANSI calls when the ANSI code page
// holds every character of the data, through the wide calls otherwise.
// ERROR_SUCCESS or the error the system gave.
LONG WriteRunValue(const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& data);

}  // namespace swl
