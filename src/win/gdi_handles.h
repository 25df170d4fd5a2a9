// Owning wrappers for the GDI objects and device contexts the front end
// creates: each releases its handle once, when it goes out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace swl {

template <class Handle>
class UniqueGdiObject {
public:
    UniqueGdiObject() = default;
    explicit UniqueGdiObject(Handle h) : h_(h) {}
    UniqueGdiObject(UniqueGdiObject&& other) noexcept : h_(other.release()) {}
    UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueGdiObject(const UniqueGdiObject&) = delete;
    UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;
    ~UniqueGdiObject() { reset(); }

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    Handle release() { return std::exchange(h_, nullptr); }
    void reset(Handle h = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }

private:
    Handle h_ = nullptr;
};

using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniquePalette = UniqueGdiObject<HPALETTE>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;

// The screen's device context, for the lifetime of the object.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// An object (a font, a pen) selected into a DC for a scope; the previous one
// is put back at its end. The object itself belongs to the caller.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A memory DC with one bitmap selected into it; both selections are undone
// and the DC deleted at the end of the scope.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (!dc_) return;
        if (old_) SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }
    // Selects the bitmap; false when it cannot be (it is selected elsewhere
    // or is not compatible with this DC).
    bool Select(HBITMAP bitmap) {
        if (!dc_) return false;
        HGDIOBJ previous = SelectObject(dc_, bitmap);
        if (!previous || previous == HGDI_ERROR) return false;
        if (!old_) old_ = previous;
        return true;
    }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace swl
