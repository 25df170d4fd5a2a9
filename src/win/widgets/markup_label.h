// TMarkupLabel: the label of the program's windows. It draws its caption as
// plain text (with the "&" accelerator underline) or, with IsHTML, as markup
// prepared by MarkupRender: bold, superscript, font sizes, line breaks and
// clickable links. It paints over its parent's background (transparent by
// default), sets the hand cursor over links and reports clicks.
//
// A label made a tab stop takes the keyboard focus (by Tab or a click) and
// shows a focus rectangle around its text, or around its focused link when
// its markup has links (Tab and Shift+Tab then go from link to link before
// leaving the label); Space and Enter click it or its focused link. Screen
// readers see a tab-stop label as a link, the links of markup as links
// with their texts, and any other label as static text.
#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "accessible.h"
#include "markup/markup_links.h"
#include "markup/markup_render.h"
#include "widgets/child_window.h"
#include "widgets/gdi_text_measurer.h"

namespace swl {

// Raised when a caption cannot be prepared as markup.
class MarkupError : public std::runtime_error {
public:
    MarkupError() : std::runtime_error("The text is not valid markup") {}
};

class TMarkupLabel : public ChildWindow, private AccessibleSource {
public:
    static constexpr const wchar_t* kClassName = L"TMarkupLabel";

    TMarkupLabel();

    // Creates the label's window; properties set before are applied then.
    bool Create(HWND parent, int x, int y, int width, int height, int id = 0);

    void SetCaption(std::u16string caption);
    const std::u16string& Caption() const { return caption_; }
    void SetIsHTML(bool on);
    bool IsHTML() const { return isHTML_; }
    void SetWordWrap(bool on);
    bool WordWrap() const { return wordWrap_; }
    void SetAutoSize(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAlignment(MarkupAlignment alignment);
    MarkupAlignment Alignment() const { return alignment_; }
    void SetLayout(MarkupLayout layout);
    MarkupLayout Layout() const { return layout_; }
    void SetEndEllipsis(bool on);
    bool EndEllipsis() const { return endEllipsis_; }
    void SetLinkColor(COLORREF color);
    COLORREF LinkColor() const { return linkColor_; }
    void SetLinkStyle(FontStyles style);
    FontStyles LinkStyle() const { return linkStyle_; }
    // The base font; its colour is FontColor.
    void SetFont(const LOGFONTW& font);
    void SetFont(HFONT font);
    const LOGFONTW& Font() const { return font_; }
    void SetFontColor(COLORREF color);
    COLORREF FontColor() const { return fontColor_; }
    // The cursor over the label outside links (the arrow by default).
    void SetCursor(HCURSOR cursor) { cursor_ = cursor; }
    HCURSOR Cursor() const { return cursor_; }
    void SetTransparent(bool on);
    bool Transparent() const { return transparent_; }
    void SetBorderWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetEnabled(bool on);
    bool Enabled() const { return enabled_; }
    // Whether Tab stops at the label (see above).
    void SetTabStop(bool on);
    bool TabStop() const { return tabStop_; }
    // The links of the prepared markup, and the one the keyboard is on (-1
    // for none).
    const std::vector<MarkupLink>& Links() const { return links_; }
    int FocusedLink() const { return focusedLink_; }
    // Moves and sizes the label (client coordinates of the parent).
    void SetBounds(int x, int y, int width, int height);

    // A link was clicked: its target.
    std::function<void(const std::u16string& href)> OnLinkClick;
    // The label was clicked outside any link.
    std::function<void()> OnClick;

    // False when the caption could not be prepared as markup: the label then
    // draws nothing until it is prepared again. The setter that prepared it
    // raises MarkupError; a preparation inside the label's own messages (a
    // wrapped label resized) goes to the error report.
    bool IsMarkupValid() const { return markupValid_; }
    // Markup is measured with `measurer` instead of the label's GDI fonts
    // (it still draws with those); nullptr returns to them.
    void SetMeasurer(TextMeasurer* measurer);
    const MarkupRender& Render() const { return render_; }
    // Where the prepared markup is drawn in the client area.
    MarkupRect TextBlock() const;
    // The caption as text without markup: the runs joined, CR LF for each
    // <br> (the caption itself when it is plain).
    std::u16string PlainText() const;

    // Draws the whole label into dc at client coordinates.
    void PaintTo(HDC dc);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Changed();                 // prepare again, resize, repaint
    bool PrepareMarkup();           // false: not valid markup
    void AdjustBounds();
    SIZE ClientSize() const;
    MarkupFont BaseFont() const;
    UINT PlainFlags() const;
    void DrawPlain(HDC dc, RECT inner);
    void DrawMarkup(HDC dc);
    void PaintBackground(HDC dc, const RECT& client);
    void Click(POINT pt);
    // Space or Enter: the focused link, or the label itself.
    void Activate();
    // Tab inside the label: the next link in that direction; false when
    // the focus leaves the label instead.
    bool HasLinkBeyond(bool backwards) const;
    LRESULT DialogCode(const MSG* msg) const;
    void DrawFocus(HDC dc);
    RECT PlainTextRect(HDC dc);
    void SyncWindowText();

    int AccessibleChildCount() const override;
    bool DescribeAccessible(int child, AccessibleElement& element) const override;
    bool DoAccessibleDefaultAction(int child) override;
    int AccessibleFocus() const override;

    std::u16string caption_;
    bool isHTML_ = false;
    bool wordWrap_ = false;
    bool autoSize_ = true;
    MarkupAlignment alignment_ = MarkupAlignment::Left;
    MarkupLayout layout_ = MarkupLayout::Top;
    bool endEllipsis_ = false;
    COLORREF linkColor_ = RGB(0, 0, 255);
    FontStyles linkStyle_ = kFontUnderline;
    LOGFONTW font_{};
    COLORREF fontColor_ = 0;
    HCURSOR cursor_ = nullptr;
    bool transparent_ = true;
    int borderWidth_ = 0;
    bool enabled_ = true;
    RECT bounds_{};                 // while the window does not exist

    GdiTextMeasurer measurer_;
    TextMeasurer* measureWith_ = nullptr;
    MarkupRender render_;
    bool markupValid_ = true;
    bool adjusting_ = false;        // inside our own resize
    bool pressed_ = false;
    bool tabStop_ = false;
    std::vector<MarkupLink> links_;
    int focusedLink_ = -1;
    AccessibleHost accessible_{*this};
};

// The program's hand cursor for links ("LINKCURSOR" in the module, the
// system's hand when the module has none).
HCURSOR LinkCursor();

}  // namespace swl
