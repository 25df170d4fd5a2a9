#include "widgets/bi_progress_bar.h"
#include "wide_text.h"

#include "widgets/offscreen_surface.h"
#include <algorithm>
#include <climits>
#include <utility>

#include "geometry/progress_bar_geometry.h"
#include "geometry/rgb.h"
#include "win_rect.h"

namespace swl {
namespace {

constexpr int kBlockWidth = 8;  // the fill without Smooth: blocks and gaps
constexpr int kBlockGap = 2;
constexpr UINT kTextFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

int Length(const std::u16string& s) { return static_cast<int>(std::min<std::size_t>(s.size(), INT_MAX)); }

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    // ExtTextOut with ETO_OPAQUE fills without creating a brush.
    const COLORREF old = SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

}  // namespace

TBiProgressBar::TBiProgressBar() = default;

bool TBiProgressBar::Create(HWND parent, int x, int y, int width, int height, int id) {
    RegisterWidgetClass(kClassName);
    const DWORD exStyle = transparent_ ? WS_EX_TRANSPARENT : 0;
    return CreateChild(kClassName, parent, x, y, width, height, WS_CHILD | WS_VISIBLE, exStyle, id);
}

template <class T>
void TBiProgressBar::Change(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    Redraw();
}

void TBiProgressBar::Redraw() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TBiProgressBar::SetMinValue(int value) { Change(minValue_, value); }
void TBiProgressBar::SetScale(int value) { Change(scale_, value); }
void TBiProgressBar::SetLightValue(int value) { Change(lightValue_, value); }
void TBiProgressBar::SetDarkValue(int value) { Change(darkValue_, value); }
void TBiProgressBar::SetLightColor(COLORREF color) { Change(lightColor_, color); }
void TBiProgressBar::SetDarkColor(COLORREF color) { Change(darkColor_, color); }
void TBiProgressBar::SetLightGradient(bool on) { Change(lightGradient_, on); }
void TBiProgressBar::SetDarkGradient(bool on) { Change(darkGradient_, on); }
void TBiProgressBar::SetLightGradientSteps(int steps) { Change(lightSteps_, steps); }
void TBiProgressBar::SetDarkGradientSteps(int steps) { Change(darkSteps_, steps); }
void TBiProgressBar::SetLightButtonStyle(bool on) { Change(lightButton_, on); }
void TBiProgressBar::SetDarkButtonStyle(bool on) { Change(darkButton_, on); }
void TBiProgressBar::SetSmooth(bool on) { Change(smooth_, on); }
void TBiProgressBar::SetBevelStyle(ProgressBevel bevel) { Change(bevel_, bevel); }
void TBiProgressBar::SetLightText(std::u16string text) { Change(lightText_, std::move(text)); }
void TBiProgressBar::SetLightTextColor(COLORREF color) { Change(lightTextColor_, color); }
void TBiProgressBar::SetLightTextFullLine(bool on) { Change(lightFullLine_, on); }
void TBiProgressBar::SetDarkText(std::u16string text) { Change(darkText_, std::move(text)); }
void TBiProgressBar::SetDarkTextColor(COLORREF color) { Change(darkTextColor_, color); }
void TBiProgressBar::SetDarkTextFullLine(bool on) { Change(darkFullLine_, on); }
void TBiProgressBar::SetFont(HFONT font) { Change(font_, font); }

void TBiProgressBar::SetTransparent(bool on) {
    if (transparent_ == on) return;
    transparent_ = on;
    if (Handle()) {
        LONG_PTR ex = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
        ex = on ? (ex | WS_EX_TRANSPARENT) : (ex & ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT));
        SetWindowLongPtrW(Handle(), GWL_EXSTYLE, ex);
    }
    Redraw();
}

void TBiProgressBar::SetColor(COLORREF color) {
    if (!colorIsSystem_ && color_ == color) return;
    colorIsSystem_ = false;
    color_ = color;
    Redraw();
}

COLORREF TBiProgressBar::Color() const {
    return colorIsSystem_ ? GetSysColor(COLOR_WINDOW) : color_;
}

TBiProgressBar::ValueLook TBiProgressBar::Light() const {
    return {lightValue_, lightColor_, lightGradient_, lightSteps_, lightButton_,
            lightText_,  lightTextColor_, lightFullLine_};
}

TBiProgressBar::ValueLook TBiProgressBar::Dark() const {
    return {darkValue_, darkColor_, darkGradient_, darkSteps_, darkButton_,
            darkText_,  darkTextColor_, darkFullLine_};
}

void TBiProgressBar::DrawBackground(HDC dc, const RECT& client) {
    HWND parent = Handle() ? GetParent(Handle()) : nullptr;
    if (!(transparent_ || theme_) || !parent) {
        FillSolid(dc, client, Color());
        return;
    }
    // The parent's class brush first, for parents that do not answer
    // WM_PRINTCLIENT; then whatever the parent draws under the bar.
    auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(parent, GCLP_HBRBACKGROUND));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    PaintParentBackground(Handle(), dc);
}

void TBiProgressBar::DrawFill(HDC dc, const RECT& area, const ValueLook& look) {
    const int width = static_cast<int>(area.right - area.left);
    const int height = static_cast<int>(area.bottom - area.top);
    const int fillWidth = ProgressFillWidth(look.value, minValue_, scale_, width);
    if (fillWidth <= 0 || height <= 0) return;
    RECT fill{area.left, area.top, area.left + fillWidth, area.bottom};

    if (theme_) {
        ThemeApi::Get().DrawBackground(theme_.Get(), dc, PP_CHUNK, 0, fill, &area);
        return;
    }

    const int saved = SaveDC(dc);
    IntersectClipRect(dc, fill.left, fill.top, fill.right, fill.bottom);
    if (!smooth_) {
        // Gaps between the blocks are cut out of the clip, so a gradient
        // runs on behind them as it does in one piece.
        const int right = static_cast<int>(fill.right);
        for (int x = static_cast<int>(fill.left) + kBlockWidth; x < right; x += kBlockWidth + kBlockGap)
            ExcludeClipRect(dc, x, fill.top, std::min(x + kBlockGap, right), fill.bottom);
    }
    if (look.gradient) {
        const Rect r = Rect::FromSize(static_cast<int>(area.left), static_cast<int>(area.top), fillWidth, height);
        for (const GradientBand& band :
             ProgressFillBands(r, RgbFromColorRef(Color()), RgbFromColorRef(look.color), look.steps))
            FillSolid(dc, ToRECT(band.rect), static_cast<COLORREF>(ColorRefFromRgb(band.colour)));
    } else {
        FillSolid(dc, fill, look.color);
    }
    if (look.button) DrawEdge(dc, &fill, EDGE_RAISED, BF_RECT);
    RestoreDC(dc, saved);
}

void TBiProgressBar::DrawValueText(HDC dc, const RECT& area, const ValueLook& look) {
    if (look.text.empty()) return;
    const int width = static_cast<int>(area.right - area.left);
    const int height = static_cast<int>(area.bottom - area.top);
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    RECT measured{0, 0, 0, 0};
    ::DrawTextW(dc, Wide(look.text), Length(look.text), &measured,
                DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int fillWidth = ProgressFillWidth(look.value, minValue_, scale_, width);
    const Rect box = ProgressTextBox(look.fullLine, width, height, fillWidth,
                                     static_cast<int>(measured.right - measured.left),
                                     static_cast<int>(measured.bottom - measured.top));
    RECT r = ToRECT(box);
    OffsetRect(&r, area.left, area.top);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.textColor);
    ::DrawTextW(dc, Wide(look.text), Length(look.text), &r, kTextFlags);
    SelectObject(dc, oldFont);
}

void TBiProgressBar::Compose(HDC dc, int width, int height) {
    const RECT client{0, 0, width, height};
    DrawBackground(dc, client);
    RECT area = client;
    if (theme_) {
        const ThemeApi& api = ThemeApi::Get();
        api.DrawBackground(theme_.Get(), dc, PP_BAR, 0, client);
        area = api.ContentRect(theme_.Get(), dc, PP_BAR, 0, client);
    }
    // The dark value is drawn first; a value of 0 draws no fill at all.
    const ValueLook dark = Dark();
    const ValueLook light = Light();
    if (dark.value > 0) DrawFill(dc, area, dark);
    if (light.value > 0) DrawFill(dc, area, light);
    DrawValueText(dc, area, dark);
    DrawValueText(dc, area, light);
    if (!theme_ && bevel_ != ProgressBevel::None) {
        RECT frame = client;
        DrawEdge(dc, &frame, bevel_ == ProgressBevel::Lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
                 BF_RECT);
    }
}

void TBiProgressBar::PaintTo(HDC target) {
    if (!Handle()) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = static_cast<int>(client.right);
    const int height = static_cast<int>(client.bottom);
    if (width <= 0 || height <= 0) return;
    OffscreenSurface surface(target, width, height);
    if (!surface.Ok()) {
        Compose(target, width, height);
        return;
    }
    Compose(surface.Dc(), width, height);
    BitBlt(target, 0, 0, width, height, surface.Dc(), 0, 0, SRCCOPY);
}

LRESULT TBiProgressBar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            theme_.Refresh(Handle());
            return 0;
        case WM_DESTROY:
            theme_.Close();
            return 0;
        case WM_THEMECHANGED:
            theme_.Refresh(Handle());
            Redraw();
            return 0;
        case WM_SYSCOLORCHANGE:
            Redraw();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            if (dc) {
                try {
                    PaintTo(dc);
                } catch (...) {
                    // Out of memory for the bands: the bar stays as it was.
                }
            }
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            try {
                PaintTo(reinterpret_cast<HDC>(wParam));
            } catch (...) {
            }
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) Redraw();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        default:
            return ChildWindow::HandleMessage(msg, wParam, lParam);
    }
}

}  // namespace swl
