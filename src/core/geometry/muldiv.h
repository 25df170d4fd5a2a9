// MulDiv as the platform computes it: a * b / c with a 64-bit intermediate,
// rounded to the nearest integer, halves away from zero. Returns -1 when c is
// 0 or the result does not fit in an int (the platform's failure value, which
// callers cannot tell apart from a genuine -1). The widget geometry relies on
// exactly this rounding (gauge widths, gradient bands, dialog measures).
#pragma once

namespace swl {

int MulDiv(int a, int b, int c);

}  // namespace swl
