// cbwriter: writes the clipboard from a process of its own, for the tests.
//
//   cbwriter set [unicode=TEXT] [text=TEXT] [unterminated] [bitmap=WxH]
//                [exclude] [ignore] [history=N] [custom]
//       one open span with those formats
//   cbwriter empty
//   cbwriter hold READY_EVENT RELEASE_EVENT MAX_MS
//       opens the clipboard, signals READY_EVENT, and keeps it open until
//       RELEASE_EVENT is signalled or MAX_MS pass
//   cbwriter burst N PREFIX
//       N writes of the Unicode text PREFIX000, PREFIX001, ... without a pause
//
// Exit code 0 on success, 1 on a failed write, 2 on bad arguments.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "test_support.h"

using namespace swl::test;

namespace {

std::u16string U16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }

std::string Ansi(const std::wstring& s) {
    if (s.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

int Set(HWND owner, const std::vector<std::wstring>& args) {
    ClipboardContent content;
    for (const auto& arg : args) {
        const auto eq = arg.find(L'=');
        const std::wstring key = arg.substr(0, eq);
        const std::wstring value = eq == std::wstring::npos ? L"" : arg.substr(eq + 1);
        if (key == L"unicode") content.unicode = U16(value);
        else if (key == L"text") content.text = Ansi(value);
        else if (key == L"unterminated") content.unterminated = true;
        else if (key == L"bitmap") {
            int w = 0, h = 0;
            if (swscanf(value.c_str(), L"%dx%d", &w, &h) != 2) return 2;
            content.bitmap = SIZE{w, h};
        } else if (key == L"exclude") content.excludeFromMonitors = true;
        else if (key == L"ignore") content.viewerIgnore = true;
        else if (key == L"history") content.includeInHistory = static_cast<DWORD>(_wtoi(value.c_str()));
        else if (key == L"custom") content.customFormat = true;
        else return 2;
    }
    return WriteClipboard(owner, content) ? 0 : 1;
}

int Hold(HWND owner, const std::wstring& ready, const std::wstring& release, DWORD maxMs) {
    HANDLE readyEvent = OpenEventW(EVENT_MODIFY_STATE, FALSE, ready.c_str());
    HANDLE releaseEvent = OpenEventW(SYNCHRONIZE, FALSE, release.c_str());
    if (!readyEvent || !releaseEvent) return 2;
    if (!OpenClipboardWithRetry(owner)) return 1;
    SetEvent(readyEvent);
    WaitForSingleObject(releaseEvent, maxMs);
    CloseClipboard();
    CloseHandle(readyEvent);
    CloseHandle(releaseEvent);
    return 0;
}

int Burst(HWND owner, int n, const std::wstring& prefix) {
    for (int i = 0; i < n; ++i) {
        wchar_t number[16];
        swprintf(number, 16, L"%03d", i);
        ClipboardContent content;
        content.unicode = U16(prefix + number);
        if (!WriteClipboard(owner, content)) return 1;
    }
    return 0;
}

}  // namespace

int main() {
    std::vector<std::wstring> args = CommandArguments();
    if (args.empty()) return 2;
    MessageWindow owner;
    const std::wstring command = args[0];
    args.erase(args.begin());
    if (command == L"set") return Set(owner.Handle(), args);
    if (command == L"empty") return EmptyTheClipboard(owner.Handle()) ? 0 : 1;
    if (command == L"hold" && args.size() == 3) return Hold(owner.Handle(), args[0], args[1], _wtoi(args[2].c_str()));
    if (command == L"burst" && args.size() == 2) return Burst(owner.Handle(), _wtoi(args[0].c_str()), args[1]);
    return 2;
}
