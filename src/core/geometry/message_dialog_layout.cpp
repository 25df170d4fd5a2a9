#include "geometry/message_dialog_layout.h"

#include <algorithm>

#include "geometry/muldiv.h"

namespace swl {

Size DialogAverageCharSize(Size sampleExtent) {
    return {sampleExtent.width / 52, sampleExtent.height};
}

DialogMeasures ComputeDialogMeasures(Size avgChar, std::span<const int> captionWidths) {
    const int w = avgChar.width;
    const int h = avgChar.height;
    DialogMeasures m;
    m.horzMargin = MulDiv(8, w, 4);
    m.vertMargin = MulDiv(8, h, 8);
    m.horzSpacing = MulDiv(10, w, 4);
    m.vertSpacing = MulDiv(10, h, 8);
    m.buttonHeight = MulDiv(14, h, 8);
    m.buttonSpacing = MulDiv(4, w, 4);
    m.buttonWidth = MulDiv(50, w, 4);
    for (int caption : captionWidths) m.buttonWidth = std::max(m.buttonWidth, caption + 8);
    return m;
}

DialogLayout LayoutMessageDialog(const DialogLayoutInput& in) {
    DialogLayout out;
    const DialogMeasures& m = out.measures = ComputeDialogMeasures(in.avgChar, in.captionWidths);

    const int iconTextWidth =
        in.hasIcon ? in.text.width + m.horzSpacing + kDialogIconSide : in.text.width;
    const int iconTextHeight =
        in.hasIcon ? std::max(in.text.height, kDialogIconSide) : in.text.height;
    const int n = static_cast<int>(in.captionWidths.size());
    const int groupWidth = n == 0 ? 0 : m.buttonWidth * n + m.buttonSpacing * (n - 1);

    out.client.width = std::max(iconTextWidth, groupWidth) + 2 * m.horzMargin;
    out.client.height = iconTextHeight + m.buttonHeight + m.vertSpacing + 2 * m.vertMargin;

    const int outerWidth = out.client.width + in.frame.width;
    const int outerHeight = out.client.height + in.frame.height;
    out.window = Rect::FromSize(in.screen.width / 2 - outerWidth / 2,
                                in.screen.height / 2 - outerHeight / 2, outerWidth, outerHeight);

    out.image = Rect::FromSize(m.horzMargin, m.vertMargin, kDialogIconSide, kDialogIconSide);
    const int labelLeft = in.hasIcon ? m.horzMargin + kDialogIconSide + m.horzSpacing : m.horzMargin;
    out.label = Rect::FromSize(labelLeft, m.vertMargin, in.text.width, in.text.height);

    int x = (out.client.width - groupWidth) / 2;
    const int y = iconTextHeight + m.vertMargin + m.vertSpacing;
    for (int i = 0; i < n; ++i) {
        out.buttons.push_back(Rect::FromSize(x, y, m.buttonWidth, m.buttonHeight));
        x += m.buttonWidth + m.buttonSpacing;
    }
    return out;
}

Rect ClampDialogToWorkArea(Rect window, Rect workArea) {
    const int width = window.Width();
    const int height = window.Height();
    int left = window.left;
    int top = window.top;
    if (left < workArea.left) left = workArea.left;
    if (top < workArea.top) top = workArea.top;
    if (left + width > workArea.right) left = workArea.right - width;
    if (top + height > workArea.bottom) top = workArea.bottom - height;
    return Rect::FromSize(left, top, width, height);
}

}  // namespace swl
