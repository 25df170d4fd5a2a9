#include "program_windows.h"

#include <algorithm>

namespace swl::test {
namespace {

struct Search {
    DWORD pid;  // 0: any process
    const wchar_t* className;
    bool visibleOnly;
    std::vector<HWND> found;
    bool all;  // every match, or the first
};

bool Matches(HWND hwnd, const Search& search) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return (search.pid == 0 || pid == search.pid) && lstrcmpiW(search.className, name) == 0 &&
           (!search.visibleOnly || IsWindowVisible(hwnd));
}

// EnumChildWindows visits every descendant, not only the direct children.
BOOL CALLBACK VisitChild(HWND hwnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    if (!Matches(hwnd, search)) return TRUE;
    search.found.push_back(hwnd);
    return search.all ? TRUE : FALSE;
}

BOOL CALLBACK VisitTop(HWND hwnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    if (Matches(hwnd, search)) {
        search.found.push_back(hwnd);
        return FALSE;
    }
    EnumChildWindows(hwnd, &VisitChild, lParam);
    return search.found.empty() ? TRUE : FALSE;
}

}  // namespace

HWND FindWindowOf(DWORD pid, const wchar_t* className, bool visibleOnly) {
    Search search{pid, className, visibleOnly, {}, false};
    EnumWindows(&VisitTop, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

std::vector<HWND> ChildrenTopDown(HWND parent, const wchar_t* className) {
    Search search{0, className, false, {}, true};
    EnumChildWindows(parent, &VisitChild, reinterpret_cast<LPARAM>(&search));
    std::stable_sort(search.found.begin(), search.found.end(),
                     [](HWND a, HWND b) { return RectOf(a).top < RectOf(b).top; });
    return search.found;
}

RECT RectOf(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc;
}

std::u16string TextOf(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!hwnd || !SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::u16string text(length + 1, u'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             5000, &got))
        return {};
    text.resize(std::min<DWORD_PTR>(got, length));
    return text;
}

std::vector<std::u16string> ListLines(HWND list) {
    std::vector<std::u16string> lines;
    DWORD_PTR count = 0;
    if (!list || !SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return lines;
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
        if (length == static_cast<DWORD_PTR>(LB_ERR)) length = 0;
        std::u16string text(length + 1, u'\0');
        DWORD_PTR got = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000, &got);
        text.resize(got == static_cast<DWORD_PTR>(LB_ERR) ? 0 : std::min<DWORD_PTR>(got, length));
        lines.push_back(text);
    }
    return lines;
}

bool RunningProgram::Start(DWORD timeoutMs) {
    const std::wstring exe = folder_ + L"SWL.exe";
    if (!CopyFileW(exe_.c_str(), exe.c_str(), FALSE)) return false;
    if (!process_.Start(exe, {}, folder_)) return false;
    if (!PumpUntil([&] {
            main_ = FindWindowOf(process_.Id(), L"TfrmMain");
            return main_ != nullptr || !process_.Running();
        }, timeoutMs) || !main_)
        return false;
    // The window exists before its creation has finished (the viewer chain
    // is joined last): wait until the main loop waits for input.
    return WaitForInputIdle(process_.Handle(), timeoutMs) == 0;
}

std::vector<std::u16string> RunningProgram::Lines() const {
    const std::vector<HWND> lists = ChildrenTopDown(main_, L"LISTBOX");
    return lists.empty() ? std::vector<std::u16string>{} : ListLines(lists.front());
}

bool RunningProgram::Ended(DWORD timeoutMs) { return process_.Wait(timeoutMs) && process_.ExitCode() == 0; }

}  // namespace swl::test
