#include "settings/run_key.h"

#include <vector>

#include "settings/program_directory.h"

namespace swl {
namespace {

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring RunCommandFor(const std::wstring& exePath) {
    if (exePath.find(L' ') == std::wstring::npos) return exePath;
    return L"\"" + exePath + L"\"";
}

LONG WriteRunValue(const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& data) {
    HKEY key = nullptr;
    LONG result;
    if (AnsiCanHold(keyPath) && AnsiCanHold(valueName) && AnsiCanHold(data)) {
        const std::string path = ToAnsi(keyPath), name = ToAnsi(valueName), value = ToAnsi(data);
        result = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (result != ERROR_SUCCESS) return result;
        result = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1));
    } else {
        result = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (result != ERROR_SUCCESS) return result;
        result = RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
    return result;
}

}  // namespace swl
