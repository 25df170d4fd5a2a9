// MarkupRender: turns a markup caption into runs of text and line breaks,
// wraps and lays out the lines, and answers where each run is drawn and which
// run lies under a point. It draws nothing itself: the front end draws the
// list from DrawList() with TextOutW, so every rule of the layout lives here
// and is tested without a screen.
//
// The markup:
//   <b> </b> <i> </i> <u> </u> <strikeout> </strikeout>   style on / off
//   <sup> </sup>          superscript: a font 2 pixels smaller, raised
//   <font size=N face=NAME color=#RRGGBB> </font>
//                         pushes the font settings (face, height, colour); a
//                         size without sign is a cell height in pixels, a
//                         size that is not a number restores the base height,
//                         a signed size is ignored; </font> pops (nothing
//                         happens with an empty stack)
//   <a href="target">     a link (only with at least one attribute), </a>
//   <br>                  a hard line break
//   <!-- ... -->          a comment
//   &amp; &lt; &gt; &quot; &nbsp; &euro; &sect; &reg; &copy; &para; &trade;
//   &#NNN;                decimal character number; 0, surrogates and numbers
//                         above U+10FFFF give U+FFFD
// Line ends in the text never break lines (CR LF and lone CR are dropped, a
// lone LF stays a character); runs of spaces collapse to one; "&" followed
// by a space is an "&"; any other "&" reaches to the next ";" and unknown
// names give nothing. Unknown tags and attributes are ignored, as is a tag
// cut off by the end of the text. Lone surrogates become U+FFFD.
//
// Typical use (the label):
//   render.SetBaseFont(font); render.SetLinkColor(...); render.SetLinkStyle(...);
//   if (render.Prepare(caption, measurer, width - 2 * border, wordWrap) != MarkupStatus::Ok)
//       report "not valid markup" (the render is then empty and draws nothing)
//   block = PlaceMarkupBlock(clientW, clientH, border, alignment, layout,
//                            render.TextWidth(), render.TextHeight());
//   paint:  clip to block; for (auto& r : render.DrawList(block))
//               select r.font; SetTextAlign(TA_BASELINE); TextOutW(r.x, r.baseline, r.text)
//   mouse:  render.HitTest(block, x, y).link -> hand cursor / OnLinkClick(href)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "markup/markup_font.h"
#include "markup/text_measurer.h"

namespace swl {

enum class MarkupBreak {
    ParagraphStart,  // the first line
    Soft,            // inserted by word wrapping
    Hard,            // from <br>
};

struct MarkupRun {
    std::u16string text;
    // The font the run is measured and drawn in: the superscript height and,
    // for links, the link colour and style are already applied.
    MarkupFont font;
    bool superscript = false;
    bool link = false;
    std::u16string href;
    int width = 0;     // measured width + 1
    int height = 0;    // |tmHeight| of `font`
    int descent = 0;   // tmDescent of `font`
    int x = 0;         // left edge, relative to the text's top-left corner
    int baseline = 0;  // baseline y, relative to the text's top-left (superscript raise applied)
};

// A line: the break that starts it and the runs up to the next break.
struct MarkupLine {
    MarkupBreak kind = MarkupBreak::ParagraphStart;
    MarkupFont font;             // the font in effect at the break: an empty line's height
    std::size_t firstRun = 0;    // index into Runs()
    std::size_t runCount = 0;
    int top = 0;                 // relative to the text's top
    int width = 0;
    int height = 0;
    int descent = 0;
};

enum class MarkupStatus { Ok, NotValidMarkup };

enum class MarkupAlignment { Left, Right, Center };
enum class MarkupLayout { Top, Center, Bottom };

struct MarkupRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
    bool operator==(const MarkupRect&) const = default;
};

// The rectangle the text block occupies in a client area of the given size:
// the inner area is the client less `border` on every side; the block is
// centred as a whole (its lines stay left-aligned to each other).
MarkupRect PlaceMarkupBlock(int clientWidth, int clientHeight, int border, MarkupAlignment alignment,
                            MarkupLayout layout, int textWidth, int textHeight);

struct MarkupDrawRun {
    std::u16string_view text;   // points into the render; valid until the next Prepare
    const MarkupFont* font;     // likewise
    int x;                      // left edge
    int baseline;               // baseline y (draw with TA_BASELINE)
};

struct MarkupHit {
    std::ptrdiff_t run = -1;    // index into Runs(), -1 when no run is hit
    bool link = false;
    std::u16string_view href;   // the link's target; valid until the next Prepare
};

class MarkupRender {
public:
    MarkupRender();

    void SetBaseFont(MarkupFont font) { baseFont_ = std::move(font); }
    const MarkupFont& BaseFont() const { return baseFont_; }
    void SetLinkColor(std::uint32_t color) { linkColor_ = color; }
    std::uint32_t LinkColor() const { return linkColor_; }
    void SetLinkStyle(FontStyles style) { linkStyle_ = style; }
    FontStyles LinkStyle() const { return linkStyle_; }

    // Parses, wraps (only when `wordWrap`, against `availableWidth`) and lays
    // out `markup` with the current base font and link settings. Any failure,
    // including an exception from the measurer or running out of memory,
    // leaves the render empty and returns NotValidMarkup. Linear in the
    // length of the markup.
    MarkupStatus Prepare(std::u16string_view markup, TextMeasurer& measurer, int availableWidth,
                         bool wordWrap);

    bool IsValid() const { return valid_; }
    const std::vector<MarkupRun>& Runs() const { return runs_; }
    const std::vector<MarkupLine>& Lines() const { return lines_; }
    int TextWidth() const { return textWidth_; }    // the widest line
    int TextHeight() const { return textHeight_; }  // the sum of the line heights

    // The runs to draw into `block`, with the point (originX, originY) of the
    // text at the block's top-left corner. Lines entirely above the block are
    // skipped and the list ends at the first line that starts at or below the
    // block's bottom; the caller clips to the block. Empty runs are left out.
    std::vector<MarkupDrawRun> DrawList(const MarkupRect& block, int originX = 0, int originY = 0) const;

    // The run under the client point (x, y) when the text is drawn into
    // `block` from its top-left corner; nothing outside the block.
    MarkupHit HitTest(const MarkupRect& block, int x, int y) const;

    // The runs' texts joined, with CR LF for each <br>: what Ctrl+C copies.
    std::u16string PlainText() const;

private:
    void Clear();

    MarkupFont baseFont_;
    std::uint32_t linkColor_ = 0x00FF0000;  // blue
    FontStyles linkStyle_ = kFontUnderline;
    bool valid_ = true;
    std::vector<MarkupRun> runs_;
    std::vector<MarkupLine> lines_;
    int textWidth_ = 0;
    int textHeight_ = 0;
};

}  // namespace swl
