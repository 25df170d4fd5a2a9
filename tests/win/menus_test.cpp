// The owner-drawn menus of a real TfrmMain: measuring and drawing through the
// window's WM_MEASUREITEM / WM_DRAWITEM handlers onto a memory DC, the fresh
// preview item at every opening, and the tray menu's commands.
#include "MainForm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ddb_picture.h"
#include "widgets/gdi_text_measurer.h"
#include "platform.h"
#include "canvas.h"
#include "collected_reports.h"
#include "test_support.h"

namespace swl {
namespace {

constexpr COLORREF kMarker = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

// Marked first, so that the pixels a drawing leaves untouched show.
class Canvas : public test::Canvas {
public:
    Canvas(int width, int height) : test::Canvas(width, height, kMarker) {}
};

std::unique_ptr<DdbPicture> RedPicture(int width, int height) {
    auto picture = DdbPicture::Create(width, height);
    if (!picture) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, picture->Handle());
    HBRUSH red = CreateSolidBrush(kRed);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, red);
    DeleteObject(red);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return picture;
}

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
    }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(reports.Texts(), std::vector<std::string>{});
    }

    // Appends a history item straight to the store, as a capture would.
    void AddText(const std::u16string& wide, const std::string& ansi) {
        form->History.ReserveSlot();
        TCBI& slot = form->History.CBItems[static_cast<std::size_t>(form->History.CBCount)];
        slot.Format = CF_UNICODETEXT;
        slot.WText = wide;
        slot.Text = ansi;
        form->History.AddNewestLine();
    }
    void AddPicture(int width, int height) {
        form->History.ReserveSlot();
        TCBI& slot = form->History.CBItems[static_cast<std::size_t>(form->History.CBCount)];
        slot.Format = CF_BITMAP;
        slot.Text = "Bitmap";
        slot.Bitmap = RedPicture(width, height);
        ASSERT_TRUE(slot.Bitmap);
        form->History.AddNewestLine();
    }
    const TCBI& Slot(int k) const { return form->History.CBItems[static_cast<std::size_t>(k)]; }

    // Opens the list menu on line index (as the context menu does) and
    // measures v1 through the window's handler.
    SIZE MeasurePreview(int index) {
        form->SelectLine(index);
        form->pmCBPopup();
        MEASUREITEMSTRUCT m{};
        m.CtlType = ODT_MENU;
        m.itemID = kCmdV1;
        m.itemData = kCmdV1;
        EXPECT_TRUE(form->MenuMeasureItem(m));
        return {static_cast<LONG>(m.itemWidth), static_cast<LONG>(m.itemHeight)};
    }

    static bool Draw(TfrmMain& f, const TMenuItem& item, const Canvas& canvas, RECT rect, UINT state) {
        DRAWITEMSTRUCT d{};
        d.CtlType = ODT_MENU;
        d.itemID = item.Id();
        d.itemData = item.Id();
        d.itemAction = ODA_DRAWENTIRE;
        d.itemState = state;
        d.hDC = canvas.Dc();
        d.rcItem = rect;
        return f.MenuDrawItem(d);
    }

    test::CollectedReports reports;
    TApplication app;
    std::unique_ptr<TfrmMain> form;
};

TEST_F(MenusTest, MenusHoldTheirItemsInOrderAllOwnerDrawn) {
    struct Expected {
        HMENU menu;
        std::vector<const TMenuItem*> items;
    };
    const Expected menus[] = {
        {form->pmCB, {&form->miCopy, &form->N1, &form->miClear, &form->miClearAll, &form->miPaste, &form->N3,
                      &form->miView}},
        {form->miView.Submenu(), {&form->v1}},
        {form->pmTray, {&form->miShow, &form->miHide, &form->N2, &form->miExit}},
    };
    for (const auto& m : menus) {
        ASSERT_NE(m.menu, nullptr);
        ASSERT_EQ(GetMenuItemCount(m.menu), static_cast<int>(m.items.size()));
        for (std::size_t i = 0; i < m.items.size(); ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_DATA;
            ASSERT_TRUE(GetMenuItemInfoW(m.menu, static_cast<UINT>(i), TRUE, &info));
            EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << i;
            EXPECT_EQ(info.dwItemData, m.items[i]->Id()) << i;
            EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, m.items[i]->IsSeparator()) << i;
        }
    }
    const std::pair<const TMenuItem*, std::u16string> captions[] = {
        {&form->miCopy, u"Copy to Clipboard"}, {&form->N1, u"-"},          {&form->miClear, u"&Clear"},
        {&form->miClearAll, u"Clear &All"},    {&form->miPaste, u"&Paste"}, {&form->miView, u"Pre&view"},
        {&form->miShow, u"&Show"},             {&form->miHide, u"&Hide"},   {&form->N2, u"-"},
        {&form->miExit, u"E&xit"},
    };
    for (const auto& [item, caption] : captions) EXPECT_EQ(item->Caption(), caption) << item->Id();
}

TEST_F(MenusTest, OrdinaryItemsMeasure120By20AndSeparators4) {
    struct Case {
        UINT data;
        bool ours;
        UINT width;
        UINT height;
    };
    const Case cases[] = {
        {kCmdMiCopy, true, 120, 20}, {kCmdN1, true, 120, 4},     {kCmdMiView, true, 120, 20},
        {kCmdN3, true, 120, 4},      {kCmdMiExit, true, 120, 20}, {kCmdN2, true, 120, 4},
        {999, false, 7, 9},  // another menu's item is left alone
    };
    for (const auto& c : cases) {
        MEASUREITEMSTRUCT m{};
        m.CtlType = ODT_MENU;
        m.itemData = c.data;
        m.itemWidth = 7;
        m.itemHeight = 9;
        EXPECT_EQ(form->MenuMeasureItem(m), c.ours) << c.data;
        EXPECT_EQ(m.itemWidth, c.width) << c.data;
        EXPECT_EQ(m.itemHeight, c.height) << c.data;
    }
}

TEST_F(MenusTest, ACaptionChangedToADashMeasuresAsASeparator) {
    form->miHide.SetCaption(u"-");
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    m.itemData = kCmdMiHide;
    ASSERT_TRUE(form->MenuMeasureItem(m));
    EXPECT_EQ(m.itemHeight, 4u);
    form->miHide.SetCaption(u"&Giấu SWL");
    EXPECT_EQ(form->miHide.Caption(), u"&Giấu SWL");
    ASSERT_TRUE(form->MenuMeasureItem(m));
    EXPECT_EQ(m.itemHeight, 20u);
}

// A normal item: white, the pale 20-pixel square at the left, navy text from
// 30 pixels in; a selected one: the light blue box outlined in navy, blue
// text; a disabled one: pale blue text and, when selected, no box.
TEST_F(MenusTest, OrdinaryItemsDrawTheStripeTheBoxAndTheTextColours) {
    struct Case {
        const char* name;
        bool enabled;
        UINT state;
        COLORREF corner;  // (0, 0)
        COLORREF inside;  // (1, 1)
        COLORREF right;   // (139, 19), the item's last pixel
        COLORREF beyond;  // (20, 5): past the stripe
        COLORREF text;
    };
    const Case cases[] = {
        {"normal", true, 0, RGB(239, 244, 252), RGB(239, 244, 252), RGB(255, 255, 255), RGB(255, 255, 255),
         RGB(0, 0, 128)},
        {"selected", true, ODS_SELECTED, RGB(0, 0, 128), RGB(207, 221, 245), RGB(0, 0, 128), RGB(207, 221, 245),
         RGB(0, 0, 255)},
        {"disabled", false, ODS_GRAYED, RGB(239, 244, 252), RGB(239, 244, 252), RGB(255, 255, 255),
         RGB(255, 255, 255), RGB(140, 174, 232)},
        {"selected and disabled", false, ODS_SELECTED | ODS_GRAYED, kMarker, kMarker, kMarker, kMarker,
         RGB(140, 174, 232)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form->miPaste.SetEnabled(c.enabled);
        Canvas canvas(150, 24);
        ASSERT_TRUE(Draw(*form, form->miPaste, canvas, {0, 0, 140, 20}, c.state));
        EXPECT_EQ(canvas.At(0, 0), c.corner);
        EXPECT_EQ(canvas.At(1, 1), c.inside);
        EXPECT_EQ(canvas.At(19, 18), c.inside);
        EXPECT_EQ(canvas.At(139, 19), c.right);
        EXPECT_EQ(canvas.At(20, 5), c.beyond);
        EXPECT_EQ(canvas.At(140, 10), kMarker);  // nothing outside the item
        EXPECT_EQ(canvas.At(10, 20), kMarker);
        EXPECT_GT(canvas.Count(RECT{30, 0, 138, 20}, c.text), 5);
        EXPECT_EQ(canvas.Count(RECT{2, 2, 29, 18}, c.text), 0);  // the caption starts 30 pixels in
    }
}

TEST_F(MenusTest, SeparatorDrawsTheThinLineAndTheStripeSquareOnly) {
    Canvas canvas(140, 24);
    ASSERT_TRUE(Draw(*form, form->N3, canvas, {0, 0, 140, 4}, 0));
    const COLORREF line = RGB(198, 216, 244);
    const COLORREF stripe = RGB(239, 244, 252);
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_EQ(canvas.At(22, 2), line);
    EXPECT_EQ(canvas.At(137, 2), line);
    EXPECT_EQ(canvas.At(21, 2), white);
    EXPECT_EQ(canvas.At(138, 2), white);
    EXPECT_EQ(canvas.At(60, 1), white);
    EXPECT_EQ(canvas.At(60, 3), white);
    EXPECT_EQ(canvas.Count(RECT{0, 0, 140, 4}, line), 116);
    // The square reaches 16 pixels below the separator, where the next
    // item's own square lies.
    EXPECT_EQ(canvas.At(0, 3), stripe);
    EXPECT_EQ(canvas.At(19, 19), stripe);
    EXPECT_EQ(canvas.At(20, 10), kMarker);
    EXPECT_EQ(canvas.At(0, 20), kMarker);
    EXPECT_EQ(canvas.Count(RECT{0, 0, 140, 24}, RGB(0, 0, 128)), 0);
}

// The "&" marks the access key: it is not drawn, so "&Paste" is as wide as
// "Paste" (the letter after it is underlined in place).
TEST_F(MenusTest, TheAmpersandOfACaptionIsNotDrawn) {
    if (!IsWinNT()) GTEST_SKIP() << "prefix drawing is the NT family's";
    auto rightmost = [&](const std::u16string& caption) {
        form->miPaste.SetCaption(caption);
        form->miPaste.SetEnabled(true);
        Canvas canvas(140, 20);
        EXPECT_TRUE(Draw(*form, form->miPaste, canvas, {0, 0, 140, 20}, 0));
        return canvas.RightmostOf(RGB(0, 0, 128));
    };
    const int plain = rightmost(u"Paste");
    EXPECT_GT(plain, 30);
    EXPECT_EQ(rightmost(u"&Paste"), plain);
    EXPECT_GT(rightmost(u"&&Paste"), plain);  // "&&" shows one "&"
}

// Clear All needs entries; the commands on one entry need a selection too.
// Each case opens the menu again from the previous case's states.
TEST_F(MenusTest, OpeningEnablesTheItemsForTheListAndItsSelection) {
    struct Case {
        const char* name;
        int entries;
        int selected;
        bool clearAll;
        bool itemCommands;
    };
    const Case cases[] = {
        {"empty list", 0, -1, false, false},
        {"entries, one selected", 2, 1, true, true},
        {"entries, none selected", 2, -1, true, false},
        {"entries, first selected", 2, 0, true, true},
    };
    int added = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (; added < c.entries; ++added) AddText(u"entry", "entry");
        form->SelectLine(c.selected);
        ASSERT_EQ(form->LineCount(), c.entries);
        form->pmCBPopup();
        EXPECT_EQ(form->miClearAll.Enabled(), c.clearAll);
        for (const TMenuItem* item : {&form->miCopy, &form->miClear, &form->miPaste, &form->miView})
            EXPECT_EQ(item->Enabled(), c.itemCommands) << item->Id();
        EXPECT_TRUE(form->N1.InMenu());
        EXPECT_TRUE(form->v1.Enabled());
    }
}

// Owner-drawn items have no system text: the typed access key is matched
// against the captions, case-insensitively, skipping disabled items.
TEST_F(MenusTest, ATypedAccessKeyRunsTheEnabledItemItNames) {
    AddText(u"entry", "entry");
    struct Case {
        const char* name;
        bool selected;
        HMENU menu;
        char16_t typed;
        int position;  // -1: ignored
    };
    const Case cases[] = {
        {"Clear", true, form->pmCB, u'c', 2},
        {"Clear All, upper case", true, form->pmCB, u'A', 3},
        {"Paste", true, form->pmCB, u'p', 4},
        {"Preview opens its submenu", true, form->pmCB, u'v', 6},
        {"no item has the key", true, form->pmCB, u'z', -1},
        {"Clear disabled without a selection", false, form->pmCB, u'c', -1},
        {"Clear All still enabled", false, form->pmCB, u'a', 3},
        {"Show", true, form->pmTray, u's', 0},
        {"Exit", true, form->pmTray, u'X', 3},
        {"the E of Exit is no key", true, form->pmTray, u'e', -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->SelectLine(c.selected ? 0 : -1);
        form->pmCBPopup();
        const LRESULT r = SendMessageW(form->Handle(), WM_MENUCHAR, MAKEWPARAM(c.typed, MF_POPUP),
                                       reinterpret_cast<LPARAM>(c.menu));
        if (c.position < 0) {
            EXPECT_EQ(HIWORD(r), MNC_IGNORE);
        } else {
            EXPECT_EQ(HIWORD(r), MNC_EXECUTE);
            EXPECT_EQ(LOWORD(r), c.position);
        }
    }
}

// Each opening replaces the preview item with a new one, which the menu
// measures afresh for the entry selected then. The item the submenu holds is
// marked before each opening: a fresh item carries no mark.
TEST_F(MenusTest, EveryOpeningMakesOneFreshPreviewItem) {
    AddText(u"one", "one");
    form->SelectLine(0);
    const HMENU submenu = form->miView.Submenu();
    ASSERT_NE(submenu, nullptr);
    auto state = [&] {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_DATA;
        EXPECT_TRUE(GetMenuItemInfoW(submenu, 0, TRUE, &info));
        return info;
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        MENUITEMINFOW mark{};
        mark.cbSize = sizeof mark;
        mark.fMask = MIIM_STATE;
        mark.fState = MFS_CHECKED;
        ASSERT_TRUE(SetMenuItemInfoW(submenu, 0, TRUE, &mark));
        form->pmCBPopup();
        ASSERT_EQ(GetMenuItemCount(submenu), 1);
        const MENUITEMINFOW item = state();
        EXPECT_FALSE(item.fState & MFS_CHECKED) << "the item of the last opening is still there";
        EXPECT_EQ(item.dwItemData, form->v1.Id()) << "the submenu's item is v1";
        EXPECT_EQ(form->v1.Menu(), submenu);
        EXPECT_TRUE(form->v1.Enabled());
    }
    // The language walk gives v1 an empty caption; it stays through openings.
    form->v1.SetCaption(u"");
    form->pmCBPopup();
    EXPECT_EQ(form->v1.Caption(), u"");
}

TEST_F(MenusTest, PreviewMeasuresThePictureOrTheTextBox) {
    const std::u16string w300(300, u'a');
    const std::u16string w301(301, u'a');
    AddPicture(1000, 500);  // line 0
    AddPicture(300, 1000);  // line 1
    AddPicture(400, 300);   // line 2
    AddText(w300, std::string(300, 'a'));  // line 3
    AddText(w301, std::string(300, 'a'));  // line 4: the wide text is longer
    AddText(w300, std::string(301, 'a'));  // line 5: the 8-bit text is longer
    struct Case {
        int line;
        LONG width;
        LONG height;
    };
    const bool nt = IsWinNT();
    const Case cases[] = {
        {0, 500, 252},
        {1, 112, 375},
        {2, 400, 304},
        {3, nt ? 200 : 320, nt ? 140 : 32},
        {4, 320, nt ? 240 : 32},
        {5, 320, nt ? 240 : 32},
    };
    for (const auto& c : cases) {
        const SIZE s = MeasurePreview(c.line);
        EXPECT_EQ(s.cx, c.width) << "line " << c.line;
        EXPECT_EQ(s.cy, c.height) << "line " << c.line;
    }
}

// A picture that fits is copied 1:1, centred, 2 pixels below the top, on a
// white scratch picture that runs to the item's right edge.
TEST_F(MenusTest, PreviewDrawsAFittingPictureCentred) {
    AddPicture(400, 300);
    form->SelectLine(0);
    form->pmCBPopup();
    Canvas canvas(430, 310);
    ASSERT_TRUE(Draw(*form, form->v1, canvas, {0, 0, 420, 304}, 0));
    const COLORREF window = GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
    EXPECT_EQ(canvas.At(10, 2), kRed);
    EXPECT_EQ(canvas.At(409, 301), kRed);
    EXPECT_EQ(canvas.At(9, 2), window);
    EXPECT_EQ(canvas.At(10, 1), window);
    EXPECT_EQ(canvas.At(410, 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(419, 301), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(10, 302), window);
    EXPECT_EQ(canvas.At(425, 5), kMarker);
    EXPECT_EQ(canvas.Count(RECT{0, 0, 430, 310}, kRed), 400 * 300);
}

// A picture shrunk to its item is stretched over the whole scratch picture,
// over a gray frame one pixel up and left of the item.
TEST_F(MenusTest, PreviewStretchesAPictureThatDoesNotFit) {
    AddPicture(1000, 500);
    form->SelectLine(0);
    form->pmCBPopup();
    Canvas canvas(510, 260);
    ASSERT_TRUE(Draw(*form, form->v1, canvas, {0, 0, 500, 252}, 0));
    const COLORREF window = GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
    EXPECT_EQ(canvas.At(2, 2), kRed);
    EXPECT_EQ(canvas.At(499, 249), kRed);
    EXPECT_EQ(canvas.Count(RECT{0, 0, 510, 260}, kRed), 498 * 248);
    EXPECT_EQ(canvas.At(1, 250), RGB(128, 128, 128));  // the frame's bottom edge
    EXPECT_EQ(canvas.At(0, 0), window);
    EXPECT_EQ(canvas.At(0, 251), window);
    EXPECT_EQ(canvas.At(505, 5), kMarker);
}

TEST_F(MenusTest, PreviewDrawsTheTextInAGrayFrameWithoutChangingTheItem) {
    // A text far longer than the box: wrapped, cut with an ellipsis, and the
    // item keeps every character.
    std::u16string words;
    while (words.size() < 200000) words += u"lorem ipsum dolor ";
    AddText(words, "lorem");
    form->SelectLine(0);
    const SIZE s = MeasurePreview(0);
    Canvas canvas(s.cx + 10, s.cy + 10);
    ASSERT_TRUE(Draw(*form, form->v1, canvas, {0, 0, s.cx, s.cy}, 0));
    const COLORREF gray = RGB(128, 128, 128);
    const COLORREF window = GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
    EXPECT_EQ(canvas.At(0, 0), window);
    EXPECT_EQ(canvas.At(1, 1), gray);
    EXPECT_EQ(canvas.At(s.cx - 2, s.cy - 2), gray);  // the frame ends one pixel inside the item
    EXPECT_EQ(canvas.At(s.cx - 1, s.cy - 1), window);
    EXPECT_EQ(canvas.At(s.cx + 2, 5), kMarker);
    // Several wrapped lines of black text inside the frame.
    int linesWithText = 0;
    for (int y = 2; y < s.cy - 2; ++y) linesWithText += canvas.Count(RECT{2, y, s.cx - 2, y + 1}, RGB(0, 0, 0)) > 0;
    EXPECT_GT(linesWithText, 40);
    EXPECT_EQ(Slot(1).WText, words);
}

// Clipboard text is the user's own: an "&" in it is drawn as it is, not
// taken for an access key, wherever the text is shown. With prefix drawing
// "AT&T" would be as wide as "ATT" and "AT&&T" as wide as "AT&T".
TEST_F(MenusTest, AnAmpersandInClipboardTextIsDrawnAsItIs) {
    AddText(u"ATT", "ATT");      // line 0
    AddText(u"AT&T", "AT&T");    // line 1
    AddText(u"AT&&T", "AT&&T");  // line 2
    struct Place {
        const char* name;
        std::function<int(int line)> rightmostInk;
    };
    const std::vector<Place> places = {
        {"preview",
         [&](int line) {
             const SIZE s = MeasurePreview(line);
             Canvas canvas(s.cx, s.cy);
             EXPECT_TRUE(Draw(*form, form->v1, canvas, {0, 0, s.cx, s.cy}, 0));
             return canvas.RightmostOf(RGB(0, 0, 0));
         }},
        {"list entry",
         [&](int line) {
             Canvas canvas(229, 40);
             DRAWITEMSTRUCT d{};
             d.CtlType = ODT_LISTBOX;
             d.CtlID = kIdLstCB;
             d.itemID = static_cast<UINT>(line);
             d.itemAction = ODA_DRAWENTIRE;
             d.hwndItem = form->lstCB;
             d.hDC = canvas.Dc();
             d.rcItem = {0, 0, 229, 40};
             SendMessageW(form->Handle(), WM_DRAWITEM, kIdLstCB, reinterpret_cast<LPARAM>(&d));
             return canvas.RightmostOf(RGB(0, 0, 0));
         }},
    };
    // Each "&" shown adds its own width; an underline under the T adds at
    // most a pixel or two.
    HDC dc = CreateCompatibleDC(nullptr);
    const LOGFONTW lf = DefaultInterfaceFont();
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE amp{};
    GetTextExtentPoint32W(dc, L"&", 1, &amp);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    ASSERT_GT(amp.cx, 3);
    for (const Place& p : places) {
        SCOPED_TRACE(p.name);
        const int att = p.rightmostInk(0);
        const int one = p.rightmostInk(1);
        const int two = p.rightmostInk(2);
        EXPECT_GT(att, 0);
        EXPECT_GE(one - att, amp.cx - 1) << "\"AT&T\" shows its \"&\"";
        EXPECT_GE(two - one, amp.cx - 1) << "\"AT&&T\" shows both";
    }
}

TEST_F(MenusTest, AnEightBitTextIsPreviewedThroughTheCodePage) {
    form->History.ReserveSlot();
    TCBI& slot = form->History.CBItems[1];
    slot.Format = CF_TEXT;
    slot.Text = "eight bit text";
    form->History.AddNewestLine();
    const SIZE s = MeasurePreview(0);
    Canvas canvas(s.cx, s.cy);
    ASSERT_TRUE(Draw(*form, form->v1, canvas, {0, 0, s.cx, s.cy}, 0));
    EXPECT_GT(canvas.Count(RECT{2, 2, s.cx - 2, s.cy - 2}, RGB(0, 0, 0)), 10);
}

TEST_F(MenusTest, TrayMenuCommandsRunTheirHandlers) {
    form->miShowClick();
    ASSERT_TRUE(IsWindowVisible(form->Handle()));
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(kCmdMiHide, 0), 0);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(kCmdMiShow, 0), 0);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    ASSERT_FALSE(app.Terminated());
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(kCmdMiExit, 0), 0);
    EXPECT_TRUE(app.Terminated());
    test::PumpPending();  // the WM_QUIT Exit posted
}

}  // namespace
}  // namespace swl
