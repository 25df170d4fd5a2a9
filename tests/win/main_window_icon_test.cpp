// The main window shows the program's icon in its title bar and in the task
// switcher: both sizes, as its class's icons and as the window's own, which
// is what the shell and Wine's window manager ask for.
#include "MainForm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "error_report.h"
#include "resource_ids.h"

namespace swl {
namespace {

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    // A monochrome icon stacks its AND and XOR masks in one bitmap.
    return {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
}

TEST(MainWindowIcon, IsTheProgramsIconInBothSizes) {
    const ErrorReportSink previous = SetErrorReportSink([](const std::string&) {});
    TApplication app;
    auto form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
    const HWND hwnd = form->Handle();

    struct Case {
        const char* what;
        HICON icon;
        int metricX, metricY;
    };
    const Case cases[] = {
        {"WM_GETICON ICON_BIG", reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0)), SM_CXICON,
         SM_CYICON},
        {"WM_GETICON ICON_SMALL", reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0)), SM_CXSMICON,
         SM_CYSMICON},
        {"class icon", reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON)), SM_CXICON, SM_CYICON},
        {"class small icon", reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICONSM)), SM_CXSMICON,
         SM_CYSMICON},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int cx = GetSystemMetrics(c.metricX), cy = GetSystemMetrics(c.metricY);
        EXPECT_NE(c.icon, nullptr);
        if (!c.icon) continue;
        const SIZE size = IconSize(c.icon);
        EXPECT_EQ(size.cx, cx);
        EXPECT_EQ(size.cy, cy);
        // The resource's picture at that size (shared loads of one picture
        // give one handle), not Windows' generic application icon.
        const HICON program = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), L"" SWL_RES_MAINICON, IMAGE_ICON, cx, cy, LR_SHARED));
        ASSERT_NE(program, nullptr);
        EXPECT_EQ(c.icon, program);
    }
    form.reset();
    SetErrorReportSink(previous);
}

}  // namespace
}  // namespace swl
