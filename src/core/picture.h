// A picture held by a clipboard item. On Windows it is a device-dependent
// bitmap compatible with the display; the core and its tests use an
// in-memory picture.
#pragma once

#include <memory>

namespace swl {

class Picture {
public:
    virtual ~Picture() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // A new, independent picture of the same size with this one drawn onto
    // it at (0, 0). Returns null when the copy cannot be made (drawing
    // resources exhausted, absurd size).
    virtual std::unique_ptr<Picture> Copy() const = 0;
};

}  // namespace swl
