// Shapes in plain colours, drawn with the DC's own pen and brush (set to the
// colours asked for) so that no GDI object is made per shape; the DC's
// selected pen and brush are put back afterwards.
#pragma once

#include <windows.h>

#include "gdi_handles.h"

namespace swl {

inline void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A rectangle with a one-pixel outline in `pen` filled with `brush`.
inline void DrawSolidRectangle(HDC dc, const RECT& r, COLORREF pen, COLORREF brush) {
    SetDCPenColor(dc, pen);
    SetDCBrushColor(dc, brush);
    ScopedSelect selectPen(dc, GetStockObject(DC_PEN));
    ScopedSelect selectBrush(dc, GetStockObject(DC_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

// The one-pixel outline alone; what is inside is left as it is.
inline void FrameSolid(HDC dc, const RECT& r, COLORREF pen) {
    SetDCPenColor(dc, pen);
    ScopedSelect selectPen(dc, GetStockObject(DC_PEN));
    ScopedSelect selectBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

}  // namespace swl
