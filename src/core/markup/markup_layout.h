// Line metrics and run positions of parsed markup.
#pragma once

#include <vector>

#include "markup/markup_render.h"
#include "markup/measure_cache.h"

namespace swl::markup_detail {

struct TextExtent {
    int width = 0;
    int height = 0;
};

// How far a superscript run is raised above its line's baseline.
int SuperscriptRaise(const MarkupRun& run);

// Fills each line's top, width, height and descent and each run's x and
// baseline; returns the text's width (widest line) and height (sum of lines).
TextExtent LayOutLines(std::vector<MarkupRun>& runs, std::vector<MarkupLine>& lines, MeasureCache& measure);

}  // namespace swl::markup_detail
