// TExplorerBarGroup: a panel of an explorer bar with a caption strip at its
// top. The strip's minimise button collapses the group to the strip and
// expands it again; the bar then re-stacks, so the groups below move up or
// down. The body paints a vertical colour gradient behind its contents.
//
// The caption strip is a child window of its own, the group's first tab
// stop: it shows a focus rectangle around its text, Space collapses or
// expands the group, and a strip without a minimise button hands the focus
// on. The group's controls (the links) are children of the group window,
// positioned relative to the group's top-left corner.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include <vector>

#include "accessible.h"
#include "geometry/caption_strip_geometry.h"
#include "machines/group_collapse.h"
#include "markup/markup_render.h"
#include "widgets/child_window.h"
#include "widgets/gdi_text_measurer.h"
#include "widgets/theme_api.h"

namespace swl {

class TExplorerBar;

// The caption strip's settings.
struct TPanelCaptionSettings {
    std::u16string text;           // markup, drawn by the markup renderer
    bool visible = true;           // whether the strip exists
    int height = 19;               // requested strip height
    int buttonWidth = 15;          // side of the square caption buttons
    bool showMinButton = true;
    bool showCloseButton = true;   // a group turns it off when it is made
    bool flatButtons = true;       // no frame until the pointer is over a button
    bool flatAlways = false;       // one-pixel frames on the buttons
    COLORREF buttonColor = GetSysColor(COLOR_BTNFACE);
    COLORREF color = GetSysColor(COLOR_BTNFACE);  // the strip's background
    LOGFONTW font = DefaultInterfaceFont();
    COLORREF fontColor = GetSysColor(COLOR_WINDOWTEXT);
    MarkupAlignment alignment = MarkupAlignment::Center;
    MarkupLayout layout = MarkupLayout::Center;
    bool autoSize = false;         // derive `height` from the font
    bool invertMinButtonArrows = false;
    bool showCheckBox = false;     // a 13 x 13 check box at the strip's left
};

enum class GroupBackground { Color, VerticalGradient };

class TExplorerBarGroup : public ChildWindow {
public:
    static constexpr const wchar_t* kClassName = L"TExplorerBarGroup";
    static constexpr const wchar_t* kCaptionClassName = L"TExplorerBarCaption";

    TExplorerBarGroup();
    ~TExplorerBarGroup() override;

    // Creates the group's window inside the bar and adds it to the bar,
    // which stacks it by its top.
    bool Create(TExplorerBar& bar, int x, int y, int width, int height, int id = 0);

    void SetCaptionSettings(const TPanelCaptionSettings& settings);
    const TPanelCaptionSettings& CaptionSettings() const { return caption_; }
    // Only the text: the language switch re-captions the groups.
    void SetCaptionText(std::u16string text);

    // The minimise button's picture: two glyphs side by side, the left one
    // shown while expanded, the right one while collapsed; the colour of its
    // bottom-left pixel is transparent. Copied; null restores the built-in
    // 7 x 5 arrows.
    void SetMinButtonGlyph(HBITMAP picture);
    // The same from a bitmap resource; false when the module has none.
    bool LoadMinButtonGlyph(HINSTANCE module, const wchar_t* name);

    // Collapses (true) or expands (false) the group. Nothing happens when it
    // is already so, or when expanding a group without a caption strip.
    void SetMinimized(bool minimized);
    bool Minimized() const { return collapse_.Minimized(); }
    // The height an expanded group returns to.
    int ExpandedHeight() const { return collapse_.ExpandedHeight(); }
    void SetExpandedHeight(int height);
    // The strip height: the requested height, at least a button and a pixel
    // above and below it.
    int CaptionHeight() const;

    void SetBackgroundType(GroupBackground type);
    GroupBackground BackgroundType() const { return background_; }
    void SetGradientStartColor(COLORREF color);
    COLORREF GradientStartColor() const { return gradientStart_; }
    void SetGradientEndColor(COLORREF color);
    COLORREF GradientEndColor() const { return gradientEnd_; }
    void SetGradientSteps(int steps);
    int GradientSteps() const { return gradientSteps_; }
    void SetColor(COLORREF color);
    COLORREF Color() const { return color_; }
    // Off: the group and its contents ignore mouse and keyboard; the texts
    // are drawn as usual.
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    // Kept with the group; no effect on drawing or behaviour.
    void SetLocked(bool locked) { locked_ = locked; }
    bool Locked() const { return locked_; }
    void SetUseXPThemes(bool on);
    bool UseXPThemes() const { return useXPThemes_; }
    // The state of the strip's check box (see TPanelCaptionSettings).
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

    // True while the group paints with the system's visual styles.
    bool Themed() const;
    HWND CaptionHandle() const { return strip_.Handle(); }
    // Whether the group takes room in the bar (not hidden).
    bool Shown() const { return shown_; }
    TExplorerBar* Bar() const { return bar_; }

    // Events. A click on the caption strip (not on a button) is a click of
    // the group; it does not collapse the group.
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void()> OnMinimize;  // after collapsing
    std::function<void()> OnRestore;   // after expanding
    std::function<void()> OnClose;     // the close button hid the group
    std::function<void()> OnCheckClick;

    // Paints the body and the strip into dc at the group's client
    // coordinates: what a transparent child sees behind it.
    void PaintTo(HDC dc);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    friend class TExplorerBar;

    enum class Button { None, Min, Close, Check };

    // The strip's own window; its messages go to the group.
    // Screen readers see it as an outline button, expanded or collapsed.
    class CaptionStrip : public ChildWindow, private AccessibleSource {
    public:
        explicit CaptionStrip(TExplorerBarGroup& group) : group_(group) {}
        LRESULT AnswerAccessible(WPARAM wParam, LPARAM lParam) { return accessible_.Answer(Handle(), wParam, lParam); }

    protected:
        LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        bool DescribeAccessible(int child, AccessibleElement& element) const override;
        bool DoAccessibleDefaultAction(int child) override;
        int AccessibleFocus() const override;

        TExplorerBarGroup& group_;
        AccessibleHost accessible_{*this};
    };

    class Glyph {
    public:
        Glyph() = default;
        ~Glyph() { Reset(nullptr); }
        Glyph(const Glyph&) = delete;
        Glyph& operator=(const Glyph&) = delete;
        // Takes the bitmap over. Its transparent colour is the one given, or
        // else the colour of its bottom-left pixel.
        void Reset(HBITMAP bitmap, std::optional<COLORREF> transparent = std::nullopt);
        HBITMAP Get() const { return bitmap_; }
        SIZE Size() const { return size_; }
        COLORREF Transparent() const { return transparent_; }

    private:
        HBITMAP bitmap_ = nullptr;
        SIZE size_{};
        COLORREF transparent_ = 0;
    };

    LRESULT StripMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void DetachFromBar() { bar_ = nullptr; }

    int ButtonSide() const;
    int CollapsedHeight() const;
    int CurrentHeight() const;
    void ApplyHeight(int height);
    void CaptionChanged();   // strip size, text layout, repaint
    void PlaceStrip();
    void PrepareCaption();
    void UpdateAutoSize();
    void InvalidateStrip();
    CaptionStripLayout Layout() const;
    Button ButtonAt(POINT pt) const;
    void PressButton(Button button);
    void PassFocusOn();
    void LeaveCollapsed();
    // A collapsed group hides its contents, so that neither Tab nor a
    // screen reader finds what cannot be seen; expanding shows them again.
    void HideContents();
    void ShowContents();
    void Raise(const std::function<void()>& handler);

    void PaintBody(HDC dc, const RECT& client);
    void PaintStrip(HDC dc);
    void PaintCaptionText(HDC dc, const RECT& area);
    void PaintButton(HDC dc, Button button, const RECT& rect);

    TPanelCaptionSettings caption_;
    GroupCollapse collapse_;
    GroupBackground background_ = GroupBackground::Color;
    COLORREF gradientStart_ = RGB(255, 255, 255);
    COLORREF gradientEnd_ = RGB(255, 255, 255);
    int gradientSteps_ = 16;
    COLORREF color_ = GetSysColor(COLOR_BTNFACE);
    bool enabled_ = true;
    bool locked_ = false;
    bool useXPThemes_ = true;
    bool checked_ = false;

    TExplorerBar* bar_ = nullptr;
    int pendingHeight_ = 0;        // the height while there is no window
    bool applyingHeight_ = false;  // inside our own collapse or expand
    int lastHeight_ = 0;           // to tell a resize from a move
    // Shown or hidden, as last asked: ShowWindow under a hidden parent only
    // flips the style (no WM_WINDOWPOSCHANGED), and WM_SHOWWINDOW comes
    // before the flip, so the bar asks this instead of the style.
    bool shown_ = true;

    Button hot_ = Button::None;
    Button pressed_ = Button::None;
    bool pressedInside_ = false;
    bool stripClick_ = false;      // the left button went down on the strip
    bool tracking_ = false;        // TrackMouseEvent is on

    std::vector<HWND> hiddenContents_;
    CaptionStrip strip_{*this};
    Glyph minGlyph_;
    Glyph closeGlyph_;
    GdiTextMeasurer measurer_;
    MarkupRender render_;
    bool captionValid_ = false;
    WindowTheme theme_{L"EXPLORERBAR"};
};

}  // namespace swl
