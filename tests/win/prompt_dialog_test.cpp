// The message dialog run for real: its modal loop is driven from thread
// timers, which that loop keeps serving while it runs.
#include "widgets/prompt_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "widgets/gdi_text_measurer.h"
#include "widgets/modal_state.h"
#include "canvas.h"
#include "dialog_driver.h"

namespace swl {
namespace {

int RunDriven(TPromptDialog& dialog, std::function<void(HWND)> act, HWND owner = nullptr) {
    test::DialogDriver driver(std::move(act));
    const int result = dialog.RunModal(owner);
    EXPECT_EQ(driver.Seen(), 1);
    EXPECT_FALSE(driver.TimedOut()) << "the dialog did not close by itself";
    return result;
}

// Real key strokes: they reach the focused window in order and set the
// keyboard state the dialog reads.
void Keys(std::initializer_list<std::pair<WORD, bool>> strokes) {
    std::vector<INPUT> inputs;
    for (auto [vk, down] : strokes) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Press(WORD vk) { Keys({{vk, true}, {vk, false}}); }

// The dialog's measures worked out here from the font itself.
struct Expected {
    int clientW, clientH;
    RECT image;
    RECT label;
    RECT button;
};

Expected ExpectedLayout(const std::wstring& message) {
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE sample{}, text{}, ok{};
    GetTextExtentPointA(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &sample);
    GetTextExtentPoint32W(dc, message.c_str(), static_cast<int>(message.size()), &text);
    GetTextExtentPoint32W(dc, L"OK", 2, &ok);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);

    const int avgW = sample.cx / 52;
    const int avgH = sample.cy;
    const int horzMargin = ::MulDiv(8, avgW, 4);
    const int vertMargin = ::MulDiv(8, avgH, 8);
    const int horzSpacing = ::MulDiv(10, avgW, 4);
    const int vertSpacing = ::MulDiv(10, avgH, 8);
    const int buttonHeight = ::MulDiv(14, avgH, 8);
    const int buttonWidth = std::max(::MulDiv(50, avgW, 4), static_cast<int>(ok.cx) + 8);
    // One run: its width plus the renderer's extra pixel; one line.
    const int textW = text.cx + 1;
    const int textH = tm.tmHeight;
    const int iconTextW = textW + horzSpacing + 32;
    const int iconTextH = std::max(textH, 32);

    Expected e;
    e.clientW = std::max(iconTextW, buttonWidth) + 2 * horzMargin;
    e.clientH = iconTextH + buttonHeight + vertSpacing + 2 * vertMargin;
    e.image = {horzMargin, vertMargin, horzMargin + 32, vertMargin + 32};
    const int labelLeft = horzMargin + 32 + horzSpacing;
    e.label = {labelLeft, vertMargin, labelLeft + textW, vertMargin + textH};
    const int bx = (e.clientW - buttonWidth) / 2;
    const int by = iconTextH + vertMargin + vertSpacing;
    e.button = {bx, by, bx + buttonWidth, by + buttonHeight};
    return e;
}

RECT ChildRect(HWND form, HWND child) {
    RECT rc{};
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// 32 x 32 pixels of a window's client area (or of an icon drawn on the
// button face) at (x, y).
std::vector<COLORREF> Pixels(HWND window, HICON icon, int x, int y) {
    test::Canvas canvas(32 + x, 32 + y, window ? CLR_INVALID : GetSysColor(COLOR_BTNFACE));
    if (window)
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    else
        DrawIconEx(canvas.Dc(), x, y, icon, 32, 32, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> out;
    for (int row = y; row < y + 32; ++row)
        for (int col = x; col < x + 32; ++col) out.push_back(canvas.At(col, row));
    return out;
}

class PromptDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::EnsureTahoma(); }
};

TEST_F(PromptDialogTest, IsBuiltFromTheFontsMeasures) {
    struct Case {
        PromptDlgType type;
        const wchar_t* message;
        int icon;  // the system icon's number
    };
    for (const Case& c : {Case{PromptDlgType::Error, L"Error: Cannot save settings!", 32513},
                          Case{PromptDlgType::Information,
                               L"Please set the focus to application which you want to paste!", 32516}}) {
        SCOPED_TRACE(testing::Message() << "message " << std::string(c.message, c.message + wcslen(c.message)));
        TPromptDialog dialog;
        dialog.SetDlgType(c.type);
        dialog.SetMessage(reinterpret_cast<const char16_t*>(c.message));
        RECT client{}, window{}, label{}, button{};
        wchar_t title[64] = {}, buttonText[16] = {};
        LONG_PTR exStyle = 0, buttonStyle = 0;
        bool buttonFocused = false;
        std::vector<COLORREF> iconPixels;
        const int result = RunDriven(dialog, [&](HWND form) {
            GetClientRect(form, &client);
            GetWindowRect(form, &window);
            GetWindowTextW(form, title, 64);
            exStyle = GetWindowLongPtrW(form, GWL_EXSTYLE);
            HWND labelWnd = FindWindowExW(form, nullptr, L"TMarkupLabel", nullptr);
            HWND buttonWnd = FindWindowExW(form, nullptr, L"Button", nullptr);
            if (labelWnd) label = ChildRect(form, labelWnd);
            if (buttonWnd) {
                button = ChildRect(form, buttonWnd);
                GetWindowTextW(buttonWnd, buttonText, 16);
                buttonStyle = GetWindowLongPtrW(buttonWnd, GWL_STYLE);
                buttonFocused = GetFocus() == buttonWnd;
            }
            const Expected e = ExpectedLayout(c.message);
            iconPixels = Pixels(form, nullptr, e.image.left, e.image.top);
            PostMessageW(form, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(result, kPromptCancelResult);

        const Expected e = ExpectedLayout(c.message);
        EXPECT_EQ(client.right, e.clientW);
        EXPECT_EQ(client.bottom, e.clientH);
        EXPECT_TRUE(EqualRect(&label, &e.label))
            << label.left << "," << label.top << "," << label.right << "," << label.bottom;
        EXPECT_TRUE(EqualRect(&button, &e.button))
            << button.left << "," << button.top << "," << button.right << "," << button.bottom;
        const int outerW = window.right - window.left;
        const int outerH = window.bottom - window.top;
        EXPECT_EQ(window.left, GetSystemMetrics(SM_CXSCREEN) / 2 - outerW / 2);
        EXPECT_EQ(window.top, GetSystemMetrics(SM_CYSCREEN) / 2 - outerH / 2);
        EXPECT_STREQ(title, L"Stashwell");
        EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
        EXPECT_STREQ(buttonText, L"OK");
        EXPECT_EQ(buttonStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        EXPECT_TRUE(buttonFocused);
        EXPECT_EQ(iconPixels, Pixels(nullptr, LoadIconW(nullptr, MAKEINTRESOURCEW(c.icon)), 0, 0))
            << "the type's system icon at the top left";
    }
}

// Enter, Escape and OK close with 1; the close box and Alt+F4 with 2.
TEST_F(PromptDialogTest, ClosesWithTheResultOfHowItWasClosed) {
    struct Case {
        const char* how;
        std::function<void(HWND)> close;
        int result;
    };
    const std::vector<Case> cases = {
        {"Enter", [](HWND) { Press(VK_RETURN); }, 1},
        {"Escape", [](HWND) { Press(VK_ESCAPE); }, 1},
        {"OK clicked",
         [](HWND form) { PostMessageW(FindWindowExW(form, nullptr, L"Button", nullptr), BM_CLICK, 0, 0); }, 1},
        {"close box", [](HWND form) { PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
        {"Alt+F4", [](HWND) { Keys({{VK_MENU, true}, {VK_F4, true}, {VK_F4, false}, {VK_MENU, false}}); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        TPromptDialog dialog;
        dialog.SetDlgType(PromptDlgType::Error);
        dialog.SetMessage(u"Error: Cannot load settings!");
        EXPECT_EQ(RunDriven(dialog, c.close), c.result);
        EXPECT_EQ(FindWindowW(L"TPromptForm", nullptr), nullptr) << "the window is destroyed";
    }
}

// Text extent of "Stashwell" in the font at the given weight.
int TitleExtent(LOGFONTW lf, LONG weight) {
    lf.lfWeight = weight;
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE text{};
    GetTextExtentPoint32W(dc, L"Stashwell", 9, &text);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return text.cx;
}

int ColourDistance(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

// The title "Stashwell" is drawn in the configured caption font: its ink in
// the title bar is as wide as the text in that font (between the regular
// and the bold width: the screen may draw the bold face lighter).
TEST_F(PromptDialogTest, TheTitleIsDrawnInTheCaptionFont) {
    struct Case {
        const char* font;
        int height;  // 0: as configured (Tahoma 8 pt bold)
    };
    for (const Case c : {Case{"as configured", 0}, Case{"Tahoma 16 px bold", -16}}) {
        SCOPED_TRACE(c.font);
        TPromptDialog dialog;
        dialog.SetMessage(u"Error: Cannot access Windows Registry!");
        if (c.height) dialog.Config().captionFont.lfHeight = c.height;
        int inkLeft = -1, inkRight = -1;
        RunDriven(dialog, [&](HWND form) {
            RedrawWindow(form, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            RECT window{};
            GetWindowRect(form, &window);
            POINT client{0, 0};
            ClientToScreen(form, &client);
            const int border = client.x - window.left;
            test::Canvas shot(window.right - window.left, window.bottom - window.top);
            HDC dc = GetWindowDC(form);
            BitBlt(shot.Dc(), 0, 0, shot.Width(), shot.Height(), dc, 0, 0, SRCCOPY);
            ReleaseDC(form, dc);
            const COLORREF ink =
                GetSysColor(GetForegroundWindow() == form ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
            // The title bar left of the close box; a pixel is ink when it is
            // nearer the text colour than the bar's own colour in its column
            // (the bar's top row, above any text).
            const int right = shot.Width() - border - GetSystemMetrics(SM_CXSIZE) - 2;
            for (int x = border; x < right; ++x) {
                const COLORREF bar = shot.At(x, border);
                bool inked = false;
                for (int y = border + 1; y < client.y - window.top - 1; ++y)
                    inked = inked || ColourDistance(shot.At(x, y), ink) < ColourDistance(shot.At(x, y), bar);
                if (!inked) continue;
                if (inkLeft < 0) inkLeft = x;
                inkRight = x;
            }
            PostMessageW(form, WM_CLOSE, 0, 0);
        });
        ASSERT_GE(inkLeft, 0) << "the title has ink";
        const int inkWidth = inkRight - inkLeft + 1;
        const LOGFONTW& font = dialog.Config().captionFont;
        EXPECT_GE(inkWidth, TitleExtent(font, FW_NORMAL) * 9 / 10);
        EXPECT_LE(inkWidth, TitleExtent(font, FW_BOLD) + 2);
    }
}

std::wstring ClipboardWide() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT))
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    CloseClipboard();
    return text;
}

std::string ClipboardAnsi() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_TEXT))
        if (const auto* p = static_cast<const char*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    CloseClipboard();
    return text;
}

void PutOnClipboard(const wchar_t* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(mem), text, bytes);
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
}

// Ctrl+C and Ctrl+Insert copy the message's text in both formats; with
// another modifier held the keys do nothing.
TEST_F(PromptDialogTest, CtrlCCopiesTheMessageText) {
    struct Case {
        const char* keys;
        std::vector<WORD> modifiers;
        WORD key;
        bool copies;
    };
    const std::vector<Case> cases = {
        {"Ctrl+C", {VK_CONTROL}, 'C', true},
        {"Ctrl+Insert", {VK_CONTROL}, VK_INSERT, true},
        {"Ctrl+Shift+C", {VK_CONTROL, VK_SHIFT}, 'C', false},
        {"C alone", {}, 'C', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        PutOnClipboard(L"before");
        TPromptDialog dialog;
        dialog.SetDlgType(PromptDlgType::Information);
        dialog.SetMessage(u"<b>Note:</b> caf\u00E9  &amp; more<br>second line");
        const int result = RunDriven(dialog, [&](HWND) {
            std::vector<INPUT> inputs;
            const auto stroke = [&](WORD vk, bool down) {
                INPUT in{};
                in.type = INPUT_KEYBOARD;
                in.ki.wVk = vk;
                in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
                inputs.push_back(in);
            };
            for (WORD m : c.modifiers) stroke(m, true);
            stroke(c.key, true);
            stroke(c.key, false);
            for (auto m = c.modifiers.rbegin(); m != c.modifiers.rend(); ++m) stroke(*m, false);
            // Then Enter closes it, after the copy in the same input stream.
            stroke(VK_RETURN, true);
            stroke(VK_RETURN, false);
            SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        });
        EXPECT_EQ(result, 1);
        if (c.copies) {
            EXPECT_EQ(ClipboardWide(), L"Note: caf\u00E9 & more\r\nsecond line");
            EXPECT_EQ(ClipboardAnsi(), "Note: caf\xE9 & more\r\nsecond line");
        } else {
            EXPECT_EQ(ClipboardWide(), L"before");
        }
    }
}

// While the dialog shows, the program's other windows take no input and the
// program knows a modal dialog is up; both end with it.
TEST_F(PromptDialogTest, DisablesTheOtherWindowsWhileShowing) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 60, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(IsModalDialogShowing());
    bool ownerEnabled = true, otherEnabled = true, showing = false, owned = false, formEnabled = false;
    TPromptDialog dialog;
    dialog.SetMessage(u"Please set the focus to application which you want to paste!");
    RunDriven(
        dialog,
        [&](HWND form) {
            ownerEnabled = IsWindowEnabled(owner);
            otherEnabled = IsWindowEnabled(other);
            formEnabled = IsWindowEnabled(form);
            showing = IsModalDialogShowing();
            owned = GetWindow(form, GW_OWNER) == owner;
            Press(VK_RETURN);
        },
        owner);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(formEnabled);
    EXPECT_TRUE(showing);
    EXPECT_TRUE(owned);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_FALSE(IsModalDialogShowing());
    DestroyWindow(other);
    DestroyWindow(owner);
}

}  // namespace
}  // namespace swl
