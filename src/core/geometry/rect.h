// Plain screen and client coordinates shared by the window geometry.
// Rectangles follow the platform's convention: the right and bottom
// coordinates are excluded, so Width() = right - left.
#pragma once

namespace swl {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect FromSize(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace swl
