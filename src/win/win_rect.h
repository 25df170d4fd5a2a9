// The core's rectangles and the system's RECT, one into the other.
#pragma once

#include <windows.h>

#include "geometry/rect.h"

namespace swl {

inline Rect ToRect(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace swl
