#include "widgets/gdi_text_measurer.h"

#include <algorithm>
#include <climits>

namespace swl {
namespace {

// Markup can ask for many sizes and styles; GDI objects are a limited
// resource, so past this many fonts the cache starts afresh.
constexpr std::size_t kMaxCachedFonts = 64;

// GetTextExtentPoint32W takes an int count; longer texts are measured in pieces.
constexpr std::size_t kMeasureChunk = 1u << 16;

MarkupFont KeyOf(const MarkupFont& font) {
    MarkupFont key = font;
    key.color = 0;
    return key;
}

}  // namespace

LOGFONTW LogFontFromMarkupFont(const MarkupFont& font) {
    LOGFONTW lf{};
    lf.lfHeight = font.height;
    lf.lfWeight = (font.style & kFontBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.style & kFontItalic) ? TRUE : FALSE;
    lf.lfUnderline = (font.style & kFontUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (font.style & kFontStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = font.charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t n = std::min<std::size_t>(font.name.size(), LF_FACESIZE - 1);
    for (std::size_t i = 0; i < n; ++i) lf.lfFaceName[i] = static_cast<wchar_t>(font.name[i]);
    lf.lfFaceName[n] = 0;
    return lf;
}

MarkupFont MarkupFontFromLogFont(const LOGFONTW& lf, COLORREF color) {
    MarkupFont font;
    std::size_t n = 0;
    while (n < LF_FACESIZE && lf.lfFaceName[n]) ++n;
    font.name.assign(reinterpret_cast<const char16_t*>(lf.lfFaceName), n);
    font.height = lf.lfHeight;
    font.style = (lf.lfWeight >= FW_BOLD ? kFontBold : 0u) | (lf.lfItalic ? kFontItalic : 0u) |
                 (lf.lfUnderline ? kFontUnderline : 0u) | (lf.lfStrikeOut ? kFontStrikeOut : 0u);
    font.color = color;
    font.charset = lf.lfCharSet;
    return font;
}

LOGFONTW DefaultInterfaceFont(bool bold) { return InterfaceFont(8, bold); }

LOGFONTW InterfaceFont(int points, bool bold) {
    MarkupFont font;
    font.name = u"Tahoma";
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    font.height = -MulDiv(points, dpi, 72);
    font.style = bold ? kFontBold : 0u;
    font.charset = DEFAULT_CHARSET;
    return LogFontFromMarkupFont(font);
}

void DrawMeasuredText(HDC dc, int x, int y, std::u16string_view text) {
    long long pen = x;
    for (std::size_t pos = 0; pos < text.size(); pos += kMeasureChunk) {
        const std::size_t n = std::min(kMeasureChunk, text.size() - pos);
        const auto* chars = reinterpret_cast<const wchar_t*>(text.data() + pos);
        std::vector<INT> ends(n);
        std::vector<INT> advances(n);
        SIZE size{};
        const bool measured =
            GetTextExtentExPointW(dc, chars, static_cast<int>(n), 0, nullptr, ends.data(), &size) != 0;
        for (std::size_t i = 0; i < n; ++i) advances[i] = measured ? ends[i] - (i ? ends[i - 1] : 0) : 0;
        const int left = static_cast<int>(std::clamp<long long>(pen, INT_MIN, INT_MAX));
        ExtTextOutW(dc, left, y, 0, nullptr, chars, static_cast<UINT>(n), measured ? advances.data() : nullptr);
        pen += measured ? size.cx : 0;
    }
}

GdiTextMeasurer::GdiTextMeasurer() : dc_(CreateCompatibleDC(nullptr)) {}

GdiTextMeasurer::~GdiTextMeasurer() {
    DeleteFonts();
    if (dc_) DeleteDC(dc_);
}

void GdiTextMeasurer::DeleteFonts() {
    // No cached font is left selected anywhere (see Font), so each can go.
    for (Entry& e : fonts_)
        if (e.font) DeleteObject(e.font);
    fonts_.clear();
    last_ = 0;
}

GdiTextMeasurer::Entry& GdiTextMeasurer::Find(const MarkupFont& font) {
    const MarkupFont key = KeyOf(font);
    if (last_ < fonts_.size() && fonts_[last_].key == key) return fonts_[last_];
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i].key == key) {
            last_ = i;
            return fonts_[i];
        }
    }
    if (fonts_.size() >= kMaxCachedFonts) DeleteFonts();
    const LOGFONTW lf = LogFontFromMarkupFont(key);
    Entry entry;
    entry.key = key;
    entry.font = CreateFontIndirectW(&lf);
    fonts_.push_back(std::move(entry));
    last_ = fonts_.size() - 1;
    return fonts_.back();
}

HFONT GdiTextMeasurer::Font(const MarkupFont& font) {
    HFONT f = Find(font).font;
    return f ? f : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int GdiTextMeasurer::TextWidth(std::u16string_view text, const MarkupFont& font) {
    if (text.empty() || !dc_) return 0;
    HGDIOBJ old = SelectObject(dc_, Font(font));
    long long width = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += kMeasureChunk) {
        const std::size_t n = std::min(kMeasureChunk, text.size() - pos);
        SIZE size{};
        if (GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data() + pos),
                                  static_cast<int>(n), &size))
            width += size.cx;
    }
    SelectObject(dc_, old);
    return static_cast<int>(std::clamp<long long>(width, 0, INT_MAX));
}

FontMetrics GdiTextMeasurer::Metrics(const MarkupFont& font) {
    Entry& entry = Find(font);
    if (!entry.haveMetrics && dc_) {
        HGDIOBJ old = SelectObject(dc_, entry.font ? entry.font : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW tm{};
        if (GetTextMetricsW(dc_, &tm)) entry.metrics = {static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmDescent)};
        SelectObject(dc_, old);
        entry.haveMetrics = true;
    }
    return entry.metrics;
}

}  // namespace swl
