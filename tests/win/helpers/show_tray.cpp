// Shows the notification window at its resting place and the tray icon, so
// both can be looked at on a screen.
//   show_tray [seconds [menu [SWL.exe]]]
// seconds: how long to stay (default 10); "menu": after 1.5 s, dismiss the
// window and open the tray menu as a right click on the icon does; SWL.exe: the program whose
// icons to show (this helper has none of its own).
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "SWLLang.h"
#include "TrayForm.h"
#include "resource_ids.h"
#include "widgets/tray_icon.h"

namespace {

constexpr UINT_PTR kHoldTimer = 1;
constexpr UINT_PTR kMenuTimer = 2;
constexpr UINT_PTR kCloseTimer = 3;

swl::TfrmTrayWnd* g_form = nullptr;
swl::TTrayIcon* g_icon = nullptr;

const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kHoldTimer) {
                // Keeps the window holding at rest: each request restarts the hold.
                g_form->ShowForm();
            } else if (wParam == kMenuTimer) {
                KillTimer(hwnd, kMenuTimer);
                // Out of the way, so the icon on the taskbar shows beside its menu.
                KillTimer(hwnd, kHoldTimer);
                g_form->Hide();
                g_form->frmTimer().Pause();
                const int x = GetSystemMetrics(SM_CXSCREEN) - 120;
                const int y = GetSystemMetrics(SM_CYSCREEN) - 160;
                SetCursorPos(x, y);
                // Returns when the menu has closed (the close timer ends it).
                SendMessageW(g_icon->Handle(), swl::TTrayIcon::kCallbackMessage, 0, WM_RBUTTONDOWN);
                SendMessageW(g_icon->Handle(), swl::TTrayIcon::kCallbackMessage, 0, WM_RBUTTONUP);
            } else if (wParam == kCloseTimer) {
                EndMenu();
                PostQuitMessage(0);
            }
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const int seconds = __argc > 1 ? std::atoi(__argv[1]) : 10;
    const bool openMenu = __argc > 2 && std::strcmp(__argv[2], "menu") == 0;
    HMODULE icons = __argc > 3 ? LoadLibraryExA(__argv[3], nullptr, LOAD_LIBRARY_AS_DATAFILE) : nullptr;
    HICON mainIcon = nullptr;
    HICON trayIcon = nullptr;
    if (icons) {
        mainIcon = static_cast<HICON>(LoadImageW(icons, L"" SWL_RES_MAINICON, IMAGE_ICON, 32, 32, 0));
        trayIcon = static_cast<HICON>(LoadImageW(icons, L"" SWL_RES_TRAYICON, IMAGE_ICON, 16, 16, 0));
    }
    if (!trayIcon) trayIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));

    // The application's hidden window, which owns the program's windows and
    // here also takes the menu's commands.
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"ShowTrayHost";
    RegisterClassW(&wc);
    HWND host = CreateWindowExW(0, wc.lpszClassName, L"Stashwell", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, nullptr);

    swl::TfrmTrayWnd form(swl::TrayWndSource{
        [] { return u"Stashwell :: " + swl::GetLangText(false, "statactive"); },
        [] { return std::u16string(u"5/24"); },
        [] { return false; },
    });
    form.Create(host, mainIcon);
    g_form = &form;

    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, Wide(swl::GetLangText(false, "mishow")));
    AppendMenuW(menu, MF_STRING, 2, Wide(swl::GetLangText(false, "mihide")));
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, 3, Wide(swl::GetLangText(false, "miexit")));

    swl::TTrayIcon icon;
    icon.SetStaticIcon(trayIcon);
    icon.SetPopupMenu(menu, host);
    icon.SetEnabled(true);
    g_icon = &icon;

    form.ShowForm();
    SetTimer(host, kHoldTimer, 400, nullptr);
    if (openMenu) SetTimer(host, kMenuTimer, 1500, nullptr);
    SetTimer(host, kCloseTimer, static_cast<UINT>(seconds) * 1000, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    g_icon = nullptr;
    g_form = nullptr;
    DestroyMenu(menu);
    if (icons) FreeLibrary(icons);
    return 0;
}
