// Shows the main window with a few history items and opens one of its
// owner-drawn menus, for screenshots.
//   show_menus.exe MODE READYFILE
// MODE: list (the list menu on a text line), text (the preview of a text),
// picture (the preview of a picture that fits), big (the preview of a
// picture shrunk to fit), tray (the tray menu). Once the menu is up the
// helper creates READYFILE; four seconds later it closes the menu and ends.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "MainForm.h"
#include "ddb_picture.h"
#include "test_support.h"

namespace {

std::wstring g_mode;
std::wstring g_readyFile;
bool g_keysSent = false;
bool g_ready = false;

bool WantsPreview() { return g_mode == L"text" || g_mode == L"picture" || g_mode == L"big"; }

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

LRESULT CALLBACK FormHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_ENTERIDLE && wParam == MSGF_MENU) {
        if (WantsPreview() && !g_keysSent) {
            // Up from no selection lands on the last item, Pre&view; Right
            // opens its submenu.
            g_keysSent = true;
            PostMessageW(hwnd, WM_KEYDOWN, VK_UP, 0);
            PostMessageW(hwnd, WM_KEYDOWN, VK_RIGHT, 0);
        } else if (!g_ready) {
            g_ready = true;
            HANDLE f = CreateFileW(g_readyFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
            SetTimer(nullptr, 0, 4000, &CloseMenu);
        }
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// A picture with a few bands of colour and a diagonal, so that stretching
// and placement show.
std::unique_ptr<swl::DdbPicture> Pattern(int width, int height) {
    auto picture = swl::DdbPicture::Create(width, height);
    if (!picture) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, picture->Handle());
    const COLORREF bands[] = {RGB(220, 60, 60), RGB(60, 160, 60), RGB(60, 90, 220), RGB(240, 200, 40)};
    for (int i = 0; i < 4; ++i) {
        RECT band{0, height * i / 4, width, height * (i + 1) / 4};
        HBRUSH b = CreateSolidBrush(bands[i]);
        FillRect(dc, &band, b);
        DeleteObject(b);
    }
    HPEN pen = CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, width, height);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return picture;
}

}  // namespace

int main() {
    const std::vector<std::wstring> args = swl::test::CommandArguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: show_menus list|text|picture|big|tray READYFILE\n");
        return 2;
    }
    g_mode = args[0];
    g_readyFile = args[1];

    swl::TApplication app;
    swl::TfrmMain form(app, swl::TfrmMain::Options{false});
    auto addText = [&](const std::u16string& text) {
        form.History.ReserveSlot();
        swl::TCBI& slot = form.History.CBItems[static_cast<std::size_t>(form.History.CBCount)];
        slot.Format = CF_UNICODETEXT;
        slot.WText = text;
        slot.Text = std::string(text.begin(), text.end());
        form.History.AddNewestLine();
    };
    auto addPicture = [&](int width, int height) {
        form.History.ReserveSlot();
        swl::TCBI& slot = form.History.CBItems[static_cast<std::size_t>(form.History.CBCount)];
        slot.Format = CF_BITMAP;
        slot.Text = "Bitmap";
        slot.Bitmap = Pattern(width, height);
        form.History.AddNewestLine();
    };
    addText(u"The quick brown fox jumps over the lazy dog. Pack my box with five dozen liquor jugs. "
            u"How vexingly quick daft zebras jump! Sphinx of black quartz, judge my vow.");
    addPicture(300, 200);
    addPicture(1000, 500);
    form.miShowClick();
    int line = 0;
    if (g_mode == L"picture") line = 1;
    if (g_mode == L"big") line = 2;
    form.SelectLine(line);
    SetWindowSubclass(form.Handle(), &FormHook, 1, 0);
    SetForegroundWindow(form.Handle());

    RECT list{};
    GetWindowRect(form.lstCB, &list);
    if (g_mode == L"tray") {
        TrackPopupMenu(form.pmTray, TPM_LEFTALIGN | TPM_RIGHTBUTTON, 200, 200, 0, form.Handle(), nullptr);
    } else {
        // What a right click on the list does.
        SendMessageW(form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.lstCB),
                     MAKELPARAM(list.left + 20, list.top + 10));
    }
    RemoveWindowSubclass(form.Handle(), &FormHook, 1);
    return g_ready ? 0 : 1;
}
