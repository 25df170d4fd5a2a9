#include "markup/markup_render.h"

#include <algorithm>
#include <climits>

#include "markup/markup_layout.h"
#include "markup/markup_parser.h"
#include "markup/measure_cache.h"

namespace swl {
namespace {

int ClampInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

MarkupRender::MarkupRender() = default;

void MarkupRender::Clear() {
    runs_ = {};
    lines_ = {};
    textWidth_ = 0;
    textHeight_ = 0;
}

MarkupStatus MarkupRender::Prepare(std::u16string_view markup, TextMeasurer& measurer, int availableWidth,
                                   bool wordWrap) {
    Clear();
    try {
        markup_detail::MeasureCache measure(measurer);
        const markup_detail::ParseOptions options{baseFont_, linkColor_, linkStyle_, availableWidth, wordWrap};
        markup_detail::ParseMarkup(markup, options, measure, runs_, lines_);
        const markup_detail::TextExtent extent = markup_detail::LayOutLines(runs_, lines_, measure);
        textWidth_ = extent.width;
        textHeight_ = extent.height;
        valid_ = true;
        return MarkupStatus::Ok;
    } catch (...) {
        // Whatever went wrong (the measurer, memory), half-prepared content
        // must not be drawn.
        Clear();
        valid_ = false;
        return MarkupStatus::NotValidMarkup;
    }
}

std::vector<MarkupDrawRun> MarkupRender::DrawList(const MarkupRect& block, int originX, int originY) const {
    std::vector<MarkupDrawRun> list;
    const std::int64_t left = std::int64_t{block.left} - originX;
    const std::int64_t top = std::int64_t{block.top} - originY;
    for (const MarkupLine& line : lines_) {
        const std::int64_t lineTop = top + line.top;
        if (lineTop >= block.bottom) break;
        if (lineTop + line.height <= block.top) continue;
        for (std::size_t r = line.firstRun; r < line.firstRun + line.runCount; ++r) {
            const MarkupRun& run = runs_[r];
            if (run.text.empty()) continue;
            list.push_back({run.text, &run.font, ClampInt(left + run.x), ClampInt(top + run.baseline)});
        }
    }
    return list;
}

MarkupHit MarkupRender::HitTest(const MarkupRect& block, int x, int y) const {
    MarkupHit hit;
    if (x < block.left || x >= block.right || y < block.top || y >= block.bottom) return hit;
    const std::int64_t px = std::int64_t{x} - block.left;
    const std::int64_t py = std::int64_t{y} - block.top;
    // The first line whose bottom lies below the point.
    const auto line = std::partition_point(lines_.begin(), lines_.end(), [py](const MarkupLine& l) {
        return std::int64_t{l.top} + l.height <= py;
    });
    if (line == lines_.end()) return hit;
    const std::int64_t bottom = std::int64_t{line->top} + line->height;
    for (std::size_t r = line->firstRun; r < line->firstRun + line->runCount; ++r) {
        const MarkupRun& run = runs_[r];
        const std::int64_t raise = markup_detail::SuperscriptRaise(run);
        if (px < run.x || px > std::int64_t{run.x} + run.width) continue;
        if (py < bottom - run.height - raise || py > bottom - raise) continue;
        hit.run = static_cast<std::ptrdiff_t>(r);
        hit.link = run.link;
        if (run.link) hit.href = run.href;
        return hit;
    }
    return hit;
}

std::u16string MarkupRender::PlainText() const {
    std::u16string text;
    for (const MarkupLine& line : lines_) {
        if (line.kind == MarkupBreak::Hard) text += u"\r\n";
        for (std::size_t r = line.firstRun; r < line.firstRun + line.runCount; ++r) text += runs_[r].text;
    }
    return text;
}

}  // namespace swl
