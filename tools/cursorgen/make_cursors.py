#!/usr/bin/python3
"""Draws the program's mouse cursors: 32 x 32 PNGs, black shapes with a white
rim on a transparent background, so that each reads on light and dark cells.

Writes resources/cursors/<id>.png for every cursor id, hotspots.txt ("id x y"
per line) and cursors.qrc (prefix /cursors).

Run from anywhere:  /usr/bin/python3 tools/cursorgen/make_cursors.py [preview.png]
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "pnglite"))
import pnglite  # noqa: E402

SIZE = 32
CLEAR, INK, PAPER = 0, 1, 2


class Canvas:
    def __init__(self):
        self.px = [[CLEAR] * SIZE for _ in range(SIZE)]

    def put(self, x, y, v=INK):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = v

    def dot(self, x, y, w=1, v=INK):
        """A w x w square whose upper-left pixel is (x - (w-1)//2, ...)."""
        o = (w - 1) // 2
        for dy in range(w):
            for dx in range(w):
                self.put(x - o + dx, y - o + dy, v)

    def line(self, x0, y0, x1, y1, w=1, v=INK, dash=0):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err, n = dx + dy, 0
        while True:
            if not dash or (n // dash) % 2 == 0:
                self.dot(x0, y0, w, v)
            n += 1
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polyline(self, pts, w=1, v=INK, closed=False):
        seq = list(pts) + ([pts[0]] if closed else [])
        for a, b in zip(seq, seq[1:]):
            self.line(a[0], a[1], b[0], b[1], w, v)

    def rect(self, x0, y0, x1, y1, v=INK, fill=None, dash=0):
        if fill is not None:
            for y in range(y0, y1 + 1):
                for x in range(x0, x1 + 1):
                    self.put(x, y, fill)
        self.line(x0, y0, x1, y0, 1, v, dash)
        self.line(x1, y0, x1, y1, 1, v, dash)
        self.line(x1, y1, x0, y1, 1, v, dash)
        self.line(x0, y1, x0, y0, 1, v, dash)

    def polygon(self, pts, v=INK, outline=None):
        """Fills the pixels whose centres lie inside the polygon."""
        for y in range(SIZE):
            for x in range(SIZE):
                if inside(x + 0.5, y + 0.5, pts):
                    self.put(x, y, v)
        if outline is not None:
            ipts = [(int(math.floor(a)), int(math.floor(b))) for a, b in pts]
            self.polyline(ipts, 1, outline, closed=True)

    def ellipse(self, cx, cy, rx, ry, v=INK, fill=None, w=1.0):
        """Ring of width w (pixel centres within the band), optionally filled."""
        for y in range(SIZE):
            for x in range(SIZE):
                px, py = x + 0.5 - cx, y + 0.5 - cy
                r = math.hypot(px / rx, py / ry)
                scale = (rx + ry) / 2.0
                if fill is not None and r < 1.0:
                    self.put(x, y, fill)
                if abs(r - 1.0) * scale <= w / 2.0:
                    self.put(x, y, v)

    def arc(self, cx, cy, r, a0, a1, w=2, v=INK):
        """Arc from angle a0 to a1 (degrees, counter-clockwise on screen, 0 = east)."""
        steps = max(8, int(abs(a1 - a0) / 4))
        pts = []
        for i in range(steps + 1):
            a = math.radians(a0 + (a1 - a0) * i / steps)
            pts.append((int(round(cx + r * math.cos(a))), int(round(cy - r * math.sin(a)))))
        self.polyline(pts, w, v)
        return pts

    def rim(self):
        """White outline around all ink, so the cursor shows on black cells too."""
        src = [row[:] for row in self.px]
        for y in range(SIZE):
            for x in range(SIZE):
                if src[y][x] != CLEAR:
                    continue
                for dy in (-1, 0, 1):
                    for dx in (-1, 0, 1):
                        xx, yy = x + dx, y + dy
                        if 0 <= xx < SIZE and 0 <= yy < SIZE and src[yy][xx] == INK:
                            self.px[y][x] = PAPER

    def rgba_rows(self):
        colours = {CLEAR: b"\0\0\0\0", INK: b"\0\0\0\xff", PAPER: b"\xff\xff\xff\xff"}
        return [b"".join(colours[v] for v in row) for row in self.px]


def inside(x, y, pts):
    c = False
    n = len(pts)
    for i in range(n):
        x0, y0 = pts[i]
        x1, y1 = pts[(i + 1) % n]
        if (y0 > y) != (y1 > y):
            if x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                c = not c
    return c


def arrow_head(c, tip, direction, size=4, v=INK):
    """A filled triangular head at tip pointing along direction (dx, dy)."""
    tx, ty = tip
    dx, dy = direction
    n = math.hypot(dx, dy)
    dx, dy = dx / n, dy / n
    bx, by = tx + 0.5 - dx * size, ty + 0.5 - dy * size
    px, py = -dy, dx
    c.polygon([(tx + 0.5 + dx * 0.8, ty + 0.5 + dy * 0.8),
               (bx + px * size * 0.8, by + py * size * 0.8),
               (bx - px * size * 0.8, by - py * size * 0.8)], v)


def arrow(c, x0, y0, x1, y1, w=1, both=False, head=4):
    c.line(x0, y0, x1, y1, w)
    arrow_head(c, (x1, y1), (x1 - x0, y1 - y0), head)
    if both:
        arrow_head(c, (x0, y0), (x0 - x1, y0 - y1), head)


# ---------------------------------------------------------------- parts ----

CROSS = (7, 7)


def crosshair(c):
    x, y = CROSS
    c.line(x, 0, x, 5)
    c.line(x, 9, x, 14)
    c.line(0, y, 5, y)
    c.line(9, y, 14, y)
    c.put(x, y)  # the spot itself, set apart by a gap


def magnifier(c, sign):
    c.ellipse(12.5, 12.5, 9, 9, INK, PAPER, 2.2)
    c.line(19, 19, 29, 29, 4)
    c.line(8, 12, 16, 12, 2)  # the minus bar (two pixels thick)
    if sign == "+":
        c.line(12, 8, 12, 16, 2)


def pointer(c):
    c.polygon([(1, 1), (1, 19), (5.5, 14.5), (9, 22), (11.5, 21), (8.2, 13.8), (14, 13.8)], INK)


def hand(c):
    c.polygon([(9, 16), (9, 26), (12, 30), (22, 30), (25, 25), (25, 14), (9, 14)], INK)
    for x in (9, 13, 17, 21):
        top = {9: 7, 13: 4, 17: 4, 21: 7}[x]
        c.rect(x, top, x + 3, 16, INK, INK)
        c.put(x, top, CLEAR)
        c.put(x + 3, top, CLEAR)
    c.polygon([(9, 20), (4, 15), (2.5, 16.5), (8, 25)], INK)  # thumb
    for x in (12, 16, 20):  # gaps between the fingers
        c.line(x + 1, 9, x + 1, 15, 1, PAPER)


def footprint(c, n, chess=False, x0=17, y0=17):
    """The brush footprint: n x n cells of 4 x 4 pixels with 1-pixel gaps."""
    for j in range(3 if chess else n):
        for i in range(3 if chess else n):
            x, y = x0 + i * 5, y0 + j * 5
            if chess and (i + j) % 2:
                c.rect(x, y, x + 3, y + 3, INK, PAPER)
            else:
                c.rect(x, y, x + 3, y + 3, INK, INK)


def pencil(c):
    # Diagonal pencil from its tip (lower left) to the end (upper right).
    c.polygon([(15, 17), (17, 11), (27, 1), (31, 5), (21, 15)], INK, None)
    c.polygon([(17.5, 12.5), (26.8, 3.2), (28.8, 5.2), (19.5, 14.5)], PAPER)
    c.line(15, 17, 16, 16, 1, INK)


def eraser(c):
    c.polygon([(14, 12), (24, 2), (31, 9), (21, 19)], INK)
    c.polygon([(17.5, 11.5), (24, 5), (28, 9), (21.5, 15.5)], PAPER)
    c.line(14, 12, 21, 19, 2)


def clipboard(c):
    c.rect(15, 15, 30, 31, INK, PAPER)
    c.rect(16, 16, 29, 30, INK)
    c.rect(19, 13, 26, 17, INK, INK)


def star_points(cx, cy, r_out, r_in, n=5):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(90 + i * 180.0 / n)
        pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    return pts


# -------------------------------------------------------------- cursors ----

def zoom_in(c):
    magnifier(c, "+")
    return (12, 12)


def zoom_out(c):
    magnifier(c, "-")
    return (12, 12)


def hand_grab(c):
    hand(c)
    return (16, 16)


def garment_zoom_in(c):
    magnifier(c, "+")
    c.rect(20, 1, 30, 9, INK, None, dash=2)  # the zoom rectangle it draws
    return (12, 12)


def add_point(c):
    pointer(c)
    c.line(24, 18, 24, 30, 3)
    c.line(18, 24, 30, 24, 3)
    return (1, 1)


def add_remove_columns(c):
    crosshair(c)
    c.rect(21, 12, 25, 31, INK, PAPER)
    for y in (16, 20, 24, 28):
        c.line(21, y, 25, y)
    arrow(c, 19, 21, 14, 21, 1, head=3)
    arrow(c, 27, 21, 31, 21, 1, head=3)
    return CROSS


def add_remove_rows(c):
    crosshair(c)
    c.rect(12, 20, 31, 24, INK, PAPER)
    for x in (16, 20, 24, 28):
        c.line(x, 20, x, 24)
    arrow(c, 21, 18, 21, 13, 1, head=3)
    arrow(c, 21, 26, 21, 31, 1, head=3)
    return CROSS


def block_copy(c):
    crosshair(c)
    c.rect(13, 13, 25, 25, INK, None, dash=2)
    c.rect(18, 18, 30, 30, INK, PAPER)
    c.rect(19, 19, 29, 29, INK)
    return CROSS


def block_cut(c):
    crosshair(c)
    c.rect(13, 13, 30, 30, INK, None, dash=2)
    c.ellipse(18.5, 26.5, 3, 3, INK, PAPER, 1.6)
    c.ellipse(26.5, 26.5, 3, 3, INK, PAPER, 1.6)
    c.line(20, 23, 27, 14, 2)
    c.line(25, 23, 18, 14, 2)
    return CROSS


def block_paste(c):
    crosshair(c)
    clipboard(c)
    for y in (21, 24, 27):
        c.line(19, y, 26, y)
    return CROSS


def circle_filled(c):
    crosshair(c)
    c.ellipse(23, 23, 7.5, 7.5, INK, INK, 1.5)
    return CROSS


def circle(c):
    crosshair(c)
    c.ellipse(23, 23, 7.5, 7.5, INK, None, 2.0)
    return CROSS


def brush(n, chess=False):
    def draw(c):
        crosshair(c)
        pencil(c)
        footprint(c, n, chess)
        return CROSS
    return draw


def eraser_cursor(n, chess=False):
    def draw(c):
        crosshair(c)
        eraser(c)
        footprint(c, n, chess, 17, 20)
        return CROSS
    return draw


def dropper(c):
    c.line(3, 28, 16, 15, 2)            # the glass tube
    c.line(4, 29, 17, 16, 1)
    c.line(13, 12, 20, 19, 3)           # the collar
    c.ellipse(23.5, 8.5, 6, 6, INK, INK, 1.0)  # the rubber bulb
    c.line(17, 14, 19, 16, 3)
    c.put(2, 29)
    return (2, 29)


def turned(pts, cx, cy, degrees):
    a = math.radians(degrees)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca) for x, y in pts]


def fill(c):
    # A bucket tipped to the left, paint running from its rim; the spot is
    # where the paint lands.
    cx, cy, tilt = 21, 16, -40
    c.polygon(turned([(13, 9), (29, 9), (27, 27), (15, 27)], cx, cy, tilt), INK)
    c.polygon(turned([(15.5, 11.5), (26.5, 11.5), (25, 25), (17, 25)], cx, cy, tilt), PAPER)
    c.polygon(turned([(15.5, 11.5), (26.5, 11.5), (26.2, 14.5), (15.8, 14.5)], cx, cy, tilt), INK)
    rim = turned([(13, 9)], cx, cy, tilt)[0]
    c.polygon([(rim[0] + 1, rim[1]), (rim[0] - 2, rim[1] + 2), (3, 22), (3, 28), (5, 28), (6, 22),
               (rim[0] + 2, rim[1] + 3)], INK)
    return (3, 27)


def line_tool(c):
    crosshair(c)
    c.line(14, 30, 30, 14, 2)
    c.dot(14, 30, 3)
    c.dot(30, 14, 3)
    return CROSS


def move(c):
    arrow(c, 16, 16, 16, 2, 2, head=5)
    arrow(c, 16, 16, 16, 30, 2, head=5)
    arrow(c, 16, 16, 2, 16, 2, head=5)
    arrow(c, 16, 16, 30, 16, 2, head=5)
    return (16, 16)


def paste_from_gallery(c):
    crosshair(c)
    clipboard(c)
    for j in range(3):
        for i in range(3):
            if (i + j) % 2 == 0:
                c.rect(18 + i * 3, 19 + j * 3, 20 + i * 3, 21 + j * 3, INK, INK)
    return CROSS


def rectangle_filled(c):
    crosshair(c)
    c.rect(15, 17, 30, 30, INK, INK)
    return CROSS


def rectangle(c):
    crosshair(c)
    c.rect(15, 17, 30, 30)
    c.rect(16, 18, 29, 29)
    return CROSS


def star_filled(c):
    crosshair(c)
    c.polygon(star_points(23, 23.5, 9, 3.8), INK)
    return CROSS


def star(c):
    crosshair(c)
    pts = [(int(round(x)), int(round(y))) for x, y in star_points(23, 23.5, 9, 3.8)]
    c.polyline(pts, 1, INK, closed=True)
    return CROSS


def transform_clone(c):
    crosshair(c)
    for x in (13, 23):
        c.rect(x, 21, x + 7, 28, INK, INK if x == 13 else PAPER)
        c.line(x + 2, 23, x + 5, 26, 1, PAPER if x == 13 else INK)
    arrow(c, 17, 17, 27, 17, 1, head=3)
    return CROSS


def transform_h_reflection(c):
    # Reflected above a row: a solid shape below the axis, its mirror above.
    crosshair(c)
    c.line(13, 22, 31, 22, 1, INK, dash=2)
    c.polygon([(16, 24), (29, 24), (16, 31)], INK)
    c.polyline([(16, 20), (28, 20), (16, 14), (16, 20)], 1)
    return CROSS


def transform_v_reflection(c):
    # Reflected to the right of a column: solid on the left, mirror on the right.
    crosshair(c)
    c.line(22, 13, 22, 31, 1, INK, dash=2)
    c.polygon([(20, 15), (20, 30), (13, 30)], INK)
    c.polyline([(24, 15), (24, 29), (30, 29), (24, 15)], 1)
    return CROSS


def transform_h_symmetry(c):
    # Mirrored top to bottom in place.
    crosshair(c)
    c.line(13, 22, 31, 22, 1)
    arrow(c, 22, 20, 22, 13, 2, head=4)
    arrow(c, 22, 24, 22, 31, 2, head=4)
    return CROSS


def transform_v_symmetry(c):
    # Mirrored left to right in place.
    crosshair(c)
    c.line(22, 13, 22, 31, 1)
    arrow(c, 20, 22, 13, 22, 2, head=4)
    arrow(c, 24, 22, 31, 22, 2, head=4)
    return CROSS


def transform_h_scale(c):
    crosshair(c)
    c.rect(13, 19, 18, 25, INK, INK)
    arrow(c, 19, 22, 30, 22, 1, head=4)
    c.line(31, 17, 31, 27)
    return CROSS


def transform_v_scale(c):
    crosshair(c)
    c.rect(19, 26, 25, 31, INK, INK)
    arrow(c, 22, 25, 22, 14, 1, head=4)
    c.line(17, 13, 27, 13)
    return CROSS


def transform_rotate(c):
    crosshair(c)
    pts = c.arc(22.5, 22.5, 7, 100, 390, 2)
    x, y = pts[-1]
    arrow_head(c, (x, y + 1), (0, 1), 4)  # turning clockwise on the screen
    c.rect(21, 21, 24, 24, INK, INK)
    return CROSS


CURSORS = [
    (6, "crZoomIn", zoom_in),
    (7, "crZoomOut", zoom_out),
    (10, "crHandGrab", hand_grab),
    (11, "crGarmentZoomIn", garment_zoom_in),
    (12, "crAddPoint", add_point),
    (20, "crAddRemove_Columns", add_remove_columns),
    (21, "crAddRemove_Rows", add_remove_rows),
    (22, "crBlockCopy", block_copy),
    (23, "crBlockCut", block_cut),
    (24, "crBlockPaste", block_paste),
    (25, "crCircleFilled", circle_filled),
    (26, "crCircle", circle),
    (27, "crDraw1x1", brush(1)),
    (28, "crDraw2x2", brush(2)),
    (29, "crDraw3x3", brush(3)),
    (30, "crDrawChess", brush(3, chess=True)),
    (31, "crDropper", dropper),
    (32, "crEraser1x1", eraser_cursor(1)),
    (33, "crEraser2x2", eraser_cursor(2)),
    (34, "crEraser3x3", eraser_cursor(3)),
    (35, "crEraserChess", eraser_cursor(3, chess=True)),
    (36, "crFill", fill),
    (37, "crLine", line_tool),
    (38, "crMove", move),
    (39, "crPasteFromGallery", paste_from_gallery),
    (40, "crRectangleFilled", rectangle_filled),
    (41, "crRectangle", rectangle),
    (42, "crStarFilled", star_filled),
    (43, "crStar", star),
    (44, "crTransformClone", transform_clone),
    (45, "crTransformHReflection", transform_h_reflection),
    (46, "crTransformHScale", transform_h_scale),
    (47, "crTransformHSymmetry", transform_h_symmetry),
    (48, "crTransformRotate", transform_rotate),
    (49, "crTransformVReflection", transform_v_reflection),
    (50, "crTransformVScale", transform_v_scale),
    (51, "crTransformVSymmetry", transform_v_symmetry),
]


def main():
    out = os.path.join(ROOT, "resources", "cursors")
    os.makedirs(out, exist_ok=True)
    hotspots = []  # "id x y" per line: the hot spot in pixels from the top left
    qrc = ['<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/cursors">\n']
    sheets = []
    for cid, name, draw in CURSORS:
        c = Canvas()
        hx, hy = draw(c)
        c.rim()
        assert c.px[hy][hx] != CLEAR, name + ": the hotspot must be on the shape"
        pnglite.write(os.path.join(out, "%d.png" % cid), SIZE, SIZE, c.rgba_rows(), "RGBA")
        hotspots.append("%d %d %d\n" % (cid, hx, hy))
        qrc.append("    <file>%d.png</file>\n" % cid)
        sheets.append((c, hx, hy))
    qrc.append("    <file>hotspots.txt</file>\n</qresource>\n</RCC>\n")
    with open(os.path.join(out, "hotspots.txt"), "w") as f:
        f.writelines(hotspots)
    with open(os.path.join(out, "cursors.qrc"), "w") as f:
        f.writelines(qrc)
    if len(sys.argv) > 1:
        write_preview(sys.argv[1], sheets)


def write_preview(path, sheets, scale=4, cols=8):
    """All cursors enlarged on a grey ground, hotspots in red, for looking at."""
    cell = SIZE * scale + 8
    rows_n = (len(sheets) + cols - 1) // cols
    w, h = cols * cell, rows_n * cell
    img = [bytearray(b"\x90\x90\x90\xff" * w) for _ in range(h)]
    for k, (c, hx, hy) in enumerate(sheets):
        ox, oy = (k % cols) * cell + 4, (k // cols) * cell + 4
        for y in range(SIZE * scale):
            for x in range(SIZE * scale):
                v = c.px[y // scale][x // scale]
                if v == CLEAR:
                    continue
                col = b"\0\0\0\xff" if v == INK else b"\xff\xff\xff\xff"
                if x // scale == hx and y // scale == hy:
                    col = b"\xff\0\0\xff"
                i = (ox + x) * 4
                img[oy + y][i:i + 4] = col
    pnglite.write(path, w, h, [bytes(r) for r in img], "RGBA")


if __name__ == "__main__":
    main()
