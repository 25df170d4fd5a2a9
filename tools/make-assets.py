#!/usr/bin/env python3
"""Draws Stashwell's pictures and writes them, with their resource script.

Every picture the program shows (the application, tray and About icons, the
history list's item images, the link hand cursor and the explorer-bar
minimise glyph) is drawn here from simple shapes: rectangles, rounded
rectangles, polygons, ellipses and thick lines, rasterised with a little
supersampling for smooth edges. Only the standard library is used.

To regenerate the files, run

    python3 tools/make-assets.py

from any directory. It rewrites res/SWL.ico, res/tray.ico, res/about.ico,
res/items32.bmp, res/items48.bmp, res/link.cur, res/mingrip.bmp,
res/assets.rc and src/win/resource_ids.h. The output is the same, byte for
byte, on every run, so a regenerated tree shows no spurious changes.
"""

import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "res")
WIN = os.path.join(ROOT, "src", "win")

MAGENTA = (255, 0, 255)   # key colour of the masked bitmaps
WHITE = (255, 255, 255)   # the list's window colour behind the item images


# --------------------------------------------------------------------------
# Shapes. Coordinates are in pixels; pixel (i, j) covers [i, i+1) x [j, j+1).

class Rect:
    """Axis-aligned rectangle; its coverage is computed exactly."""

    def __init__(self, x0, y0, x1, y1):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1

    def bbox(self):
        return self.x0, self.y0, self.x1, self.y1

    def inside(self, x, y):
        return self.x0 <= x < self.x1 and self.y0 <= y < self.y1

    def coverage(self, i, j, ss):
        w = min(i + 1, self.x1) - max(i, self.x0)
        h = min(j + 1, self.y1) - max(j, self.y0)
        return max(w, 0.0) * max(h, 0.0)


class RoundRect:
    def __init__(self, x0, y0, x1, y1, r):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.r = min(r, (x1 - x0) / 2, (y1 - y0) / 2)

    def bbox(self):
        return self.x0, self.y0, self.x1, self.y1

    def inside(self, x, y):
        if not (self.x0 <= x < self.x1 and self.y0 <= y < self.y1):
            return False
        r = self.r
        cx = min(max(x, self.x0 + r), self.x1 - r)
        cy = min(max(y, self.y0 + r), self.y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Ellipse:
    def __init__(self, cx, cy, rx, ry=None):
        self.cx, self.cy, self.rx = cx, cy, rx
        self.ry = rx if ry is None else ry

    def bbox(self):
        return (self.cx - self.rx, self.cy - self.ry,
                self.cx + self.rx, self.cy + self.ry)

    def inside(self, x, y):
        dx = (x - self.cx) / self.rx
        dy = (y - self.cy) / self.ry
        return dx * dx + dy * dy <= 1.0


class Polygon:
    """Simple polygon, even-odd rule."""

    def __init__(self, pts):
        self.pts = list(pts)

    def bbox(self):
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        return min(xs), min(ys), max(xs), max(ys)

    def inside(self, x, y):
        inside = False
        pts = self.pts
        n = len(pts)
        for k in range(n):
            x0, y0 = pts[k]
            x1, y1 = pts[(k + 1) % n]
            if (y0 > y) != (y1 > y):
                if x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                    inside = not inside
        return inside


class Stroke:
    """A polyline of the given width with round joins and ends."""

    def __init__(self, pts, width):
        self.pts = list(pts)
        self.hw = width / 2.0

    def bbox(self):
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        return (min(xs) - self.hw, min(ys) - self.hw,
                max(xs) + self.hw, max(ys) + self.hw)

    def inside(self, x, y):
        hw2 = self.hw * self.hw
        for (ax, ay), (bx, by) in zip(self.pts, self.pts[1:]):
            dx, dy = bx - ax, by - ay
            ll = dx * dx + dy * dy
            t = 0.0 if ll == 0 else ((x - ax) * dx + (y - ay) * dy) / ll
            t = min(max(t, 0.0), 1.0)
            ex, ey = ax + t * dx - x, ay + t * dy - y
            if ex * ex + ey * ey <= hw2:
                return True
        return False


class Minus:
    """The points of one shape that are not in another."""

    def __init__(self, a, b):
        self.a, self.b = a, b

    def bbox(self):
        return self.a.bbox()

    def inside(self, x, y):
        return self.a.inside(x, y) and not self.b.inside(x, y)


def bezier(p0, p1, p2, steps=12):
    """Points along a quadratic curve, for bent strokes."""
    out = []
    for k in range(steps + 1):
        t = k / steps
        u = 1 - t
        out.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                    u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
    return out


# --------------------------------------------------------------------------
# Canvas: premultiplied RGBA in 0..1.

class Canvas:
    def __init__(self, w, h, ss=4):
        self.w, self.h, self.ss = w, h, ss
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def fill(self, shape, paint, alpha=1.0, aa=True):
        """Paints the shape; paint is an RGB tuple or a function of (x, y)."""
        x0, y0, x1, y1 = shape.bbox()
        i0, j0 = max(int(math.floor(x0)), 0), max(int(math.floor(y0)), 0)
        i1 = min(int(math.ceil(x1)), self.w)
        j1 = min(int(math.ceil(y1)), self.h)
        ss = self.ss if aa else 1
        offs = [(k + 0.5) / ss for k in range(ss)]
        exact = getattr(shape, "coverage", None)
        for j in range(j0, j1):
            for i in range(i0, i1):
                if exact is not None and aa:
                    cov = exact(i, j, ss)
                else:
                    hits = 0
                    for oy in offs:
                        for ox in offs:
                            if shape.inside(i + ox, j + oy):
                                hits += 1
                    cov = hits / (ss * ss)
                if cov <= 0:
                    continue
                rgb = paint(i + 0.5, j + 0.5) if callable(paint) else paint
                self._blend(i, j, rgb, cov * alpha)

    def _blend(self, i, j, rgb, a):
        p = self.px[j * self.w + i]
        k = 1.0 - a
        p[0] = rgb[0] / 255.0 * a + p[0] * k
        p[1] = rgb[1] / 255.0 * a + p[1] * k
        p[2] = rgb[2] / 255.0 * a + p[2] * k
        p[3] = a + p[3] * k

    def rgba(self):
        """Straight-alpha 8-bit pixels, top row first."""
        out = []
        for r, g, b, a in self.px:
            if a <= 1e-6:
                out.append((0, 0, 0, 0))
                continue
            out.append((_byte(r / a), _byte(g / a), _byte(b / a), _byte(a)))
        return out

    def keyed(self, bg=WHITE, key=MAGENTA, threshold=0.5):
        """Opaque pixels over bg; pixels below threshold become the key."""
        out = []
        for r, g, b, a in self.px:
            if a < threshold:
                out.append(key)
                continue
            k = 1.0 - a
            out.append((_byte(r + bg[0] / 255.0 * k),
                        _byte(g + bg[1] / 255.0 * k),
                        _byte(b + bg[2] / 255.0 * k)))
        return out

    def blit(self, other, dx, dy):
        """Copies another canvas in at (dx, dy), replacing what is there."""
        for j in range(other.h):
            for i in range(other.w):
                self.px[(j + dy) * self.w + i + dx] = list(
                    other.px[j * other.w + i])


def _byte(v):
    return max(0, min(255, int(v * 255.0 + 0.5)))


def mix(c0, c1, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(c0[k] + (c1[k] - c0[k]) * t for k in range(3))


def vgrad(c0, c1, y0, y1):
    """Vertical gradient paint from c0 at y0 to c1 at y1."""
    span = (y1 - y0) or 1.0
    return lambda x, y: mix(c0, c1, (y - y0) / span)


def outlined_rrect(cv, x0, y0, x1, y1, r, line, fill, width=1.0):
    cv.fill(RoundRect(x0, y0, x1, y1, r), line)
    cv.fill(RoundRect(x0 + width, y0 + width, x1 - width, y1 - width,
                      max(r - width, 0.0)), fill)


# --------------------------------------------------------------------------
# The emblem: a clipboard holding a sheet of paper.

BOARD_LINE = (98, 56, 20)
BOARD_TOP = (222, 158, 70)
BOARD_BOTTOM = (176, 110, 40)
BOARD_SHADE = (160, 98, 34)
SHEET_LINE = (150, 150, 160)
SHEET_RULE = (58, 104, 200)
CLIP_LINE = (74, 78, 90)
CLIP_LIGHT = (240, 242, 246)
CLIP_DARK = (150, 155, 168)


def emblem(size):
    """The emblem for 32 px and up, on a transparent canvas."""
    s = float(size)
    cv = Canvas(size, size)

    def p(f):
        return float(round(f * s))

    lw = 1.0 if size <= 48 else 2.0
    # A soft shadow under the board for the larger pictures.
    if size >= 48:
        off = s / 40.0
        for grow, a in ((1.5, 0.10), (0.75, 0.14), (0.0, 0.20)):
            cv.fill(RoundRect(p(0.14) + off - grow, p(0.11) + off - grow,
                              p(0.86) + off + grow, p(0.97) + off + grow,
                              p(0.08) + grow), (0, 0, 0), a)

    bx0, by0, bx1, by1 = p(0.13), p(0.10), p(0.87), p(0.96)
    outlined_rrect(cv, bx0, by0, bx1, by1, p(0.08), BOARD_LINE,
                   vgrad(BOARD_TOP, BOARD_BOTTOM, by0, by1), lw)

    # The sheet, with a shade of the board along its right and bottom.
    sx0, sy0, sx1, sy1 = p(0.24), p(0.19), p(0.76), p(0.87)
    sh = max(1.0, p(0.03))
    cv.fill(Rect(sx0 + sh, sy0 + sh, sx1 + sh, sy1 + sh), BOARD_SHADE)
    cv.fill(Rect(sx0, sy0, sx1, sy1), SHEET_LINE)
    cv.fill(Rect(sx0 + 1, sy0 + 1, sx1 - 1, sy1 - 1),
            vgrad((255, 255, 255), (238, 240, 246), sy0, sy1))
    rule = max(1.0, p(0.025))
    lx0, lx1 = p(0.31), p(0.69)
    ys = [0.36, 0.46, 0.56, 0.66, 0.76]
    for k, f in enumerate(ys):
        right = lx1 if k < len(ys) - 1 else p(0.55)
        cv.fill(Rect(lx0, p(f), right, p(f) + rule), SHEET_RULE)

    # The clip: a plate across the top of the sheet and a loop above it.
    cx0, cy0, cx1, cy1 = p(0.33), p(0.12), p(0.67), p(0.25)
    lpx0, lpy0, lpx1, lpy1 = p(0.41), p(0.02), p(0.59), p(0.18)
    loop = RoundRect(lpx0, lpy0, lpx1, lpy1, p(0.07))
    hole = RoundRect(lpx0 + p(0.05), lpy0 + p(0.04), lpx1 - p(0.05),
                     lpy1, p(0.03))
    cv.fill(Minus(loop, hole), CLIP_LINE)
    inner = RoundRect(lpx0 + lw, lpy0 + lw, lpx1 - lw, lpy1, p(0.07) - lw)
    hole_out = RoundRect(hole.x0 - lw, hole.y0 - lw, hole.x1 + lw,
                         hole.y1 + lw, hole.r + lw)
    cv.fill(Minus(inner, hole_out), vgrad(CLIP_LIGHT, CLIP_DARK, lpy0, lpy1))
    outlined_rrect(cv, cx0, cy0, cx1, cy1, p(0.04), CLIP_LINE,
                   vgrad(CLIP_LIGHT, CLIP_DARK, cy0, cy1), lw)
    # A highlight along the plate's top edge.
    cv.fill(Rect(cx0 + p(0.04), cy0 + lw, cx1 - p(0.04), cy0 + lw + 1),
            (255, 255, 255), 0.7)
    return cv


def emblem16():
    """The emblem at 16 px, laid out on whole pixels so it stays crisp."""
    cv = Canvas(16, 16)

    def r(x0, y0, x1, y1, c):   # inclusive pixel coordinates
        cv.fill(Rect(x0, y0, x1 + 1, y1 + 1), c)

    # board: outline with cut corners, amber inside
    r(1, 2, 14, 15, BOARD_LINE)
    r(0, 3, 15, 14, BOARD_LINE)
    r(1, 3, 14, 14, (214, 148, 62))
    # sheet with the board's shade below and to its right
    r(4, 5, 13, 14, BOARD_SHADE)
    r(3, 4, 12, 13, WHITE)
    for y, x1 in ((7, 10), (9, 10), (11, 8)):
        r(5, y, x1, y, SHEET_RULE)
    # clip: a plate with rounded lower corners and a ring on top
    r(4, 2, 11, 4, CLIP_LINE)
    r(5, 5, 10, 5, CLIP_LINE)
    r(5, 3, 10, 3, (226, 228, 234))
    r(5, 4, 10, 4, (170, 174, 184))
    r(7, 0, 8, 0, CLIP_LINE)
    r(6, 1, 6, 1, CLIP_LINE)
    r(9, 1, 9, 1, CLIP_LINE)
    return cv


# --------------------------------------------------------------------------
# The history list's item images: a page, the page with a W, a photograph.

PAGE_LINE = (96, 100, 110)
PAGE_EAR = (214, 218, 226)
TEXT_INK = (70, 74, 84)
W_LINE = (16, 46, 128)
W_TOP = (110, 168, 250)
W_BOTTOM = (28, 86, 210)


def page(cv, s):
    """A dog-eared page; returns the rectangle inside its margins."""
    f = s / 32.0
    x0, y0 = round(5 * f), round(2 * f)
    x1, y1 = s - round(5 * f), s - round(2 * f)
    ear = round(8 * f)
    outline = [(x0, y0), (x1 - ear, y0), (x1, y0 + ear), (x1, y1), (x0, y1)]
    cv.fill(Polygon(outline), PAGE_LINE)
    inner = [(x0 + 1, y0 + 1), (x1 - ear - 0.4, y0 + 1),
             (x1 - 1, y0 + ear + 0.4), (x1 - 1, y1 - 1), (x0 + 1, y1 - 1)]
    cv.fill(Polygon(inner), vgrad(WHITE, (236, 238, 244), y0, y1))
    # the folded corner
    fold = [(x1 - ear, y0), (x1 - ear, y0 + ear), (x1, y0 + ear)]
    cv.fill(Polygon(fold), PAGE_LINE)
    cv.fill(Polygon([(x1 - ear + 1, y0 + 2.4), (x1 - ear + 1, y0 + ear - 1),
                     (x1 - 2.4, y0 + ear - 1)]), PAGE_EAR)
    return x0, y0, x1, y1, ear


# Word lengths of the page's text, in pixels at 32 px; 0 ends a line.
WORDS = [4, 3, 0, 5, 2, 4, 3, 0, 3, 5, 4, 0, 6, 3, 2, 0, 2, 4, 5, 0,
         5, 3, 4, 0, 4, 6, 0, 3, 2, 5, 0]


def text_lines(cv, s, box):
    x0, y0, x1, y1, ear = box
    f = s / 32.0
    lh = 1 if s < 48 else 2            # stroke of one text line
    step = 3 if s < 48 else 4          # distance between lines
    left, right = x0 + round(3 * f), x1 - round(3 * f)
    y = y0 + round(4 * f)
    line = 0
    x = left
    words = iter(WORDS * 2)
    while y + lh <= y1 - round(3 * f):
        # lines beside the folded corner stop short of it
        limit = right if y > y0 + ear + 1 else x1 - ear - 2
        w = next(words)
        if w == 0:
            y += step
            x = left
            line += 1
            continue
        w = round(w * f)
        if x >= limit:
            continue
        cv.fill(Rect(x, y, min(x + w, limit), y + lh), TEXT_INK)
        x += w + max(1, round(f))


def w_emblem(cv, x0, y0, x1, y1):
    """A bold W, blue with a dark edge, filling the given box."""
    u = [(0.00, 0.00), (0.23, 0.00), (0.33, 0.60), (0.42, 0.20),
         (0.58, 0.20), (0.67, 0.60), (0.77, 0.00), (1.00, 0.00),
         (0.79, 1.00), (0.58, 1.00), (0.50, 0.62), (0.42, 1.00),
         (0.21, 1.00)]
    w, h = x1 - x0, y1 - y0
    pts = [(x0 + a * w, y0 + b * h) for a, b in u]
    # a white halo parts the W from the text behind it
    cv.fill(Stroke(pts + pts[:1], 3.0), WHITE)
    cv.fill(Polygon(pts), vgrad(W_TOP, W_BOTTOM, y0, y1))
    cv.fill(Stroke(pts + pts[:1], 1.1), W_LINE)


SKY_TOP = (40, 104, 214)
SKY_LOW = (150, 200, 250)
SEA = (30, 120, 190)
SAND = (236, 206, 128)
TRUNK = (120, 76, 34)
LEAF = (34, 140, 44)
LEAF_DARK = (18, 92, 28)
SUN = (255, 226, 80)


def photo(cv, x0, y0, x1, y1):
    """A small photograph: a palm tree on a beach against a blue sky."""
    w, h = x1 - x0, y1 - y0
    cv.fill(Rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1), (60, 64, 74))
    cv.fill(Rect(x0, y0, x1, y1), vgrad(SKY_TOP, SKY_LOW, y0, y1))

    def p(a, b):
        return x0 + a * w, y0 + b * h

    cv.fill(Ellipse(*p(0.80, 0.22), 0.11 * w), SUN)
    cv.fill(Rect(x0, y0 + round(0.70 * h), x1, y1), SEA)
    cv.fill(Polygon([p(0, 0.80), p(0.55, 0.74), p(1, 0.84), p(1, 1),
                     p(0, 1)]), SAND)
    tw = max(1.6, 0.11 * w)
    trunk = bezier(p(0.46, 0.92), p(0.36, 0.55), p(0.30, 0.30))
    cv.fill(Stroke(trunk, tw), TRUNK)
    top = p(0.30, 0.30)
    fw = max(1.4, 0.10 * w)
    fronds = [((0.04, 0.18), (0.00, 0.45)), ((0.16, 0.04), (-0.02, 0.16)),
              ((0.44, 0.06), (0.60, 0.14)), ((0.60, 0.26), (0.66, 0.50)),
              ((0.34, 0.12), (0.30, 0.04))]
    for (cx, cy), (ex, ey) in fronds:
        pts = bezier(top, p(cx, cy), p(ex, ey), 10)
        cv.fill(Stroke(pts, fw + 1.0), LEAF_DARK)
    for (cx, cy), (ex, ey) in fronds:
        pts = bezier(top, p(cx, cy), p(ex, ey), 10)
        cv.fill(Stroke(pts, fw), LEAF)
    cv.fill(Ellipse(top[0], top[1], fw * 0.8), (96, 60, 26))


def item_images(s):
    """The three item images side by side, as a keyed RGB strip."""
    strip = Canvas(3 * s, s)
    # 0: a page of 8-bit text
    cv = Canvas(s, s)
    text_lines(cv, s, page(cv, s))
    strip.blit(cv, 0, 0)
    # 1: the page with a W in front, for Unicode text
    cv = Canvas(s, s)
    text_lines(cv, s, page(cv, s))
    f = s / 32.0
    w_emblem(cv, round(1.5 * f), round(12 * f), s - round(1.5 * f),
             s - round(3 * f))
    strip.blit(cv, s, 0)
    # 2: a page holding a photograph, for a picture
    cv = Canvas(s, s)
    x0, y0, x1, y1, ear = page(cv, s)
    for k in range(2):
        yy = y0 + round(4 * f) + k * (3 if s < 48 else 4)
        cv.fill(Rect(x0 + round(3 * f), yy,
                     x1 - ear - round((2 + 4 * k) * f),
                     yy + (1 if s < 48 else 2)), TEXT_INK)
    photo(cv, x0 + round(3 * f), y0 + ear + round(3 * f),
          x1 - round(3 * f), y1 - round(3 * f))
    strip.blit(cv, 2 * s, 0)
    return strip.keyed()


# --------------------------------------------------------------------------
# The hand cursor: a hand pointing up with the index finger.

THUMB = [(3.0, 11.5), (7.0, 16.0)]
THUMB_CREASE = []


def hand():
    """Returns (pixels, hotspot); pixels map to 'K' black, 'W' white, None."""
    size = 32
    cells = set()

    def add(shape):
        for j in range(size):
            for i in range(size):
                if shape.inside(i + 0.5, j + 0.5):
                    cells.add((i, j))

    add(RoundRect(6, 0, 10, 15, 2))        # index finger
    add(RoundRect(9, 6, 13, 15, 2))        # middle finger, folded
    add(RoundRect(12, 7, 16, 15, 2))       # ring finger, folded
    add(RoundRect(15, 8, 19, 16, 2))       # little finger, folded
    add(Stroke(THUMB, 3.4))                # thumb
    add(RoundRect(5, 12, 19, 20, 3))       # palm
    add(Polygon([(6, 19), (19, 19), (17, 24), (8, 24)]))  # heel of the hand
    px = {}
    for (i, j) in cells:
        edge = any((i + di, j + dj) not in cells
                   for di, dj in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        px[(i, j)] = "K" if edge else "W"
    # folds between the fingers and the thumb's crease
    for x, y0, y1 in ((9, 6, 13), (12, 7, 13), (15, 8, 13)):
        for y in range(y0, y1 + 1):
            px[(x, y)] = "K"
    for (x, y) in THUMB_CREASE:
        px[(x, y)] = "K"
    top = min(j for (i, j) in cells if 6 <= i <= 9)
    return px, (7, top)


# --------------------------------------------------------------------------
# File formats.

def bitmap_info(w, h, bpp, colours=0, size_image=0):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, size_image,
                       0, 0, colours, 0)


def and_mask(w, h, transparent):
    """1-bit mask rows, bottom-up, each padded to 32 bits."""
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if transparent(x, y):
                row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return bytes(out)


def icon_dib32(w, h, rgba):
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = rgba[y * w + x]
            xor += bytes((b, g, r, a))
    mask = and_mask(w, h, lambda x, y: rgba[y * w + x][3] < 128)
    return (bitmap_info(w, 2 * h, 32, 0, len(xor) + len(mask))
            + bytes(xor) + mask)


def icon_dib8(w, h, rgba):
    """An 8-bit palettised image: index 0 is black, behind the mask."""
    opaque = [(r, g, b) for (r, g, b, a) in rgba if a >= 128]
    palette = [(0, 0, 0)] + quantise(opaque, 255)
    lookup = {}
    stride = (w + 3) & ~3
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            r, g, b, a = rgba[y * w + x]
            if a >= 128:
                c = (r, g, b)
                if c not in lookup:
                    lookup[c] = nearest(palette, c)
                row[x] = lookup[c]
        xor += row
    mask = and_mask(w, h, lambda x, y: rgba[y * w + x][3] < 128)
    pal = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    pal += bytes(4 * (256 - len(palette)))
    return (bitmap_info(w, 2 * h, 8, 256, len(xor) + len(mask))
            + pal + bytes(xor) + mask)


def quantise(colours, limit):
    """At most limit colours standing for the given ones (median cut)."""
    unique = sorted(set(colours))
    if len(unique) <= limit:
        return unique
    boxes = [unique]
    while len(boxes) < limit:
        # split the box with the widest channel range
        best, axis, span = None, 0, -1
        for k, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for c in range(3):
                vals = [p[c] for p in box]
                if max(vals) - min(vals) > span:
                    best, axis, span = k, c, max(vals) - min(vals)
        if best is None:
            break
        box = sorted(boxes[best], key=lambda p: (p[axis], p))
        mid = len(box) // 2
        boxes[best:best + 1] = [box[:mid], box[mid:]]
    out = []
    for box in boxes:
        n = len(box)
        out.append(tuple((sum(p[c] for p in box) + n // 2) // n
                         for c in range(3)))
    return sorted(set(out))


def nearest(palette, c):
    best, dist = 1, None
    for k in range(1, len(palette)):
        p = palette[k]
        d = (p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2 + (p[2] - c[2]) ** 2
        if dist is None or d < dist:
            best, dist = k, d
    return best


def icon_file(images, kind=1):
    """An .ico (kind 1) or .cur (kind 2) holding the given images.

    Each image is (width, height, colours, planes_or_hotspot_x,
    bits_or_hotspot_y, dib).
    """
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for w, h, colours, a, b, dib in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, a, b,
                           len(dib), offset)
        offset += len(dib)
    for image in images:
        out += image[5]
    return out


def bmp24(w, h, rgb):
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = rgb[y * w + x]
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        data += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0,
                       14 + len(info))
    return head + info + bytes(data)


def cursor_file(px, hotspot):
    w = h = 32
    xor = and_mask(w, h, lambda x, y: px.get((x, y)) == "W")
    mask = and_mask(w, h, lambda x, y: (x, y) not in px)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    dib = bitmap_info(w, 2 * h, 1, 2, len(xor) + len(mask)) + palette \
        + xor + mask
    return icon_file([(w, h, 2, hotspot[0], hotspot[1], dib)], kind=2)


# --------------------------------------------------------------------------
# The minimise button glyph: up arrow (expanded) and down arrow (collapsed).

GLYPH_INK = (33, 93, 198)


def min_glyph():
    w, h = 14, 5
    px = [MAGENTA] * (w * h)
    # The up arrow sits on rows 0-3 and the down arrow on rows 1-4, so each
    # looks centred; the bottom-left pixel stays the transparent colour.
    for k in range(4):
        for x in range(3 - k, 4 + k):
            px[k * w + x] = GLYPH_INK
            px[(4 - k) * w + 7 + x] = GLYPH_INK
    return w, h, px


# --------------------------------------------------------------------------
# Resource script and the program's names for the resources.

# (name, type, file, constant); the first icon is the one Explorer shows.
RESOURCES = [
    ("MAINICON", "ICON", "SWL.ico", "MAINICON"),
    ("TRAYICON", "ICON", "tray.ico", "TRAYICON"),
    ("ABOUTICON", "ICON", "about.ico", "ABOUTICON"),
    ("1458", "CURSOR", "link.cur", None),
    ("LINKCURSOR", "CURSOR", "link.cur", "LINKCURSOR"),
    ("ITEMS32", "BITMAP", "items32.bmp", "ITEMS32"),
    ("ITEMS48", "BITMAP", "items48.bmp", "ITEMS48"),
    ("MINGRIP", "BITMAP", "mingrip.bmp", "MINGRIP"),
]
LINK_CURSOR_NUMBER = 1458


def assets_rc():
    lines = ["// Generated assets are listed here by tools/make-assets.py.",
             "// Do not edit: run python3 tools/make-assets.py instead.",
             "// The hand cursor is registered twice, by number "
             "(%d) and by the name" % LINK_CURSOR_NUMBER,
             "// the program loads it with.", ""]
    for name, kind, path, _ in RESOURCES:
        lines.append('%-10s %-6s "%s"' % (name, kind, path))
    return "\n".join(lines) + "\n"


def resource_ids_h(hotspot):
    out = ["// Names of the pictures built into SWL.exe (res/assets.rc).",
           "// Generated by tools/make-assets.py together with the pictures;",
           "// edit the script, not this file.",
           "#pragma once", "",
           "// Resource names, for LoadIcon/LoadCursor/LoadImage (wide: "
           "L\"\" SWL_RES_X).", ""]
    for _, _, _, const in RESOURCES:
        if const:
            out.append('#define SWL_RES_%-11s "%s"' % (const, const))
    out += ["", "// The hand cursor's number, the same picture as "
            "SWL_RES_LINKCURSOR.",
            "#define SWL_RES_LINKCURSOR_ID %d" % LINK_CURSOR_NUMBER, "",
            "namespace swl::res {", "",
            "// The item images of ITEMS32 and ITEMS48, in strip order.",
            "inline constexpr int kItemImage8Bit = 0;",
            "inline constexpr int kItemImageUnicode = 1;",
            "inline constexpr int kItemImagePicture = 2;",
            "inline constexpr int kItemImageCount = 3;",
            "inline constexpr int kItemSizeSmall = 32;",
            "inline constexpr int kItemSizeLarge = 48;",
            "// Pixels of this colour in ITEMS32, ITEMS48 and MINGRIP are "
            "transparent",
            "// (a COLORREF, 0x00bbggrr: magenta).",
            "inline constexpr unsigned long kMaskColour = 0x00FF00FFUL;",
            "",
            "// MINGRIP: two glyphs side by side, up (expanded) then down "
            "(collapsed).",
            "inline constexpr int kMinGlyphWidth = 7;",
            "inline constexpr int kMinGlyphHeight = 5;",
            "",
            "inline constexpr int kTrayIconSize = 16;",
            "inline constexpr int kAboutIconSize = 72;",
            "// Where the hand cursor points, within its 32 x 32 picture.",
            "inline constexpr int kLinkCursorHotX = %d;" % hotspot[0],
            "inline constexpr int kLinkCursorHotY = %d;" % hotspot[1],
            "", "}  // namespace swl::res", ""]
    return "\n".join(out)


# --------------------------------------------------------------------------

def write(path, data):
    mode = "wb" if isinstance(data, bytes) else "w"
    with open(path, mode, **({} if mode == "wb" else {"newline": "\n"})) as f:
        f.write(data)
    print("wrote", os.path.relpath(path, ROOT))


def main():
    small = emblem16().rgba()
    big = {s: emblem(s).rgba() for s in (32, 48, 72)}

    write(os.path.join(RES, "SWL.ico"), icon_file([
        (16, 16, 0, 1, 32, icon_dib32(16, 16, small)),
        (32, 32, 0, 1, 32, icon_dib32(32, 32, big[32])),
        (48, 48, 0, 1, 32, icon_dib32(48, 48, big[48])),
        (16, 16, 0, 1, 8, icon_dib8(16, 16, small)),
        (32, 32, 0, 1, 8, icon_dib8(32, 32, big[32])),
    ]))
    write(os.path.join(RES, "tray.ico"), icon_file([
        (16, 16, 0, 1, 8, icon_dib8(16, 16, small))]))
    write(os.path.join(RES, "about.ico"), icon_file([
        (72, 72, 0, 1, 32, icon_dib32(72, 72, big[72]))]))

    for s in (32, 48):
        write(os.path.join(RES, "items%d.bmp" % s),
              bmp24(3 * s, s, item_images(s)))

    px, hotspot = hand()
    write(os.path.join(RES, "link.cur"), cursor_file(px, hotspot))

    w, h, glyph = min_glyph()
    write(os.path.join(RES, "mingrip.bmp"), bmp24(w, h, glyph))

    write(os.path.join(RES, "assets.rc"), assets_rc())
    write(os.path.join(WIN, "resource_ids.h"), resource_ids_h(hotspot))


if __name__ == "__main__":
    main()
