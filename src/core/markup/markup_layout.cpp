#include "markup/markup_layout.h"

#include <algorithm>
#include <cstdlib>

#include "markup/markup_limits.h"

namespace swl::markup_detail {

int SuperscriptRaise(const MarkupRun& run) {
    return run.superscript ? std::abs(run.font.height) / 2 : 0;
}

TextExtent LayOutLines(std::vector<MarkupRun>& runs, std::vector<MarkupLine>& lines, MeasureCache& measure) {
    std::int64_t top = 0;
    std::int64_t textWidth = 0;
    for (MarkupLine& line : lines) {
        std::int64_t height = 0;
        std::int64_t descent = 0;
        std::int64_t x = 0;
        const std::size_t end = line.firstRun + line.runCount;
        for (std::size_t r = line.firstRun; r < end; ++r) {
            const MarkupRun& run = runs[r];
            // A superscript reaches two thirds of its height above the others
            // and sits half its height higher.
            const std::int64_t h = run.superscript ? run.height + std::int64_t{run.height} * 2 / 3 : run.height;
            const std::int64_t d = run.superscript ? run.descent - run.height / 2 : run.descent;
            height = std::max(height, h);
            descent = std::max(descent, d);
            x += run.width;
        }
        if (line.runCount == 0 && line.kind != MarkupBreak::ParagraphStart) {
            // An empty line made by a break takes the height of the break's font.
            const FontMetrics m = measure.Metrics(line.font);
            height = m.height;
            descent = m.descent;
        }
        line.top = ClampCoord(top);
        line.width = ClampCoord(x);
        line.height = ClampCoord(height);
        line.descent = ClampCoord(descent);

        std::int64_t runX = 0;
        const std::int64_t baseline = std::int64_t{line.top} + line.height - line.descent;
        for (std::size_t r = line.firstRun; r < end; ++r) {
            MarkupRun& run = runs[r];
            run.x = ClampCoord(runX);
            run.baseline = ClampCoord(baseline - SuperscriptRaise(run));
            runX += run.width;
        }
        textWidth = std::max<std::int64_t>(textWidth, line.width);
        top = std::min(top + line.height, kMaxCoord);
    }
    return {ClampCoord(textWidth), ClampCoord(top)};
}

}  // namespace swl::markup_detail
