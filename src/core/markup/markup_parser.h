// Reading markup into runs and line breaks, wrapping lines as it goes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "markup/markup_render.h"
#include "markup/measure_cache.h"

namespace swl::markup_detail {

struct ParseOptions {
    MarkupFont baseFont;
    std::uint32_t linkColor = 0;
    FontStyles linkStyle = 0;
    int availableWidth = 0;
    bool wordWrap = false;
};

// Appends the runs (measured: width, height, descent) and the lines (kind,
// font and run range; not laid out) of `text`. The first line is always a
// paragraph start.
void ParseMarkup(std::u16string_view text, const ParseOptions& options, MeasureCache& measure,
                 std::vector<MarkupRun>& runs, std::vector<MarkupLine>& lines);

// The height of a superscript font: 2 smaller in magnitude, keeping the sign
// and never reaching 0 from a non-zero height.
int SuperscriptHeight(int height);

}  // namespace swl::markup_detail
