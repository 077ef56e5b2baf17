#include <gtest/gtest.h>

#include "core/StitchDefault.h"

namespace {

int columnMean(int x, int y0, int y1) {
    int sum = 0;
    for (int y = y0; y < y1; ++y) sum += lc::kStitchDefault[y][x];
    return sum / (y1 - y0);
}

} // namespace

// The picture must stand the right way up: a "V" is open at the top (dark
// between the legs) and closed at the bottom, where both legs meet.
TEST(StitchDefault, IsAnUprightV) {
    const int mid = lc::kStitchDefaultWidth / 2;
    const int h = lc::kStitchDefaultHeight;
    EXPECT_LT(columnMean(mid, 0, h / 4), 60);          // gap between the legs at the top
    EXPECT_GT(columnMean(mid, 3 * h / 4, h - 2), 120); // the legs meet at the bottom
    EXPECT_GT(columnMean(2, 0, h / 4), 120);           // outer strands at the top
    EXPECT_LT(columnMean(1, 3 * h / 4, h), 60);        // dark outside the V's point
}

// Tinting multiplies by the picture, so it must span dark to nearly white and
// be mirror-symmetric, or stitches of one colour would look lopsided.
TEST(StitchDefault, ShadedAndSymmetric) {
    int lo = 255, hi = 0;
    for (int y = 0; y < lc::kStitchDefaultHeight; ++y)
        for (int x = 0; x < lc::kStitchDefaultWidth; ++x) {
            const int v = lc::kStitchDefault[y][x];
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            EXPECT_NEAR(v, lc::kStitchDefault[y][lc::kStitchDefaultWidth - 1 - x], 40) << x << "," << y;
        }
    EXPECT_LT(lo, 40);
    EXPECT_GT(hi, 200);
}
