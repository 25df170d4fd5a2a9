#include "settings/program_directory.h"

#include <windows.h>

namespace swl {

std::wstring ProgramPath() {
    // The call truncates silently when the buffer is short: grow it until the
    // path fits, up to the system's limit.
    for (DWORD size = MAX_PATH; size <= kMaxModulePathChars; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD got = GetModuleFileNameW(nullptr, path.data(), size);
        if (got == 0) return {};
        if (got < size) {
            path.resize(got);
            return path;
        }
    }
    return {};
}

std::wstring ProgramDirectory() {
    std::wstring path = ProgramPath();
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    path.resize(slash + 1);
    return path;
}

bool AnsiCanHold(const std::wstring& text) {
    if (text.empty()) return true;
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, &lost);
    return n > 0 && !lost;
}

}  // namespace swl
