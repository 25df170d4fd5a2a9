#include "markup/markup_links.h"

#include "markup/markup_layout.h"

namespace swl {

std::vector<MarkupLink> FindMarkupLinks(const MarkupRender& render) {
    std::vector<MarkupLink> links;
    const std::vector<MarkupRun>& runs = render.Runs();
    bool open = false;  // the previous run was a link: the next one may continue it
    for (const MarkupLine& line : render.Lines()) {
        const int bottom = line.top + line.height;
        for (std::size_t r = line.firstRun; r < line.firstRun + line.runCount; ++r) {
            const MarkupRun& run = runs[r];
            if (!run.link) {
                open = false;
                continue;
            }
            if (!open || links.back().href != run.href) {
                links.push_back({r, 0, run.href, {}, {}});
                open = true;
            }
            MarkupLink& link = links.back();
            ++link.runCount;
            link.text += run.text;
            const int raise = static_cast<int>(markup_detail::SuperscriptRaise(run));
            link.rects.push_back({run.x, bottom - run.height - raise, run.x + run.width, bottom - raise});
        }
    }
    for (MarkupLink& link : links) {
        const auto first = link.text.find_first_not_of(u' ');
        const auto last = link.text.find_last_not_of(u' ');
        link.text = first == std::u16string::npos ? std::u16string() : link.text.substr(first, last - first + 1);
    }
    return links;
}

}  // namespace swl
