// Markup from arbitrary bytes, read as UTF-16 or Latin-1: parse, wrap, lay
// out, place, list for drawing and hit-test, checking that the result hangs
// together and that measuring stays linear in the length of the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "markup/markup_render.h"

namespace {

// Widths from 0 to 8 per code unit (zero-width characters included), and a
// failure on U+0007 so the error path is exercised too.
class FuzzMeasurer : public swl::TextMeasurer {
public:
    std::size_t measuredUnits = 0;

    int TextWidth(std::u16string_view text, const swl::MarkupFont& font) override {
        measuredUnits += text.size();
        int width = 0;
        for (char16_t c : text) {
            if (c == 7) throw std::runtime_error("cannot measure");
            width += static_cast<int>((c * 31u + static_cast<unsigned>(std::abs(font.height)) + font.style) % 9);
        }
        return width;
    }
    swl::FontMetrics Metrics(const swl::MarkupFont& font) override {
        const int h = std::abs(font.height);
        return {h + (font.style & swl::kFontBold ? 1 : 0), h / 4};
    }
};

void Check(bool ok) {
    if (!ok) std::abort();
}

void Exercise(std::u16string_view text, int width, bool wrap, swl::MarkupAlignment alignment,
              swl::MarkupLayout layout, int baseHeight, const std::uint8_t* probe, std::size_t probeSize) {
    swl::MarkupRender render;
    swl::MarkupFont base;
    base.name = u"Tahoma";
    base.height = baseHeight;
    render.SetBaseFont(base);
    FuzzMeasurer measurer;
    const swl::MarkupStatus status = render.Prepare(text, measurer, width, wrap);
    // Each character is measured alone at most once per run while wrapping
    // and once more as part of its finished run, wherever wrapping moves it.
    Check(measurer.measuredUnits <= 4 * text.size() + 16);
    if (status != swl::MarkupStatus::Ok) {
        Check(!render.IsValid() && render.Runs().empty() && render.Lines().empty());
        return;
    }
    const auto& runs = render.Runs();
    const auto& lines = render.Lines();
    Check(!lines.empty() && lines[0].kind == swl::MarkupBreak::ParagraphStart);
    std::size_t next = 0;
    int widest = 0;
    for (const auto& line : lines) {
        Check(line.firstRun == next);
        next += line.runCount;
        Check(line.height >= 0 && line.descent >= 0 && line.width >= 0);
        if (line.width > widest) widest = line.width;
    }
    Check(next == runs.size());
    Check(render.TextWidth() == widest && render.TextHeight() >= 0);
    if (!wrap)
        for (const auto& line : lines) Check(line.kind != swl::MarkupBreak::Soft);

    const std::u16string plain = render.PlainText();
    Check(plain.size() <= 2 * text.size() + 2);

    const swl::MarkupRect block = swl::PlaceMarkupBlock(width, width / 3, width % 7, alignment, layout,
                                                        render.TextWidth(), render.TextHeight());
    for (const auto& r : render.DrawList(block, width % 5, width % 11)) Check(!r.text.empty() && r.font != nullptr);
    for (std::size_t i = 0; i + 1 < probeSize && i < 16; i += 2) {
        const int x = block.left + probe[i] - 8;
        const int y = block.top + probe[i + 1] - 8;
        const swl::MarkupHit hit = render.HitTest(block, x, y);
        Check(hit.run < static_cast<std::ptrdiff_t>(runs.size()));
        if (hit.run >= 0) Check(hit.link == runs[static_cast<std::size_t>(hit.run)].link);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::uint8_t flags = data[0];
    const int width = static_cast<std::int16_t>(data[1] | (data[2] << 8));
    const int baseHeight = static_cast<std::int8_t>(data[3]);
    const bool wrap = flags & 1;
    const bool latin1 = flags & 2;
    const auto alignment = static_cast<swl::MarkupAlignment>(((flags >> 2) & 3) % 3);
    const auto layout = static_cast<swl::MarkupLayout>(((flags >> 4) & 3) % 3);
    data += 4;
    size -= 4;

    std::u16string text;
    if (latin1) {
        text.assign(data, data + size);
    } else {
        for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    Exercise(text, width, wrap, alignment, layout, baseHeight, data, size);
    return 0;
}
