#include "geometry/message_dialog_layout.h"

#include <cstring>

#include <gtest/gtest.h>

namespace swl {
namespace {

// Tahoma 8 pt: the 52-letter sample measures 286 x 13, so avgW 5, avgH 13.
constexpr Size kTahomaSample{286, 13};

TEST(MessageDialogLayout, AverageCharacterSize) {
    EXPECT_EQ(std::strlen(kDialogAverageSample), 52u);
    EXPECT_EQ(DialogAverageCharSize(kTahomaSample), (Size{5, 13}));
    EXPECT_EQ(DialogAverageCharSize({51, 16}), (Size{0, 16}));
}

TEST(MessageDialogLayout, MeasuresFromTahoma) {
    const int ok[] = {15};
    const DialogMeasures m = ComputeDialogMeasures({5, 13}, ok);
    EXPECT_EQ(m.horzMargin, 10);     // 8 * 5 / 4
    EXPECT_EQ(m.vertMargin, 13);     // 8 * 13 / 8
    EXPECT_EQ(m.horzSpacing, 13);    // 12.5 rounds up
    EXPECT_EQ(m.vertSpacing, 16);    // 16.25
    EXPECT_EQ(m.buttonHeight, 23);   // 22.75
    EXPECT_EQ(m.buttonSpacing, 5);
    EXPECT_EQ(m.buttonWidth, 63);    // 62.5 beats "OK" + 8
}

TEST(MessageDialogLayout, WideCaptionWidensTheButtons) {
    const int captions[] = {15, 70, 30};
    EXPECT_EQ(ComputeDialogMeasures({5, 13}, captions).buttonWidth, 78);
}

// "Error: Cannot save settings!" measured 139 x 13, one OK button, on a
// 1024 x 768 screen, in a frame 6 wider and 25 taller than the client area.
class ErrorDialog : public ::testing::Test {
protected:
    DialogLayoutInput input{.avgChar = {5, 13},
                            .text = {139, 13},
                            .hasIcon = true,
                            .captionWidths = {15},
                            .frame = {6, 25},
                            .screen = {1024, 768}};
};

TEST_F(ErrorDialog, ClientSizeAndCentring) {
    const DialogLayout l = LayoutMessageDialog(input);
    // width: 139 + 13 + 32 + 2 * 10; height: 32 + 23 + 16 + 2 * 13
    EXPECT_EQ(l.client, (Size{204, 97}));
    EXPECT_EQ(l.window, Rect::FromSize(512 - 105, 384 - 61, 210, 122));
}

TEST_F(ErrorDialog, IconMessageAndButtonPlaces) {
    const DialogLayout l = LayoutMessageDialog(input);
    EXPECT_EQ(l.image, Rect::FromSize(10, 13, 32, 32));
    EXPECT_EQ(l.label, Rect::FromSize(55, 13, 139, 13));
    ASSERT_EQ(l.buttons.size(), 1u);
    EXPECT_EQ(l.buttons[0], Rect::FromSize(70, 61, 63, 23));  // (204 - 63) / 2 rounds down
}

TEST_F(ErrorDialog, WithoutIcon) {
    input.hasIcon = false;
    const DialogLayout l = LayoutMessageDialog(input);
    EXPECT_EQ(l.label, Rect::FromSize(10, 13, 139, 13));
    EXPECT_EQ(l.client, (Size{159, 13 + 23 + 16 + 26}));
    EXPECT_EQ(l.buttons[0].top, 13 + 13 + 16);
}

TEST_F(ErrorDialog, ButtonsWiderThanTheMessage) {
    input.text = {20, 40};
    input.captionWidths = {15, 15, 15};
    const DialogLayout l = LayoutMessageDialog(input);
    EXPECT_EQ(l.client.width, 3 * 63 + 2 * 5 + 20);
    ASSERT_EQ(l.buttons.size(), 3u);
    EXPECT_EQ(l.buttons[0].left, 10);
    EXPECT_EQ(l.buttons[1].left, 10 + 63 + 5);
    EXPECT_EQ(l.buttons[2].top, 40 + 13 + 16);  // the text is taller than the icon
}

TEST(MessageDialogLayout, ClampToWorkArea) {
    const Rect work{0, 0, 1024, 738};
    struct Case {
        Rect window, expected;
    };
    const Case cases[] = {
        {Rect::FromSize(407, 323, 210, 122), Rect::FromSize(407, 323, 210, 122)},
        {Rect::FromSize(-20, -5, 210, 122), Rect::FromSize(0, 0, 210, 122)},
        {Rect::FromSize(900, 700, 210, 122), Rect::FromSize(814, 616, 210, 122)},
        // larger than the work area: the right and bottom edges win
        {Rect::FromSize(-50, 10, 1100, 800), Rect::FromSize(-76, -62, 1100, 800)},
    };
    for (const auto& c : cases) EXPECT_EQ(ClampDialogToWorkArea(c.window, work), c.expected);
}

}  // namespace
}  // namespace swl
