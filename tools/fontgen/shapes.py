"""Outline building blocks for the symbol font.

Coordinates are font units, y growing upwards, baseline at 0. Every filled
shape is one closed contour of straight segments, turned clockwise; holes are
turned counter-clockwise and must lie inside a filled shape of their own.
Overlapping filled shapes are fine: TrueType fills by the non-zero rule.
"""
import math


def area(pts):
    s = 0.0
    for i in range(len(pts)):
        x0, y0 = pts[i]
        x1, y1 = pts[(i + 1) % len(pts)]
        s += x0 * y1 - x1 * y0
    return s / 2.0


def clockwise(pts):
    pts = list(pts)
    return pts if area(pts) < 0 else pts[::-1]


def counter_clockwise(pts):
    pts = list(pts)
    return pts if area(pts) > 0 else pts[::-1]


def arc_points(cx, cy, rx, ry, a0, a1, step=10.0):
    """Points along an elliptic arc from angle a0 to a1 (degrees, counter-clockwise)."""
    n = max(2, int(math.ceil(abs(a1 - a0) / step)))
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


class Glyph:
    def __init__(self, advance):
        self.advance = advance
        self.contours = []

    # -- filled shapes ------------------------------------------------------
    def poly(self, pts):
        pts = [(float(x), float(y)) for x, y in pts]
        if len(pts) >= 3 and abs(area(pts)) > 1e-6:
            self.contours.append(clockwise(pts))
        return self

    def hole(self, pts):
        self.contours.append(counter_clockwise([(float(x), float(y)) for x, y in pts]))
        return self

    def rect(self, x0, y0, x1, y1):
        return self.poly([(x0, y0), (x0, y1), (x1, y1), (x1, y0)])

    def ellipse(self, cx, cy, rx, ry=None, step=10.0):
        ry = rx if ry is None else ry
        return self.poly(arc_points(cx, cy, rx, ry, 0, 360, step)[:-1])

    def ring(self, cx, cy, rx, ry, w, step=10.0):
        """An elliptic band of width w (the outer edge at rx, ry)."""
        self.poly(arc_points(cx, cy, rx, ry, 0, 360, step)[:-1])
        return self.hole(arc_points(cx, cy, rx - w, ry - w, 0, 360, step)[:-1])

    def frame(self, x0, y0, x1, y1, w):
        """A rectangular outline of stroke width w, drawn inside the box."""
        self.rect(x0, y0, x1, y1)
        return self.hole([(x0 + w, y0 + w), (x0 + w, y1 - w), (x1 - w, y1 - w), (x1 - w, y0 + w)])

    def rounded(self, x0, y0, x1, y1, r):
        pts = []
        pts += arc_points(x1 - r, y1 - r, r, r, 0, 90, 15)
        pts += arc_points(x0 + r, y1 - r, r, r, 90, 180, 15)
        pts += arc_points(x0 + r, y0 + r, r, r, 180, 270, 15)
        pts += arc_points(x1 - r, y0 + r, r, r, 270, 360, 15)
        return self.poly(pts)

    def rounded_frame(self, x0, y0, x1, y1, r, w):
        self.rounded(x0, y0, x1, y1, r)
        ri = max(1.0, r - w)
        x0, y0, x1, y1 = x0 + w, y0 + w, x1 - w, y1 - w
        pts = []
        pts += arc_points(x1 - ri, y1 - ri, ri, ri, 0, 90, 15)
        pts += arc_points(x0 + ri, y1 - ri, ri, ri, 90, 180, 15)
        pts += arc_points(x0 + ri, y0 + ri, ri, ri, 180, 270, 15)
        pts += arc_points(x1 - ri, y0 + ri, ri, ri, 270, 360, 15)
        return self.hole(pts)

    # -- strokes ------------------------------------------------------------
    def line(self, x0, y0, x1, y1, w, caps=True):
        dx, dy = x1 - x0, y1 - y0
        n = math.hypot(dx, dy)
        if n < 1e-6:
            if caps:
                self.ellipse(x0, y0, w / 2.0, step=30)
            return self
        px, py = -dy / n * w / 2.0, dx / n * w / 2.0
        self.poly([(x0 + px, y0 + py), (x1 + px, y1 + py), (x1 - px, y1 - py), (x0 - px, y0 - py)])
        if caps:
            self.ellipse(x0, y0, w / 2.0, step=30)
            self.ellipse(x1, y1, w / 2.0, step=30)
        return self

    def stroke(self, pts, w, closed=False, caps=True):
        """A polyline of width w with round joins (and round ends when caps)."""
        pts = list(pts)
        if closed:
            pts = pts + [pts[0]]
        for a, b in zip(pts, pts[1:]):
            self.line(a[0], a[1], b[0], b[1], w, caps=False)
        joints = pts if caps or closed else pts[1:-1]
        for x, y in joints:
            self.ellipse(x, y, w / 2.0, step=30)
        return self

    def square_line(self, x0, y0, x1, y1, w):
        """A straight bar with square ends that stop at the given points."""
        return self.line(x0, y0, x1, y1, w, caps=False)

    # -- arrows ---------------------------------------------------------------
    def arrow(self, x0, y0, x1, y1, w, head_len, head_w, both=False):
        """A bar from (x0, y0) to a filled head whose tip is (x1, y1)."""
        dx, dy = x1 - x0, y1 - y0
        n = math.hypot(dx, dy)
        ux, uy = dx / n, dy / n
        px, py = -uy, ux
        start = (x0 + ux * head_len, y0 + uy * head_len) if both else (x0, y0)
        self.square_line(start[0], start[1], x1 - ux * head_len * 0.9, y1 - uy * head_len * 0.9, w)
        for (tx, ty, sx, sy) in ([(x1, y1, ux, uy)] + ([(x0, y0, -ux, -uy)] if both else [])):
            bx, by = tx - sx * head_len, ty - sy * head_len
            qx, qy = -sy, sx
            self.poly([(tx, ty), (bx + qx * head_w / 2, by + qy * head_w / 2),
                       (bx - qx * head_w / 2, by - qy * head_w / 2)])
        return self

    # -- helpers ----------------------------------------------------------------
    def translated(self, dx, dy):
        g = Glyph(self.advance)
        g.contours = [[(x + dx, y + dy) for x, y in c] for c in self.contours]
        return g

    def add(self, other, dx=0, dy=0):
        self.contours += [[(x + dx, y + dy) for x, y in c] for c in other.contours]
        return self

    def bounds(self):
        xs = [x for c in self.contours for x, _ in c]
        ys = [y for c in self.contours for _, y in c]
        return (min(xs), min(ys), max(xs), max(ys)) if xs else None
