// Shows the link panel and the count bar as the main window lays them out,
// to look at them on a screen: the bar with its two groups of links and the
// gauge at 5/24 on a button-face status strip.
//   show_bar.exe              both groups expanded
//   show_bar.exe collapsed    the first group collapsed
#include <windows.h>

#include <cstring>
#include <string>

#include "resource_ids.h"
#include "widgets/bi_progress_bar.h"
#include "widgets/explorer_bar.h"
#include "widgets/explorer_bar_group.h"
#include "widgets/gdi_text_measurer.h"
#include "widgets/markup_label.h"

namespace {

constexpr COLORREF kPanelBlue = RGB(101, 135, 220);
constexpr COLORREF kGroupTop = RGB(207, 221, 245);
constexpr COLORREF kStripColour = RGB(214, 223, 247);

// The status strip: the button face, also for the gauge that looks through.
LRESULT CALLBACK StatusProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    RECT client{};
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            GetClientRect(hwnd, &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The minimise glyphs: from this exe's resources when it has them, else
// the asset file in the source tree.
void LoadGlyph(swl::TExplorerBarGroup& group) {
    if (group.LoadMinButtonGlyph(GetModuleHandleW(nullptr), L"" SWL_RES_MINGRIP)) return;
    std::string path = __FILE__;
    const std::size_t tests = path.rfind("tests");
    if (tests == std::string::npos) return;
    path = path.substr(0, tests) + "res/mingrip.bmp";
    std::wstring wide = L"Z:";
    for (char c : path) wide += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) return;
    group.SetMinButtonGlyph(bitmap);
    DeleteObject(bitmap);
}

void Configure(swl::TExplorerBarGroup& group, std::u16string text, bool autoSize) {
    swl::TPanelCaptionSettings caption = group.CaptionSettings();
    caption.text = std::move(text);
    caption.alignment = swl::MarkupAlignment::Left;
    caption.font = swl::DefaultInterfaceFont(true);
    caption.fontColor = GetSysColor(COLOR_HIGHLIGHT);
    caption.color = kStripColour;
    caption.buttonColor = kStripColour;
    caption.showCloseButton = false;
    caption.autoSize = autoSize;
    caption.height = autoSize ? 17 : 19;
    group.SetCaptionSettings(caption);
    group.SetBackgroundType(swl::GroupBackground::VerticalGradient);
    group.SetGradientStartColor(kGroupTop);
    group.SetGradientEndColor(RGB(255, 255, 255));
    group.SetColor(kGroupTop);
    LoadGlyph(group);
}

void AddLink(swl::TMarkupLabel& label, HWND group, std::u16string text, int x, int y, int width) {
    LOGFONTW font = swl::DefaultInterfaceFont();
    font.lfUnderline = TRUE;
    label.SetAutoSize(false);
    label.SetFont(font);
    label.SetFontColor(GetSysColor(COLOR_HIGHLIGHT));
    label.SetCaption(std::move(text));
    label.Create(group, x, y, width, 13);
}

}  // namespace

int main(int argc, char** argv) {
    const bool collapsed = argc > 1 && std::strcmp(argv[1], "collapsed") == 0;
    HINSTANCE instance = GetModuleHandleW(nullptr);

    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = instance;
    frameClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    frameClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    frameClass.lpszClassName = L"SwlShowBarFrame";
    RegisterClassW(&frameClass);
    WNDCLASSW statusClass = frameClass;
    statusClass.lpfnWndProc = StatusProc;
    statusClass.lpszClassName = L"SwlShowBarStatus";
    RegisterClassW(&statusClass);

    RECT frame{0, 0, 397, 211};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExW(0, frameClass.lpszClassName, L"Stashwell", style, 100, 100,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);

    swl::TExplorerBar bar;
    bar.Create(window, 0, 0, 153, 186);
    bar.SetColor(kPanelBlue);
    swl::TExplorerBarGroup clipboard;
    swl::TExplorerBarGroup options;
    bar.BeginUpdate();
    clipboard.Create(bar, 4, 4, 145, 77);
    options.Create(bar, 4, 89, 145, 92);
    Configure(clipboard, u"Stashwell", true);
    Configure(options, u"Options", false);
    bar.EndUpdate();

    swl::TMarkupLabel links[7];
    AddLink(links[0], clipboard.Handle(), u"Show All", 12, 24, 117);
    AddLink(links[1], clipboard.Handle(), u"Paste", 12, 40, 117);
    AddLink(links[2], clipboard.Handle(), u"Clear Windows Clipboard", 12, 56, 119);
    AddLink(links[3], options.Handle(), u"Settings", 14, 24, 115);
    AddLink(links[4], options.Handle(), u"About", 14, 41, 115);
    AddLink(links[5], options.Handle(), u"Hide Stashwell", 14, 57, 115);
    AddLink(links[6], options.Handle(), u"Exit", 14, 73, 115);

    HWND status = CreateWindowExW(0, statusClass.lpszClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                  0, 186, 397, 25, window, nullptr, instance, nullptr);
    const LOGFONTW gaugeFontDesc = swl::DefaultInterfaceFont();
    HFONT gaugeFont = CreateFontIndirectW(&gaugeFontDesc);
    swl::TBiProgressBar gauge;
    gauge.SetScale(24);
    gauge.SetLightColor(RGB(0, 255, 0));
    gauge.SetDarkColor(RGB(255, 0, 0));
    gauge.SetLightGradient(true);
    gauge.SetDarkGradient(true);
    gauge.SetSmooth(true);
    gauge.SetTransparent(true);
    gauge.SetLightTextFullLine(true);
    gauge.SetFont(gaugeFont);
    gauge.Create(status, 2, 4, 149, 19);
    gauge.SetLightValue(5);
    gauge.SetLightText(u"5/24");

    if (collapsed) clipboard.SetMinimized(true);

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(gaugeFont);
    return 0;
}
