// The links of a prepared markup text, for the keyboard and for screen
// readers: each link is the run of consecutive link runs with one target,
// with its text and the rectangles its runs take.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "markup/markup_render.h"

namespace swl {

struct MarkupLink {
    std::size_t firstRun = 0;   // index into MarkupRender::Runs()
    std::size_t runCount = 0;
    std::u16string href;
    std::u16string text;        // the runs' texts joined, without the edge spaces
    // Where the runs are drawn, relative to the text's top-left corner
    // (one rectangle per run, in reading order).
    std::vector<MarkupRect> rects;
};

// The links in reading order; empty for a text without links.
std::vector<MarkupLink> FindMarkupLinks(const MarkupRender& render);

}  // namespace swl
