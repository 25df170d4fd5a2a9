// Shows the transparency track bar on a button-face panel, to look at it on
// a screen: one bar at 40 with the focus, one at 0 and one at 100 without.
//   show_track_bar.exe
#include <windows.h>

#include "widgets/track_bar.h"

namespace {

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"StashwellShowTrackBar";
    RegisterClassExW(&wc);
    HWND frame = CreateWindowExW(0, wc.lpszClassName, L"Track bar", WS_POPUP | WS_VISIBLE, 0, 0, 260, 130, nullptr,
                                 nullptr, instance, nullptr);
    swl::TTrackBar focused, empty, full;
    focused.SetPosition(40);
    focused.Create(frame, 128, 10);
    empty.Create(frame, 128, 50);
    full.SetPosition(100);
    full.Create(frame, 128, 90);
    SetForegroundWindow(frame);
    SetFocus(focused.Handle());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
