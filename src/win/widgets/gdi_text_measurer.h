// Text measuring for the markup renderer with the real GDI fonts, and the
// font objects the labels draw with (the same ones they were measured in).
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "markup/markup_font.h"
#include "markup/text_measurer.h"

namespace swl {

// The LOGFONT a markup font stands for, and back (colour kept apart).
LOGFONTW LogFontFromMarkupFont(const MarkupFont& font);
MarkupFont MarkupFontFromLogFont(const LOGFONTW& logFont, COLORREF color);

// Tahoma at `points` and the screen's vertical resolution: the program's
// interface font; 8 pt is its default size.
LOGFONTW InterfaceFont(int points, bool bold = false);
LOGFONTW DefaultInterfaceFont(bool bold = false);

// Draws `text` with the font selected in dc, each character advanced by the
// width GetTextExtentExPointW reports for it, so the drawn text covers exactly
// the width it was measured at (some fonts draw narrower than they measure
// when left to their own advances). x and y follow the DC's text alignment.
void DrawMeasuredText(HDC dc, int x, int y, std::u16string_view text);

class GdiTextMeasurer final : public TextMeasurer {
public:
    GdiTextMeasurer();
    ~GdiTextMeasurer() override;
    GdiTextMeasurer(const GdiTextMeasurer&) = delete;
    GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;

    // GetTextExtentPoint32W: no accelerator processing, no extra pixel.
    int TextWidth(std::u16string_view text, const MarkupFont& font) override;
    // tmHeight and tmDescent from GetTextMetricsW.
    FontMetrics Metrics(const MarkupFont& font) override;

    // The GDI font for `font` (its colour plays no part), owned here. It stays
    // valid until the next call that has to create a font, so a caller selects
    // it, draws, and selects the previous font back before asking again.
    HFONT Font(const MarkupFont& font);

private:
    struct Entry {
        MarkupFont key;  // colour cleared
        HFONT font = nullptr;
        FontMetrics metrics;
        bool haveMetrics = false;
    };
    Entry& Find(const MarkupFont& font);
    void DeleteFonts();

    HDC dc_ = nullptr;
    std::vector<Entry> fonts_;
    std::size_t last_ = 0;
};

}  // namespace swl
