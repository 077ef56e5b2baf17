#include "garment/MeasureRulerModel.h"

#include <algorithm>
#include <cmath>

#include "core/Numbers.h"

namespace lc {

namespace {

// Pixels are kept well inside int, so a ruler far from its zero still paints.
int pixelOf(long double x) { return roundToIntClamped<int>(clampTo<long double>(x, -1e9L, 1e9L)); }

// The first of 1, 10, 100 ... mm whose length reaches `minPixels`. The scale
// is at least kMinScale, so ten steps always suffice.
int64_t decadeStep(double scale, double minPixels) {
    int64_t s = 1;
    for (int i = 0; i < 12 && static_cast<double>(s) * scale < minPixels; ++i) s *= 10;
    return s;
}

} // namespace

bool MeasureRulerModel::SetScale(double scale) {
    if (!std::isfinite(scale) || scale <= 0.0) return false;
    scale_ = clampTo(scale, kMinScale, kMaxScale);
    return true;
}

double MeasureRulerModel::PixelToValue(int pixel) const {
    return (pixel / scale_ + (static_cast<double>(StartPosition) - ZeroPosition)) / 10.0;
}

void MeasureRulerModel::ScrollBy(int pixels) {
    const int64_t moved = roundToIntClamped<int64_t>(static_cast<long double>(pixels) / scale_);
    StartPosition = static_cast<int32_t>(clampTo<int64_t>(StartPosition + moved, INT32_MIN, INT32_MAX));
}

void MeasureRulerModel::SetZeroAt(int pixel) {
    const int64_t at = roundToIntClamped<int64_t>(static_cast<long double>(pixel) / scale_);
    ZeroPosition = static_cast<int32_t>(clampTo<int64_t>(StartPosition + at, INT32_MIN, INT32_MAX));
}

std::vector<MeasureTick> MeasureRulerModel::Ticks(int length) const {
    std::vector<MeasureTick> ticks;
    if (length <= 0) return ticks;
    const int64_t d = static_cast<int64_t>(StartPosition) - ZeroPosition;
    long double x, step;
    int64_t v, s, major;
    if (Units == LengthUnit::Centimetres) {
        s = decadeStep(scale_, 4.0);
        major = 10 * s;
        step = static_cast<long double>(s) * scale_;
        x = -static_cast<long double>(d % s) * scale_;
        v = (d / s) * s;
    } else {
        long double mm = 3.175L;
        s = 3;
        for (int i = 0; i < 12 && scale_ * mm < 10.0L; ++i) {
            mm *= 4;
            s *= 4;
        }
        major = std::max<int64_t>(4 * s, 24);
        step = scale_ * mm;
        // The tick at or before the start edge, whichever side of the zero it lies.
        const long double k = std::truncl(static_cast<long double>(d) / mm);
        x = (k * mm - static_cast<long double>(d)) * scale_;
        v = static_cast<int64_t>(k) * s;
    }
    // The step is at least 4 px, so a ruler of any length ends.
    for (; x < length; x += step, v += s) ticks.push_back({pixelOf(x), v, v % major == 0});
    return ticks;
}

std::vector<int> MeasureRulerModel::GridLines(int length) const {
    std::vector<int> lines;
    if (length <= 0) return lines;
    const int64_t every = 5 * decadeStep(scale_, 5.0);
    const int64_t d = static_cast<int64_t>(StartPosition) - ZeroPosition;
    // The first multiple of `every` at or before the start edge.
    int64_t m = (d / every) * every;
    if (m > d) m -= every;
    const long double step = static_cast<long double>(every) * scale_;
    for (long double x = static_cast<long double>(m - d) * scale_; x < length; x += step)
        if (x >= 0) lines.push_back(pixelOf(x));
    return lines;
}

} // namespace lc
