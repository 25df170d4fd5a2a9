// The windows of another process, seen from a test: found by class, read
// through their messages, and one running copy of the program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace swl::test {

// A window of that class, top-level or below one, of the process (0: any);
// the first found.
HWND FindWindowOf(DWORD pid, const wchar_t* className, bool visibleOnly = false);
// The windows of that class anywhere below `parent`, from the top of the
// screen down.
std::vector<HWND> ChildrenTopDown(HWND parent, const wchar_t* className);
RECT RectOf(HWND hwnd);
// The window's text, asked for across processes with a bounded wait.
std::u16string TextOf(HWND hwnd);
// The strings of a list box, asked for across processes.
std::vector<std::u16string> ListLines(HWND list);

// The program copied into a folder and started there, so the files it
// writes beside itself land in that folder.
class RunningProgram {
public:
    RunningProgram(std::wstring exe, std::wstring folder) : exe_(std::move(exe)), folder_(std::move(folder)) {}

    // True once the main window exists and the main loop waits for input,
    // each within the time.
    bool Start(DWORD timeoutMs = 30000);
    ChildProcess& Process() { return process_; }
    DWORD Id() const { return process_.Id(); }
    HWND MainWindow() const { return main_; }
    // The history as the main window's list shows it.
    std::vector<std::u16string> Lines() const;
    void PostClose() const { PostMessageW(main_, WM_CLOSE, 0, 0); }
    // True when the process ended with 0 within the time.
    bool Ended(DWORD timeoutMs = 20000);
    bool Close() { return Close(20000); }
    bool Close(DWORD timeoutMs) {
        PostClose();
        return Ended(timeoutMs);
    }

private:
    std::wstring exe_;
    std::wstring folder_;
    ChildProcess process_;
    HWND main_ = nullptr;
};

}  // namespace swl::test
