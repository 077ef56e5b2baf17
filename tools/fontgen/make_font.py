#!/usr/bin/python3
"""Builds Loopcraft.ttf, the program's private symbol font (family "Loopcraft").

The instruction sheet, the yarn panel and the carriage-setting line draw
their pictures as characters of this font: character codes 32..126 as the
same Unicode code points, and the carriage glyph, code 157, as U+009D
(Latin-1: code c is U+00cc). Codes that the sheet uses as pictures get the
drawings of pictures.py; every other printable ASCII character gets a plain
letter from letters.py, so numbers and setting letters read as text.

Needs fontTools (Debian: python3-fonttools). The build does not run this: it
copies the committed resources/program/Loopcraft.ttf.

    /usr/bin/python3 tools/fontgen/make_font.py [--preview sheet.png]
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, HERE)

from fontTools.fontBuilder import FontBuilder  # noqa: E402
from fontTools.pens.ttGlyphPen import TTGlyphPen  # noqa: E402

import letters  # noqa: E402
from pictures import PICTURES  # noqa: E402
from shapes import Glyph  # noqa: E402

FAMILY = "Loopcraft"
UPM = 1000
ASCENT = 800
DESCENT = 280
# Fixed so that the committed file only changes when the drawings do
# (seconds since 1904-01-01: 2024-01-01 00:00 UTC).
TIMESTAMP = 3786825600

CARRIAGE_CODE = 157


def glyph_name(code):
    return "uni%04X" % code


def notdef():
    g = Glyph(600)
    g.frame(60, 0, 540, 700, 60)
    return g


def all_glyphs():
    """code -> Glyph for every character of the font."""
    glyphs = {0x20: Glyph(600)}
    for code in range(0x21, 0x7F):
        ch = chr(code)
        if code in PICTURES:
            glyphs[code] = PICTURES[code]()
        else:
            g = letters.build(ch)
            if g is None:
                raise SystemExit("no drawing for %r" % ch)
            glyphs[code] = g
    glyphs[CARRIAGE_CODE] = PICTURES[CARRIAGE_CODE]()
    return glyphs


def to_tt(glyph):
    pen = TTGlyphPen(None)
    for contour in glyph.contours:
        pts = []
        for x, y in contour:
            p = (int(round(x)), int(round(y)))
            if not pts or pts[-1] != p:
                pts.append(p)
        while len(pts) > 1 and pts[0] == pts[-1]:
            pts.pop()
        if len(pts) < 3:
            continue
        pen.moveTo(pts[0])
        for p in pts[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph()


def build(path):
    glyphs = all_glyphs()
    order = [".notdef"] + [glyph_name(c) for c in sorted(glyphs)]
    cmap = {c: glyph_name(c) for c in glyphs}
    cmap[0xA0] = glyph_name(0x20)  # no-break space

    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    tt = {".notdef": to_tt(notdef())}
    metrics = {".notdef": (600, 60)}
    for c, g in glyphs.items():
        name = glyph_name(c)
        tt[name] = to_tt(g)
        b = g.bounds()
        metrics[name] = (int(g.advance), int(round(b[0])) if b else 0)
    fb.setupGlyf(tt)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT, lineGap=0)
    fb.setupNameTable({
        "familyName": FAMILY,
        "styleName": "Regular",
        "uniqueFontIdentifier": "Loopcraft Regular 1.000",
        "fullName": FAMILY,
        "psName": FAMILY,
        "version": "Version 1.000",
        "copyright": "Symbol font of Loopcrafter; glyphs drawn for the program.",
        "description": "Carriage parts, yarns, levers and arrows of the knitting instruction sheet.",
    })
    fb.setupOS2(
        version=4,
        usWeightClass=400,
        usWidthClass=5,
        fsType=0,
        achVendID="LCFT",
        fsSelection=0x40,
        sTypoAscender=ASCENT,
        sTypoDescender=-DESCENT,
        sTypoLineGap=0,
        usWinAscent=ASCENT,
        usWinDescent=DESCENT,
        sxHeight=4 * int(letters.UNIT),
        sCapHeight=6 * int(letters.UNIT),
        ulUnicodeRange1=0b11,          # Basic Latin, Latin-1 Supplement
        ulCodePageRange1=1,            # Latin 1
        usDefaultChar=0,
        usBreakChar=0x20,
    )
    fb.setupPost(keepGlyphNames=True)
    fb.updateHead(created=TIMESTAMP, modified=TIMESTAMP, fontRevision=1.0)
    fb.font["head"].flags |= 0x0008  # integer scaling of the em
    fb.save(path)
    return glyphs


def preview(font_path, out_path):
    """An enlarged sheet of every glyph (needs python3-pil; for looking only)."""
    from PIL import Image, ImageDraw, ImageFont
    codes = list(range(0x21, 0x7F)) + [CARRIAGE_CODE]
    big = ImageFont.truetype(font_path, 56)
    small = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 11)
    cols, cw, ch = 12, 150, 110
    rows = (len(codes) + cols - 1) // cols
    img = Image.new("RGB", (cols * cw, rows * ch), "white")
    d = ImageDraw.Draw(img)
    for k, c in enumerate(codes):
        x, y = (k % cols) * cw, (k // cols) * ch
        d.rectangle([x, y, x + cw - 1, y + ch - 1], outline=(200, 200, 200))
        d.text((x + 3, y + 2), "%d %s" % (c, chr(c) if c < 127 else ""), fill=(150, 0, 0), font=small)
        d.text((x + 8, y + 18), chr(c), fill="black", font=big)
    img.save(out_path)


def main():
    out = os.path.join(ROOT, "resources", "program", "Loopcraft.ttf")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    build(out)
    if len(sys.argv) > 2 and sys.argv[1] == "--preview":
        preview(out, sys.argv[2])


if __name__ == "__main__":
    main()
