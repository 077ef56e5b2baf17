#pragma once
// Draws catalogue pieces into a garment outline as straight lines (curve kind
// 7), in whole millimetres. A line starting within 5 mm of an existing point
// starts at that point, so consecutive lines of a shape share their points.
// The seven shape routines draw the armholes and necklines of backs and
// fronts; with Mirror set they repeat their lines negated about x = 0 (the
// round neck about its own centre).
#include <cstdint>

#include "garment/GarmentOutline.h"

namespace lc {

// Sums and differences of millimetres, checked (OverflowError).
int32_t AddMm(int64_t a, int64_t b);
int32_t SubMm(int64_t a, int64_t b);
// v rounded to the nearest integer, halves to even, checked (FloatError for
// NaN or infinity, OverflowError outside 32 bits).
int32_t RoundMm(long double v);

class OutlineDrafter {
public:
    explicit OutlineDrafter(GarmentOutline& target) : g_(target) {}

    // AddPoint(x0, y0), then a straight segment by (x1 - x0, y1 - y0).
    void Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1);

    void RoundCurve(int32_t x, int32_t y, int32_t p3, int32_t p4, int32_t p5, int32_t p6, int32_t p7, bool mirror);
    void StepCurve(int32_t x, int32_t y, int32_t p3, int32_t p4, int32_t p5, int32_t p6, int32_t p7, bool mirror);
    void DoubleStepCurve(int32_t x, int32_t y, int32_t p3, int32_t p4, int32_t p5, int32_t p6, int32_t p7, int32_t p8,
                         bool mirror);
    void SlopeNeck(int32_t x, int32_t y, int32_t w, int32_t s, int32_t d, bool mirror);
    void RoundNeck(int32_t x, int32_t y, int32_t w, int32_t d, bool mirror);
    void SquareNeck(int32_t x, int32_t y, int32_t w, int32_t yb, bool mirror);
    void NotchedNeck(int32_t x, int32_t y, int32_t p3, int32_t d, int32_t s, int32_t g, bool mirror);

private:
    struct Pt {
        int32_t x, y;
    };
    // Lines through the points in order, then, mirrored, the same negated.
    void polyline(const Pt* pts, int count, bool mirror);

    GarmentOutline& g_;
};

} // namespace lc
