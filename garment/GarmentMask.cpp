#include "garment/GarmentMask.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Errors.h"
#include "garment/PolygonRaster.h"

namespace lc {

namespace {

bool validGauge(double g) { return std::isfinite(g) && g > 0.0; }

// r(mm / (10 * gauge)) in extended precision, as a real (no range limit).
long double convert(int64_t mm, double gauge) {
    return std::nearbyint(static_cast<long double>(mm) / (10.0L * static_cast<long double>(gauge)));
}

int convertChecked(int64_t mm, double gauge) {
    if (!validGauge(gauge)) throw RangeError("the gauge must be a positive number");
    const long double v = convert(mm, gauge);
    if (!(v >= -2147483648.0L && v <= 2147483647.0L)) throw RangeError("number out of range");
    return static_cast<int>(v);
}

// The curves at each point, in list order, so the walk finds a point's curves
// without scanning the whole list at every step.
class CurveIndex {
public:
    explicit CurveIndex(const GarmentOutline& g) : curves_(g.Curves()) {
        const size_t n = g.Points().size();
        first_.assign(n + 1, 0);
        for (const GarmentCurve& c : curves_) {
            ++first_[c.StartPoint + 1];
            if (c.EndPoint != c.StartPoint) ++first_[c.EndPoint + 1];
        }
        for (size_t i = 0; i < n; ++i) first_[i + 1] += first_[i];
        list_.resize(first_[n]);
        std::vector<int32_t> fill(first_.begin(), first_.end() - 1);
        for (size_t k = 0; k < curves_.size(); ++k) {
            const GarmentCurve& c = curves_[k];
            list_[static_cast<size_t>(fill[c.StartPoint]++)] = static_cast<int32_t>(k);
            if (c.EndPoint != c.StartPoint) list_[static_cast<size_t>(fill[c.EndPoint]++)] = static_cast<int32_t>(k);
        }
    }

    // The last curve joining p1 and p2 in either direction, -1 when none.
    int findCurve(int p1, int p2) const {
        if (p1 < 0 || p2 < 0) return -1;
        for (int32_t k = first_[static_cast<size_t>(p1) + 1] - 1; k >= first_[static_cast<size_t>(p1)]; --k) {
            const int c = list_[static_cast<size_t>(k)];
            if (joins(c, p1, p2)) return c;
        }
        return -1;
    }

    // The other end of the last curve at `point`, passing over `walked` and any
    // other curve between the same two points: a doubled curve (a paste in
    // place, a mirrored curve on the axis) would otherwise send the walk back
    // the way it came and the polygon would fold onto itself.
    int otherEnd(int point, int walked) const {
        const GarmentCurve* w = walked >= 0 ? &curves_[static_cast<size_t>(walked)] : nullptr;
        for (int32_t k = first_[static_cast<size_t>(point) + 1] - 1; k >= first_[static_cast<size_t>(point)]; --k) {
            const int c = list_[static_cast<size_t>(k)];
            if (c == walked) continue;
            if (w && joins(c, w->StartPoint, w->EndPoint)) continue;
            const GarmentCurve& cv = curves_[static_cast<size_t>(c)];
            return cv.StartPoint == point ? cv.EndPoint : cv.StartPoint;
        }
        return -1;
    }

private:
    bool joins(int c, int p1, int p2) const {
        const GarmentCurve& cv = curves_[static_cast<size_t>(c)];
        return (cv.StartPoint == p1 && cv.EndPoint == p2) || (cv.StartPoint == p2 && cv.EndPoint == p1);
    }

    const std::vector<GarmentCurve>& curves_;
    std::vector<int32_t> first_;
    std::vector<int32_t> list_;
};

} // namespace

int MmToStitches(int64_t mm, double pixByX) { return convertChecked(mm, pixByX); }
int MmToRows(int64_t mm, double pixByY) { return convertChecked(mm, pixByY); }

int RasterizeMask(const GarmentOutline& garment, PatternRaster& gd, double pixByX, double pixByY) {
    const int W = gd.Width, H = gd.Height;
    gd.GarmentWidth = W - 1;
    gd.GarmentRows = H - 1;

    const auto& pts = garment.Points();
    if (pts.empty()) return kMaskNoPoints;
    // The box starts from the first point, so an outline anywhere gets its own box.
    int64_t minX = pts[0].X, maxX = pts[0].X, minY = pts[0].Y, maxY = pts[0].Y;
    for (const GarmentPoint& p : pts) {
        minX = std::min<int64_t>(minX, p.X);
        maxX = std::max<int64_t>(maxX, p.X);
        minY = std::min<int64_t>(minY, p.Y);
        maxY = std::max<int64_t>(maxY, p.Y);
    }
    int64_t w = maxX - minX;
    if (garment.IsSymmetric()) w *= 2;
    const int64_t h = maxY - minY;

    if (!validGauge(pixByX) || !validGauge(pixByY)) return kMaskTooBig;
    const long double sw = convert(w, pixByX);
    const long double rh = convert(h, pixByY);
    int result = 0;
    if (sw + 1 > W) result |= kMaskTooWide;
    if (rh + 1 > H) result |= kMaskTooLong;
    if (result) return result;

    const int64_t stitchesW = static_cast<int64_t>(sw);
    gd.GarmentWidth = static_cast<int>(stitchesW + 1);
    gd.GarmentRows = static_cast<int>(rh);
    const int64_t o = (W - stitchesW) / 2;

    if (garment.CurveCount() == 0) return kMaskNoCurves;
    gd.ClearMask();

    // Polyline points can lie a little beyond the box (the fixed shapes' offsets);
    // far beyond it they are clamped, which the clipping then drops.
    auto T = [&](int64_t x, int64_t y) {
        const long double cx = convert(x - minX, pixByX) + static_cast<long double>(o);
        const long double cy = convert(y - minY, pixByY);
        constexpr long double kFar = 1e12L;
        return RasterPoint{static_cast<int64_t>(std::clamp(cx, -kFar, kFar)),
                           static_cast<int64_t>(std::clamp(cy, -kFar, kFar))};
    };

    const CurveIndex index(garment);
    std::vector<RasterPoint> poly;
    int current = garment.FirstCurveStart();
    int next = index.otherEnd(current, -1);
    poly.push_back(T(pts[static_cast<size_t>(current)].X, pts[static_cast<size_t>(current)].Y));
    // A curve is walked once: with doubled curves the step count would otherwise
    // carry the walk round the loop a second time, and the alternate filling
    // of a twice-covered polygon leaves it empty.
    std::vector<uint8_t> walked(static_cast<size_t>(garment.CurveCount()), 0);
    for (int step = 0; step < garment.CurveCount(); ++step) {
        const int c = index.findCurve(current, next);
        if (c < 0 || walked[static_cast<size_t>(c)]) break;
        walked[static_cast<size_t>(c)] = 1;
        const CurvePolyline pl = garment.BuildCurvePoints(c);
        if (pl.Count < 2) break; // a curve without a shape ends the chain
        if (T(pl.Points[0].x, pl.Points[0].y) == poly.back()) {
            for (int k = 1; k < pl.Count; ++k) poly.push_back(T(pl.Points[k].x, pl.Points[k].y));
        } else {
            for (int k = pl.Count - 2; k >= 0; --k) poly.push_back(T(pl.Points[k].x, pl.Points[k].y));
        }
        current = next;
        next = index.otherEnd(current, c);
    }

    if (garment.IsSymmetric()) {
        const size_t L = poly.size() - 1;
        const int64_t x0 = poly[0].x;
        poly.reserve(2 * L + 1);
        for (size_t k = 1; k <= L; ++k) poly.push_back(RasterPoint{2 * x0 - poly[L - k].x, poly[L - k].y});
        const int64_t shift = W / 2 - x0;
        for (RasterPoint& p : poly) p.x += shift;
    }

    FillPolygon(gd.Mask, poly, kMaskInside);
    return kMaskBuilt;
}

const char* GarmentSizeErrorText(int result) {
    switch (result) {
    case kMaskTooWide: return "Garment is too wide!";
    case kMaskTooLong: return "Garment is too long!";
    case kMaskTooBig: return "Garment is too big!";
    default: return "";
    }
}

int MakeMask(const GarmentOutline& garment, PatternRaster& gd, double pixByX, double pixByY, bool& garmentMode,
             IGarmentMaskMessages* messages) {
    gd.FillMask();
    const int result = RasterizeMask(garment, gd, pixByX, pixByY);
    if (result == kMaskBuilt) return result;
    if ((result & kMaskTooBig) && messages) messages->ShowGarmentSizeError(result & kMaskTooBig);
    garmentMode = false;
    if (messages) messages->GarmentModeReleased();
    return result;
}

} // namespace lc
