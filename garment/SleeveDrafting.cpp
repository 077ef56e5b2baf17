// Sleeves: the lower sleeve, the cap and an optional tab at the cap's top,
// symmetric about x = 99.
#include <vector>

#include "garment/OutlineDrafter.h"
#include "garment/GarmentDrafting.h"
#include "garment/DraftFormulas.h"

namespace lc {

namespace {
bool in(int c, int lo, int hi) { return c >= lo && c <= hi; }
constexpr int32_t kCX = 99;
using LD = long double;
} // namespace

void BuildSleevePiece(GarmentOutline& target, const BodySize& size, uint8_t c1, uint8_t c2, uint8_t c3) {
    const DraftFormulas f(size);
    OutlineDrafter d(target);
    // The formula values as the formulas return them; every expression of
    // them below is then formed at the working precision before Mm converts
    // it as a whole.
    const LD s1 = f.S1(c1), s2 = f.S2(c1), s3 = f.S3(c1), s4 = f.S4(c1), s5 = f.S5(c1);
    const LD s6 = f.S6(c2), s7 = f.S7(c2), s8 = f.S8(c2), s9 = f.S9(c2);
    const LD s10 = f.S10(c3), s11 = f.S11(c3);
    const int32_t y0 = Mm(s2 + s3);
    const int32_t yt = Mm(s3 + s2 + s7);
    const int32_t yt8 = Mm(s3 + s2 + s8);
    const LD u = s4 - s8;
    auto left = [](int32_t off) { return SubMm(kCX, off); };
    auto right = [](int32_t off) { return AddMm(kCX, off); };

    // 1. Lower sleeve.
    if (in(c1, 10, 59)) {
        const int32_t h1 = Mm(s1 / 2), h4 = Mm(s4 / 2), y2 = Mm(s2);
        d.Line(left(h1), 0, right(h1), 0);
        d.Line(left(h1), 0, left(h1), y2);
        d.Line(right(h1), 0, right(h1), y2);
        d.Line(left(h1), y2, left(h4), y0);
        d.Line(right(h1), y2, right(h4), y0);
    } else if (in(c1, 60, 79)) {
        const int32_t h4 = Mm(s4 / 2), far = Mm(s1 - s4 / 2);
        d.Line(left(h4), 0, right(far), 0);
        d.Line(left(h4), 0, left(h4), Mm(s3));
        d.Line(right(far), 0, right(h4), Mm(s5));
        d.Line(right(h4), Mm(s5), left(h4), Mm(s3));
    }

    // 3. The top of a rounded or stepped cap, with a gap for the tab.
    auto top = [&](int32_t xl, int32_t xr, int32_t yy) {
        if (c3 == 0) {
            d.Line(xl, yy, xr, yy);
        } else {
            const int32_t g = Mm(s10 / 2);
            d.Line(xl, yy, left(g), yy);
            d.Line(right(g), yy, xr, yy);
        }
    };

    // 2. Cap.
    if (in(c2, 10, 19) || c2 == 33) {
        const int32_t o0 = Mm(s4 / 2);
        const int32_t o1 = Mm(u * 5 / 12 + s8 / 2);
        const int32_t o2 = Mm(u * 4 / 12 + s8 / 2), y2 = Mm(s7 / 6 + s3 + s2);
        const int32_t o3 = c2 == 33 ? Mm(u * 2 / 15 + s8 / 2) : Mm(u * 2 / 12 + s8 / 2), y3 = Mm(5 * s7 / 6 + s3 + s2);
        const int32_t o4 = Mm(u / 12);
        // Up the left side, across the top, down the right; code 33 leaves
        // out the point at a sixth of the cap.
        struct At {
            int32_t Off, Y;
        };
        std::vector<At> side = {{o0, y0}, {o1, y0}, {o2, y2}, {o3, y3}, {o4, yt}};
        if (c2 == 33) side.erase(side.begin() + 2);
        for (size_t i = 1; i < side.size(); ++i)
            d.Line(left(side[i - 1].Off), side[i - 1].Y, left(side[i].Off), side[i].Y);
        top(left(o4), right(o4), yt);
        for (size_t i = side.size() - 1; i > 0; --i)
            d.Line(right(side[i].Off), side[i].Y, right(side[i - 1].Off), side[i - 1].Y);
    } else if (in(c2, 20, 29)) {
        const int32_t o4 = Mm(s4 / 2), o6 = Mm(s6 / 2);
        d.Line(left(o4), y0, left(o6), yt);
        d.Line(left(o6), yt, left(o6), yt8);
        top(left(o6), right(o6), yt8);
        d.Line(right(o6), yt, right(o4), y0);
        d.Line(right(o6), yt8, right(o6), yt);
    } else if (in(c2, 30, 32)) {
        const int32_t o4 = Mm(s4 / 2), o46 = Mm(s4 / 2 - s6 / 20), o8 = Mm(s8 / 2);
        const int32_t yPeak = Mm(s3 + s2 + s7 + s9);
        d.Line(left(o4), y0, left(o46), y0);
        d.Line(left(o46), y0, left(o8), yt);
        d.Line(left(o8), yt, kCX, yt);
        d.Line(kCX, yt, right(o8), yPeak);
        d.Line(right(o8), yPeak, right(o8), yt);
        d.Line(right(o8), yt, right(o46), y0);
        d.Line(right(o46), y0, right(o4), y0);
    }

    // 4. Tab.
    if (c3 != 0) {
        const LD b = in(c2, 20, 25) ? s3 + s2 + s8 : s3 + s2 + s7;
        const int32_t g = Mm(s10 / 2);
        const int32_t yb = Mm(b), yl = Mm(b + s11), yr = Mm(b + s11 + s10 / 2);
        d.Line(left(g), yb, left(g), yl);
        d.Line(left(g), yl, kCX, yl);
        d.Line(kCX, yl, right(g), yr);
        d.Line(right(g), yr, right(g), yb);
    }
}

} // namespace lc
