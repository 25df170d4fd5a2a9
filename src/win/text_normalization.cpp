#include "text_normalization.h"

#include <windows.h>

#include <initializer_list>

namespace swl {
namespace {

// NORM_FORM from winnls.h, and the function's shape.
constexpr int kNormalizationC = 1;
using NormalizeStringFn = int(WINAPI*)(int form, LPCWSTR source, int sourceLength, LPWSTR destination,
                                       int destinationLength);

NormalizeStringFn LookUpNormalizeString() {
    for (const wchar_t* dll : {L"kernel32.dll", L"normaliz.dll"}) {
        HMODULE module = GetModuleHandleW(dll);
        if (!module) module = LoadLibraryW(dll);
        if (!module) continue;
        if (auto proc = reinterpret_cast<NormalizeStringFn>(
                reinterpret_cast<void*>(GetProcAddress(module, "NormalizeString"))))
            return proc;
    }
    return nullptr;
}

}  // namespace

std::u16string ComposedForm(std::u16string_view text) {
    static const NormalizeStringFn normalize = LookUpNormalizeString();
    if (!normalize || text.empty() || text.size() > 0x3FFFFFFF) return std::u16string(text);
    const auto source = reinterpret_cast<LPCWSTR>(text.data());
    const int length = static_cast<int>(text.size());
    // The first answer is an estimate; a text that needs more space says so
    // with ERROR_INSUFFICIENT_BUFFER and the size it needs.
    int size = normalize(kNormalizationC, source, length, nullptr, 0);
    for (int tries = 0; tries < 4 && size > 0; ++tries) {
        std::u16string composed(static_cast<std::size_t>(size), u'\0');
        const int written = normalize(kNormalizationC, source, length, reinterpret_cast<LPWSTR>(composed.data()), size);
        if (written > 0) {
            composed.resize(static_cast<std::size_t>(written));
            return composed;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        size = -written;
    }
    // Not a valid text (a lone surrogate): matched as it is.
    return std::u16string(text);
}

}  // namespace swl
