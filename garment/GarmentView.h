#pragma once
// The Garment Shape page's view: the two measuring rulers that carry the
// mapping between paint-box pixels and outline millimetres, the paint box's
// size, and the zoom history. Pixels count from the paint box's top-left
// corner, millimetres grow to the right and upward.
#include <cstdint>
#include <vector>

#include "garment/GarmentOutline.h"
#include "garment/MeasureRulerModel.h"

namespace lc {

// One step of the zoom history: both rulers' scales and start positions.
struct ZoomState {
    double HScale = 0, VScale = 0;
    int32_t HOrigin = 0, VOrigin = 0;
};

class GarmentView {
public:
    MeasureRulerModel H; // the horizontal ruler, along the paint box's width
    MeasureRulerModel V; // the vertical ruler, along its height, from the bottom

    // The paint box's (and so each ruler's) length in pixels; at least 1.
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // False until the paint box has been laid out and told its size: until
    // then there is no box to fit an outline into.
    bool Sized() const { return sized_; }

    // Both scales (refused as MeasureRulerModel::SetScale refuses).
    bool SetScales(double h, double v);

    int XToMm(int px) const;
    int YToMm(int py) const;
    int MmToX(int64_t x) const;
    int MmToY(int64_t y) const;

    // Pans by a mouse movement from (lastX, lastY) to (x, y).
    void Pan(int lastX, int lastY, int x, int y);
    // Both rulers' zeros at this pixel.
    void SetZeroAt(int px, int py);

    // Zooms into the rectangle between two pixel corners so that it fills the
    // paint box. Refused (false, nothing changes) for an empty rectangle or
    // when the scale would reach kMaxScale. The old view goes on the history.
    bool ZoomToRect(int x0, int y0, int x1, int y1);
    // Back to the last view on the history, or both scales times 0.75.
    void ZoomOut();
    // Scales and scrolls so that the outline's bounds fill the paint box less
    // a margin of a fifth, centred. Fewer than two points or a flat box: nothing.
    void FitToScreen(const GarmentOutline& garment);
    // Keeps the scales and centres the outline's bounds.
    void FitToCenter(const GarmentOutline& garment);
    const std::vector<ZoomState>& History() const { return history_; }
    void ClearHistory() { history_.clear(); }

private:
    // Start positions that put millimetre (x, y) at pixel (px, py).
    void placeAt(int64_t x, int64_t y, long double px, long double py);

    int width_ = 1;
    int height_ = 1;
    bool sized_ = false;
    std::vector<ZoomState> history_;
};

} // namespace lc
