#include "geometry/explorer_bar_layout.h"

#include <algorithm>
#include <numeric>

namespace swl {

int ExplorerGroupWidth(const ExplorerBarMetrics& bar) {
    if (bar.groupWidth != 0) return bar.groupWidth;
    return std::max(bar.clientWidth - 2 * bar.margin, 0);
}

std::vector<Rect> StackExplorerGroups(const ExplorerBarMetrics& bar,
                                      std::span<const ExplorerBarGroupBox> groups) {
    std::vector<std::size_t> order(groups.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return groups[a].top < groups[b].top; });

    const int width = ExplorerGroupWidth(bar);
    // A bar narrower than its margin puts the groups at its very left.
    const int left =
        (bar.groupWidth == 0 && bar.clientWidth < bar.margin) ? 0 : bar.margin - bar.scrollX;
    std::vector<Rect> bounds(groups.size());
    int y = bar.margin - bar.scrollY;
    for (std::size_t index : order) {
        const ExplorerBarGroupBox& g = groups[index];
        bounds[index] = Rect::FromSize(left, y, width, g.height);
        if (g.visible) y += g.height + bar.spacing;
    }
    return bounds;
}

int ExplorerStackHeight(const ExplorerBarMetrics& bar, std::span<const ExplorerBarGroupBox> groups) {
    int total = 0;
    int shown = 0;
    for (const ExplorerBarGroupBox& g : groups) {
        if (!g.visible) continue;
        total += g.height;
        ++shown;
    }
    if (shown == 0) return 0;
    return 2 * bar.margin + total + (shown - 1) * bar.spacing;
}

}  // namespace swl
