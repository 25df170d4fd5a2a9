// What the markup renderer needs to know about fonts, supplied by the platform:
// GDI on Windows, a deterministic fake in tests.
#pragma once

#include <string_view>

#include "markup/markup_font.h"

namespace swl {

struct FontMetrics {
    int height = 0;   // tmHeight
    int descent = 0;  // tmDescent
};

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;

    // Width in pixels of `text` drawn on one line in `font`, without
    // accelerator ("&") processing and without the renderer's extra pixel.
    // The renderer also asks for single characters (one code point, possibly
    // a surrogate pair) while wrapping, so the width of a string should be
    // the sum of its characters' widths, as GDI's advance widths are.
    virtual int TextWidth(std::u16string_view text, const MarkupFont& font) = 0;

    virtual FontMetrics Metrics(const MarkupFont& font) = 0;
};

}  // namespace swl
