// The program's entry: single instance, then the main window and the loop.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "SWL_Instance");
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    // The windows come with the clipboard monitor; until then the program
    // only holds its instance and ends.
    if (mutex) CloseHandle(mutex);
    return 0;
}
