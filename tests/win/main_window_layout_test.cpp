// The main window as it is drawn: a real TfrmMain shown on the screen, its
// client area read back from the window's DC and checked at the pixels the
// layout fixes (link panel, groups, gauge, list entries), plus the places of
// the components, the layout switch on maximise and restore, and the links
// that select the pages.
#include "MainForm.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "geometry/gradient.h"
#include "geometry/history_entry_geometry.h"
#include "geometry/progress_bar_geometry.h"
#include "canvas.h"
#include "collected_reports.h"
#include "test_support.h"

namespace swl {
namespace {

using test::ClipboardContent;

constexpr COLORREF kPanelBlue = RGB(101, 135, 220);
constexpr COLORREF kGroupTop = RGB(207, 221, 245);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kStrip = RGB(214, 223, 247);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGray = RGB(128, 128, 128);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kPictureGreen = RGB(10, 200, 30);

using test::Canvas;

ClipboardContent Unicode(std::u16string text) {
    ClipboardContent c;
    c.unicode = std::move(text);
    return c;
}

ClipboardContent Picture(int width, int height) {
    ClipboardContent c;
    c.bitmap = SIZE{width, height};
    c.bitmapColor = kPictureGreen;
    return c;
}

// The window's bounds in its parent's client coordinates.
RECT BoundsInParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

COLORREF Colour(Rgb c) { return RGB(c.r, c.g, c.b); }

class MainWindowLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
        // Shown where nothing covers it (it is topmost), without activation.
        SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        test::PumpPending();
    }

    void TearDown() override {
        form.reset();
        EXPECT_EQ(reports.Texts(), std::vector<std::string>{});
    }

    void Write(const ClipboardContent& content) {
        const int before = form->History.CBCount;
        ASSERT_TRUE(test::WriteClipboard(writer.Handle(), content));
        ASSERT_TRUE(test::PumpUntil([&] { return form->History.CBCount != before || form->LineCount() > before; }));
    }

    // Paints everything now and copies the client area out of the window.
    std::unique_ptr<Canvas> Capture() {
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return CaptureAsPainted();
    }

    // Copies the client area as the window's own repaints left it: only what
    // was invalidated is painted again.
    std::unique_ptr<Canvas> CaptureAsPainted() {
        HWND hwnd = form->Handle();
        RedrawWindow(hwnd, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
        test::PumpPending();
        RECT client{};
        GetClientRect(hwnd, &client);
        auto canvas = std::make_unique<Canvas>(client.right, client.bottom);
        HDC dc = GetDC(hwnd);
        BitBlt(canvas->Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, dc);
        return canvas;
    }

    // Entry i of the list in the window's client coordinates.
    RECT EntryRect(int i) const {
        RECT r{};
        SendMessageW(form->lstCB, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(form->lstCB, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    int EntryHeight(int i) const {
        return static_cast<int>(SendMessageW(form->lstCB, LB_GETITEMHEIGHT, static_cast<WPARAM>(i), 0));
    }

    int OuterWidth() const {
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        return r.right - r.left;
    }

    static void ClickLink(const TMarkupLabel& link) {
        SendMessageW(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }

    // The icon image of the list's image lists, drawn with its mask on the
    // window colour: what an entry shows inside its icon frame.
    static std::unique_ptr<Canvas> IconOnWindowColour(HIMAGELIST images, int index, int size) {
        EXPECT_EQ(ImageList_GetImageCount(images), 3);
        auto canvas = std::make_unique<Canvas>(size, size);
        RECT all{0, 0, size, size};
        FillRect(canvas->Dc(), &all, GetSysColorBrush(COLOR_WINDOW));
        ImageList_Draw(images, index, canvas->Dc(), 0, 0, ILD_TRANSPARENT);
        return canvas;
    }

    // The number of the icon's pixels that differ from what the entry shows
    // at (x, y).
    static int IconMismatches(const Canvas& shot, const Canvas& icon, int x, int y) {
        int n = 0;
        for (int j = 0; j < icon.Height(); ++j)
            for (int i = 0; i < icon.Width(); ++i) n += shot.At(x + i, y + j) != icon.At(i, j);
        return n;
    }

    test::CollectedReports reports;
    TApplication app;
    test::MessageWindow writer;
    std::unique_ptr<TfrmMain> form;
};

TEST_F(MainWindowLayoutTest, ComponentsSitWhereTheDesignPutsThem) {
    struct Case {
        const char* name;
        HWND window;
        HWND parent;
        RECT bounds;
    };
    TfrmMain& f = *form;
    const Case cases[] = {
        {"ebPanel", f.ebPanel.Handle(), f.Handle(), {0, 0, 153, 186}},
        {"ebClipboard", f.ebClipboard.Handle(), f.ebPanel.Handle(), {4, 4, 149, 81}},
        {"ebOptions", f.ebOptions.Handle(), f.ebPanel.Handle(), {4, 89, 149, 181}},
        {"lbShowAll", f.lbShowAll.Handle(), f.ebClipboard.Handle(), {12, 24, 129, 37}},
        {"lbPasteAll", f.lbPasteAll.Handle(), f.ebClipboard.Handle(), {12, 40, 129, 53}},
        {"lbClearCB", f.lbClearCB.Handle(), f.ebClipboard.Handle(), {12, 56, 131, 69}},
        {"lbSettings", f.lbSettings.Handle(), f.ebOptions.Handle(), {14, 24, 129, 37}},
        {"lbAbout", f.lbAbout.Handle(), f.ebOptions.Handle(), {14, 41, 129, 54}},
        {"lbHide", f.lbHide.Handle(), f.ebOptions.Handle(), {14, 57, 129, 70}},
        {"lbExit", f.lbExit.Handle(), f.ebOptions.Handle(), {14, 73, 129, 86}},
        {"sbStatus", f.sbStatus, f.Handle(), {0, 186, 397, 211}},
        {"pbCBItems", f.pbCBItems.Handle(), f.sbStatus, {2, 4, 151, 23}},
        {"lbStatusHint", f.lbStatusHint.Handle(), f.sbStatus, {157, 4, 378, 23}},
        {"nbMain", f.nbMain.Handle(), f.Handle(), {153, 0, 397, 186}},
        // The first resize gives the list the page area less 16 by less 24.
        {"lstCB", f.lstCB, f.PageHandle(0), {8, 24, 236, 186}},
        {"ckAutoLoad", f.ckAutoLoad.Handle(), f.PageHandle(1), {16, 32, 153, 49}},
        {"ckMonitor", f.ckMonitor.Handle(), f.PageHandle(1), {16, 56, 168, 73}},
        {"ckSave", f.ckSave.Handle(), f.PageHandle(1), {16, 80, 98, 97}},
        {"ckRestoreCB", f.ckRestoreCB.Handle(), f.PageHandle(1), {16, 104, 179, 121}},
        {"ckLang", f.ckLang.Handle(), f.PageHandle(1), {16, 128, 139, 145}},
        {"lbTransparent", f.lbTransparent.Handle(), f.PageHandle(1), {18, 148, 129, 177}},
        {"imgAbout", f.imgAbout, f.PageHandle(2), {11, 16, 83, 88}},
        {"lbAboutDetail", f.lbAboutDetail.Handle(), f.PageHandle(2), {11, 88, 236, 179}},
    };
    RECT client{};
    GetClientRect(f.Handle(), &client);
    EXPECT_EQ(client.right, kMainClientWidth);
    EXPECT_EQ(client.bottom, kMainClientHeight);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.window, nullptr);
        EXPECT_EQ(GetParent(c.window), c.parent);
        const RECT r = BoundsInParent(c.window);
        EXPECT_EQ(r.left, c.bounds.left);
        EXPECT_EQ(r.top, c.bounds.top);
        EXPECT_EQ(r.right, c.bounds.right);
        EXPECT_EQ(r.bottom, c.bounds.bottom);
    }
    // Topmost, fixed single border, white.
    EXPECT_TRUE(GetWindowLongW(f.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongW(f.Handle(), GWL_STYLE) & WS_THICKFRAME);
}

TEST_F(MainWindowLayoutTest, LinkPanelGroupsAndCaptionStripsHaveTheirColours) {
    const auto shot = Capture();
    // The panel between, beside and below the groups.
    for (const POINT p : {POINT{75, 85}, POINT{1, 150}, POINT{151, 40}, POINT{75, 184}})
        EXPECT_EQ(shot->At(p.x, p.y), kPanelBlue) << p.x << "," << p.y;
    // Right of the panel the page area is white.
    EXPECT_EQ(shot->At(155, 2), kWhite);

    // ebClipboard's strip is 17 pixels, ebOptions keeps the default 19.
    struct Group {
        const char* name;
        int top, height, strip;
    };
    for (const Group g : {Group{"ebClipboard", 4, 77, 17}, Group{"ebOptions", 89, 92, 19}}) {
        SCOPED_TRACE(g.name);
        const int x = 4 + 5;  // left of the links
        EXPECT_EQ(shot->At(x, g.top + 1), kStrip);
        EXPECT_EQ(shot->At(x, g.top + g.strip - 1), kStrip);
        // The body below the strip is the vertical gradient from the group's
        // colour to white, band by band.
        const auto bands = GradientBands({0, 0, 145, g.height}, RgbFromColorRef(kGroupTop), RgbFromColorRef(kWhite),
                                         16, GradientDirection::TopToBottom);
        ASSERT_FALSE(bands.empty());
        for (const GradientBand& band : bands)
            for (int y = std::max(band.rect.top, g.strip); y < band.rect.bottom; ++y)
                EXPECT_EQ(shot->At(x, g.top + y), Colour(band.colour)) << "row " << y;
        EXPECT_EQ(shot->At(x, g.top + g.height - 1), kWhite);
        EXPECT_NE(shot->At(x, g.top + g.strip), kStrip);
    }
}

TEST_F(MainWindowLayoutTest, GaugeFillsInProportionAndEndsInLime) {
    RECT bar = BoundsInParent(form->pbCBItems.Handle());
    MapWindowPoints(form->sbStatus, form->Handle(), reinterpret_cast<POINT*>(&bar), 2);
    const int width = bar.right - bar.left;
    ASSERT_EQ(width, 149);
    const COLORREF statusFace = Capture()->At(bar.left + width / 2, bar.top + 1);
    EXPECT_EQ(statusFace, GetSysColor(COLOR_BTNFACE)) << "an empty gauge shows the status bar";

    int items = 0;
    for (const int target : {1, 12, 24}) {
        SCOPED_TRACE(target);
        for (; items < target; ++items) {
            char16_t name[] = u"gauge00";
            name[5] = static_cast<char16_t>(u'0' + items / 10);
            name[6] = static_cast<char16_t>(u'0' + items % 10);
            Write(Unicode(name));
        }
        const auto shot = Capture();
        const int fill = ProgressFillWidth(target, 0, kMaxItems, width);
        const auto bands =
            ProgressFillBands(ProgressFillRect(fill, 19), RgbFromColorRef(kWhite), RgbFromColorRef(RGB(0, 255, 0)), 64);
        // The band that covers the fill's last column; for a long fill that
        // is lime itself.
        COLORREF last = CLR_INVALID;
        for (const GradientBand& band : bands)
            if (band.rect.left <= fill - 1 && fill - 1 < band.rect.right) last = Colour(band.colour);
        const int row = bar.top + 1;  // above the count text
        EXPECT_EQ(shot->At(bar.left + fill - 1, row), last);
        if (fill >= 75) EXPECT_EQ(shot->At(bar.left + fill - 1, row), RGB(0, 255, 0));
        if (fill < width) EXPECT_EQ(shot->At(bar.left + fill, row), statusFace);
        // The fill starts at the bar's left edge in (nearly) the window colour.
        EXPECT_EQ(shot->At(bar.left, row), Colour(bands.front().colour));
    }
}

TEST_F(MainWindowLayoutTest, EntriesAreFramedAndTheSelectedOneIsRedAndBlue) {
    Write(Unicode(u"first entry with some words"));
    Write(Unicode(u"second entry"));
    // The oldest item as an 8-bit one: the drawing reads the record.
    TCBI& oldest = form->History.CBItems[1];
    oldest.Format = kCF_TEXT;
    oldest.Text = "ansi words here";
    oldest.WText.clear();
    form->SetPageIndex(0);
    form->SelectLine(1);
    const auto shot = Capture();

    struct Case {
        int entry;
        bool selected;
        int icon;
    };
    for (const Case c : {Case{0, false, 0}, Case{1, true, 1}}) {
        SCOPED_TRACE(c.entry);
        const RECT r = EntryRect(c.entry);
        ASSERT_EQ(r.bottom - r.top, 40);
        const COLORREF frame = c.selected ? kRed : kGray;
        const int midY = (r.top + r.bottom) / 2;
        // The outer frame, one pixel in from the entry's edges.
        EXPECT_EQ(shot->At(r.left + 1, midY), frame);
        EXPECT_EQ(shot->At(r.right - 2, midY), frame);
        EXPECT_EQ(shot->At((r.left + r.right) / 2, r.top + 1), frame);
        EXPECT_EQ(shot->At((r.left + r.right) / 2, r.bottom - 2), frame);
        // No highlight fill: the edge and the inside stay the window colour.
        EXPECT_EQ(shot->At(r.left + 45, r.bottom - 3), GetSysColor(COLOR_WINDOW));
        // The blue icon frame: 36 x 36 from (2, 2).
        EXPECT_EQ(shot->At(r.left + 2, midY), kBlue);
        EXPECT_EQ(shot->At(r.left + 37, midY), kBlue);
        EXPECT_EQ(shot->At(r.left + 20, r.top + 2), kBlue);
        EXPECT_EQ(shot->At(r.left + 20, r.top + 37), kBlue);
        EXPECT_NE(shot->At(r.left + 38, midY), kBlue);
        // The kind's icon in the middle of the frame.
        const auto icon = IconOnWindowColour(form->imgIconS, c.icon, 32);
        EXPECT_EQ(IconMismatches(*shot, *icon, r.left + 5, r.top + 5), 0);
        // The text in blue (selected) or black.
        const RECT text{r.left + 42, r.top + 2, r.right - 2, r.bottom - 4};
        const int blue = shot->Count(text, kBlue);
        const int black = shot->Count(text, kBlack);
        if (c.selected) {
            EXPECT_GT(blue, 10);
            EXPECT_EQ(black, 0);
        } else {
            EXPECT_GT(black, 10);
            EXPECT_EQ(blue, 0);
        }
    }
}

TEST_F(MainWindowLayoutTest, SelectedTextIsBold) {
    // The same text selected and not: the bold one has more ink.
    Write(Unicode(u"the same words"));
    Write(Unicode(u"the same words"));
    form->SetPageIndex(0);
    form->SelectLine(1);
    const auto shot = Capture();
    const RECT plain = EntryRect(0);
    const RECT bold = EntryRect(1);
    const int plainInk = shot->Count({plain.left + 42, plain.top + 2, plain.right - 2, plain.bottom - 4}, kBlack);
    const int boldInk = shot->Count({bold.left + 42, bold.top + 2, bold.right - 2, bold.bottom - 4}, kBlue);
    EXPECT_GT(plainInk, 0);
    EXPECT_GT(boldInk, plainInk + plainInk / 10);
}

TEST_F(MainWindowLayoutTest, APictureIsCopiedOneToOneAndCutAtTheContentArea) {
    struct Case {
        const char* name;
        int width, height;
    };
    for (const Case c : {Case{"larger than the area", 600, 200}, Case{"smaller than the area", 10, 7}}) {
        SCOPED_TRACE(c.name);
        Write(Picture(c.width, c.height));
        const int entry = form->LineCount() - 1;
        ASSERT_EQ(form->History.CBItems[static_cast<std::size_t>(entry + 1)].Format, kCF_BITMAP);
        form->SetPageIndex(0);
        form->SelectLine(-1);
        const auto shot = Capture();
        const RECT r = EntryRect(entry);
        const RECT a{r.left + 38 + 4, r.top + 2, r.right - 2, r.bottom - 2};
        const int right = std::min<int>(a.right, a.left + c.width);
        const int bottom = std::min<int>(a.bottom, a.top + c.height);
        // Top-left corner meets the area's corner; the copy ends at the area
        // or at the picture's own edge.
        EXPECT_EQ(shot->At(a.left, a.top), kPictureGreen);
        EXPECT_EQ(shot->At(right - 1, bottom - 1), kPictureGreen);
        EXPECT_EQ(shot->Count({a.left, a.top, right, bottom}, kPictureGreen), (right - a.left) * (bottom - a.top));
        EXPECT_EQ(shot->Count({r.left, r.top, r.right, r.bottom}, kPictureGreen), (right - a.left) * (bottom - a.top));
        if (right < a.right) EXPECT_EQ(shot->At(right, a.top), GetSysColor(COLOR_WINDOW));
        // The frame is not painted over.
        EXPECT_EQ(shot->At(r.right - 2, (r.top + r.bottom) / 2), kGray);
        const auto icon = IconOnWindowColour(form->imgIconS, 2, 32);
        EXPECT_EQ(IconMismatches(*shot, *icon, r.left + 5, r.top + 5), 0);
    }
}

TEST_F(MainWindowLayoutTest, MaximiseSwitchesToTheLargeLayoutAndRestoreSwitchesBack) {
    Write(Unicode(u"one"));
    Write(Unicode(u"two"));
    form->SetPageIndex(0);
    ASSERT_LE(OuterWidth(), kCompactLayoutMaxWidth);
    EXPECT_EQ(form->ListItemHeight, 38);
    EXPECT_EQ(EntryHeight(0), 40);

    ShowWindow(form->Handle(), SW_MAXIMIZE);
    test::PumpPending();
    ASSERT_GT(OuterWidth(), kCompactLayoutMaxWidth);
    EXPECT_EQ(form->ListItemHeight, 64);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(EntryHeight(i), 66) << i;
    {
        // The list follows the page area: 8 in, 24 down, 8 short of its right.
        RECT page{}, list{};
        GetClientRect(form->PageHandle(0), &page);
        list = BoundsInParent(form->lstCB);
        EXPECT_EQ(list.right, page.right - 8);
        EXPECT_EQ(list.bottom, page.bottom);
        const auto shot = Capture();
        const RECT r = EntryRect(1);
        EXPECT_EQ(r.bottom - r.top, 66);
        EXPECT_EQ(shot->At(r.left + 2, r.top + 30), kBlue);
        EXPECT_EQ(shot->At(r.left + 63, r.top + 30), kBlue);
        const auto icon = IconOnWindowColour(form->imgIconL, 1, 48);
        EXPECT_EQ(IconMismatches(*shot, *icon, r.left + 10, r.top + 10), 0);
    }

    ShowWindow(form->Handle(), SW_RESTORE);
    test::PumpPending();
    EXPECT_LE(OuterWidth(), kCompactLayoutMaxWidth);
    EXPECT_EQ(form->ListItemHeight, 38);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(EntryHeight(i), 40) << i;
    const auto shot = Capture();
    const RECT r = EntryRect(1);
    const auto icon = IconOnWindowColour(form->imgIconS, 1, 32);
    EXPECT_EQ(IconMismatches(*shot, *icon, r.left + 5, r.top + 5), 0);
}

TEST_F(MainWindowLayoutTest, NavigationLinksSelectTheirPages) {
    struct Case {
        const char* name;
        TMarkupLabel TfrmMain::*link;
        int page;
    };
    const Case cases[] = {
        {"lbShowAll", &TfrmMain::lbShowAll, 0},
        {"lbSettings", &TfrmMain::lbSettings, 1},
        {"lbAbout", &TfrmMain::lbAbout, 2},
        {"lbShowAll again", &TfrmMain::lbShowAll, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClickLink((*form).*c.link);
        EXPECT_EQ(form->PageIndex(), c.page);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(IsWindowVisible(form->PageHandle(i)) != FALSE, i == c.page) << i;
    }
    // The Settings page shows its check boxes where the page area is.
    ClickLink(form->lbSettings);
    const auto shot = Capture();
    const RECT box = BoundsInParent(form->ckMonitor.Handle());
    int ink = 0;
    for (int x = 153 + box.left; x < 153 + box.right; ++x) ink += shot->At(x, box.top + 8) != kWhite;
    EXPECT_GT(ink, 0);
}

TEST_F(MainWindowLayoutTest, TheAboutTitleLeavesTheWholeEmblemShowing) {
    // The title at (70, 32) overlaps the emblem's right edge: the emblem
    // shows through the label, with the title drawn over it.
    form->SetPageIndex(2);
    const auto shot = Capture();
    const RECT emblem = BoundsInParent(form->imgAbout);
    const RECT title = BoundsInParent(form->lbAboutTitle.Handle());
    RECT overlap{};
    ASSERT_TRUE(IntersectRect(&overlap, &emblem, &title));

    auto icon = reinterpret_cast<HICON>(SendMessageW(form->imgAbout, STM_GETICON, 0, 0));
    ASSERT_NE(icon, nullptr);
    Canvas alone(emblem.right - emblem.left, emblem.bottom - emblem.top, kWhite);
    ASSERT_TRUE(DrawIconEx(alone.Dc(), 0, 0, icon, alone.Width(), alone.Height(), 0, nullptr, DI_NORMAL));

    // The title's black ink, smoothed at its edges, only darkens the emblem.
    auto coveredByText = [](COLORREF got, COLORREF want) {
        return GetRValue(got) <= GetRValue(want) && GetGValue(got) <= GetGValue(want) &&
               GetBValue(got) <= GetBValue(want);
    };
    const int pageX = 153;  // the page area's left in the window
    int emblemInk = 0;
    int lost = 0;
    for (int y = overlap.top; y < overlap.bottom; ++y) {
        for (int x = overlap.left; x < overlap.right; ++x) {
            const COLORREF want = alone.At(x - emblem.left, y - emblem.top);
            if (want == kWhite) continue;
            ++emblemInk;
            const COLORREF got = shot->At(pageX + x, y);
            lost += got != want && !coveredByText(got, want);
        }
    }
    ASSERT_GT(emblemInk, 20) << "the emblem has ink where the title overlaps it";
    EXPECT_EQ(lost, 0);
    // The title itself is still drawn.
    EXPECT_GT(shot->Count({pageX + title.left, title.top, pageX + title.right, title.bottom},
                          GetSysColor(COLOR_WINDOWTEXT)),
              50);
}

TEST_F(MainWindowLayoutTest, TabStopsOfThePagesFollowTheDesignOrder) {
    auto tabStops = [](HWND page) {
        std::vector<HWND> order;
        for (HWND w = GetWindow(page, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) order.push_back(w);
        return order;
    };
    TfrmMain& f = *form;
    const std::vector<HWND> settings{f.ckAutoLoad.Handle(), f.ckMonitor.Handle(),  f.ckSave.Handle(),
                                     f.ckRestoreCB.Handle(), f.ckLang.Handle(), f.tbTransparent.Handle(),
                                     // after the designed ones: the quick-paste switch and field
                                     f.ckHotKey.Handle(), f.hkQuickPaste.Handle()};
    EXPECT_EQ(tabStops(f.PageHandle(1)), settings);
    EXPECT_EQ(tabStops(f.PageHandle(0)), std::vector<HWND>{f.lstCB});
}

// After a language switch the window shows what a full repaint would show,
// on every page: no part is left blank or with its old text.
TEST_F(MainWindowLayoutTest, TheLanguageSwitchRepaintsEveryPart) {
    struct Case {
        const char* name;
        TMarkupLabel TfrmMain::*link;
    };
    const Case pages[] = {
        {"Clipboard", &TfrmMain::lbShowAll},
        {"Settings", &TfrmMain::lbSettings},
        {"About", &TfrmMain::lbAbout},
    };
    for (const Case& page : pages) {
        ClickLink((*form).*page.link);
        Capture();
        for (const bool vietnamese : {true, false}) {
            SCOPED_TRACE(testing::Message() << page.name << (vietnamese ? ", to Vietnamese" : ", to English"));
            form->ckLang.Click();
            ASSERT_EQ(form->ckLang.Checked(), vietnamese);
            const auto painted = CaptureAsPainted();
            const auto repainted = Capture();
            int differ = 0;
            POINT first{-1, -1};
            for (int y = 0; y < painted->Height(); ++y)
                for (int x = 0; x < painted->Width(); ++x)
                    if (painted->At(x, y) != repainted->At(x, y) && differ++ == 0) first = {x, y};
            EXPECT_EQ(differ, 0) << "first at " << first.x << "," << first.y;
        }
    }
}

TEST_F(MainWindowLayoutTest, ReCaptioningACheckBoxKeepsItsStateAndRunsNothing) {
    int clicks = 0;
    form->ckSave.OnClick = [&] { ++clicks; };
    for (const bool checked : {true, false}) {
        SCOPED_TRACE(checked);
        form->ckSave.SetChecked(checked);
        form->ckSave.SetCaption(u"&L\u01B0u khi tho\u00E1t");
        EXPECT_EQ(form->ckSave.Caption(), u"&L\u01B0u khi tho\u00E1t");
        EXPECT_EQ(form->ckSave.Checked(), checked);
        form->ckSave.SetCaption(u"&Save on Exit");
        EXPECT_EQ(form->ckSave.Caption(), u"&Save on Exit");
    }
    EXPECT_EQ(clicks, 0);
}

}  // namespace
}  // namespace swl
