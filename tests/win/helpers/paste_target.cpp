// A window to paste into, in a process of its own: a top-level window with
// one edit control that holds the keyboard focus whenever the window is
// active. It brings itself to the front when it starts and runs until it is
// closed. The tests find it by its class and read the edit's text.
//   paste_target.exe
#include <windows.h>

namespace {

constexpr wchar_t kClass[] = L"StashwellPasteTarget";
HWND edit = nullptr;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 8, 8,
                                   260, 24, hwnd, reinterpret_cast<HMENU>(1), GetModuleHandleW(nullptr), nullptr);
            return edit ? 0 : -1;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) SetFocus(edit);
            return 0;
        case WM_SETFOCUS:
            SetFocus(edit);
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
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    if (!RegisterClassExW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(0, kClass, L"Paste target", WS_OVERLAPPEDWINDOW, 40, 40, 300, 90, nullptr,
                                nullptr, instance, nullptr);
    if (!hwnd) return 2;
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
