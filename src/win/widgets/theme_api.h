// The visual-styles API, looked up in uxtheme.dll at run time so the program
// still starts on systems without it (Windows 95 to 2000), and the question
// the widgets ask before they paint: are visual styles in use right now?
#pragma once

#include <windows.h>
#include <uxtheme.h>
#include <vsstyle.h>

namespace swl {

class ThemeApi {
public:
    // The process-wide binding to uxtheme.dll, made on first use. Binding to
    // a system library is not program state: it only answers for the DLL.
    static const ThemeApi& Get();

    // uxtheme.dll is present and exports what the widgets call.
    bool Available() const { return available_; }

    // Visual styles are in use for this program: the system has them on
    // (IsAppThemed and IsThemeActive) and the program runs with the common
    // controls 6 (its manifest asks for them). Asked at every paint, so a
    // theme switched on or off takes effect at the next WM_THEMECHANGED.
    bool StylesActive() const;

    HTHEME Open(HWND window, const wchar_t* classList) const;
    void Close(HTHEME theme) const;
    bool DrawBackground(HTHEME theme, HDC dc, int part, int state, const RECT& rect,
                        const RECT* clip = nullptr) const;
    // The part's true size; false when the theme does not say.
    bool PartSize(HTHEME theme, HDC dc, int part, int state, SIZE& size) const;
    // The part's content area within bounds; bounds itself when not known.
    RECT ContentRect(HTHEME theme, HDC dc, int part, int state, const RECT& bounds) const;

private:
    ThemeApi();

    using IsAppThemedFn = BOOL(WINAPI*)();
    using IsThemeActiveFn = BOOL(WINAPI*)();
    using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
    using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
    using GetThemePartSizeFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, RECT*, THEMESIZE, SIZE*);
    using GetThemeBackgroundContentRectFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*,
                                                             RECT*);

    bool available_ = false;
    bool commonControls6_ = false;
    IsAppThemedFn isAppThemed_ = nullptr;
    IsThemeActiveFn isThemeActive_ = nullptr;
    OpenThemeDataFn openThemeData_ = nullptr;
    CloseThemeDataFn closeThemeData_ = nullptr;
    DrawThemeBackgroundFn drawThemeBackground_ = nullptr;
    GetThemePartSizeFn getThemePartSize_ = nullptr;
    GetThemeBackgroundContentRectFn getThemeBackgroundContentRect_ = nullptr;
};

// One window's theme data for one theme class. Open again on WM_THEMECHANGED.
class WindowTheme {
public:
    explicit WindowTheme(const wchar_t* classList) : classList_(classList) {}
    ~WindowTheme() { Close(); }
    WindowTheme(const WindowTheme&) = delete;
    WindowTheme& operator=(const WindowTheme&) = delete;

    // Opens the theme data when styles are active; closes it otherwise.
    void Refresh(HWND window);
    void Close();
    // The theme to paint with, or null for the classic look.
    HTHEME Get() const { return theme_; }
    explicit operator bool() const { return theme_ != nullptr; }

private:
    const wchar_t* classList_;
    HTHEME theme_ = nullptr;
};

}  // namespace swl
