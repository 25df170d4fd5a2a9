// TMarkupLabel drawn for real with GDI and Tahoma, read back pixel by pixel.
#include "widgets/markup_label.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "canvas.h"
#include "error_report.h"
#include "test_support.h"

namespace swl {
namespace {

// The label as it paints itself, on a fresh canvas.
std::unique_ptr<test::Canvas> CaptureLabel(const TMarkupLabel& label) {
    RECT rc{};
    GetClientRect(label.Handle(), &rc);
    auto canvas = std::make_unique<test::Canvas>(rc.right, rc.bottom);
    SendMessageW(label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT);
    return canvas;
}

bool IsInk(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 160; }

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
};

// The bounding box of the ink inside `area` (empty when there is none).
Box InkBox(const test::Canvas& image, Box area) {
    Box ink{area.right, area.bottom, area.left, area.top};
    for (int y = std::max(0, area.top); y < std::min(image.Height(), area.bottom); ++y)
        for (int x = std::max(0, area.left); x < std::min(image.Width(), area.right); ++x)
            if (IsInk(image.At(x, y))) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    return ink;
}

int InkCount(const test::Canvas& image, Box area) {
    int n = 0;
    for (int y = std::max(0, area.top); y < std::min(image.Height(), area.bottom); ++y)
        for (int x = std::max(0, area.left); x < std::min(image.Width(), area.right); ++x)
            if (IsInk(image.At(x, y))) ++n;
    return n;
}

// The box a run is drawn in, in client coordinates.
Box RunBox(const TMarkupLabel& label, std::size_t run) {
    const MarkupRect block = label.TextBlock();
    const MarkupRun& r = label.Render().Runs().at(run);
    return {block.left + r.x, block.top, block.left + r.x + r.width, block.bottom};
}

constexpr COLORREF kParentColor = RGB(255, 255, 255);

// A hidden parent that paints one flat colour, also when a child asks for
// its background with WM_PRINTCLIENT.
class MarkupLabelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::EnsureTahoma();
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MarkupLabelTestParent";
        RegisterClassW(&wc);
    }

    void SetUp() override {
        color_ = kParentColor;
        parent_ = CreateWindowExW(0, L"MarkupLabelTestParent", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override { DestroyWindow(parent_); }

    static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_PRINTCLIENT || msg == WM_ERASEBKGND) {
            RECT rc{};
            GetClientRect(hwnd, &rc);
            HBRUSH brush = CreateSolidBrush(color_);
            FillRect(reinterpret_cast<HDC>(wParam), &rc, brush);
            DeleteObject(brush);
            return 1;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    static inline COLORREF color_ = kParentColor;
    HWND parent_ = nullptr;
};

TEST_F(MarkupLabelTest, BoldRunCarriesMoreInkThanTheSameTextInNormal) {
    TMarkupLabel label;
    label.SetIsHTML(true);
    label.SetCaption(u"well<b>well</b>");
    ASSERT_TRUE(label.Create(parent_, 0, 0, 10, 10));
    ASSERT_EQ(label.Render().Runs().size(), 2u);
    const auto image = CaptureLabel(label);
    const int normal = InkCount(*image, RunBox(label, 0));
    const int bold = InkCount(*image, RunBox(label, 1));
    EXPECT_GT(normal, 0);
    EXPECT_GT(bold, normal * 5 / 4) << "normal " << normal << ", bold " << bold;
}

TEST_F(MarkupLabelTest, SuperscriptIsSmallerAndRaised) {
    TMarkupLabel label;
    LOGFONTW big = DefaultInterfaceFont();
    big.lfHeight = -24;
    label.SetFont(big);
    label.SetIsHTML(true);
    label.SetCaption(u"2<sup>2</sup>");
    ASSERT_TRUE(label.Create(parent_, 0, 0, 10, 10));
    ASSERT_EQ(label.Render().Runs().size(), 2u);
    const auto image = CaptureLabel(label);
    const Box normal = InkBox(*image, RunBox(label, 0));
    const Box sup = InkBox(*image, RunBox(label, 1));
    ASSERT_LT(normal.top, normal.bottom);
    ASSERT_LT(sup.top, sup.bottom);
    EXPECT_LT(sup.top, normal.top);
    EXPECT_LT(sup.bottom, normal.bottom - 4);
    EXPECT_LE(sup.bottom - sup.top, normal.bottom - normal.top);
}

TEST_F(MarkupLabelTest, LinkIsBlueAndUnderlined) {
    TMarkupLabel label;
    label.SetIsHTML(true);
    label.SetCaption(u"Written by <a href='http://www.example.org'>Department of Computer Science</a>");
    ASSERT_TRUE(label.Create(parent_, 0, 0, 10, 10));
    ASSERT_EQ(label.Render().Runs().size(), 2u);
    const auto image = CaptureLabel(label);
    const Box link = RunBox(label, 1);
    const int baseline = label.TextBlock().top + label.Render().Runs()[1].baseline;
    // The underline: a row at or below the baseline that is blue across the run.
    int longest = 0;
    int row = -1;
    for (int y = baseline; y < link.bottom; ++y) {
        int n = 0;
        for (int x = link.left; x < link.right; ++x) n += image->At(x, y) == RGB(0, 0, 255);
        if (n > longest) longest = n, row = y;
    }
    EXPECT_GE(longest, link.right - link.left - 3) << "row " << row;
    // The letters themselves fill the width they were measured at, so the
    // underline does not run on past them (and clicks land where text shows).
    const Box letters = InkBox(*image, {link.left, link.top, link.right, baseline});
    EXPECT_GE(letters.right, link.right - 3);
    // The plain run before it has no blue at all.
    const Box plain = RunBox(label, 0);
    for (int y = plain.top; y < plain.bottom; ++y)
        for (int x = plain.left; x < plain.right; ++x)
            ASSERT_FALSE(GetBValue(image->At(x, y)) > GetRValue(image->At(x, y)) + 40) << x << "," << y;
}

// The notification text: the block is centred as a whole, its wrapped lines
// stay left-aligned to each other.
TEST_F(MarkupLabelTest, CentredBlockKeepsItsLinesLeftAligned) {
    TMarkupLabel label;
    label.SetIsHTML(true);
    label.SetWordWrap(true);
    label.SetAutoSize(false);
    label.SetAlignment(MarkupAlignment::Center);
    label.SetLayout(MarkupLayout::Center);
    label.SetCaption(u"<b>12/24</b> Clipboard items have been collected here");
    ASSERT_TRUE(label.Create(parent_, 0, 0, 179, 39));
    const auto& lines = label.Render().Lines();
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_GT(lines[0].width - lines[1].width, 6) << "the lines must differ for the check to mean anything";

    const auto image = CaptureLabel(label);
    const int textWidth = label.Render().TextWidth();
    const int textHeight = label.Render().TextHeight();
    const int left = (179 - textWidth) / 2;
    const int top = std::max(0, 39 / 2 - textHeight / 2);
    const Box first = InkBox(*image, {0, top, 179, top + lines[0].height});
    const Box second = InkBox(*image, {0, top + lines[0].height, 179, 39});
    ASSERT_LT(first.left, first.right);
    ASSERT_LT(second.left, second.right);
    EXPECT_NEAR(first.left, left, 1);
    EXPECT_NEAR(second.left, left, 1);
    EXPECT_LE(first.right, left + textWidth);
    EXPECT_GE(first.top, top);
    EXPECT_LE(second.bottom, top + textHeight);
}

TEST_F(MarkupLabelTest, WrappedMarkupFollowsTheLabelWidth) {
    TMarkupLabel label;
    label.SetIsHTML(true);
    label.SetWordWrap(true);
    label.SetAutoSize(false);
    label.SetCaption(u"one two three four five six seven eight nine ten");
    ASSERT_TRUE(label.Create(parent_, 0, 0, 300, 60));
    EXPECT_EQ(label.Render().Lines().size(), 1u);
    label.SetBounds(0, 0, 80, 60);
    EXPECT_GT(label.Render().Lines().size(), 2u);
    // A wrapped line keeps its last space, which may reach past the width.
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW lf = DefaultInterfaceFont();
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE space{};
    GetTextExtentPoint32W(dc, L" ", 1, &space);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    EXPECT_LE(label.Render().TextWidth(), 80 + space.cx);
}

// A measurer that fails on demand, as GDI does when it runs out of objects.
struct FailingMeasurer : TextMeasurer {
    bool fail = false;
    int TextWidth(std::u16string_view text, const MarkupFont&) override {
        if (fail) throw std::runtime_error("no device context");
        return 6 * static_cast<int>(text.size());
    }
    FontMetrics Metrics(const MarkupFont&) override { return {13, 3}; }
};

// Markup that cannot be prepared is reported as not valid markup and the
// label draws nothing until a later preparation succeeds: raised to the code
// that set the caption, reported when a resize prepared it.
TEST_F(MarkupLabelTest, MarkupThatCannotBePreparedIsReportedAndDrawsNothing) {
    std::vector<std::string> reports;
    const ErrorReportSink previous = SetErrorReportSink([&](const std::string& text) { reports.push_back(text); });
    struct Case {
        const char* how;
        std::function<void(TMarkupLabel&)> prepare;
        bool raised;
    };
    const std::vector<Case> cases = {
        {"caption set", [](TMarkupLabel& l) { l.SetCaption(u"<b>other</b> words"); }, true},
        {"wrapped label resized", [](TMarkupLabel& l) { l.SetBounds(0, 0, 90, 40); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        reports.clear();
        FailingMeasurer measurer;
        TMarkupLabel label;
        label.SetIsHTML(true);
        label.SetWordWrap(true);
        label.SetAutoSize(false);
        label.SetCaption(u"some <b>bold</b> words");
        ASSERT_TRUE(label.Create(parent_, 0, 0, 120, 40));
        label.SetMeasurer(&measurer);
        ASSERT_TRUE(label.IsMarkupValid());
        ASSERT_GT(InkCount(*CaptureLabel(label), {0, 0, 120, 40}), 0);

        measurer.fail = true;
        std::string raised;
        try {
            c.prepare(label);
        } catch (const std::exception& e) {
            raised = e.what();
        }
        const std::string expected = "The text is not valid markup";
        if (c.raised) {
            EXPECT_EQ(raised, expected);
            EXPECT_TRUE(reports.empty());
        } else {
            EXPECT_EQ(raised, "");
            EXPECT_EQ(reports, std::vector<std::string>{expected + "."});
        }
        EXPECT_FALSE(label.IsMarkupValid());
        EXPECT_EQ(InkCount(*CaptureLabel(label), {0, 0, 120, 40}), 0) << "nothing half-prepared is drawn";

        measurer.fail = false;
        label.SetCaption(u"fine again");
        EXPECT_TRUE(label.IsMarkupValid());
        EXPECT_GT(InkCount(*CaptureLabel(label), {0, 0, 120, 40}), 0);
        label.SetMeasurer(nullptr);
    }
    SetErrorReportSink(previous);
}

// The label shows what lies beneath it, or the button face when opaque.
TEST_F(MarkupLabelTest, BackgroundComesFromTheParentWhenTransparent) {
    struct Case {
        bool html;
        bool transparent;
        COLORREF expected;
    };
    color_ = RGB(10, 120, 200);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (const Case& c : {Case{true, true, RGB(10, 120, 200)}, Case{false, true, RGB(10, 120, 200)},
                          Case{false, false, face}}) {
        TMarkupLabel label;
        label.SetIsHTML(c.html);
        label.SetTransparent(c.transparent);
        label.SetAutoSize(false);
        label.SetCaption(u"Text");
        ASSERT_TRUE(label.Create(parent_, 30, 20, 60, 20));
        const auto image = CaptureLabel(label);
        EXPECT_EQ(image->At(0, 0), c.expected) << c.html << c.transparent;
        EXPECT_EQ(image->At(59, 19), c.expected) << c.html << c.transparent;
    }
}

// Plain captions against DrawTextW without prefix processing of the text as
// it should look: "&&" is one "&", "&S" adds only an underline under the S.
TEST_F(MarkupLabelTest, PlainCaptionsShowTheAcceleratorUnderline) {
    struct Case {
        const char16_t* caption;
        const wchar_t* shown;
        bool underline;
    };
    for (const Case& c : {Case{u"&Settings", L"Settings", true}, Case{u"Save && Exit", L"Save & Exit", false}}) {
        TMarkupLabel label;
        label.SetAutoSize(false);
        label.SetCaption(c.caption);
        ASSERT_TRUE(label.Create(parent_, 0, 0, 120, 16));
        const auto drawn = CaptureLabel(label);
        test::Canvas expected(120, 16, kParentColor);
        {
            RECT rc{0, 0, 120, 16};
            LOGFONTW lf = DefaultInterfaceFont();
            HFONT font = CreateFontIndirectW(&lf);
            HGDIOBJ old = SelectObject(expected.Dc(), font);
            SetBkMode(expected.Dc(), TRANSPARENT);
            SetTextColor(expected.Dc(), GetSysColor(COLOR_WINDOWTEXT));
            DrawTextW(expected.Dc(), c.shown, -1, &rc, DT_EXPANDTABS | DT_LEFT | DT_NOPREFIX);
            SelectObject(expected.Dc(), old);
            DeleteObject(font);
        }
        Box diff{120, 16, 0, 0};
        int changed = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 120; ++x)
                if (drawn->At(x, y) != expected.At(x, y)) {
                    ++changed;
                    diff = {std::min(diff.left, x), std::min(diff.top, y), std::max(diff.right, x + 1),
                            std::max(diff.bottom, y + 1)};
                }
        if (!c.underline) {
            EXPECT_EQ(changed, 0);
            continue;
        }
        EXPECT_GE(changed, 3);
        EXPECT_LE(diff.bottom - diff.top, 1) << "the underline is one row";
        HDC dc = CreateCompatibleDC(nullptr);
        LOGFONTW lf = DefaultInterfaceFont();
        HFONT font = CreateFontIndirectW(&lf);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE s{};
        GetTextExtentPoint32W(dc, L"S", 1, &s);
        SelectObject(dc, old);
        DeleteObject(font);
        DeleteDC(dc);
        EXPECT_LE(diff.right, s.cx + 1) << "only the S is underlined";
    }
}

TEST_F(MarkupLabelTest, DisabledPlainLabelIsDrawnInHighlightAndShadow) {
    color_ = GetSysColor(COLOR_BTNFACE);
    TMarkupLabel label;
    label.SetCaption(u"Settings");
    label.SetEnabled(false);
    ASSERT_TRUE(label.Create(parent_, 0, 0, 10, 10));
    const auto image = CaptureLabel(label);
    const RECT all{0, 0, image->Width(), image->Height()};
    EXPECT_GT(image->Count(all, GetSysColor(COLOR_BTNHIGHLIGHT)), 5);
    EXPECT_GT(image->Count(all, GetSysColor(COLOR_BTNSHADOW)), 5);
    EXPECT_EQ(image->Count(all, GetSysColor(COLOR_WINDOWTEXT)), 0);
}

TEST_F(MarkupLabelTest, AutoSizeTakesTheTextsSize) {
    // The About title: markup at 24 pixels with a superscript version.
    TMarkupLabel title;
    LOGFONTW big = DefaultInterfaceFont();
    big.lfHeight = -24;
    title.SetFont(big);
    title.SetIsHTML(true);
    title.SetCaption(u"Stash<b>well</b><sup><font size=14>1.1</font><sup>");
    ASSERT_TRUE(title.Create(parent_, 70, 32, 164, 29));
    RECT rc{};
    GetWindowRect(title.Handle(), &rc);
    EXPECT_EQ(rc.right - rc.left, title.Render().TextWidth());
    EXPECT_EQ(rc.bottom - rc.top, title.Render().TextHeight());

    // A right-aligned plain label keeps its right edge.
    TMarkupLabel right;
    right.SetAlignment(MarkupAlignment::Right);
    right.SetCaption(u"&Settings");
    ASSERT_TRUE(right.Create(parent_, 100, 50, 200, 30));
    GetWindowRect(right.Handle(), &rc);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&rc), 2);
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW lf = DefaultInterfaceFont();
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE s{};
    GetTextExtentPoint32W(dc, L"Settings", 8, &s);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    EXPECT_EQ(rc.right, 300);
    EXPECT_EQ(rc.right - rc.left, s.cx);
    EXPECT_EQ(rc.bottom - rc.top, tm.tmHeight);
}

TEST_F(MarkupLabelTest, ClicksReportTheLinkOrThePlainClick) {
    TMarkupLabel label;
    label.SetIsHTML(true);
    label.SetCaption(u"Written by <a href='mailto:someone@example.com'>Somebody</a><br>Second line");
    ASSERT_TRUE(label.Create(parent_, 0, 0, 10, 10));
    std::u16string href;
    int clicks = 0;
    int links = 0;
    label.OnLinkClick = [&](const std::u16string& h) {
        href = h;
        ++links;
    };
    label.OnClick = [&] { ++clicks; };
    const Box link = RunBox(label, 1);
    const MarkupLine& first = label.Render().Lines()[0];
    const auto click = [&](int x, int y) {
        SendMessageW(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    click((link.left + link.right) / 2, first.height / 2);
    EXPECT_EQ(links, 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(href, u"mailto:someone@example.com");
    click(3, first.height / 2);                     // on "Written"
    click((link.left + link.right) / 2, first.height + 3);  // below the link, on the second line
    EXPECT_EQ(links, 1);
    EXPECT_EQ(clicks, 2);
}

TEST_F(MarkupLabelTest, HandCursorOnlyOverTheLink) {
    ShowWindow(parent_, SW_SHOWNA);
    TMarkupLabel label;
    label.SetIsHTML(true);
    label.SetCaption(u"Visit <a href='http://www.example.org'>the site</a>");
    ASSERT_TRUE(label.Create(parent_, 10, 10, 10, 10));
    const Box link = RunBox(label, 1);
    const auto cursorAt = [&](int x, int y) {
        POINT pt{x, y};
        ClientToScreen(label.Handle(), &pt);
        test::MovePointer(pt.x, pt.y);
        SendMessageW(label.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label.Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(cursorAt((link.left + link.right) / 2, 5), LinkCursor());
    EXPECT_EQ(cursorAt(2, 5), label.Cursor());
    EXPECT_NE(LinkCursor(), label.Cursor());
}

}  // namespace
}  // namespace swl
