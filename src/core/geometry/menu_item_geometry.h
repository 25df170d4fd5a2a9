// Measures of the owner-drawn menu items of the history list's menu and the
// tray menu: item sizes, the stripe square, the separator line, where the
// caption goes, and which list-menu items are enabled when it opens.
#pragma once

#include <string>
#include <string_view>

#include "geometry/rect.h"

namespace swl {

// 120 x 4 for a separator (caption exactly "-"), 120 x 20 otherwise.
Size MeasureMenuItem(std::u16string_view caption);

bool IsMenuSeparator(std::u16string_view caption);

// The pale square at the item's left; stacked items join into a stripe.
Rect MenuStripeSquare(Rect item);

// The separator's one-pixel line, from 22 pixels in to 2 before the right edge.
Rect MenuSeparatorLine(Rect item);

// The caption area: 30 pixels in at the left, 2 at the right, and the spare
// height h = item height - height of "Yy" split above and below (h / 2
// truncated toward zero each side).
Rect MenuCaptionArea(Rect item, int yyTextHeight);

// Captions drawn without prefix processing (outside the NT family) lose the
// first "&" only.
std::u16string RemoveFirstAmpersand(std::u16string_view caption);

struct ListMenuStates {
    bool clearAll = false;  // Clear All
    bool itemCommands = false;  // Copy, Clear, Paste and Preview
    friend bool operator==(const ListMenuStates&, const ListMenuStates&) = default;
};

// Clear All needs at least one entry; the item commands need a selected entry
// too (so an empty list enables nothing).
ListMenuStates ListMenuStatesFor(int entryCount, bool hasSelection);

}  // namespace swl
