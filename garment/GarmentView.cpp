#include "garment/GarmentView.h"

#include <algorithm>
#include <cmath>

#include "core/Numbers.h"

namespace lc {

namespace {

int32_t clamp32(long double v) { return roundToIntClamped<int32_t>(v); }

} // namespace

void GarmentView::SetSize(int width, int height) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    sized_ = true;
}

bool GarmentView::SetScales(double h, double v) {
    if (!std::isfinite(h) || !std::isfinite(v) || h <= 0 || v <= 0) return false;
    H.SetScale(h);
    V.SetScale(v);
    return true;
}

int GarmentView::XToMm(int px) const {
    return clamp32(px / static_cast<long double>(H.Scale()) +
                   (static_cast<long double>(H.StartPosition) - H.ZeroPosition));
}

int GarmentView::YToMm(int py) const {
    return clamp32((static_cast<long double>(height_) - py) / V.Scale() +
                   (static_cast<long double>(V.StartPosition) - V.ZeroPosition));
}

int GarmentView::MmToX(int64_t x) const {
    return clamp32((static_cast<long double>(x) + H.ZeroPosition - H.StartPosition) * H.Scale());
}

int GarmentView::MmToY(int64_t y) const {
    const long double up = (static_cast<long double>(y) + V.ZeroPosition - V.StartPosition) * V.Scale();
    return clamp32(static_cast<long double>(height_) - std::nearbyintl(clampTo<long double>(up, -4e9L, 4e9L)));
}

void GarmentView::Pan(int lastX, int lastY, int x, int y) {
    H.ScrollBy(lastX - x);
    V.ScrollBy(y - lastY);
}

void GarmentView::SetZeroAt(int px, int py) {
    H.SetZeroAt(px);
    V.SetZeroAt(height_ - py);
}

void GarmentView::placeAt(int64_t x, int64_t y, long double px, long double py) {
    // MmToX(x) = px  <=>  Start = x + Zero - px / Scale (and likewise from the bottom).
    H.StartPosition = clamp32(static_cast<long double>(x) + H.ZeroPosition - px / H.Scale());
    V.StartPosition = clamp32(static_cast<long double>(y) + V.ZeroPosition - (height_ - py) / V.Scale());
}

bool GarmentView::ZoomToRect(int x0, int y0, int x1, int y1) {
    const long double w = std::fabs(static_cast<long double>(x1) - x0) / width_;
    const long double h = std::fabs(static_cast<long double>(y1) - y0) / height_;
    const long double f = std::max(w, h);
    if (f <= 0 || V.Scale() / f >= MeasureRulerModel::kMaxScale || H.Scale() / f >= MeasureRulerModel::kMaxScale)
        return false;
    history_.push_back({H.Scale(), V.Scale(), H.StartPosition, V.StartPosition});
    const int cornerX = XToMm(std::min(x0, x1));
    const int cornerY = YToMm(std::min(y0, y1));
    H.SetScale(static_cast<double>(H.Scale() / f));
    V.SetScale(static_cast<double>(V.Scale() / f));
    placeAt(cornerX, cornerY, 0, 0);
    return true;
}

void GarmentView::ZoomOut() {
    if (!history_.empty()) {
        const ZoomState z = history_.back();
        history_.pop_back();
        H.SetScale(z.HScale);
        V.SetScale(z.VScale);
        H.StartPosition = z.HOrigin;
        V.StartPosition = z.VOrigin;
        return;
    }
    H.SetScale(H.Scale() * 0.75);
    V.SetScale(V.Scale() * 0.75);
}

void GarmentView::FitToScreen(const GarmentOutline& garment) {
    if (garment.PointCount() < 2) return;
    const GarmentBounds b = garment.Bounds();
    const long double pw = static_cast<long double>(b.MaxX - static_cast<int64_t>(b.MinX)) * H.Scale();
    const long double ph = static_cast<long double>(b.MaxY - static_cast<int64_t>(b.MinY)) * V.Scale();
    if (pw < 1 || ph < 1) return;
    const int mx = roundToIntClamped<int>(0.2L * width_), my = roundToIntClamped<int>(0.2L * height_);
    long double f = std::min((width_ - mx) / pw, (height_ - my) / ph);
    // Both rulers keep their scales in range, and keep their ratio.
    const long double hi = std::max(H.Scale(), V.Scale()), lo = std::min(H.Scale(), V.Scale());
    f = clampTo<long double>(f, MeasureRulerModel::kMinScale / lo, MeasureRulerModel::kMaxScale / hi);
    H.SetScale(static_cast<double>(H.Scale() * f));
    V.SetScale(static_cast<double>(V.Scale() * f));
    const long double left = std::nearbyintl((width_ - mx - pw * f) / 2) + mx / 2;
    const long double bottom = std::nearbyintl((height_ - my + ph * f) / 2) + my / 2;
    placeAt(b.MinX, b.MinY, left, bottom);
}

void GarmentView::FitToCenter(const GarmentOutline& garment) {
    if (garment.PointCount() < 2) return;
    const GarmentBounds b = garment.Bounds();
    const long double pw = static_cast<long double>(b.MaxX - static_cast<int64_t>(b.MinX)) * H.Scale();
    const long double ph = static_cast<long double>(b.MaxY - static_cast<int64_t>(b.MinY)) * V.Scale();
    placeAt(b.MinX, b.MinY, std::nearbyintl((width_ - pw) / 2), std::nearbyintl((height_ + ph) / 2));
}

} // namespace lc
