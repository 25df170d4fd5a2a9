// The measurer as the renderer uses it: results clamped to sane ranges, font
// metrics and character widths remembered so that wrapping a long text asks
// the platform about each character of a font once rather than re-measuring
// the growing run after every character.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "markup/text_measurer.h"

namespace swl::markup_detail {

class MeasureCache {
public:
    explicit MeasureCache(TextMeasurer& measurer) : measurer_(measurer) {}

    // Width of `text` in `font`, in [0, kMaxCoord].
    int TextWidth(std::u16string_view text, const MarkupFont& font);

    // Width of one character (a code unit or a surrogate pair) in `font`.
    int CharWidth(std::u16string_view character, const MarkupFont& font);

    // |tmHeight| and tmDescent, with the descent in [0, height].
    FontMetrics Metrics(const MarkupFont& font);

private:
    TextMeasurer& measurer_;
    MarkupFont charFont_;
    bool haveCharFont_ = false;
    std::unordered_map<std::uint32_t, int> charWidths_;
    std::vector<std::pair<MarkupFont, FontMetrics>> metrics_;  // a few recent fonts
};

}  // namespace swl::markup_detail
