// The program's entry: one instance, the application window, the main
// window and the notification window, the main loop, and the shut-down.
#include <windows.h>

#include <memory>

#include "MainForm.h"
#include "application.h"
#include "error_report.h"
#include "platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    swl::IsWinNT();  // read once, at start
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "SWL_Instance");
    // Another instance runs: leave silently, telling it nothing.
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

    int exitCode = 0;
    try {
        swl::TApplication application;
        swl::TfrmMain frmMain(application, {});
        // The main window has loaded: its icon goes into the notification area.
        frmMain.EnableTrayIcon();
        std::unique_ptr<swl::NotificationWindow> frmTrayWnd = swl::CreateNotificationWindow(frmMain);
        frmMain.frmTrayWnd = frmTrayWnd.get();
        if (frmTrayWnd) frmTrayWnd->ShowForm();  // every start is announced once
        application.Run();
        // FormDestroy leaves the viewer chain and saves. The instance is held
        // until the save is complete: a second start meanwhile ends at once
        // instead of reading the files while they are replaced. The icon
        // leaves the notification area with the main window, before the
        // notification window (and its animator) goes, so no late tray event
        // can reach either.
        frmMain.Destroy();
        if (mutex) CloseHandle(mutex);
        mutex = nullptr;
        frmMain.DisableTrayIcon();
        frmMain.frmTrayWnd = nullptr;
        frmTrayWnd.reset();
    } catch (...) {
        swl::ReportCurrentException();
        exitCode = 1;
    }
    if (mutex) CloseHandle(mutex);
    return exitCode;
}
