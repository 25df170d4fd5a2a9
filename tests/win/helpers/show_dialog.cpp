// Shows an About-style page of markup labels and, over it, the error dialog,
// so both can be looked at on a screen. With a number of seconds as its
// argument it closes itself after that time.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "SWLLang.h"
#include "widgets/markup_label.h"
#include "widgets/prompt_dialog.h"

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT_PTR kDialogTimer = 2;
swl::TPromptDialog* g_dialog = nullptr;

LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kDialogTimer) {
                KillTimer(hwnd, kDialogTimer);
                g_dialog->RunModal(hwnd);
            } else if (wParam == kCloseTimer) {
                // Whatever is open, the dialog first.
                if (HWND dialog = FindWindowW(L"TPromptForm", nullptr)) PostMessageW(dialog, WM_CLOSE, 0, 0);
                PostMessageW(hwnd, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const int seconds = __argc > 1 ? std::atoi(__argv[1]) : 0;

    WNDCLASSW wc{};
    wc.lpfnWndProc = PageProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ShowDialogPage";
    RegisterClassW(&wc);
    HWND page = CreateWindowExW(0, wc.lpszClassName, L"About page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 260,
                                300, nullptr, nullptr, instance, nullptr);

    swl::TMarkupLabel title;
    LOGFONTW big = swl::DefaultInterfaceFont();
    big.lfHeight = -24;
    title.SetFont(big);
    title.SetIsHTML(true);
    title.SetCaption(swl::GetLangText(false, "lbabouttitle"));
    title.Create(page, 70, 32, 164, 29);

    swl::TMarkupLabel detail;
    detail.SetIsHTML(true);
    detail.SetWordWrap(true);
    detail.SetAutoSize(false);
    detail.SetCaption(swl::GetLangText(false, "lbaboutdetail"));
    detail.Create(page, 11, 88, 225, 91);

    swl::TMarkupLabel settings;
    settings.SetCaption(u"&Settings");
    settings.Create(page, 11, 190, 100, 13);

    swl::TMarkupLabel notification;
    notification.SetIsHTML(true);
    notification.SetWordWrap(true);
    notification.SetAutoSize(false);
    notification.SetAlignment(swl::MarkupAlignment::Center);
    notification.SetLayout(swl::MarkupLayout::Center);
    notification.SetCaption(u"<b>3/24</b> " + swl::GetLangText(false, "msgcbcollected"));
    notification.Create(page, 11, 210, 179, 39);

    swl::TPromptDialog dialog;
    dialog.SetDlgType(swl::PromptDlgType::Error);
    dialog.SetMessage(swl::GetLangText(false, "errnotsave"));
    g_dialog = &dialog;
    SetTimer(page, kDialogTimer, 200, nullptr);
    if (seconds > 0) SetTimer(page, kCloseTimer, static_cast<UINT>(seconds) * 1000, nullptr);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
