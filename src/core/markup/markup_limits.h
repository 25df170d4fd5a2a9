// Bounds that keep the markup geometry in range whatever the text or the
// measurer says, and the saturating arithmetic that respects them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace swl::markup_detail {

// Any width, height or coordinate the renderer keeps lies in [-kMaxCoord, kMaxCoord].
inline constexpr std::int64_t kMaxCoord = std::int64_t{1} << 28;
// Font heights from markup or the base font are clamped to this magnitude.
inline constexpr int kMaxFontHeight = 4096;
// Face names set by markup are cut to what a LOGFONT holds.
inline constexpr std::size_t kMaxFaceName = 31;

inline int ClampCoord(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, -kMaxCoord, kMaxCoord));
}

inline int ClampFontHeight(int h) { return std::clamp(h, -kMaxFontHeight, kMaxFontHeight); }

}  // namespace swl::markup_detail
