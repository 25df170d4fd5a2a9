#include "markup/char_reference.h"
#include "markup/markup_links.h"
#include "markup/markup_render.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace swl {
namespace {

constexpr std::uint32_t kBaseColor = 0x00112233;
constexpr std::uint32_t kLinkColor = 0x00FF0000;

// Every character is |height| / 2 pixels wide, one more in bold; tmHeight is
// |height| and tmDescent a fifth of it. Counts what it is asked.
class FakeMeasurer : public TextMeasurer {
public:
    static int CharWidth(const MarkupFont& f) { return std::abs(f.height) / 2 + ((f.style & kFontBold) ? 1 : 0); }

    int TextWidth(std::u16string_view text, const MarkupFont& font) override {
        ++widthCalls;
        measuredUnits += text.size();
        return static_cast<int>(text.size()) * CharWidth(font);
    }
    FontMetrics Metrics(const MarkupFont& font) override {
        const int h = std::abs(font.height);
        return {h, h / 5};
    }

    std::size_t widthCalls = 0;
    std::size_t measuredUnits = 0;
};

MarkupFont Tahoma(int height) {
    MarkupFont f;
    f.name = u"Tahoma";
    f.height = height;
    f.color = kBaseColor;
    return f;
}

std::string Narrow(std::u16string_view s) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char16_t c : s) {
        if (c == u'\n') {
            out += "\\n";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\x{";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
            out += "}";
        }
    }
    return out;
}

// One line per break ("P", "S", "H"), each run in brackets with its flags:
// b i u s for styles, ^ superscript, hN a height other than the base's,
// @target for links.
std::string Describe(const MarkupRender& render) {
    std::string out;
    for (const MarkupLine& line : render.Lines()) {
        if (!out.empty()) out += ' ';
        out += line.kind == MarkupBreak::ParagraphStart ? "P" : line.kind == MarkupBreak::Soft ? "S" : "H";
        for (std::size_t r = line.firstRun; r < line.firstRun + line.runCount; ++r) {
            const MarkupRun& run = render.Runs()[r];
            std::string flags;
            auto flag = [&flags](const std::string& f) { flags += (flags.empty() ? "" : ",") + f; };
            if (run.font.style & kFontBold) flag("b");
            if (run.font.style & kFontItalic) flag("i");
            if (run.font.style & kFontUnderline) flag("u");
            if (run.font.style & kFontStrikeOut) flag("s");
            if (run.superscript) flag("^");
            if (run.font.height != render.BaseFont().height) flag("h" + std::to_string(run.font.height));
            if (run.link) flag("@" + Narrow(run.href));
            out += "[" + flags + (flags.empty() ? "" : ":") + Narrow(run.text) + "]";
        }
    }
    return out;
}

class MarkupTest : public ::testing::Test {
protected:
    void SetUp() override {
        render.SetBaseFont(Tahoma(-12));
        render.SetLinkColor(kLinkColor);
        render.SetLinkStyle(kFontUnderline);
    }

    std::string Parse(std::u16string_view markup, int width = 0, bool wrap = false) {
        EXPECT_EQ(render.Prepare(markup, measurer, width, wrap), MarkupStatus::Ok) << Narrow(markup);
        return Describe(render);
    }

    FakeMeasurer measurer;
    MarkupRender render;
};

struct ParseCase {
    std::u16string markup;
    std::string expected;
};

TEST_F(MarkupTest, ParsesRunsAndBreaks) {
    const ParseCase cases[] = {
        {u"", "P"},
        {u"<br>", "P H"},
        {u"Stash<b>well</b><sup><font size=14>1.1</font><sup>", "P[Stash][b:well][^,h12:1.1]"},
        {u"<B>x</B><SUP>y</Sup>", "P[b:x][^,h-10:y]"},
        {u"<i>a<u>b</i>c</u><strikeout>d</strikeout>", "P[i:a][i,u:b][u:c][s:d]"},
        // Breaks: line ends in the text never break, only <br> does.
        {u"a<br><br>b", "P[a] H H[b]"},
        {u"a<br>\r\n<br>\r\nb", "P[a] H H[b]"},
        {u"a<br> b", "P[a] H[ b]"},
        {u"line\nend\rx", "P[line\\nendx]"},
        // Spaces collapse inside a run; a new run may start with one.
        {u"a   b  <b> c</b>", "P[a b ][b: c]"},
        // Comments.
        {u"x<!-- <b>y</b> -->z", "P[xz]"},
        {u"x<!-- y", "P[x]"},
        // Character references.
        {u"&lt;b&gt; &amp; &QUOT;q&quot;&nbsp;&#65;&#x41;&bogus;!", "P[<b> & \"q\"\\x{00A0}A!]"},
        {u"a & b", "P[a & b]"},
        {u"a &b c; d", "P[a d]"},  // "&" reaches to the next ";"
        {u"x&", "P[x]"},
        {u"&#99999999;&#55296;&#0;&#;", "P[\\x{FFFD}\\x{FFFD}\\x{FFFD}]"},
        {u"&#128512;", "P[\\x{D83D}\\x{DE00}]"},
        {std::u16string(u"\xD800x\xDC00\xD83D\xDE00", 5), "P[\\x{FFFD}x\\x{FFFD}\\x{D83D}\\x{DE00}]"},
        // Unknown and cut-off tags leave no trace, not even a run boundary.
        {u"a<blink>b</blink>c<p>d<>e< b>f", "P[abcdef]"},
        {u"a<b", "P[a]"},
        {u"a<font size=3", "P[a]"},
        // Fonts.
        {u"</font></font>x<font size=20>y</font></font>z", "P[x][h20:y][z]"},
        {u"<font size=20>a<font size=big>b</font>c</font>d", "P[h20:a][b][h20:c][d]"},
        {u"<font size=+3>a<font size=-3>b", "P[a][b]"},
        {u"<font size=99999999999>a", "P[h4096:a]"},
        {u"<font  size=\"16\"   face='Courier New'>a", "P[h16:a]"},
        // Links.
        {u"Go <a href=\"http://x.example/a  b\">here</a> or <A HREF='mailto:y'>mail</a>.",
         "P[Go ][u,@http://x.example/a b:here][ or ][u,@mailto:y:mail][.]"},
        {u"<a title=t>x</a>", "P[][u,@:x]"},                  // a link without href
        {u"<a href=x></a>y", "P[][y]"},                       // the run before a link is kept even empty
        {u"<b>x</b><a href=1>y</a>z", "P[b:x][][u,@1:y][z]"},  // </a> restores the last plain run's style
        {u"<b>p</b><a>x</a>y", "P[b:p][x][y]"},               // <a> without attributes, stray </a>
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.markup), c.expected) << Narrow(c.markup);
}

TEST_F(MarkupTest, FontTagSetsFaceAndColourAndRestoresThem) {
    Parse(u"<font face='Courier New' color=#0A0B0C>a<font color=red>b</font></font>c");
    ASSERT_EQ(render.Runs().size(), 3u);
    EXPECT_EQ(render.Runs()[0].font.name, u"Courier New");
    EXPECT_EQ(render.Runs()[0].font.color, 0x000C0B0Au);
    EXPECT_EQ(render.Runs()[1].font.color, 0x000C0B0Au);  // colour names are not known
    EXPECT_EQ(render.Runs()[2].font, Tahoma(-12));
}

TEST_F(MarkupTest, LinkRunsTakeLinkColourAndStyle) {
    Parse(u"<b>x</b> <a href=t><b>y</b></a>z");
    const auto& runs = render.Runs();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[2].text, u"y");
    EXPECT_EQ(runs[2].font.color, kLinkColor);
    EXPECT_EQ(runs[2].font.style, kFontUnderline | kFontBold);
    EXPECT_EQ(runs[3].font.color, kBaseColor);
    EXPECT_EQ(runs[3].font.style, 0u);
}

struct WrapCase {
    std::u16string markup;
    int width;
    std::string expected;
};

TEST_F(MarkupTest, WrapsLines) {
    render.SetBaseFont(Tahoma(-10));  // 5 pixels a character, 6 in bold
    const WrapCase cases[] = {
        // A word longer than the line breaks between characters.
        {u"abcdefghij", 40, "P[abcdefg] S[hij]"},
        // A run without a space moves whole when other runs precede it.
        {u"ab<b>cdefg</b>", 32, "P[ab] S[b:cdefg]"},
        // The text after the last space moves; the space stays behind.
        {u"aaa bbb ccc", 50, "P[aaa bbb ] S[ccc]"},
        {u"aaa bbb ccc", 40, "P[aaa bbb ] S[ccc]"},
        // Nothing is left on an otherwise empty line by a character that cannot fit.
        {u"abc", 0, "P[a] S[b] S[c]"},
        {u"abcdefghij", 1000, "P[abcdefghij]"},
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.markup, c.width, true), c.expected) << Narrow(c.markup);
    EXPECT_EQ(Parse(u"abcdefghij", 10, false), "P[abcdefghij]");
}

TEST_F(MarkupTest, AboutTitleMetrics) {
    render.SetBaseFont(Tahoma(-24));
    Parse(u"Stash<b>well</b><sup><font size=14>1.1</font><sup>");
    const auto& runs = render.Runs();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].font, Tahoma(-24));
    EXPECT_EQ(runs[1].font.style, kFontBold);
    EXPECT_EQ(runs[2].font.height, 12);
    EXPECT_EQ(runs[0].width, 5 * 12 + 1);
    EXPECT_EQ(runs[1].width, 4 * 13 + 1);
    EXPECT_EQ(runs[2].width, 3 * 6 + 1);
    EXPECT_EQ(runs[1].x, 61);
    EXPECT_EQ(runs[2].x, 114);
    // Line height 24 (the superscript counts 12 + 8), descent 4.
    EXPECT_EQ(runs[0].baseline, 20);
    EXPECT_EQ(runs[1].baseline, 20);
    EXPECT_EQ(runs[2].baseline, 14);  // raised by half of 12
    EXPECT_EQ(render.TextWidth(), 133);
    EXPECT_EQ(render.TextHeight(), 24);
}

struct HeightCase {
    std::u16string markup;
    std::vector<int> lineHeights;
    std::vector<int> lineDescents;
};

TEST_F(MarkupTest, LineHeights) {
    const HeightCase cases[] = {
        {u"a<br><br>b", {12, 12, 12}, {2, 2, 2}},
        // An empty line takes the height of the font in effect at its break.
        {u"a<font size=20><br><br></font>b", {12, 20, 12}, {2, 4, 2}},
        {u"<br>x", {0, 12}, {0, 2}},
        {u"x<br>", {12, 12}, {2, 2}},
        // A superscript alone: 10 + 6 high, its descent 2 - 5 counts as 0.
        {u"<sup>x</sup>", {16}, {0}},
        {u"a<sup><font size=40>x</font></sup>", {63}, {2}},
    };
    for (const auto& c : cases) {
        Parse(c.markup);
        std::vector<int> heights, descents;
        int sum = 0;
        for (const auto& line : render.Lines()) {
            EXPECT_EQ(line.top, sum) << Narrow(c.markup);
            heights.push_back(line.height);
            descents.push_back(line.descent);
            sum += line.height;
        }
        EXPECT_EQ(heights, c.lineHeights) << Narrow(c.markup);
        EXPECT_EQ(descents, c.lineDescents) << Narrow(c.markup);
        EXPECT_EQ(render.TextHeight(), sum) << Narrow(c.markup);
    }
}

struct BlockCase {
    int clientWidth, clientHeight, border;
    MarkupAlignment alignment;
    MarkupLayout layout;
    int textWidth, textHeight;
    MarkupRect expected;
};

TEST(PlaceMarkupBlock, PlacesTheBlock) {
    using A = MarkupAlignment;
    using L = MarkupLayout;
    const BlockCase cases[] = {
        {179, 39, 0, A::Center, L::Center, 132, 24, {23, 7, 155, 31}},
        {100, 50, 2, A::Left, L::Top, 40, 10, {2, 2, 98, 48}},
        {100, 50, 2, A::Right, L::Bottom, 40, 10, {58, 37, 98, 48}},
        // Taller than the inner area: starts at its top, cut to its height.
        {100, 20, 0, A::Center, L::Center, 30, 50, {35, 0, 65, 20}},
        // Centred over the whole width, the border plays no part.
        {100, 40, 10, A::Center, L::Top, 20, 10, {40, 10, 60, 30}},
        {100, 40, 0, A::Center, L::Top, 131, 10, {-15, 0, 116, 40}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceMarkupBlock(c.clientWidth, c.clientHeight, c.border, c.alignment, c.layout, c.textWidth,
                                   c.textHeight),
                  c.expected)
            << c.clientWidth << "x" << c.clientHeight << " text " << c.textWidth << "x" << c.textHeight;
}

// The notification window's label: 179 x 39, word wrap, centred both ways.
TEST_F(MarkupTest, NotificationTextWrapsAndCentresAsABlock) {
    const std::u16string text = u"<b>5/24</b> Clipboard Items collected";
    EXPECT_EQ(Parse(text, 400, true), "P[b:5/24][ Clipboard Items collected]");
    EXPECT_EQ(Parse(text, 179, true), "P[b:5/24][ Clipboard Items ] S[collected]");
    EXPECT_EQ(render.TextWidth(), 29 + 103);
    EXPECT_EQ(render.TextHeight(), 24);

    const MarkupRect block = PlaceMarkupBlock(179, 39, 0, MarkupAlignment::Center, MarkupLayout::Center,
                                              render.TextWidth(), render.TextHeight());
    const auto list = render.DrawList(block);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].text, u"5/24");
    EXPECT_EQ(list[0].font->style, kFontBold);
    EXPECT_EQ(list[0].x, 23);
    EXPECT_EQ(list[1].x, 23 + 29);
    EXPECT_EQ(list[2].x, 23);  // the second line starts where the first does
    EXPECT_EQ(list[0].baseline, 7 + 12 - 2);
    EXPECT_EQ(list[1].baseline, 7 + 12 - 2);
    EXPECT_EQ(list[2].baseline, 7 + 24 - 2);
    EXPECT_EQ(render.PlainText(), u"5/24 Clipboard Items collected");
}

// Plain text put into a caption (an error's file name, a combination such
// as "Ctrl+&") shows as it is, whatever markup characters it holds.
TEST_F(MarkupTest, EscapedPlainTextShowsLiterally) {
    for (const std::string text : {"C:\\R&D\\SWL.ini", "Ctrl+&", "a <b>bold</b> &amp; more", "x > y < z"}) {
        SCOPED_TRACE(text);
        const std::string markup = EscapeMarkupText(text);
        ASSERT_EQ(render.Prepare(std::u16string(markup.begin(), markup.end()), measurer, 0, false), MarkupStatus::Ok);
        EXPECT_EQ(render.PlainText(), std::u16string(text.begin(), text.end()));
    }
}

TEST_F(MarkupTest, DrawListStopsBelowTheBlockAndFollowsTheOrigin) {
    render.SetBaseFont(Tahoma(-10));
    Parse(u"a<br>b<br>c");
    const MarkupRect block{5, 100, 55, 115};
    auto texts = [&](int originY) {
        std::u16string s;
        for (const auto& r : render.DrawList(block, 0, originY)) s += r.text;
        return s;
    };
    EXPECT_EQ(texts(0), u"ab");   // the line at 20 starts below the block
    EXPECT_EQ(texts(10), u"bc");  // the first line lies above it
    EXPECT_EQ(render.DrawList(block, 0, 10)[0].baseline, 100 + 10 - 2);
    EXPECT_EQ(render.DrawList(block, 3, 0)[0].x, 2);
}

struct HitCase {
    int x, y;
    std::ptrdiff_t run;
    std::u16string href;
};

TEST_F(MarkupTest, HitTestsRunsAndLinks) {
    render.SetBaseFont(Tahoma(-10));
    // "Go " spans x 0..16, the link 16..37, one line 10 high.
    Parse(u"Go <a href='t1'>here</a><br>x<sup>y</sup>");
    const MarkupRect block{10, 20, 110, 60};
    // Second line, in text coordinates: top 10, bottom 23; "x" (0..6) is hit
    // for y 13..23, the superscript "y" (6..11, 8 high, raised 4) for y 11..19.
    const HitCase cases[] = {
        {30, 25, 1, u"t1"},  {15, 25, 0, u""},  {26, 25, 0, u""},  // a shared edge belongs to the first run
        {47, 25, 1, u"t1"},  {48, 25, -1, u""}, {5, 25, -1, u""},  // outside the block
        {18, 31, 3, u""},    {18, 40, -1, u""}, {12, 32, -1, u""}, {12, 42, 2, u""},
        {30, 59, -1, u""},   // below the text
    };
    for (const auto& c : cases) {
        const MarkupHit hit = render.HitTest(block, c.x, c.y);
        EXPECT_EQ(hit.run, c.run) << c.x << "," << c.y;
        EXPECT_EQ(hit.link, !c.href.empty()) << c.x << "," << c.y;
        EXPECT_EQ(hit.href, c.href) << c.x << "," << c.y;
    }
}

// The links the keyboard steps through and screen readers name: one per
// <a>, however many runs and lines it takes, with its text and target.
TEST_F(MarkupTest, FindsEachLinkWithItsTextTargetAndPlace) {
    struct LinkCase {
        std::u16string markup;
        int width;
        std::vector<std::pair<std::u16string, std::u16string>> links;  // text, target
    };
    const LinkCase cases[] = {
        {u"no links here", 0, {}},
        {u"mail <a href='mailto:a@b'>me</a> or <a href='http://x'>the site</a>.", 0,
         {{u"me", u"mailto:a@b"}, {u"the site", u"http://x"}}},
        // Two links side by side stay two; a wrapped link stays one.
        {u"<a href='1'>one</a><a href='2'>two</a>", 0, {{u"one", u"1"}, {u"two", u"2"}}},
        {u"see <a href='w'>a rather long link text</a>", 60, {{u"a rather long link text", u"w"}}},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(Narrow(c.markup));
        Parse(c.markup, c.width, c.width > 0);
        const std::vector<MarkupLink> links = FindMarkupLinks(render);
        ASSERT_EQ(links.size(), c.links.size());
        for (std::size_t i = 0; i < links.size(); ++i) {
            EXPECT_EQ(Narrow(links[i].text), Narrow(c.links[i].first));
            EXPECT_EQ(Narrow(links[i].href), Narrow(c.links[i].second));
            ASSERT_EQ(links[i].rects.size(), links[i].runCount);
            // Each rectangle is where the run is hit.
            for (std::size_t r = 0; r < links[i].runCount; ++r) {
                const MarkupRect& box = links[i].rects[r];
                const MarkupRect block{0, 0, 1000, 1000};
                const MarkupHit hit = render.HitTest(block, (box.left + box.right) / 2, (box.top + box.bottom) / 2);
                EXPECT_EQ(hit.run, static_cast<std::ptrdiff_t>(links[i].firstRun + r));
            }
        }
    }
    // The wrapped link runs over two lines.
    Parse(cases[3].markup, cases[3].width, true);
    const std::vector<MarkupLink> wrapped = FindMarkupLinks(render);
    ASSERT_EQ(wrapped.size(), 1u);
    EXPECT_GT(wrapped[0].rects.back().top, wrapped[0].rects.front().top);
}

TEST_F(MarkupTest, PlainTextJoinsRunsWithLineEndsForBreaks) {
    Parse(u"Line one<br>Line <b>two</b><br><br>end");
    EXPECT_EQ(render.PlainText(), u"Line one\r\nLine two\r\n\r\nend");
}

// Fails on demand, or answers nonsense.
class HostileMeasurer : public TextMeasurer {
public:
    bool fail = false;
    int TextWidth(std::u16string_view, const MarkupFont&) override {
        if (fail) throw std::runtime_error("no device context");
        return INT_MAX;
    }
    FontMetrics Metrics(const MarkupFont&) override { return {INT_MIN, INT_MAX}; }
};

TEST_F(MarkupTest, AFailureLeavesNothingToDraw) {
    HostileMeasurer hostile;
    hostile.fail = true;
    EXPECT_EQ(render.Prepare(u"a<b>b</b>", hostile, 100, true), MarkupStatus::NotValidMarkup);
    EXPECT_FALSE(render.IsValid());
    EXPECT_TRUE(render.Runs().empty());
    EXPECT_TRUE(render.Lines().empty());
    EXPECT_EQ(render.TextWidth(), 0);
    EXPECT_TRUE(render.DrawList({0, 0, 100, 100}).empty());

    hostile.fail = false;  // nonsense sizes are kept in range
    EXPECT_EQ(render.Prepare(u"a<b>b</b><br><br>c d e", hostile, 100, true), MarkupStatus::Ok);
    EXPECT_TRUE(render.IsValid());
    EXPECT_GE(render.TextWidth(), 0);
    EXPECT_GE(render.TextHeight(), 0);
    for (const auto& line : render.Lines()) EXPECT_LE(line.descent, line.height);
    render.DrawList({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, INT_MAX, INT_MIN);
    render.HitTest({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, 0);

    Parse(u"ok");
    EXPECT_TRUE(render.IsValid());
}

std::u16string Repeat(std::u16string_view s, std::size_t n) {
    std::u16string out;
    out.reserve(s.size() * n);
    for (std::size_t i = 0; i < n; ++i) out += s;
    return out;
}

TEST_F(MarkupTest, SurvivesHostileMarkup) {
    const std::size_t n = 100000;
    EXPECT_EQ(Parse(Repeat(u"<font size=20>", n) + u"x" + Repeat(u"</font>", n) + u"y"), "P[h20:x][y]");
    EXPECT_EQ(Parse(u"<font " + Repeat(u"a=1 ", n) + u"size=20>x"), "P[h20:x]");
    EXPECT_EQ(Parse(u"x<a href='" + Repeat(u" ", n)), "P[x]");
    EXPECT_EQ(Parse(u"x" + Repeat(u"<", n)), "P[x]");
    EXPECT_EQ(Parse(u"x" + Repeat(u"&", n)), "P[x]");
    EXPECT_EQ(Parse(u"x" + Repeat(u"<!--", n)), "P[x]");
}

// Wrapping must not measure the growing run again after every character.
TEST_F(MarkupTest, MeasuringStaysLinear) {
    const std::size_t n = 200000;
    const std::u16string word = Repeat(u"a", n);
    const std::u16string words = Repeat(u"abcd ", n / 5);
    for (const auto& [text, width, wrap] : {std::tuple{word, 1000, true}, std::tuple{word, INT_MAX, true},
                                           std::tuple{words, 1000, true}, std::tuple{word, 0, false}}) {
        measurer.measuredUnits = 0;
        measurer.widthCalls = 0;
        Parse(text, width, wrap);
        EXPECT_LE(measurer.measuredUnits, 3 * n) << width;
        EXPECT_LE(measurer.widthCalls, 3 * n) << width;
        EXPECT_EQ(render.PlainText(), text);
    }
}

}  // namespace
}  // namespace swl
