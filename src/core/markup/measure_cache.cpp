#include "markup/measure_cache.h"

#include <algorithm>
#include <cstdlib>

#include "markup/markup_limits.h"

namespace swl::markup_detail {
namespace {

constexpr std::size_t kMaxCachedChars = 4096;
constexpr std::size_t kMaxCachedFonts = 8;

int ClampLength(int v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, kMaxCoord)); }

std::uint32_t CharKey(std::u16string_view character) {
    std::uint32_t key = character.empty() ? 0 : character[0];
    if (character.size() > 1) key = (key << 16) | character[1];
    return key;
}

}  // namespace

int MeasureCache::TextWidth(std::u16string_view text, const MarkupFont& font) {
    if (text.empty()) return 0;
    return ClampLength(measurer_.TextWidth(text, font));
}

int MeasureCache::CharWidth(std::u16string_view character, const MarkupFont& font) {
    if (!haveCharFont_ || !(charFont_ == font)) {
        charFont_ = font;
        haveCharFont_ = true;
        charWidths_.clear();
    }
    const std::uint32_t key = CharKey(character);
    if (auto it = charWidths_.find(key); it != charWidths_.end()) return it->second;
    const int width = TextWidth(character, font);
    if (charWidths_.size() >= kMaxCachedChars) charWidths_.clear();
    charWidths_.emplace(key, width);
    return width;
}

FontMetrics MeasureCache::Metrics(const MarkupFont& font) {
    for (const auto& [cached, metrics] : metrics_)
        if (cached == font) return metrics;
    FontMetrics m = measurer_.Metrics(font);
    // The platform reports a positive tmHeight; take the magnitude anyway.
    const std::int64_t height = std::min<std::int64_t>(std::llabs(static_cast<long long>(m.height)), kMaxCoord);
    m.height = static_cast<int>(height);
    m.descent = static_cast<int>(std::clamp<std::int64_t>(m.descent, 0, height));
    if (metrics_.size() >= kMaxCachedFonts) metrics_.erase(metrics_.begin());
    metrics_.emplace_back(font, m);
    return m;
}

}  // namespace swl::markup_detail
