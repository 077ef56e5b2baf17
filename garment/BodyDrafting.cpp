// Backs and fronts: hem, side seams, an optional straight left edge, the
// armholes and shoulders, the neckline and, for crossing fronts, the slanted
// front edge.
#include <cmath>

#include "garment/DraftingErrors.h"
#include "garment/OutlineDrafter.h"
#include "garment/GarmentDrafting.h"
#include "garment/DraftFormulas.h"

namespace lc {

namespace {
bool in(int c, int lo, int hi) { return c >= lo && c <= hi; }
using LD = long double;
} // namespace

void BuildBodyPiece(GarmentOutline& target, const BodySize& size, uint8_t style, uint8_t armhole, uint8_t neckline) {
    const DraftFormulas f(size);
    OutlineDrafter d(target);
    const bool mirror = style == 10 || in(style, 15, 20) || in(style, 25, 30) || in(style, 34, 49);

    const int32_t w = Mm(f.B1(style) / 2);
    const int32_t h0 = Mm(f.B2(style));
    const int32_t h1 = Mm(f.B3(style));
    const int32_t y = AddMm(h0, h1);

    // 1. Hem and sides.
    d.Line(w, 0, -w, 0);
    d.Line(w, 0, w, h0);
    d.Line(-w, 0, -w, h0);
    d.Line(w, h0, w, y);
    d.Line(-w, h0, -w, y);

    // 2. Straight left edge of a front drawn on one side only. The differences
    // are taken in centimetres at the formulas' working precision and
    // converted as a whole.
    if (!mirror) {
        if (armhole == 5 && (in(style, 11, 14) || style == 21 || style == 22 || style == 24 || in(style, 31, 33)))
            d.Line(-w, y, -w, AddMm(y, Mm(LD{f.B11(armhole)} - f.B16(neckline))));
        else if (armhole != 5 && (style == 11 || style == 14 || style == 21 || style == 24 || in(style, 31, 33)))
            d.Line(-w, y, -w, AddMm(y, Mm(LD{f.B6(armhole)} - f.B16(neckline))));
        else if (armhole != 5 && (style == 13 || style == 23)) d.Line(-w, y, -w, AddMm(y, Mm(f.B6(armhole))));
    }

    // 3. Armhole and shoulder.
    int32_t inset = 0, rise = 0, mult = 0, div = 0;
    if (armhole == 5) {
        const int32_t a = Mm(f.B9(armhole)), b = Mm(f.B10(armhole)), c = Mm(f.B11(armhole));
        const int32_t dd = Mm(f.B12(armhole)), e = Mm(f.B13(armhole)), ff = Mm(f.B14(armhole));
        d.DoubleStepCurve(w, y, SubMm(a, dd), b, SubMm(a, e), SubMm(c, ff), a, c, mirror);
        inset = a, rise = c, mult = dd, div = e;
    } else if (in(armhole, 10, 15) || in(armhole, 20, 25) || in(armhole, 30, 35) || in(armhole, 40, 42)) {
        const int32_t a = Mm(f.B4(armhole)), b = Mm(f.B5(armhole)), c = Mm(f.B6(armhole));
        const int32_t dd = Mm(f.B7(armhole)), e = Mm(f.B8(armhole));
        if (in(armhole, 10, 15)) d.RoundCurve(w, y, SubMm(a, e), a, b, SubMm(c, dd), c, mirror);
        else d.StepCurve(w, y, SubMm(a, e), a, b, SubMm(c, dd), c, mirror);
        inset = a, rise = c, mult = dd, div = e;
    }

    // 4. The neck point and the neckline's measures.
    int32_t nx = SubMm(w, inset);
    const int32_t ny = AddMm(y, rise);
    int32_t nw = Mm(f.B15(neckline));
    const int32_t nd = Mm(f.B16(neckline));
    const int32_t ns = Mm(f.B17(neckline));
    int n = neckline;

    // 5. Neckline 50: shoulder extensions, then a narrower round neck.
    if (n == 50) {
        d.Line(nx, ny, SubMm(nx, ns), ny);
        d.Line(SubMm(0, nx), ny, AddMm(SubMm(0, nx), ns), ny);
        nw = SubMm(nw, 2 * static_cast<int64_t>(ns));
        nx = SubMm(nx, ns);
        n = 10;
    }

    // 6. The neckline, by the tens digit.
    const bool crossing = style == 12 || style == 22;
    switch (n / 10) {
    case 1: d.RoundNeck(nx, ny, nw, nd, mirror || crossing); break;
    case 2:
        if (mirror) d.SquareNeck(nx, ny, AddMm(nx, nx), SubMm(ny, nd), true);
        else d.SquareNeck(nx, ny, nw, SubMm(ny, nd), crossing);
        break;
    case 3: d.SlopeNeck(nx, ny, nw, ns, nd, mirror); break;
    case 4:
        if (n % 10 <= 3) d.NotchedNeck(SubMm(0, nx), ny, nx, nd, ns, 10, mirror);
        else if (n % 10 <= 7) d.NotchedNeck(SubMm(0, nx), ny, nx, nd, ns, 28, mirror);
        break;
    default: break;
    }

    // 7. Crossing front: the slanted edge from the neck down the left side.
    if (crossing && (n / 10 == 1 || n / 10 == 2)) {
        const int64_t span = static_cast<int64_t>(Mm(f.B1(style))) - Mm(f.B4(armhole)) - nw;
        if (div == 0) throw FloatError("invalid floating point operation");
        const int32_t q = RoundMm(static_cast<long double>(span * mult) / div);
        d.Line(SubMm(nx, nw), ny, SubMm(0, w), SubMm(ny, q));
        d.Line(SubMm(0, w), SubMm(ny, q), SubMm(0, w), Mm(f.B3(style)));
    }
}

} // namespace lc
