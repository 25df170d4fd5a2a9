// Shows the quick-paste popup over a small history, to look at it on a
// screen: two pictures between texts (8-bit, Unicode, Vietnamese, a long
// one), opened at (x, y) with a filter already typed.
//   show_quick_paste.exe [filter] [vi] [empty] [seconds]
//     filter   ASCII letters typed into the popup (default none); "vn"
//              types the Vietnamese capitals of "đường"
//     vi       the Vietnamese interface
//     empty    no history at all
//     seconds  how long the popup stays up (default 10)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "MainForm.h"
#include "quick_paste_window.h"
#include "form_history.h"
#include "test_support.h"

using swl::test::ClipboardContent;
using swl::test::RecordOnForm;

int main(int argc, char** argv) {
    std::string filter;
    bool vietnamese = false;
    bool empty = false;
    int seconds = 10;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "vi") == 0)
            vietnamese = true;
        else if (std::strcmp(arg, "empty") == 0)
            empty = true;
        else if (arg[0] >= '0' && arg[0] <= '9')
            seconds = std::atoi(arg);
        else
            filter = arg;
    }

    swl::TApplication app;
    swl::test::MessageWindow writer;
    // The capture at start would record what the clipboard holds.
    if (empty) swl::test::EmptyTheClipboard(writer.Handle());
    auto form = std::make_unique<swl::TfrmMain>(app, swl::TfrmMain::Options{false});
    if (!empty) {
        ClipboardContent contents[7];
        contents[0].unicode = u"ansi";
        contents[1].bitmap = SIZE{400, 120};
        contents[1].bitmapColor = RGB(40, 120, 200);
        contents[2].unicode = u"B\u1EC6NH VI\u1EC6N \u0110\u1EA0I H\u1ECCC - \u0111\u01B0\u1EDDng Tr\u1EA7n H\u01B0ng \u0110\u1EA1o";
        contents[3].unicode =
            u"A long text that goes on and on, over several lines\r\nwith breaks and\ttabs, "
            u"far wider than the popup can show in one row";
        contents[4].bitmap = SIZE{60, 200};
        contents[4].bitmapColor = RGB(220, 60, 40);
        contents[5].unicode = u"https://example.org/stashwell/quick-paste";
        contents[6].unicode = u"Newest item \u2713";
        for (const auto& c : contents)
            if (!RecordOnForm(*form, writer.Handle(), c)) return 2;
        swl::TCBI& first = form->History.CBItems[1];
        first.Format = swl::kCF_TEXT;
        first.Text = "Plain 8-bit text: the quick brown fox";
        first.WText.clear();
    }
    if (vietnamese) form->ckLang.Click();

    SetCursorPos(60, 40);
    form->OpenQuickPaste(nullptr);
    swl::TQuickPasteWindow* popup = form->QuickPastePopup();
    if (!popup) return 3;
    // "vn" stands for a Vietnamese filter in capitals (the command line is
    // 8-bit): it finds the entry written in small letters too.
    const std::u16string typed = filter == "vn" ? std::u16string(u"\u0110\u01AF\u1EDCNG") : std::u16string(filter.begin(), filter.end());
    for (char16_t c : typed) popup->Char(c);
    if (filter.empty() && !empty) popup->KeyDown(VK_DOWN);
    swl::test::PumpPending();
    // Whoever takes the screenshot waits for this line.
    std::printf("shown\n");
    std::fflush(stdout);

    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (IsWindow(form->Handle()) && GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        swl::test::PumpPending();
    }
    return 0;
}
