// How the explorer bar stacks its groups: ordered by their current top,
// one below the other from the bar's margin, each as wide as the bar allows,
// with hidden groups taking no room. The window code feeds the groups' current
// bounds in child order and applies the answer with one move per group.
#pragma once

#include <span>
#include <vector>

#include "geometry/rect.h"

namespace swl {

struct ExplorerBarMetrics {
    int margin = 4;       // gap to the bar's left, top and right edges
    int spacing = 8;      // gap between consecutive visible groups
    int groupWidth = 0;   // 0: as wide as the client area less both margins
    int clientWidth = 0;  // the bar's client width (less a shown vertical scroll bar)
    int scrollX = 0;      // horizontal scroll position
    int scrollY = 0;      // vertical scroll position
};

struct ExplorerBarGroupBox {
    int top = 0;          // current top, decides the order
    int height = 0;       // kept as it is
    bool visible = true;  // a hidden group is placed but takes no room
    friend bool operator==(const ExplorerBarGroupBox&, const ExplorerBarGroupBox&) = default;
};

// The width every group gets: groupWidth when set, else
// max(clientWidth - 2 * margin, 0).
int ExplorerGroupWidth(const ExplorerBarMetrics& bar);

// New bounds of each group, in the order of `groups` (not in stacking order).
// Groups are stacked by ascending current top; equal tops keep their order.
std::vector<Rect> StackExplorerGroups(const ExplorerBarMetrics& bar,
                                      std::span<const ExplorerBarGroupBox> groups);

// Height of the stacked column as the scroll range sees it: the margin above
// the first visible group, the groups with their spacing, and the margin
// below the last one. 0 when no group is visible.
int ExplorerStackHeight(const ExplorerBarMetrics& bar, std::span<const ExplorerBarGroupBox> groups);

}  // namespace swl
