// The collapsed / expanded state of an explorer-bar group and the height it
// takes in each. The window code applies the answered height, re-stacks the
// bar, updates the minimise button's glyph and raises the answered event.
#pragma once

#include <optional>

namespace swl {

enum class GroupEvent { Minimize, Restore };

// Which half of the minimise button's two-glyph picture to show.
enum class MinButtonGlyph { Up, Down };

struct GroupHeightChange {
    int height = 0;
    GroupEvent event = GroupEvent::Restore;
    friend bool operator==(const GroupHeightChange&, const GroupHeightChange&) = default;
};

class GroupCollapse {
public:
    GroupCollapse() = default;
    GroupCollapse(bool minimized, int expandedHeight)
        : minimized_(minimized), expandedHeight_(expandedHeight) {}

    bool Minimized() const { return minimized_; }
    int ExpandedHeight() const { return expandedHeight_; }

    // Minimized := v. collapsedHeight is the strip height c plus the bevels.
    // Nothing happens when v is the current state, or when expanding a group
    // whose caption strip is not visible.
    std::optional<GroupHeightChange> SetMinimized(bool v, bool captionVisible, int currentHeight,
                                                  int collapsedHeight);

    // The group was resized by other means. A collapsed group given any other
    // height than its collapsed one counts as expanded to that height; the
    // answer is then the Restore event (the height is already applied).
    std::optional<GroupHeightChange> Resized(int newHeight, int collapsedHeight);

    // Expanded shows the upward glyph, collapsed the downward one; invert swaps.
    MinButtonGlyph Glyph(bool invertArrows) const;

private:
    bool minimized_ = false;
    int expandedHeight_ = 0;
};

}  // namespace swl
