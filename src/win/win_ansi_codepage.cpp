#include "win_ansi_codepage.h"

#include <windows.h>

#include <climits>

namespace swl {

std::u16string WinAnsiCodePage::ToWide(std::string_view ansi) const {
    if (ansi.empty() || ansi.size() > INT_MAX) return {};
    const int n = static_cast<int>(ansi.size());
    const int len = MultiByteToWideChar(CP_THREAD_ACP, 0, ansi.data(), n, nullptr, 0);
    if (len <= 0) return {};
    std::u16string out(static_cast<std::size_t>(len), u'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, ansi.data(), n, reinterpret_cast<wchar_t*>(out.data()), len);
    return out;
}

std::string WinAnsiCodePage::ToAnsi(std::u16string_view wide) const {
    if (wide.empty() || wide.size() > INT_MAX) return {};
    const int n = static_cast<int>(wide.size());
    const auto* src = reinterpret_cast<const wchar_t*>(wide.data());
    const int len = WideCharToMultiByte(CP_THREAD_ACP, 0, src, n, nullptr, 0, nullptr, nullptr);
    if (len <= 0) return {};
    std::string out(static_cast<std::size_t>(len), '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, src, n, out.data(), len, nullptr, nullptr);
    return out;
}

}  // namespace swl
