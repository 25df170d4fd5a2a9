// The two-value gauge as the main window's count bar uses it: 149 x 19 on
// a button-face strip, scale 24, a smooth lime gradient, transparent, the
// count text centred over the whole bar. Pixels read back from WM_PRINTCLIENT.
#include "widgets/bi_progress_bar.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "canvas.h"
#include "widgets/gdi_text_measurer.h"
#include "widgets/theme_api.h"

namespace swl {
namespace {
constexpr int kWidth = 149;
constexpr int kHeight = 19;
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

using test::Canvas;

// The status bar stand-in: paints the button face, also for WM_PRINTCLIENT.
LRESULT CALLBACK StripProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return 0;
        }
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

class BiProgressBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = StripProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SwlGaugeTestStrip";
        RegisterClassW(&wc);
        host_ = CreateWindowExW(0, wc.lpszClassName, L"gauge test",
                                WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, 60, 60, 300, 80,
                                nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(host_);
        const LOGFONTW lf = DefaultInterfaceFont();
        font_ = CreateFontIndirectW(&lf);

        bar.SetScale(24);
        bar.SetLightColor(kLime);
        bar.SetDarkColor(kRed);
        bar.SetLightGradient(true);
        bar.SetDarkGradient(true);
        bar.SetSmooth(true);
        bar.SetTransparent(true);
        bar.SetLightTextFullLine(true);
        bar.SetLightText(u"0/24");
        bar.SetFont(font_);
        ASSERT_TRUE(bar.Create(host_, 2, 4, kWidth, kHeight));
    }
    void TearDown() override {
        DestroyWindow(host_);
        DeleteObject(font_);
    }

    bool Classic() const { return !ThemeApi::Get().StylesActive(); }

    void Render(Canvas& canvas) {
        SendMessageW(bar.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    }

    // Columns filled from the left on the middle row (the text left out).
    int FilledWidth(const Canvas& canvas) {
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        int x = 0;
        while (x < kWidth && canvas.At(x, kHeight / 2) != face) ++x;
        return x;
    }

    HWND host_ = nullptr;
    HFONT font_ = nullptr;
    TBiProgressBar bar;
};

TEST_F(BiProgressBarTest, FillWidthIsRoundedFromTheValue) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    bar.SetLightText(u"");
    struct Case {
        int items, width;
    };
    const Case cases[] = {{0, 0},  {1, 6},   {2, 12},  {3, 19},  {8, 50},
                          {12, 75}, {17, 106}, {23, 143}, {24, 149}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items);
        bar.SetLightValue(c.items);
        Canvas canvas(kWidth, kHeight);
        Render(canvas);
        EXPECT_EQ(FilledWidth(canvas), c.width);
        // Full height: the top and bottom rows end where the middle row does.
        if (c.width > 0) {
            EXPECT_NE(canvas.At(c.width - 1, 0), GetSysColor(COLOR_BTNFACE));
            EXPECT_NE(canvas.At(c.width - 1, kHeight - 1), GetSysColor(COLOR_BTNFACE));
        }
    }
}

// The 64 bands, checked against the platform's own MulDiv: a full bar runs
// from the window colour at its left to lime at its right.
TEST_F(BiProgressBarTest, FullBarIsASixtyFourBandGradientFromWindowColourToLime) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    bar.SetLightText(u"");
    bar.SetLightValue(24);
    Canvas canvas(kWidth, kHeight);
    Render(canvas);
    EXPECT_EQ(canvas.At(0, 9), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(canvas.At(kWidth - 1, 9), kLime);
    const COLORREF start = GetSysColor(COLOR_WINDOW);
    for (int i = 0; i < 64; ++i) {
        const int left = MulDiv(i, kWidth, 64);
        const int right = MulDiv(i + 1, kWidth, 64);
        ASSERT_GT(right, left);
        auto part = [&](int from, int to) { return from + MulDiv(i, to - from, 63); };
        const COLORREF expected = RGB(part(GetRValue(start), 0), part(GetGValue(start), 255),
                                      part(GetBValue(start), 0));
        EXPECT_EQ(canvas.At(left, 9), expected) << "band " << i;
        EXPECT_EQ(canvas.At(right - 1, 9), expected) << "band " << i;
    }
}

TEST_F(BiProgressBarTest, ShortFillShadesFromWhiteishToLimeish) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    bar.SetLightText(u"");
    bar.SetLightValue(1);  // 6 pixels; most of the 64 bands have no width
    Canvas canvas(kWidth, kHeight);
    Render(canvas);
    ASSERT_EQ(FilledWidth(canvas), 6);
    int previousRed = 256;
    for (int x = 0; x < 6; ++x) {
        const COLORREF c = canvas.At(x, 9);
        EXPECT_EQ(GetGValue(c), 255);
        EXPECT_EQ(GetRValue(c), GetBValue(c));
        EXPECT_LT(GetRValue(c), previousRed) << "column " << x;
        previousRed = GetRValue(c);
    }
    EXPECT_GE(GetRValue(canvas.At(0, 9)), 200);
    EXPECT_LE(GetRValue(canvas.At(5, 9)), 40);
}

TEST_F(BiProgressBarTest, CountTextIsCentredOverTheWholeBar) {
    for (int items : {0, 5, 24}) {
        SCOPED_TRACE(items);
        const std::string digits = std::to_string(items) + "/24";
        const std::u16string text(digits.begin(), digits.end());
        bar.SetLightValue(items);
        bar.SetLightText(text);
        Canvas canvas(kWidth, kHeight);
        Render(canvas);
        // The ink of the black text.
        int left = kWidth, right = -1, top = kHeight, bottom = -1;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const COLORREF c = canvas.At(x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        ASSERT_GE(right, left) << "no text drawn";
        // Centred within two pixels over the area from x = 1 to W - 1.
        EXPECT_NEAR((left + right + 1) / 2.0, kWidth / 2.0, 2.0);
        EXPECT_NEAR((top + bottom + 1) / 2.0, kHeight / 2.0, 3.0);
    }
}

TEST_F(BiProgressBarTest, EmptyBarShowsTheParentOrItsOwnColour) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    Canvas see(kWidth, kHeight);
    Render(see);
    EXPECT_TRUE(GetWindowLongPtrW(bar.Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_EQ(see.At(1, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(see.At(kWidth - 1, kHeight - 1), GetSysColor(COLOR_BTNFACE));

    bar.SetTransparent(false);
    bar.SetColor(RGB(10, 20, 30));
    Canvas own(kWidth, kHeight);
    Render(own);
    EXPECT_FALSE(GetWindowLongPtrW(bar.Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_EQ(own.At(1, 1), RGB(10, 20, 30));
}

TEST_F(BiProgressBarTest, DarkValueDrawsFirstAndZeroDrawsNothing) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    bar.SetLightText(u"");
    bar.SetLightValue(12);
    auto reddish = [](COLORREF c) { return GetRValue(c) > 100 && GetGValue(c) < 100; };

    Canvas none(kWidth, kHeight);
    Render(none);
    for (int x = 0; x < kWidth; ++x) EXPECT_FALSE(reddish(none.At(x, 9))) << x;

    bar.SetDarkValue(24);
    Canvas both(kWidth, kHeight);
    Render(both);
    // The light fill lies over the dark one's left part.
    EXPECT_EQ(both.At(74, 9), kLime);
    EXPECT_EQ(both.At(kWidth - 1, 9), kRed);
    EXPECT_TRUE(reddish(both.At(120, 9)));
}

TEST_F(BiProgressBarTest, WithoutSmoothTheFillIsBlocksWithGaps) {
    if (!Classic()) GTEST_SKIP() << "visual styles are active";
    bar.SetLightText(u"");
    bar.SetSmooth(false);
    bar.SetLightValue(24);
    Canvas canvas(kWidth, kHeight);
    Render(canvas);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int x = 0; x < 30; ++x) {
        const bool gap = x % 10 >= 8;
        EXPECT_EQ(canvas.At(x, 9) == face, gap) << "column " << x;
    }
}

// Changing a property repaints the bar; setting the value it has does not.
TEST_F(BiProgressBarTest, RedrawsOnChangeOnly) {
    ShowWindow(host_, SW_SHOWNOACTIVATE);
    UpdateWindow(host_);
    struct Case {
        const char* name;
        std::function<void(TBiProgressBar&)> set;
    };
    const Case cases[] = {
        {"light value", [](TBiProgressBar& b) { b.SetLightValue(5); }},
        {"light text", [](TBiProgressBar& b) { b.SetLightText(u"5/24"); }},
        {"light colour", [](TBiProgressBar& b) { b.SetLightColor(RGB(0, 0, 255)); }},
        {"smooth", [](TBiProgressBar& b) { b.SetSmooth(false); }},
        {"scale", [](TBiProgressBar& b) { b.SetScale(100); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ValidateRect(bar.Handle(), nullptr);
        c.set(bar);
        EXPECT_TRUE(GetUpdateRect(bar.Handle(), nullptr, FALSE)) << "changed: no repaint";
        ValidateRect(bar.Handle(), nullptr);
        c.set(bar);
        EXPECT_FALSE(GetUpdateRect(bar.Handle(), nullptr, FALSE)) << "same value: repainted";
    }
}

TEST(BiProgressBarTheme, ThemedPartsWhenVisualStylesAreInUse) {
    if (!ThemeApi::Get().StylesActive())
        GTEST_SKIP() << "no visual style is active: the classic look is tested";
    // With a theme the colours play no part: a full bar is not plain lime.
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 200, 60, nullptr, nullptr,
                                nullptr, nullptr);
    TBiProgressBar bar;
    bar.SetLightColor(kLime);
    ASSERT_TRUE(bar.Create(host, 0, 0, kWidth, kHeight));
    bar.SetLightValue(100);
    Canvas canvas(kWidth, kHeight);
    SendMessageW(bar.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_NE(canvas.At(kWidth / 2, kHeight / 2), kLime);
    DestroyWindow(host);
}

}  // namespace
}  // namespace swl
