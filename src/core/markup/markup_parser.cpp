#include "markup/markup_parser.h"

#include <algorithm>
#include <string>

#include "markup/char_reference.h"
#include "markup/markup_limits.h"
#include "markup/markup_tag.h"
#include "markup/markup_text.h"

namespace swl::markup_detail {
namespace {

// Font settings saved by <font>. Deeper nesting is only counted, so that the
// matching </font> tags balance without the stack growing with the text.
constexpr std::size_t kMaxFontDepth = 1024;

struct SavedFont {
    std::u16string name;
    int height;
    std::uint32_t color;
};

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// "#RRGGBB" as a COLORREF (0x00BBGGRR); false for anything else.
bool ParseColor(std::u16string_view v, std::uint32_t& color) {
    if (v.size() != 7 || v[0] != u'#') return false;
    std::uint32_t rgb = 0;
    for (std::size_t i = 1; i < 7; ++i) {
        const int d = HexDigit(v[i]);
        if (d < 0) return false;
        rgb = (rgb << 4) | static_cast<std::uint32_t>(d);
    }
    color = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

class Parser {
public:
    Parser(const ParseOptions& options, MeasureCache& measure, std::vector<MarkupRun>& runs,
           std::vector<MarkupLine>& lines)
        : options_(options), measure_(measure), runs_(runs), lines_(lines), font_(options.baseFont) {
        font_.height = ClampFontHeight(font_.height);
        RefreshDrawFont();
        AddBreak(MarkupBreak::ParagraphStart);
    }

    void Parse(std::u16string_view text) {
        const std::size_t n = text.size();
        std::size_t i = 0;
        while (i < n) {
            const char16_t c = text[i];
            if (c == u'<') {
                TagRead read = ReadTag(text, i);
                if (read.isTag) ApplyTag(read.tag);
                i = read.next;
            } else if (c == u'\r') {
                i += (i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
            } else if (c == u' ') {
                if (text_.empty() || text_.back() != u' ') AppendChar(u" ");
                ++i;
            } else if (c == u'&') {
                if (i + 1 < n && text[i + 1] == u' ') {
                    AppendChar(u"&");
                    ++i;
                    continue;
                }
                const std::size_t semi = text.find(u';', i + 1);
                const std::size_t end = semi == std::u16string_view::npos ? n : semi;
                const std::u16string resolved = ResolveCharReference(text.substr(i + 1, end - i - 1));
                if (!resolved.empty()) AppendChar(resolved);
                i = semi == std::u16string_view::npos ? n : semi + 1;
            } else if (IsHighSurrogate(c) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
                AppendChar(text.substr(i, 2));
                i += 2;
            } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
                AppendChar(u"\uFFFD");
                ++i;
            } else {
                AppendChar(text.substr(i, 1));
                ++i;
            }
        }
        EndRun(false);
    }

private:
    void ApplyTag(const MarkupTag& tag) {
        const std::u16string& name = tag.name;
        if (ApplyStyleToggle(name)) return;
        if (name == u"sup" || name == u"/sup") {
            EndRun(false);
            sup_ = name == u"sup";
        } else if (name == u"font") {
            EndRun(false);
            PushFont();
            ApplyFontAttributes(tag);
        } else if (name == u"/font") {
            EndRun(false);
            PopFont();
        } else if (name == u"a") {
            if (tag.attributes.empty()) return;
            EndRun(true);
            link_ = true;
            const std::u16string* href = tag.Find(u"href");
            href_ = href ? *href : std::u16string();
            font_.color = options_.linkColor;
            font_.style = options_.linkStyle;
        } else if (name == u"/a") {
            EndRun(false);
            // Only an open link is ended; a stray </a> must not restyle plain text.
            if (link_) {
                link_ = false;
                href_.clear();
                font_.style = havePlain_ ? plainStyle_ : options_.baseFont.style;
                font_.color = havePlain_ ? plainColor_ : options_.baseFont.color;
            }
        } else if (name == u"br") {
            EndRun(false);
            AddBreak(MarkupBreak::Hard);
        } else {
            return;  // not a tag of this markup: no effect at all
        }
        RefreshDrawFont();
    }

    bool ApplyStyleToggle(const std::u16string& name) {
        struct Toggle {
            std::u16string_view name;
            FontStyles bit;
        };
        static constexpr Toggle kToggles[] = {
            {u"b", kFontBold}, {u"i", kFontItalic}, {u"u", kFontUnderline}, {u"strikeout", kFontStrikeOut}};
        const bool end = !name.empty() && name[0] == u'/';
        const std::u16string_view bare = end ? std::u16string_view(name).substr(1) : std::u16string_view(name);
        for (const auto& t : kToggles) {
            if (bare != t.name) continue;
            EndRun(false);
            if (end)
                font_.style &= ~t.bit;
            else
                font_.style |= t.bit;
            RefreshDrawFont();
            return true;
        }
        return false;
    }

    void PushFont() {
        if (stack_.size() < kMaxFontDepth)
            stack_.push_back({font_.name, font_.height, font_.color});
        else
            ++uncountedPushes_;
    }

    void PopFont() {
        if (uncountedPushes_ > 0) {
            --uncountedPushes_;
        } else if (!stack_.empty()) {
            font_.name = std::move(stack_.back().name);
            font_.height = stack_.back().height;
            font_.color = stack_.back().color;
            stack_.pop_back();
        }
    }

    void ApplyFontAttributes(const MarkupTag& tag) {
        if (const std::u16string* size = tag.Find(u"size")) ApplySize(*size);
        const std::u16string* face = tag.Find(u"face");
        if (!face) face = tag.Find(u"name");
        if (face) font_.name = face->substr(0, kMaxFaceName);
        if (const std::u16string* color = tag.Find(u"color")) ParseColor(*color, font_.color);
    }

    void ApplySize(std::u16string_view v) {
        if (!v.empty() && (v[0] == u'+' || v[0] == u'-')) return;  // relative sizes are not supported
        const bool number = !v.empty() && std::all_of(v.begin(), v.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
        if (!number) {
            font_.height = ClampFontHeight(options_.baseFont.height);
            return;
        }
        int height = 0;
        for (char16_t c : v) height = std::min(height * 10 + (c - u'0'), kMaxFontHeight);
        font_.height = height;
    }

    void RefreshDrawFont() {
        drawFont_ = font_;
        if (sup_) drawFont_.height = SuperscriptHeight(font_.height);
    }

    void AppendChar(std::u16string_view character) {
        text_.append(character);
        lastCharUnits_ = character.size();
        if (character == u" ") lastSpace_ = static_cast<std::ptrdiff_t>(text_.size()) - 1;
        if (!options_.wordWrap) return;
        const std::int64_t before = cum_.empty() ? 0 : cum_.back();
        const std::int64_t after = std::min(before + measure_.CharWidth(character, drawFont_), kMaxCoord);
        cum_.insert(cum_.end(), character.size() - 1, before);  // inside a surrogate pair
        cum_.push_back(after);
        WrapIfNeeded();
    }

    // After each character: when the current run overflows the line, move
    // the text after its last space, or else the run itself when other text
    // precedes it on the line, or else its last character, to a new line.
    void WrapIfNeeded() {
        if (lineX_ + cum_.back() + 1 <= options_.availableWidth) return;
        std::size_t keep = 0;
        if (lastSpace_ >= 0) {
            keep = static_cast<std::size_t>(lastSpace_) + 1;
        } else if (lineTextRuns_ == 0) {
            // A lone character wider than the line stays: moving it would only
            // leave an empty line behind.
            if (text_.size() <= lastCharUnits_) return;
            keep = text_.size() - lastCharUnits_;
        }
        std::u16string moved = text_.substr(keep);
        const std::int64_t keptWidth = keep > 0 ? cum_[keep - 1] : 0;
        std::vector<std::int64_t> movedCum(cum_.begin() + static_cast<std::ptrdiff_t>(keep), cum_.end());
        for (auto& w : movedCum) w -= keptWidth;
        text_.resize(keep);
        if (keep > 0) AddRun(text_);
        AddBreak(MarkupBreak::Soft);
        text_ = std::move(moved);
        cum_ = std::move(movedCum);
        lastSpace_ = -1;  // the moved text never holds a space
    }

    void EndRun(bool evenIfEmpty) {
        if (!text_.empty() || evenIfEmpty) AddRun(text_);
        text_.clear();
        cum_.clear();
        lastSpace_ = -1;
    }

    void AddRun(std::u16string_view text) {
        MarkupRun run;
        run.text = std::u16string(text);
        run.font = drawFont_;
        run.superscript = sup_;
        run.link = link_;
        run.href = href_;
        run.width = ClampCoord(std::int64_t{measure_.TextWidth(text, drawFont_)} + 1);
        const FontMetrics m = measure_.Metrics(drawFont_);
        run.height = m.height;
        run.descent = m.descent;
        lineX_ = std::min<std::int64_t>(lineX_ + run.width, kMaxCoord);
        if (!text.empty()) ++lineTextRuns_;
        if (!link_) {
            havePlain_ = true;
            plainStyle_ = font_.style;
            plainColor_ = font_.color;
        }
        runs_.push_back(std::move(run));
        ++lines_.back().runCount;
    }

    void AddBreak(MarkupBreak kind) {
        MarkupLine line;
        line.kind = kind;
        line.font = font_;
        line.firstRun = runs_.size();
        lines_.push_back(std::move(line));
        lineX_ = 0;
        lineTextRuns_ = 0;
    }

    const ParseOptions& options_;
    MeasureCache& measure_;
    std::vector<MarkupRun>& runs_;
    std::vector<MarkupLine>& lines_;

    // Settings of the current run.
    MarkupFont font_;
    MarkupFont drawFont_;  // font_ with the superscript height applied
    bool sup_ = false;
    bool link_ = false;
    std::u16string href_;

    // The current run's text, the widths of its prefixes (while wrapping),
    // its last space and the size of its last character.
    std::u16string text_;
    std::vector<std::int64_t> cum_;
    std::ptrdiff_t lastSpace_ = -1;
    std::size_t lastCharUnits_ = 0;

    // The line being filled: the widths of its runs and how many have text.
    std::int64_t lineX_ = 0;
    std::size_t lineTextRuns_ = 0;

    std::vector<SavedFont> stack_;
    std::size_t uncountedPushes_ = 0;

    // Style and colour of the last non-link run, restored by </a>.
    bool havePlain_ = false;
    FontStyles plainStyle_ = 0;
    std::uint32_t plainColor_ = 0;
};

}  // namespace

int SuperscriptHeight(int height) {
    if (height > 0) return std::max(height - 2, 1);
    if (height < 0) return std::min(height + 2, -1);
    return 0;
}

void ParseMarkup(std::u16string_view text, const ParseOptions& options, MeasureCache& measure,
                 std::vector<MarkupRun>& runs, std::vector<MarkupLine>& lines) {
    Parser parser(options, measure, runs, lines);
    parser.Parse(text);
}

}  // namespace swl::markup_detail
