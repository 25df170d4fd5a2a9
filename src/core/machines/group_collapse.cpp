#include "machines/group_collapse.h"

namespace swl {

std::optional<GroupHeightChange> GroupCollapse::SetMinimized(bool v, bool captionVisible,
                                                             int currentHeight,
                                                             int collapsedHeight) {
    if (v == minimized_) return std::nullopt;
    if (v) {
        expandedHeight_ = currentHeight;
        minimized_ = true;
        return GroupHeightChange{collapsedHeight, GroupEvent::Minimize};
    }
    if (!captionVisible) return std::nullopt;
    minimized_ = false;
    return GroupHeightChange{expandedHeight_, GroupEvent::Restore};
}

std::optional<GroupHeightChange> GroupCollapse::Resized(int newHeight, int collapsedHeight) {
    if (!minimized_ || newHeight == collapsedHeight) return std::nullopt;
    minimized_ = false;
    expandedHeight_ = newHeight;
    return GroupHeightChange{newHeight, GroupEvent::Restore};
}

MinButtonGlyph GroupCollapse::Glyph(bool invertArrows) const {
    const bool down = minimized_ != invertArrows;
    return down ? MinButtonGlyph::Down : MinButtonGlyph::Up;
}

}  // namespace swl
