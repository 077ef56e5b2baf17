"""The pictures of the symbol font: carriage parts, yarns, levers and arrows.

Column titles are drawn scaled to the width of their column (one cell is 30
pixels) inside a title area 60 pixels high, so a title glyph is as many
"cell widths" wide (CELL font units each) as its column has cells, with its
ink from the baseline to 700 units: every title then comes out about 48
pixels high whatever its column's width. The other pictures stand in cells
or in lines of text and use ordinary advances.
"""
from shapes import Glyph, arc_points

CELL = 440      # font units of title glyph per cell of its column
TOP = 700       # top of the ink of the pictures
# Pictures that stand in a cell (30 x 25 pixels at the panel's size 14) use
# the whole line of the font, from LOW to HIGH, and a wide advance, so that
# they come out as large as the cell allows.
LOW, HIGH = -200, 780
MID = (LOW + HIGH) / 2.0


def title(cells):
    return Glyph(CELL * cells)


# ------------------------------------------------------------ carriages ----

def carriage_body(g, x0, x1, y0=60, y1=470, w=62, handle=True, knob=True, levers=()):
    """A knitting carriage seen from the front: body, handle, cam knob, levers."""
    g.rounded_frame(x0, y0, x1, y1, 75, w)
    mid = (x0 + x1) / 2.0
    if handle:
        hw = min(390.0, (x1 - x0) * 0.26)
        g.stroke([(mid - hw, y1 - w / 2), (mid - hw, TOP - 45), (mid + hw, TOP - 45), (mid + hw, y1 - w / 2)], w)
    cy = (y0 + y1) / 2.0
    if knob:
        r = min(140.0, (y1 - y0) * 0.34)
        g.ring(mid, cy, r, r, 52)
        g.line(mid, cy, mid, cy + r - 10, 46)
    for x in levers:
        g.line(x, y0 + 95, x, y1 - 150, 52)
        g.ellipse(x, y1 - 130, 62)
    return g


def n_main_carriage():
    """Column title: the main carriage, its side levers and its pattern knob."""
    g = title(7)
    return carriage_body(g, 80, 7 * CELL - 80, levers=(520, 7 * CELL - 520))


def B_main_carriage_ribber():
    """Column title: the main carriage when the ribber is attached."""
    g = title(3)
    carriage_body(g, 60, 3 * CELL - 60, y0=140, levers=(250, 3 * CELL - 250))
    g.rect(60, 0, 3 * CELL - 60, 60)  # the main bed below it
    return g


def A_ribber_carriage():
    """Column title: the ribber carriage, handle underneath, with its levers."""
    g = title(4)
    x0, x1, y0, y1, w = 60, 4 * CELL - 60, 210, 640, 62
    g.rounded_frame(x0, y0, x1, y1, 75, w)
    mid = (x0 + x1) / 2.0
    g.stroke([(mid - 330, y0 + w / 2), (mid - 330, 40), (mid + 330, 40), (mid + 330, y0 + w / 2)], w)
    for x in (300, 4 * CELL - 300):
        g.line(x, y1 - 95, x, y0 + 150, 52)   # the levers hang downwards
        g.ellipse(x, y0 + 130, 62)
    g.ring(mid, (y0 + y1) / 2.0, 120, 120, 50)
    return g


def brace_lace_carriage():
    """The lace carriage: a carriage body carrying a stitch-transfer arrow."""
    g = title(3)
    x0, x1 = 60, 3 * CELL - 60
    g.rounded_frame(x0, 60, x1, 470, 75, 60)
    mid = (x0 + x1) / 2.0
    g.stroke([(mid - 250, 440), (mid - 250, TOP - 45), (mid + 250, TOP - 45), (mid + 250, 440)], 60)
    # one stitch handed from a needle to its neighbour
    g.ellipse(mid - 250, 170, 50)
    g.ellipse(mid + 250, 170, 50)
    g.stroke(arc_points(mid, 210, 250, 150, 165, 25, 12), 48)
    g.poly([(mid + 236, 165), (mid + 170, 250), (mid + 320, 255)])
    return g


def Z_main_carriage():
    """Carriage-setting line: the main (knit) carriage alone."""
    g = Glyph(1300)
    return carriage_body(g, 60, 1240, y0=LOW + 40, y1=440, w=70, levers=(260, 1040))


def grave_double_bed():
    """Carriage-setting line: main carriage and ribber carriage coupled."""
    g = Glyph(1300)
    g.rounded_frame(60, 380, 1240, HIGH, 60, 64)
    g.rounded_frame(60, LOW, 1240, 200, 60, 64)
    g.rect(610, 180, 690, 400)
    g.ring(650, (380 + HIGH) / 2.0, 95, 95, 46)
    g.ring(650, (LOW + 200) / 2.0, 95, 95, 46)
    return g


def carriage_157():
    """The carriage on the yarn panel: a solid carriage with its handle."""
    g = Glyph(1600)
    g.rounded(60, LOW + 20, 1540, 430, 90)
    g.hole(arc_points(330, 205, 110, 110, 0, 360, 15)[:-1])
    g.hole(arc_points(1270, 205, 110, 110, 0, 360, 15)[:-1])
    g.hole([(620, 150), (620, 260), (980, 260), (980, 150)])
    g.stroke([(520, 420), (520, HIGH - 55), (1080, HIGH - 55), (1080, 420)], 110)
    return g


# ----------------------------------------------------------------- yarns ----

def feeder_plate(g, x0, x1, y0=30, y1=210, inset=110):
    g.poly([(x0, y0), (x1, y0), (x1 - inset, y1), (x0 + inset, y1)])


def b_yarn_feeder_two():
    """Column title: the yarn feeder with its two yarns, A and B."""
    g = title(2)
    feeder_plate(g, 60, 2 * CELL - 60)
    for x, top_x in ((300, 220), (2 * CELL - 300, 2 * CELL - 220)):
        g.ring(x, 330, 85, 85, 36)
        g.stroke([(x, 415), (x, 540), (top_x, TOP - 25)], 44)
    return g


def e_weaving_feeder():
    """Column title: yarn laid in over and under the needles (weaving, intarsia)."""
    g = title(2)
    w = 2 * CELL
    for i, x in enumerate(range(140, w - 100, 150)):
        g.rect(x - 20, 20, x + 20, 250)
    wave = [(60, 90)]
    for i, x in enumerate(range(140, w - 100, 150)):
        wave.append((x + 75, 190 if i % 2 == 0 else 90))
    g.stroke(wave, 40)
    g.rounded_frame(w / 2 - 200, 320, w / 2 + 200, 480, 60, 42)
    g.stroke([(w / 2, 480), (w / 2, TOP - 25)], 44)
    return g


def Q_yarn_cone():
    """Column title: the yarn cone of the lace technique's one yarn."""
    g = title(2)
    mid = CELL
    g.poly([(mid - 250, 40), (mid + 250, 40), (mid + 110, 520), (mid - 110, 520)])
    for y in (150, 300, 430):
        k = (y - 40) / 480.0 * 140.0
        g.hole([(mid - 230 + k, y), (mid + 230 - k, y), (mid + 222 - k, y + 32), (mid - 222 + k, y + 32)])
    g.rect(mid - 40, 520, mid + 40, 590)
    g.stroke([(mid, 590), (mid + 80, 650), (mid + 300, TOP - 20)], 40)
    return g


def band(cx, cy, r_out, r_in, a0, a1):
    """A curved band between two arcs of one centre (for the windings of a ball)."""
    return arc_points(cx, cy, r_out, r_out, a0, a1, 6) + arc_points(cx, cy, r_in, r_in, a1, a0, 6)


def question_yarn():
    """A yarn in use: a ball of yarn, its windings showing, and its loose end."""
    g = Glyph(1000)
    cx, cy, r = 480, 320, 440
    g.ellipse(cx, cy, r, step=6)
    # windings: light bands across the ball, all inside it
    g.hole(band(cx - 430, cy + 430, 560, 500, -62, -28))
    g.hole(band(cx - 430, cy + 430, 720, 660, -63, -27))
    g.hole(band(cx - 430, cy + 430, 880, 820, -67, -24))
    g.stroke([(cx + 300, cy - 320), (cx + 420, LOW + 30), (980, LOW + 20)], 70)
    return g


def at_bobbin():
    """The bobbin of one yarn colour on the yarn panel: a wound cone."""
    g = Glyph(1000)
    g.poly([(150, LOW), (850, LOW), (650, 600), (350, 600)])
    for y in (0, 200, 400):
        k = (y - LOW) / 800.0 * 200.0
        g.hole([(185 + k, y), (815 - k, y), (805 - k, y + 40), (195 + k, y + 40)])
    g.rect(440, 600, 560, HIGH)
    return g


def quote_feeder_one():
    """The yarn feeder threaded with one yarn."""
    g = Glyph(1000)
    feeder_plate(g, 120, 880, LOW, LOW + 220, 130)
    g.ring(500, 260, 180, 180, 75)
    g.stroke([(500, 430), (500, HIGH - 40)], 80)
    return g


def hash_colour_changer():
    """The colour changer: four threaded feeders side by side."""
    g = Glyph(1100)
    feeder_plate(g, 40, 1060, LOW, LOW + 200, 100)
    for x in (190, 410, 630, 850):
        g.ring(x, 200, 100, 100, 48)
        g.stroke([(x, 300), (x, HIGH - 30)], 52)
    return g


# ------------------------------------------------------- dials and levers ----

def dial(g, cx, cy, r):
    g.ring(cx, cy, r, r, 50)
    g.line(cx, cy, cx - r * 0.45, cy + r * 0.62, 44)
    g.ellipse(cx, cy, 40)
    for a in (150, 120, 90, 60, 30):
        p = arc_points(cx, cy, r + 40, r + 40, a, a)[0]
        g.ellipse(p[0], p[1], 18, step=40)


def percent_main_tension():
    """Column title: the main carriage's tension dial (over the main bed)."""
    g = title(1)
    dial(g, CELL / 2, 420, 170)
    g.rect(40, 40, CELL - 40, 115)
    return g


def amp_ribber_tension():
    """Column title: the ribber's tension dial (over both beds)."""
    g = title(1)
    dial(g, CELL / 2, 420, 170)
    g.rect(40, 20, CELL - 40, 70)
    g.rect(40, 130, CELL - 40, 180)
    return g


def q_holding_lever():
    """Column title: the main carriage's holding lever in its slot."""
    g = title(1)
    g.rounded_frame(165, 60, 275, 660, 55, 38)
    g.ellipse(220, 360, 92)
    for y in (160, 360, 560):
        g.rect(40, y - 18, 115, y + 18)
        g.rect(CELL - 115, y - 18, CELL - 40, y + 18)
    return g


def p_yarn_mast():
    """Column title: the yarn mast with its tension disc and take-up spring."""
    g = title(1)
    g.line(220, 30, 220, 600, 50)
    g.rect(60, 0, CELL - 60, 50)
    g.ellipse(220, 300, 150, 48)
    g.ring(220, 620, 70, 70, 32)
    g.stroke([(270, 660), (400, TOP - 10)], 32)
    return g


def slash_latch_needle():
    """Column title: a latch needle, its hook at the top and its butt."""
    g = title(1)
    g.line(220, 40, 220, 560, 46)
    g.stroke(arc_points(160, 560, 60, 80, 0, 200, 15), 40)
    g.line(220, 460, 120, 560, 30)
    g.rect(220, 120, 340, 175)
    return g


def r_racking_handle():
    """Column title: the ribber's racking handle and its pitch, both ways."""
    g = title(2)
    mid = CELL
    g.ring(mid, 400, 170, 170, 46)
    g.ellipse(mid, 400, 50)
    g.line(mid, 400, mid + 250, 620, 52)
    g.ellipse(mid + 250, 620, 72)
    g.arrow(120, 90, 2 * CELL - 120, 90, 44, 130, 180, both=True)
    return g


def s_ribber_direction():
    """Column title: which way the coupled carriages travel."""
    g = title(1)
    g.rounded_frame(60, 340, CELL - 60, 560, 40, 42)
    g.stroke([(150, 540), (150, 660), (CELL - 150, 660), (CELL - 150, 540)], 42)
    g.arrow(40, 150, CELL - 40, 150, 48, 120, 190, both=True)
    return g


def lever(g, top_x, top_y, knob, square=False):
    g.rect(200, LOW, 800, LOW + 110)
    g.stroke([(500, LOW + 100), (top_x, top_y)], 130)
    if square:
        g.rect(top_x - 150, top_y - 20, top_x + 150, HIGH)
    else:
        g.ellipse(top_x, HIGH - knob, knob)


def m_lever_normal():
    """A carriage side lever in its normal (upright) position."""
    g = Glyph(1000)
    lever(g, 500, 520, 165)
    return g


def l_lever_over():
    """A carriage side lever moved over (pushed to its other position)."""
    g = Glyph(1000)
    g.rect(200, LOW, 800, LOW + 110)
    g.stroke([(420, LOW + 100), (700, 470)], 130)
    g.ellipse(745, HIGH - 165, 165)
    return g


def bang_ribber_lever():
    """A ribber carriage lever in its normal position (square knob)."""
    g = Glyph(1000)
    lever(g, 500, 470, 0, square=True)
    return g


def paren_ribber_lever_over():
    """A ribber carriage lever moved over (square knob, leaning)."""
    g = Glyph(1000)
    g.rect(200, LOW, 800, LOW + 110)
    g.stroke([(420, LOW + 100), (680, 430)], 130)
    c, s = 0.89, -0.45
    cx, cy, h = 735, 600, 150
    g.poly([(cx + dx * c - dy * s, cy + dx * s + dy * c) for dx, dy in ((-h, -h), (-h, h), (h, h), (h, -h))])
    return g


def o_weaving_brush():
    """A weaving brush lowered onto the needles."""
    g = Glyph(1000)
    g.ring(500, HIGH - 290, 290, 290, 110)
    g.ellipse(500, HIGH - 290, 75)
    for x in (260, 380, 500, 620, 740):
        g.line(x, HIGH - 560, x + (x - 500) * 0.35, LOW + 40, 70)
    return g


def f_slider_down():
    """A slide switch pushed down (off)."""
    g = Glyph(1000)
    g.rounded_frame(360, LOW, 640, HIGH, 140, 80)
    g.ellipse(500, LOW + 190, 125)
    return g


def a_slider_up():
    """A slide switch pushed up (on)."""
    g = Glyph(1000)
    g.rounded_frame(360, LOW, 640, HIGH, 140, 80)
    g.ellipse(500, HIGH - 190, 125)
    return g


def period_neutral():
    """Neutral: the control stays where it is."""
    return Glyph(800).ellipse(400, MID, 200)


def star_tuck():
    """A pressed button (asterisk)."""
    g = Glyph(1000)
    for a in (90, 30, 150):
        p = arc_points(500, MID, 450, 450, a, a)[0]
        q = arc_points(500, MID, 450, 450, a + 180, a + 180)[0]
        g.line(p[0], p[1], q[0], q[1], 150)
    return g


# ----------------------------------------------------------------- arrows ----

def greater_right():
    return Glyph(1000).arrow(60, MID, 940, MID, 150, 400, 600)


def less_left():
    return Glyph(1000).arrow(940, MID, 60, MID, 150, 400, 600)


def equals_both_ways():
    return Glyph(1000).arrow(40, MID, 960, MID, 130, 330, 520, both=True)


def dollar_move_up():
    """Move up (the weights, every tenth row): an arrow rising from a bar."""
    g = Glyph(800)
    g.arrow(400, 140, 400, TOP, 110, 280, 420)
    g.rect(100, 0, 700, 90)
    return g


# ------------------------------------------------------- weights and comb ----

def d_weight():
    """A knitting weight with its hook."""
    g = Glyph(900)
    g.poly([(120, 0), (780, 0), (640, 420), (260, 420)])
    g.line(450, 400, 450, 540, 60)
    g.stroke(arc_points(450, 610, 80, 80, -90, 200, 15), 56)
    return g


def c_comb():
    """The cast-on comb hung with its weights."""
    g = Glyph(1000)
    g.rect(60, 300, 940, 400)
    for x in range(120, 900, 110):
        g.stroke([(x, 390), (x, 560), (x + 45, 620)], 40)
    for x in (250, 750):
        g.line(x, 300, x, 150, 40)
        g.poly([(x - 110, 0), (x + 110, 0), (x + 70, 150), (x - 70, 150)])
    return g


# ------------------------------------------------- needle set-up drawings ----

def needle_setup(main, ribber):
    """Needles in work on the main bed (top) and the ribber (bottom).

    main, ribber: which of the eight needles of each bed are in work; the
    others are drawn as short stubs (out of work)."""
    g = Glyph(1800)
    g.rect(60, 620, 1740, TOP)
    g.rect(60, 0, 1740, 80)
    for i in range(8):
        x = 160 + 200 * i
        if main(i):
            g.rect(x - 28, 390, x + 28, 630)
            g.ellipse(x, 390, 42, step=30)
        else:
            g.rect(x - 28, 545, x + 28, 630)
        x = 260 + 200 * i
        if ribber(i):
            g.rect(x - 28, 70, x + 28, 310)
            g.ellipse(x, 310, 42, step=30)
        else:
            g.rect(x - 28, 70, x + 28, 155)
    return g


def i_full_needle():
    return needle_setup(lambda i: True, lambda i: True)


def j_one_by_one():
    return needle_setup(lambda i: i % 2 == 0, lambda i: i % 2 == 1)


def t_main_all_ribber_alternate():
    return needle_setup(lambda i: True, lambda i: i % 2 == 0)


def v_main_alternate_ribber_all():
    return needle_setup(lambda i: i % 2 == 0, lambda i: True)


# code -> (builder, what it shows); see resources/font/GLYPHS.md
PICTURES = {
    ord("n"): n_main_carriage,
    ord("B"): B_main_carriage_ribber,
    ord("A"): A_ribber_carriage,
    ord("}"): brace_lace_carriage,
    ord("Z"): Z_main_carriage,
    ord("`"): grave_double_bed,
    157: carriage_157,
    ord("b"): b_yarn_feeder_two,
    ord("e"): e_weaving_feeder,
    ord("Q"): Q_yarn_cone,
    ord("?"): question_yarn,
    ord("@"): at_bobbin,
    ord('"'): quote_feeder_one,
    ord("#"): hash_colour_changer,
    ord("%"): percent_main_tension,
    ord("&"): amp_ribber_tension,
    ord("q"): q_holding_lever,
    ord("p"): p_yarn_mast,
    ord("/"): slash_latch_needle,
    ord("r"): r_racking_handle,
    ord("s"): s_ribber_direction,
    ord("m"): m_lever_normal,
    ord("l"): l_lever_over,
    ord("!"): bang_ribber_lever,
    ord(")"): paren_ribber_lever_over,
    ord("o"): o_weaving_brush,
    ord("f"): f_slider_down,
    ord("a"): a_slider_up,
    ord("."): period_neutral,
    ord("*"): star_tuck,
    ord(">"): greater_right,
    ord("<"): less_left,
    ord("="): equals_both_ways,
    ord("$"): dollar_move_up,
    ord("d"): d_weight,
    ord("c"): c_comb,
    ord("i"): i_full_needle,
    ord("j"): j_one_by_one,
    ord("t"): t_main_all_ribber_alternate,
    ord("v"): v_main_alternate_ribber_all,
}
