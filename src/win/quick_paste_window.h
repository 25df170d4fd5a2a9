// The quick-paste popup: a small topmost window drawn in the colours of the
// program's menus that lists the history newest first, each entry with the
// icon of its kind (a picture also with a thumbnail), the first ten numbered
// 1 to 9 and 0. A digit (Ctrl+digit once the filter holds a letter, when
// digits filter too), Enter or a click picks an entry; the arrows and
// PageUp, PageDown, Home and End move the selection; typed characters filter
// the list (filter and texts compared in normal form C) and Backspace takes
// the last one away; Escape, or activating any other window, closes it.
//
// The popup only reports: OnPick with the history slot of the chosen entry,
// OnClose when it was closed without a choice (byKey: with Escape, so the
// window the user came from should have the keyboard again; otherwise the
// user went to another window). The owner destroys it
// afterwards, outside the popup's own messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "geometry/rect.h"
#include "history.h"
#include "quick_paste/quick_paste_list.h"

namespace swl {

inline constexpr wchar_t kQuickPasteClass[] = L"TfrmQuickPaste";

struct QuickPasteTexts {
    std::u16string filterHint;  // the filter line while nothing is typed
    std::u16string empty;       // the history holds nothing
    std::u16string noMatch;     // nothing matches the filter
};

class TQuickPasteWindow {
public:
    // item answers the history record of a slot (null when there is none);
    // icons are the program's item images (any size, drawn 16 x 16).
    TQuickPasteWindow(std::vector<QuickPasteEntry> newestFirst, QuickPasteTexts texts, HFONT font,
                      HIMAGELIST icons, std::function<const TCBI*(int slot)> item);
    ~TQuickPasteWindow();
    TQuickPasteWindow(const TQuickPasteWindow&) = delete;
    TQuickPasteWindow& operator=(const TQuickPasteWindow&) = delete;

    // Makes the window at its place for the caret's screen rectangle in the
    // work area, shows it in front and gives it the keyboard.
    bool Open(const Rect& caret, const Rect& workArea);
    HWND Handle() const { return hwnd_; }
    const QuickPasteList& List() const { return list_; }
    // The entries again (the history changed while open); the filter stays.
    void SetEntries(std::vector<QuickPasteEntry> newestFirst);

    std::function<void(int slot)> OnPick;
    std::function<void(bool byKey)> OnClose;

    // What the keyboard does (also reachable from the tests).
    void KeyDown(UINT vk);
    void Char(char16_t c);

private:
    template <class Window>
    friend LRESULT CALLBACK WindowObjectProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void DrawEntry(HDC dc, int position, const RECT& row, bool selected);
    void Pick(int position);
    void Close(bool byKey);
    int RowAt(int y) const;
    int RowsShown() const;
    void Refresh();

    QuickPasteList list_;
    QuickPasteTexts texts_;
    HFONT font_;
    HICON icons_[3] = {};
    std::function<const TCBI*(int slot)> item_;
    HWND hwnd_ = nullptr;
    bool done_ = false;  // picked or closed: nothing more is reported
};

}  // namespace swl
