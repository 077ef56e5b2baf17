#!/usr/bin/python3
"""Draws the glyphs of the rulers' step buttons: LEFT_ARR, RIGHT_ARR, UP_ARR
and DOWN_ARR, 9 x 9 black triangles on a transparent background, and writes
resources/images/images.qrc (prefix /images).

Run from anywhere:  /usr/bin/python3 tools/imagegen/make_arrows.py
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "pnglite"))
import pnglite  # noqa: E402

N = 9


def right_triangle():
    """Pointing right: column x holds the rows within N//2 - x/2 ... of the middle."""
    mid = N // 2
    px = [[False] * N for _ in range(N)]
    for x in range(1, 1 + 5):          # five columns from the base to the tip
        half = 4 - (x - 1)
        for y in range(mid - half, mid + half + 1):
            px[y][x + 1] = True
    return px


def turned(px, quarter_turns):
    for _ in range(quarter_turns):  # each turn: 90 degrees clockwise
        px = [[px[N - 1 - x][y] for x in range(N)] for y in range(N)]
    return px


def rows(px):
    return [b"".join(b"\0\0\0\xff" if v else b"\0\0\0\0" for v in row) for row in px]


def main():
    out = os.path.join(ROOT, "resources", "images")
    os.makedirs(out, exist_ok=True)
    right = right_triangle()
    arrows = {"RIGHT_ARR": right, "DOWN_ARR": turned(right, 1),
              "LEFT_ARR": turned(right, 2), "UP_ARR": turned(right, 3)}
    names = sorted(arrows)
    for name in names:
        pnglite.write(os.path.join(out, name + ".png"), N, N, rows(arrows[name]), "RGBA")
    with open(os.path.join(out, "images.qrc"), "w") as f:
        f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/images">\n')
        for name in names:
            f.write("    <file>%s.png</file>\n" % name)
        f.write("</qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
