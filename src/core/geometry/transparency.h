// The main window's alpha state for a transparency percentage from the
// settings track bar.
#pragma once

#include <string>

namespace swl {

struct AlphaState {
    int blend = 255;       // 255 opaque; 155 at full transparency
    bool layered = false;  // the window is layered only when transparent at all
    friend bool operator==(const AlphaState&, const AlphaState&) = default;
};

// p is clamped to 0..100 first (the saved position comes from the settings file).
AlphaState AlphaForTransparency(int percent);

// The track bar's tooltip: the position followed by "%", e.g. "40%".
std::u16string TransparencyTooltip(int percent);

}  // namespace swl
