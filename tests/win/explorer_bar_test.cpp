// The explorer bar and its groups in a real window: stacking, collapsing,
// the scroll bar, and the pixels of the classic look (what Wine shows when no
// visual style is active), read back from WM_PRINTCLIENT into a DIB.
#include "widgets/explorer_bar.h"
#include "widgets/explorer_bar_group.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "canvas.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "widgets/bi_progress_bar.h"
#include "widgets/gdi_text_measurer.h"
#include "widgets/markup_label.h"
#include "widgets/theme_api.h"

namespace swl {
namespace {

constexpr COLORREF kPanelBlue = RGB(101, 135, 220);
constexpr COLORREF kGroupTop = RGB(207, 221, 245);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kStripColour = RGB(214, 223, 247);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

using test::Canvas;

void PrintClient(HWND window, Canvas& canvas) {
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// The top-level test window, destroyed with the fixture.
class HostWindow {
public:
    HostWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"SwlExplorerBarTestHost";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"explorer bar test",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 40, 40,
                                420, 260, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~HostWindow() {
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    }
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

RECT BoundsIn(HWND window, HWND parent) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Top(const TExplorerBarGroup& g) { return BoundsIn(g.Handle(), GetParent(g.Handle())).top; }
int HeightOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}
int WidthOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

// tmHeight of the caption font, as this system's Tahoma gives it.
int CaptionFontHeight() {
    const LOGFONTW lf = DefaultInterfaceFont(true);
    HFONT font = CreateFontIndirectW(&lf);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    return tm.tmHeight;
}

// The main window's link groups: left-aligned bold caption in the highlight
// colour on a light blue strip, minimise button only, gradient body.
void ConfigureLinkGroup(TExplorerBarGroup& group, std::u16string text, bool autoSize) {
    TPanelCaptionSettings caption = group.CaptionSettings();
    caption.text = std::move(text);
    caption.alignment = MarkupAlignment::Left;
    caption.layout = MarkupLayout::Center;
    caption.font = DefaultInterfaceFont(true);
    caption.fontColor = GetSysColor(COLOR_HIGHLIGHT);
    caption.color = kStripColour;
    caption.buttonColor = kStripColour;
    caption.showCloseButton = false;
    caption.showMinButton = true;
    caption.autoSize = autoSize;
    caption.height = autoSize ? 17 : 19;
    group.SetCaptionSettings(caption);
    group.SetBackgroundType(GroupBackground::VerticalGradient);
    group.SetGradientStartColor(kGroupTop);
    group.SetGradientEndColor(kWhite);
    group.SetColor(kGroupTop);
}

// The link panel of the main window at design size.
class ExplorerBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.get());
        ASSERT_TRUE(bar.Create(host.get(), 0, 0, 153, 186));
        bar.SetColor(kPanelBlue);
        // Built as a form loads: the groups at their design places, made in
        // the opposite order of their tops (the bar orders by top), stacked
        // once when the update ends.
        bar.BeginUpdate();
        ASSERT_TRUE(options.Create(bar, 4, 89, 145, 92));
        ASSERT_TRUE(clipboard.Create(bar, 4, 4, 145, 77));
        ConfigureLinkGroup(clipboard, u"Stashwell", true);
        ConfigureLinkGroup(options, u"Options", false);
        bar.EndUpdate();
        expectedStrip = std::max(CaptionFontHeight(), 15) + 2;
    }

    bool Classic() const { return !bar.Themed() && !clipboard.Themed(); }

    // The centre of the minimise button of a 145-pixel group.
    static LPARAM MinButtonCentre() { return At(136, 8); }

    HostWindow host;
    TExplorerBar bar;
    TExplorerBarGroup clipboard;
    TExplorerBarGroup options;
    int expectedStrip = 17;
};

TEST_F(ExplorerBarTest, StacksGroupsByTopFromTheMargin) {
    EXPECT_EQ(bar.Groups().size(), 2u);
    const RECT c = BoundsIn(clipboard.Handle(), bar.Handle());
    const RECT o = BoundsIn(options.Handle(), bar.Handle());
    EXPECT_EQ(c.left, 4);
    EXPECT_EQ(c.top, 4);
    EXPECT_EQ(c.right - c.left, 145);
    EXPECT_EQ(c.bottom - c.top, 77);
    EXPECT_EQ(o.left, 4);
    EXPECT_EQ(o.top, 89);
    EXPECT_EQ(o.right - o.left, 145);
    EXPECT_EQ(o.bottom - o.top, 92);
    EXPECT_FALSE(bar.VerticalScrollBarShown());
}

TEST_F(ExplorerBarTest, RestacksWhenMarginSpacingOrAGroupChanges) {
    bar.SetSpacing(12);
    EXPECT_EQ(Top(options), 4 + 77 + 12);
    bar.SetMargin(2);  // the column still fits: 2 + 77 + 12 + 92 + 2 = 185
    EXPECT_EQ(Top(clipboard), 2);
    EXPECT_EQ(Top(options), 2 + 77 + 12);
    EXPECT_EQ(WidthOf(clipboard.Handle()), 153 - 4);
    bar.SetGroupWidth(100);
    EXPECT_EQ(WidthOf(options.Handle()), 100);
    bar.SetGroupWidth(0);
    EXPECT_EQ(WidthOf(options.Handle()), 153 - 4);

    // A group resized, hidden or shown by other means moves the next one.
    SetWindowPos(clipboard.Handle(), nullptr, 0, 0, 141, 50, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Top(options), 2 + 50 + 12);
    ShowWindow(clipboard.Handle(), SW_HIDE);
    EXPECT_EQ(Top(options), 2);
    // Shown again it takes room again. The two share a top now, so they
    // stack in the order they were added: options first.
    ShowWindow(clipboard.Handle(), SW_SHOW);
    EXPECT_EQ(Top(options), 2);
    EXPECT_EQ(Top(clipboard), 2 + 92 + 12);
}

TEST_F(ExplorerBarTest, AcceptsOnlyGroups) {
    TBiProgressBar gauge;
    ASSERT_TRUE(gauge.Create(bar.Handle(), 0, 0, 50, 10));
    try {
        bar.AddGroup(gauge);
        FAIL() << "a gauge was accepted";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "ExplorerBar doesn't accept controls");
    }
    EXPECT_EQ(bar.Groups().size(), 2u);
}

TEST_F(ExplorerBarTest, RemovingAGroupRestacksTheRest) {
    {
        TExplorerBarGroup extra;
        ASSERT_TRUE(extra.Create(bar, 4, 0, 145, 30));  // above everything
        EXPECT_EQ(bar.Groups().size(), 3u);
        EXPECT_EQ(Top(extra), 4);
        EXPECT_EQ(Top(clipboard), 4 + 30 + 8);
    }
    EXPECT_EQ(bar.Groups().size(), 2u);
    EXPECT_EQ(Top(clipboard), 4);
    EXPECT_EQ(Top(options), 89);
}

// Collapsing and expanding: by the property, the minimise button and Space
// on the focused strip all behave the same.
TEST_F(ExplorerBarTest, CollapsingMovesTheNextGroupAndExpandingRestores) {
    struct Way {
        const char* name;
        std::function<void(TExplorerBarGroup&)> toggle;
    };
    const Way ways[] = {
        {"Minimized property", [](TExplorerBarGroup& g) { g.SetMinimized(!g.Minimized()); }},
        {"minimise button",
         [](TExplorerBarGroup& g) {
             SendMessageW(g.CaptionHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MinButtonCentre());
             SendMessageW(g.CaptionHandle(), WM_LBUTTONUP, 0, MinButtonCentre());
         }},
        {"Space on the strip",
         [](TExplorerBarGroup& g) { SendMessageW(g.CaptionHandle(), WM_CHAR, L' ', 0); }},
    };
    int minimized = 0, restored = 0;
    clipboard.OnMinimize = [&] { ++minimized; };
    clipboard.OnRestore = [&] { ++restored; };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        way.toggle(clipboard);
        EXPECT_TRUE(clipboard.Minimized());
        EXPECT_EQ(HeightOf(clipboard.Handle()), expectedStrip);
        EXPECT_EQ(clipboard.ExpandedHeight(), 77);
        EXPECT_EQ(Top(options), 4 + expectedStrip + 8);  // 29 with a 17-pixel strip
        way.toggle(clipboard);
        EXPECT_FALSE(clipboard.Minimized());
        EXPECT_EQ(HeightOf(clipboard.Handle()), 77);
        EXPECT_EQ(Top(options), 89);
    }
    EXPECT_EQ(minimized, 3);
    EXPECT_EQ(restored, 3);
}

TEST_F(ExplorerBarTest, CollapsingTheLastGroupLeavesItsDefaultStrip) {
    options.SetMinimized(true);
    EXPECT_EQ(HeightOf(options.Handle()), 19);
    EXPECT_EQ(Top(options), 89);
    EXPECT_EQ(Top(clipboard), 4);
    EXPECT_EQ(HeightOf(clipboard.Handle()), 77);
}

TEST_F(ExplorerBarTest, ACollapsedGroupResizedByOtherMeansCountsAsExpanded) {
    int restored = 0;
    clipboard.OnRestore = [&] { ++restored; };
    clipboard.SetMinimized(true);
    SetWindowPos(clipboard.Handle(), nullptr, 0, 0, 145, 50, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(clipboard.Minimized());
    EXPECT_EQ(clipboard.ExpandedHeight(), 50);
    EXPECT_EQ(restored, 1);
    EXPECT_EQ(Top(options), 4 + 50 + 8);
}

TEST_F(ExplorerBarTest, AClickOnTheStripIsAGroupClickAndDoesNotCollapse) {
    int clicks = 0, doubleClicks = 0;
    clipboard.OnClick = [&] { ++clicks; };
    clipboard.OnDblClick = [&] { ++doubleClicks; };
    HWND strip = clipboard.CaptionHandle();
    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, At(40, 8));
    SendMessageW(strip, WM_LBUTTONUP, 0, At(40, 8));
    SendMessageW(strip, WM_LBUTTONDBLCLK, MK_LBUTTON, At(40, 8));
    SendMessageW(strip, WM_LBUTTONUP, 0, At(40, 8));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_FALSE(clipboard.Minimized());
}

// The notification window's group: no buttons, so the user cannot collapse it.
TEST_F(ExplorerBarTest, AStripWithoutMinimiseButtonIgnoresSpaceAndTheButtonCorner) {
    TPanelCaptionSettings caption = clipboard.CaptionSettings();
    caption.showMinButton = false;
    caption.flatAlways = true;
    clipboard.SetCaptionSettings(caption);
    SendMessageW(clipboard.CaptionHandle(), WM_CHAR, L' ', 0);
    SendMessageW(clipboard.CaptionHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MinButtonCentre());
    SendMessageW(clipboard.CaptionHandle(), WM_LBUTTONUP, 0, MinButtonCentre());
    EXPECT_FALSE(clipboard.Minimized());
    EXPECT_EQ(HeightOf(clipboard.Handle()), 77);
}

TEST_F(ExplorerBarTest, ShowsTheScrollBarOnlyWhileTheGroupsDoNotFit) {
    // A taller bar: nothing moves.
    SetWindowPos(bar.Handle(), nullptr, 0, 0, 153, 240, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(bar.VerticalScrollBarShown());
    EXPECT_EQ(Top(options), 89);
    EXPECT_EQ(WidthOf(options.Handle()), 145);

    // Too short: the scroll bar comes and the groups narrow by its width.
    SetWindowPos(bar.Handle(), nullptr, 0, 0, 153, 120, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(bar.VerticalScrollBarShown());
    EXPECT_TRUE(GetWindowLongPtrW(bar.Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongPtrW(bar.Handle(), GWL_STYLE) & WS_HSCROLL);
    const int narrowed = 153 - GetSystemMetrics(SM_CXVSCROLL) - 2 * 4;
    EXPECT_EQ(WidthOf(clipboard.Handle()), narrowed);
    EXPECT_EQ(WidthOf(options.Handle()), narrowed);

    // Scrolled to the end: the column's bottom margin meets the bar's bottom.
    const int column = 4 + 77 + 8 + 92 + 4;
    bar.ScrollTo(1000);
    EXPECT_EQ(bar.ScrollPosition(), column - 120);
    EXPECT_EQ(Top(clipboard), 4 - (column - 120));
    EXPECT_EQ(Top(options), 89 - (column - 120));
    SendMessageW(bar.Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(Top(clipboard), 4);

    // Collapsing makes them fit again: the scroll bar goes, full width returns.
    bar.ScrollTo(30);
    options.SetMinimized(true);
    EXPECT_FALSE(bar.VerticalScrollBarShown());
    EXPECT_EQ(bar.ScrollPosition(), 0);
    EXPECT_EQ(Top(clipboard), 4);
    EXPECT_EQ(WidthOf(options.Handle()), 145);
}

TEST_F(ExplorerBarTest, WithoutAutomaticScrollBarTheGroupsAreCutOff) {
    bar.SetVerticalScrollBar(ExplorerScrollBar::None);
    SetWindowPos(bar.Handle(), nullptr, 0, 0, 153, 120, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(bar.VerticalScrollBarShown());
    EXPECT_EQ(WidthOf(options.Handle()), 145);
}

TEST_F(ExplorerBarTest, CaptionStripHeightFollowsTheFontOrTheDefault) {
    // AutoSize: max(tmHeight, ButtonWidth) + 2; Tahoma 8 pt bold gives 17.
    EXPECT_EQ(clipboard.CaptionHeight(), expectedStrip);
    EXPECT_EQ(options.CaptionHeight(), 19);
    RECT strip{};
    GetClientRect(clipboard.CaptionHandle(), &strip);
    EXPECT_EQ(strip.bottom, expectedStrip);
    EXPECT_EQ(strip.right, 145);
    GetClientRect(options.CaptionHandle(), &strip);
    EXPECT_EQ(strip.bottom, 19);
}

// ---- the classic look --------------------------------------------------------

TEST_F(ExplorerBarTest, ClassicBarIsFilledWithItsColour) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    Canvas canvas(153, 186);
    PrintClient(bar.Handle(), canvas);
    for (POINT p : {POINT{0, 0}, POINT{2, 2}, POINT{150, 85}, POINT{152, 185}})
        EXPECT_EQ(canvas.At(p.x, p.y), kPanelBlue) << p.x << "," << p.y;
}

TEST_F(ExplorerBarTest, ClassicGroupBodyIsASixteenBandGradient) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    // Without its strip the whole body shows the gradient.
    TPanelCaptionSettings caption = clipboard.CaptionSettings();
    caption.visible = false;
    clipboard.SetCaptionSettings(caption);
    Canvas canvas(145, 77);
    PrintClient(clipboard.Handle(), canvas);

    EXPECT_EQ(canvas.At(0, 0), kGroupTop);
    EXPECT_EQ(canvas.At(144, 0), kGroupTop);
    EXPECT_EQ(canvas.At(72, 76), kWhite);
    // Each band is uniform between the platform's MulDiv edges, 4 or 5 rows
    // high, and differs from the next.
    COLORREF previous = CLR_INVALID;
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        const int top = MulDiv(i, 77, 16);
        const int bottom = MulDiv(i + 1, 77, 16);
        EXPECT_TRUE(bottom - top == 4 || bottom - top == 5);
        const COLORREF colour = canvas.At(10, top);
        for (int y = top; y < bottom; ++y) EXPECT_EQ(canvas.At(10, y), colour) << "row " << y;
        EXPECT_NE(colour, previous);
        previous = colour;
    }
}

TEST_F(ExplorerBarTest, ClassicStripIsFilledAndCarriesTheLeftAlignedCaption) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    Canvas canvas(145, 77);
    PrintClient(clipboard.Handle(), canvas);
    // The strip's colour down to its last row, the gradient right below it.
    EXPECT_EQ(canvas.At(1, 0), kStripColour);
    EXPECT_EQ(canvas.At(1, expectedStrip - 1), kStripColour);
    EXPECT_NE(canvas.At(1, expectedStrip), kStripColour);

    // The caption text starts at the text area's left edge (4 pixels in).
    int firstInk = -1;
    for (int x = 0; x < 129 && firstInk < 0; ++x)
        for (int y = 0; y < expectedStrip; ++y)
            if (canvas.At(x, y) != kStripColour) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 4);
    EXPECT_LE(firstInk, 7);
}

TEST_F(ExplorerBarTest, ClassicMinimiseButtonShowsTheGlyphForItsState) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    auto buttonPixels = [&](int height) {
        Canvas canvas(145, height);
        PrintClient(clipboard.Handle(), canvas);
        std::vector<COLORREF> pixels;
        bool anyMagenta = false;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 145; ++x) anyMagenta |= canvas.At(x, y) == kMagenta;
        EXPECT_FALSE(anyMagenta) << "the glyph's transparent colour was drawn";
        for (int y = 1; y < 16; ++y)
            for (int x = 129; x < 144; ++x) pixels.push_back(canvas.At(x, y));
        return pixels;
    };
    const std::vector<COLORREF> expanded = buttonPixels(77);
    EXPECT_NE(std::count(expanded.begin(), expanded.end(), RGB(0, 0, 0)), 0);
    clipboard.SetMinimized(true);
    const std::vector<COLORREF> collapsed = buttonPixels(expectedStrip);
    EXPECT_NE(std::count(collapsed.begin(), collapsed.end(), RGB(0, 0, 0)), 0);
    EXPECT_NE(expanded, collapsed);
}

TEST_F(ExplorerBarTest, ClassicFlatButtonFramesFollowThePointer) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    HWND strip = clipboard.CaptionHandle();
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    struct Corners {
        COLORREF topLeft, bottomRight;
    };
    auto corners = [&] {
        Canvas canvas(145, 20);
        PrintClient(strip, canvas);
        return Corners{canvas.At(129, 1), canvas.At(143, 15)};
    };

    Corners c = corners();
    EXPECT_EQ(c.topLeft, kStripColour) << "a flat button has no frame at rest";
    EXPECT_EQ(c.bottomRight, kStripColour);

    SendMessageW(strip, WM_MOUSEMOVE, 0, MinButtonCentre());
    c = corners();
    EXPECT_EQ(c.topLeft, light) << "raised while the pointer is over it";
    EXPECT_EQ(c.bottomRight, shadow);

    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MinButtonCentre());
    c = corners();
    EXPECT_EQ(c.topLeft, shadow) << "sunken while pressed";
    EXPECT_EQ(c.bottomRight, light);

    // Dragged off the button the press is released without collapsing.
    SendMessageW(strip, WM_MOUSEMOVE, MK_LBUTTON, At(40, 8));
    SendMessageW(strip, WM_LBUTTONUP, 0, At(40, 8));
    EXPECT_FALSE(clipboard.Minimized());
    SendMessageW(strip, WM_MOUSELEAVE, 0, 0);
    c = corners();
    EXPECT_EQ(c.topLeft, kStripColour);
}

TEST_F(ExplorerBarTest, ADisabledGroupDrawsItsTextsAsUsual) {
    Canvas enabled(145, 77);
    PrintClient(clipboard.Handle(), enabled);
    clipboard.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(clipboard.Handle()));
    Canvas disabled(145, 77);
    PrintClient(clipboard.Handle(), disabled);
    for (int y = 0; y < 77; ++y)
        for (int x = 0; x < 145; ++x)
            ASSERT_EQ(enabled.At(x, y), disabled.At(x, y)) << x << "," << y;
}

// A transparent label on a group shows the group's gradient behind its text.
TEST_F(ExplorerBarTest, AnswersPrintClientForTransparentChildren) {
    TMarkupLabel label;
    label.SetAutoSize(false);
    label.SetCaption(u"");
    ASSERT_TRUE(label.Create(clipboard.Handle(), 12, 40, 117, 13));
    Canvas group(145, 77);
    PrintClient(clipboard.Handle(), group);
    Canvas canvas(117, 13);
    PrintClient(label.Handle(), canvas);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 117; x += 29)
            EXPECT_EQ(canvas.At(x, y), group.At(12 + x, 40 + y)) << x << "," << y;
}

// ---- keyboard ----------------------------------------------------------------

class ExplorerBarFocusTest : public ExplorerBarTest {
protected:
    void SetUp() override {
        ExplorerBarTest::SetUp();
        inside = CreateWindowExW(0, L"BUTTON", L"inside", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                                 12, 40, 100, 16, clipboard.Handle(), nullptr, nullptr, nullptr);
        outside = CreateWindowExW(0, L"BUTTON", L"outside", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                  200, 20, 80, 24, host.get(), nullptr, nullptr, nullptr);
        ShowWindow(host.get(), SW_SHOW);
        SetForegroundWindow(host.get());
        Pump();
    }
    HWND inside = nullptr;
    HWND outside = nullptr;
};

TEST_F(ExplorerBarFocusTest, AStripWithoutMinimiseButtonPassesTheFocusOn) {
    TPanelCaptionSettings caption = options.CaptionSettings();
    caption.showMinButton = false;
    options.SetCaptionSettings(caption);
    SetFocus(options.CaptionHandle());
    Pump();
    EXPECT_NE(GetFocus(), options.CaptionHandle());
    EXPECT_NE(GetFocus(), nullptr);

    // With the button the strip keeps the focus and Space collapses.
    SetFocus(clipboard.CaptionHandle());
    Pump();
    EXPECT_EQ(GetFocus(), clipboard.CaptionHandle());
    SendMessageW(clipboard.CaptionHandle(), WM_CHAR, L' ', 0);
    EXPECT_TRUE(clipboard.Minimized());
}

TEST_F(ExplorerBarFocusTest, FocusLeavingACollapsedGroupSkipsItsHiddenContents) {
    clipboard.SetMinimized(true);
    SetFocus(clipboard.CaptionHandle());
    Pump();
    ASSERT_EQ(GetFocus(), clipboard.CaptionHandle());
    // What Tab would do next: into the group's first control.
    SetFocus(inside);
    Pump();
    const HWND focus = GetFocus();
    EXPECT_NE(focus, inside);
    EXPECT_FALSE(IsChild(clipboard.Handle(), focus));
    EXPECT_NE(focus, nullptr);

    // Expanded, the same control keeps it.
    clipboard.SetMinimized(false);
    SetFocus(inside);
    Pump();
    EXPECT_EQ(GetFocus(), inside);
}

TEST(ExplorerBarTheme, ThemedOnlyWhenVisualStylesAreInUse) {
    HostWindow host;
    TExplorerBar bar;
    ASSERT_TRUE(bar.Create(host.get(), 0, 0, 153, 186));
    TExplorerBarGroup group;
    ASSERT_TRUE(group.Create(bar, 4, 4, 145, 77));
    const bool styles = ThemeApi::Get().StylesActive();
    EXPECT_EQ(bar.Themed(), styles);
    EXPECT_EQ(group.Themed(), styles);
    group.SetUseXPThemes(false);
    EXPECT_FALSE(group.Themed());
    if (!styles) GTEST_SKIP() << "no visual style is active: the classic look is tested";
    // With a theme the strip is at least the theme's button plus a pixel
    // above and below it.
    group.SetUseXPThemes(true);
    EXPECT_GE(group.CaptionHeight(), 17);
}

}  // namespace
}  // namespace swl
