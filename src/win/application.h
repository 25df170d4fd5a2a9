// The application: the hidden top-level window that owns the program's
// windows (so none of them gets a taskbar button), the main loop and its
// terminate flag, and the application's activate and deactivate events.
#pragma once

#include <windows.h>

#include <functional>

namespace swl {

inline constexpr char kApplicationTitle[] = "Stashwell";
inline constexpr wchar_t kApplicationWindowClass[] = L"SWLApplication";

class TApplication {
public:
    // Creates the hidden application window titled "Stashwell" and makes it
    // the window the clipboard accessor opens the clipboard for and the owner
    // of the error report. Throws std::runtime_error when the window cannot
    // be created.
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    HWND Handle() const { return hwnd_; }

    // The first form created registers itself here; closing it ends the loop.
    HWND MainForm() const { return mainForm_; }
    void SetMainForm(HWND form);

    // Whether Run shows the main form before it starts looping.
    bool ShowMainForm = true;

    // Raised when the program becomes, or stops being, the active
    // application (WM_ACTIVATEAPP on the application window).
    std::function<void()> OnActivate;
    std::function<void()> OnDeactivate;

    // Dispatches messages until Terminate is called, WM_QUIT arrives or the
    // session ends.
    void Run();
    // Sets the terminate flag and wakes the loop.
    void Terminate();
    bool Terminated() const { return terminated_; }

private:
    static void RegisterWindowClass();
    template <class Window>
    friend LRESULT CALLBACK WindowObjectProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    HWND mainForm_ = nullptr;
    bool terminated_ = false;
};

}  // namespace swl
