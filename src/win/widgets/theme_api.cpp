#include "widgets/theme_api.h"

#include <shlwapi.h>

namespace swl {
namespace {

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The version of the common controls this process resolves comctl32.dll to:
// 6 only when the program's manifest asks for them (side-by-side assembly).
bool UsesCommonControls6() {
    HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    if (!comctl) return false;
    using DllGetVersionFn = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    auto getVersion = Lookup<DllGetVersionFn>(comctl, "DllGetVersion");
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    // The library stays loaded: the windows of the program use it anyway.
    return getVersion && SUCCEEDED(getVersion(&info)) && info.dwMajorVersion >= 6;
}

}  // namespace

const ThemeApi& ThemeApi::Get() {
    static const ThemeApi api;
    return api;
}

ThemeApi::ThemeApi() {
    HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
    if (!uxtheme) return;
    isAppThemed_ = Lookup<IsAppThemedFn>(uxtheme, "IsAppThemed");
    isThemeActive_ = Lookup<IsThemeActiveFn>(uxtheme, "IsThemeActive");
    openThemeData_ = Lookup<OpenThemeDataFn>(uxtheme, "OpenThemeData");
    closeThemeData_ = Lookup<CloseThemeDataFn>(uxtheme, "CloseThemeData");
    drawThemeBackground_ = Lookup<DrawThemeBackgroundFn>(uxtheme, "DrawThemeBackground");
    getThemePartSize_ = Lookup<GetThemePartSizeFn>(uxtheme, "GetThemePartSize");
    getThemeBackgroundContentRect_ =
        Lookup<GetThemeBackgroundContentRectFn>(uxtheme, "GetThemeBackgroundContentRect");
    available_ = isAppThemed_ && isThemeActive_ && openThemeData_ && closeThemeData_ &&
                 drawThemeBackground_ && getThemePartSize_ && getThemeBackgroundContentRect_;
    commonControls6_ = available_ && UsesCommonControls6();
}

bool ThemeApi::StylesActive() const {
    return available_ && commonControls6_ && isAppThemed_() && isThemeActive_();
}

HTHEME ThemeApi::Open(HWND window, const wchar_t* classList) const {
    return available_ ? openThemeData_(window, classList) : nullptr;
}

void ThemeApi::Close(HTHEME theme) const {
    if (available_ && theme) closeThemeData_(theme);
}

bool ThemeApi::DrawBackground(HTHEME theme, HDC dc, int part, int state, const RECT& rect,
                              const RECT* clip) const {
    return available_ && theme && SUCCEEDED(drawThemeBackground_(theme, dc, part, state, &rect, clip));
}

bool ThemeApi::PartSize(HTHEME theme, HDC dc, int part, int state, SIZE& size) const {
    if (!available_ || !theme) return false;
    SIZE s{};
    if (FAILED(getThemePartSize_(theme, dc, part, state, nullptr, TS_TRUE, &s))) return false;
    size = s;
    return true;
}

RECT ThemeApi::ContentRect(HTHEME theme, HDC dc, int part, int state, const RECT& bounds) const {
    RECT content = bounds;
    if (available_ && theme &&
        SUCCEEDED(getThemeBackgroundContentRect_(theme, dc, part, state, &bounds, &content)))
        return content;
    return bounds;
}

void WindowTheme::Refresh(HWND window) {
    Close();
    const ThemeApi& api = ThemeApi::Get();
    if (window && api.StylesActive()) theme_ = api.Open(window, classList_);
}

void WindowTheme::Close() {
    if (theme_) ThemeApi::Get().Close(theme_);
    theme_ = nullptr;
}

}  // namespace swl
