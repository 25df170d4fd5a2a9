// TBiProgressBar: a gauge that shows two values at once, a dark one and a
// light one, each filling from the left edge with its own colour, gradient
// and text. The main window's count bar uses the light value only: the
// number of recorded items out of 24, with "5/24" centred over the bar.
// The whole bar is composed off-screen and copied to the window in one piece.
#pragma once

#include <windows.h>

#include <string>

#include "widgets/child_window.h"
#include "widgets/theme_api.h"

namespace swl {

enum class ProgressBevel { None, Lowered, Raised };

class TBiProgressBar : public ChildWindow {
public:
    static constexpr const wchar_t* kClassName = L"TBiProgressBar";

    TBiProgressBar();

    // Creates the window; properties set before are applied then. The size
    // defaults to 100 x 21.
    bool Create(HWND parent, int x, int y, int width = 100, int height = 21, int id = 0);

    // Every setter redraws the bar when the value changes and does nothing
    // when it is set to the value it already has.
    void SetMinValue(int value);
    int MinValue() const { return minValue_; }
    void SetScale(int value);
    int Scale() const { return scale_; }
    void SetLightValue(int value);
    int LightValue() const { return lightValue_; }
    void SetDarkValue(int value);
    int DarkValue() const { return darkValue_; }
    // Stored only; it does not change the drawing.
    void SetAdditive(bool on) { additive_ = on; }
    bool Additive() const { return additive_; }

    void SetLightColor(COLORREF color);
    COLORREF LightColor() const { return lightColor_; }
    void SetDarkColor(COLORREF color);
    COLORREF DarkColor() const { return darkColor_; }
    void SetLightGradient(bool on);
    bool LightGradient() const { return lightGradient_; }
    void SetDarkGradient(bool on);
    bool DarkGradient() const { return darkGradient_; }
    void SetLightGradientSteps(int steps);
    int LightGradientSteps() const { return lightSteps_; }
    void SetDarkGradientSteps(int steps);
    int DarkGradientSteps() const { return darkSteps_; }
    void SetLightButtonStyle(bool on);
    bool LightButtonStyle() const { return lightButton_; }
    void SetDarkButtonStyle(bool on);
    bool DarkButtonStyle() const { return darkButton_; }

    // One continuous fill; off: 8-pixel blocks with 2-pixel gaps.
    void SetSmooth(bool on);
    bool Smooth() const { return smooth_; }
    // Shows what lies behind the bar where it is not filled; the window
    // then carries WS_EX_TRANSPARENT.
    void SetTransparent(bool on);
    bool Transparent() const { return transparent_; }
    // Background when not transparent and the start colour of the gradients;
    // the window colour (COLOR_WINDOW, followed when it changes) until set.
    void SetColor(COLORREF color);
    COLORREF Color() const;
    void SetBevelStyle(ProgressBevel bevel);
    ProgressBevel BevelStyle() const { return bevel_; }

    void SetLightText(std::u16string text);
    const std::u16string& LightText() const { return lightText_; }
    void SetLightTextColor(COLORREF color);
    COLORREF LightTextColor() const { return lightTextColor_; }
    // Centre the light text over the whole bar instead of over its fill.
    void SetLightTextFullLine(bool on);
    bool LightTextFullLine() const { return lightFullLine_; }
    void SetDarkText(std::u16string text);
    const std::u16string& DarkText() const { return darkText_; }
    void SetDarkTextColor(COLORREF color);
    COLORREF DarkTextColor() const { return darkTextColor_; }
    void SetDarkTextFullLine(bool on);
    bool DarkTextFullLine() const { return darkFullLine_; }

    // The font of the texts (not owned; WM_SETFONT does the same). Until one
    // is set the bar draws with the system's GUI font.
    void SetFont(HFONT font);
    HFONT Font() const { return font_; }

    // Composes the bar and copies it into dc at client coordinates.
    void PaintTo(HDC dc);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct ValueLook {
        int value;
        COLORREF color;
        bool gradient;
        int steps;
        bool button;
        const std::u16string& text;
        COLORREF textColor;
        bool fullLine;
    };

    template <class T>
    void Change(T& field, T value);
    void Redraw();
    ValueLook Light() const;
    ValueLook Dark() const;
    void Compose(HDC dc, int width, int height);
    void DrawBackground(HDC dc, const RECT& client);
    void DrawFill(HDC dc, const RECT& area, const ValueLook& look);
    void DrawValueText(HDC dc, const RECT& area, const ValueLook& look);

    int minValue_ = 0;
    int scale_ = 100;
    int lightValue_ = 0;
    int darkValue_ = 0;
    bool additive_ = false;
    COLORREF lightColor_ = RGB(255, 0, 0);
    COLORREF darkColor_ = RGB(128, 0, 0);
    bool lightGradient_ = false;
    bool darkGradient_ = false;
    int lightSteps_ = 64;
    int darkSteps_ = 64;
    bool lightButton_ = false;
    bool darkButton_ = false;
    bool smooth_ = false;
    bool transparent_ = false;
    bool colorIsSystem_ = true;
    COLORREF color_ = 0;
    ProgressBevel bevel_ = ProgressBevel::None;
    std::u16string lightText_;
    COLORREF lightTextColor_ = RGB(0, 0, 0);
    bool lightFullLine_ = false;
    std::u16string darkText_;
    COLORREF darkTextColor_ = RGB(0, 0, 0);
    bool darkFullLine_ = false;
    HFONT font_ = nullptr;

    WindowTheme theme_{L"PROGRESS"};
};

}  // namespace swl
