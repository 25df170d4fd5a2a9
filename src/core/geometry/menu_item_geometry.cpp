#include "geometry/menu_item_geometry.h"

namespace swl {

bool IsMenuSeparator(std::u16string_view caption) { return caption == u"-"; }

Size MeasureMenuItem(std::u16string_view caption) {
    return {120, IsMenuSeparator(caption) ? 4 : 20};
}

Rect MenuStripeSquare(Rect item) { return {item.left, item.top, item.left + 20, item.top + 20}; }

Rect MenuSeparatorLine(Rect item) {
    return {item.left + 22, item.top + 2, item.right - 2, item.top + 3};
}

Rect MenuCaptionArea(Rect item, int yyTextHeight) {
    const int h = item.Height() - yyTextHeight;
    return {item.left + 30, item.top + h / 2, item.right - 2, item.bottom - h / 2};
}

std::u16string RemoveFirstAmpersand(std::u16string_view caption) {
    std::u16string text(caption);
    if (const auto at = text.find(u'&'); at != std::u16string::npos) text.erase(at, 1);
    return text;
}

ListMenuStates ListMenuStatesFor(int entryCount, bool hasSelection) {
    const bool clearAll = entryCount > 0;
    return {clearAll, clearAll && hasSelection};
}

}  // namespace swl
