#include "garment/OutlineDrafter.h"

#include <cmath>
#include <limits>

#include "garment/DraftingErrors.h"

namespace lc {

namespace {
int32_t checked(int64_t v) {
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        throw OverflowError("integer overflow");
    return static_cast<int32_t>(v);
}
constexpr uint8_t kStraight = 7;
} // namespace

int32_t AddMm(int64_t a, int64_t b) { return checked(a + b); }
int32_t SubMm(int64_t a, int64_t b) { return checked(a - b); }

int32_t RoundMm(long double v) {
    if (!std::isfinite(v)) throw FloatError("invalid floating point operation");
    const long double r = std::nearbyintl(v);
    if (r < static_cast<long double>(std::numeric_limits<int32_t>::min()) ||
        r > static_cast<long double>(std::numeric_limits<int32_t>::max()))
        throw OverflowError("integer overflow");
    return static_cast<int32_t>(r);
}

void OutlineDrafter::Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const int32_t dx = SubMm(x1, x0);
    const int32_t dy = SubMm(y1, y0);
    g_.AddPoint(x0, y0);
    g_.AddSegment(dx, dy, kStraight);
}

void OutlineDrafter::polyline(const Pt* pts, int count, bool mirror) {
    for (int i = 0; i + 1 < count; ++i) Line(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y);
    if (!mirror) return;
    for (int i = 0; i + 1 < count; ++i) Line(SubMm(0, pts[i].x), pts[i].y, SubMm(0, pts[i + 1].x), pts[i + 1].y);
}

void OutlineDrafter::RoundCurve(int32_t x, int32_t y, int32_t p3, int32_t p4, int32_t p5, int32_t p6, int32_t p7,
                                bool mirror) {
    static constexpr long double fx[5] = {0.27L, 0.49L, 0.71L, 0.87L, 0.96L};
    static constexpr long double fy[5] = {0.04L, 0.13L, 0.29L, 0.49L, 0.75L};
    Pt pts[9];
    pts[0] = {x, y};
    for (int i = 0; i < 5; ++i) pts[i + 1] = {SubMm(x, RoundMm(p3 * fx[i])), AddMm(y, RoundMm(p5 * fy[i]))};
    pts[6] = {SubMm(x, p3), AddMm(y, p5)};
    pts[7] = {SubMm(x, p3), AddMm(y, p6)};
    pts[8] = {SubMm(x, p4), AddMm(y, p7)};
    polyline(pts, 9, mirror);
}

void OutlineDrafter::StepCurve(int32_t x, int32_t y, int32_t p3, int32_t p4, int32_t p5, int32_t p6, int32_t p7,
                               bool mirror) {
    const Pt pts[4] = {
        {x, y}, {SubMm(x, p3), AddMm(y, p5)}, {SubMm(x, p3), AddMm(y, p6)}, {SubMm(x, p4), AddMm(y, p7)}};
    polyline(pts, 4, mirror);
}

void OutlineDrafter::DoubleStepCurve(int32_t x, int32_t y, int32_t p3, int32_t p4, int32_t p5, int32_t p6, int32_t p7,
                                     int32_t p8, bool mirror) {
    const Pt pts[5] = {{x, y},
                       {SubMm(x, p3), AddMm(y, p4)},
                       {SubMm(x, p3), AddMm(y, 2 * static_cast<int64_t>(p4))},
                       {SubMm(x, p5), AddMm(y, p6)},
                       {SubMm(x, p7), AddMm(y, p8)}};
    polyline(pts, 5, mirror);
}

void OutlineDrafter::SlopeNeck(int32_t x, int32_t y, int32_t w, int32_t s, int32_t d, bool mirror) {
    const Pt pts[3] = {{x, y}, {x, SubMm(y, s)}, {SubMm(x, w), SubMm(y, d)}};
    polyline(pts, 3, mirror);
}

void OutlineDrafter::RoundNeck(int32_t x, int32_t y, int32_t w, int32_t d, bool mirror) {
    const long double W = w, D = d;
    if (d == 0) {
        Line(x, y, SubMm(x, w), y);
        return;
    }
    const int32_t d4 = RoundMm(D / 4), d23 = RoundMm(D * 2 / 3), d56 = RoundMm(D * 5 / 6);
    const int32_t w12 = RoundMm(W / 12), w6 = RoundMm(W / 6), w38 = RoundMm(W * 3 / 8);
    const Pt right[5] = {{x, y},
                         {x, SubMm(y, d4)},
                         {SubMm(x, w12), SubMm(y, d23)},
                         {SubMm(x, w6), SubMm(y, d56)},
                         {SubMm(x, w38), SubMm(y, d)}};
    polyline(right, 5, false);
    if (!mirror) {
        Line(SubMm(x, w38), SubMm(y, d), SubMm(x, RoundMm(W / 2)), SubMm(y, d));
        return;
    }
    const int32_t l = SubMm(x, w);
    const Pt left[5] = {{l, y},
                        {l, SubMm(y, d4)},
                        {AddMm(l, w12), SubMm(y, d23)},
                        {AddMm(l, w6), SubMm(y, d56)},
                        {AddMm(l, w38), SubMm(y, d)}};
    polyline(left, 5, false);
    Line(SubMm(x, w38), SubMm(y, d), AddMm(l, w38), SubMm(y, d));
}

void OutlineDrafter::SquareNeck(int32_t x, int32_t y, int32_t w, int32_t yb, bool mirror) {
    Line(x, y, x, yb);
    if (!mirror) {
        Line(x, yb, SubMm(x, RoundMm(static_cast<long double>(w) / 2)), yb);
        return;
    }
    Line(SubMm(x, w), y, SubMm(x, w), yb);
    Line(x, yb, SubMm(x, w), yb);
}

void OutlineDrafter::NotchedNeck(int32_t x, int32_t y, int32_t p3, int32_t d, int32_t s, int32_t g, bool mirror) {
    const long double delta = static_cast<long double>(x) - p3, D = d;
    const int32_t d4 = RoundMm(D / 4), d55 = RoundMm(D * 0.55L), d56 = RoundMm(D * 5 / 6);
    const int32_t a = RoundMm(delta * 0.047L), b = RoundMm(delta / 6), c = RoundMm(delta * 3 / 8);
    const int32_t half = RoundMm(delta / 2 + static_cast<long double>(g) / 2);
    const int32_t yd = SubMm(y, d);
    const Pt right[6] = {{x, y},
                         {x, SubMm(y, d4)},
                         {SubMm(x, a), SubMm(y, d55)},
                         {SubMm(x, b), SubMm(y, d56)},
                         {SubMm(x, c), yd},
                         {SubMm(x, half), yd}};
    polyline(right, 6, false);
    if (mirror) {
        const Pt left[6] = {{p3, y},
                            {p3, SubMm(y, d4)},
                            {AddMm(p3, a), SubMm(y, d55)},
                            {AddMm(p3, b), SubMm(y, d56)},
                            {AddMm(p3, c), yd},
                            {AddMm(p3, half), yd}};
        polyline(left, 6, false);
    }
    if (g == 0) {
        Line(SubMm(x, c), yd, AddMm(p3, c), yd);
        return;
    }
    const int32_t ys = SubMm(yd, s);
    Line(SubMm(x, half), yd, SubMm(x, half), ys);
    if (mirror) Line(AddMm(p3, half), yd, AddMm(p3, half), ys);
    Line(SubMm(x, half), ys, AddMm(p3, half), ys);
}

} // namespace lc
