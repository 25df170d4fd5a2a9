// Shows the real main window with a small history, to look at it on a
// screen: an 8-bit text item, a long Unicode text item, a picture and a short
// Unicode item (selected), on the page asked for.
//   show_main_window.exe [page] [max] [vi] [seconds]
//     page     0 Clipboard (default), 1 Settings, 2 About
//     max      maximised instead of the design size
//     vi       the Vietnamese interface
//     refuse   Shift+Insert typed into the hotkey field (Settings page)
//     seconds  how long the window stays up (default 10)
// The window sits at the screen's top-left corner and takes the keyboard as
// in the program; the program quits on its own when the time is up or the
// window is closed.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "MainForm.h"
#include "message_pump.h"
#include "form_history.h"
#include "test_support.h"

using swl::test::ClipboardContent;
using swl::test::RecordOnForm;

int main(int argc, char** argv) {
    int page = 0;
    bool maximised = false;
    bool vietnamese = false;
    bool refuse = false;
    int seconds = 10;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "max") == 0)
            maximised = true;
        else if (std::strcmp(arg, "vi") == 0)
            vietnamese = true;
        else if (std::strcmp(arg, "refuse") == 0)
            refuse = true;
        else if (i == 1)
            page = std::atoi(arg);
        else
            seconds = std::atoi(arg);
    }

    swl::TApplication app;
    swl::test::MessageWindow writer;
    auto form = std::make_unique<swl::TfrmMain>(app, swl::TfrmMain::Options{false});

    ClipboardContent ansi;
    ansi.unicode = u"ansi";
    ClipboardContent wide;
    wide.unicode =
        u"Ti\u1EBFng Vi\u1EC7t c\u00F3 d\u1EA5u: m\u1ED9t \u0111o\u1EA1n v\u0103n b\u1EA3n d\u00E0i "
        u"\u0111\u1EC3 xem ch\u1EEF xu\u1ED1ng d\u00F2ng v\u00E0 d\u1EA5u ba ch\u1EA5m \u1EDF cu\u1ED1i "
        u"khi kh\u00F4ng c\u00F2n ch\u1ED7 trong khung.";
    ClipboardContent picture;
    picture.bitmap = SIZE{400, 120};
    picture.bitmapColor = RGB(40, 120, 200);
    ClipboardContent shortText;
    shortText.unicode = u"Selected entry: short Unicode text \u2713";
    for (const ClipboardContent* c : {&ansi, &wide, &picture, &shortText})
        if (!RecordOnForm(*form, writer.Handle(), *c)) return 2;
    // The first item as an 8-bit text record, as a CF_TEXT-only clipboard
    // gives it on a system that does not synthesise Unicode text.
    swl::TCBI& first = form->History.CBItems[1];
    first.Format = swl::kCF_TEXT;
    first.Text = "Plain 8-bit text: the quick brown fox jumps over the lazy dog, again and again.";
    first.WText.clear();

    if (vietnamese) form->ckLang.Click();
    form->SetPageIndex(page);
    form->SelectLine(form->LineCount() - 1);
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    if (maximised) ShowWindow(form->Handle(), SW_MAXIMIZE);
    // Placement may move a shown window; put it back in the corner.
    if (!maximised) SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    InvalidateRect(form->Handle(), nullptr, TRUE);
    if (refuse) {
        SetForegroundWindow(form->Handle());
        SetFocus(form->hkQuickPaste.Handle());
    }

    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (IsWindow(form->Handle()) && GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        // The program's own pump: the window takes the keyboard as it does
        // in the program (Tab, access keys).
        swl::ProcessPendingMessages();
        // Typed once the window is in front, as a user types into it.
        if (refuse && GetTickCount() + static_cast<DWORD>(seconds) * 1000 - end > 1000) {
            refuse = false;
            form->hkQuickPaste.KeyDown(VK_INSERT, swl::kHotKeyShift);
        }
    }
    return 0;
}
