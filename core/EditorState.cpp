#include "core/EditorState.h"

#include <cmath>

#include "core/Numbers.h"

namespace lc {

namespace {
long double usableGauge(double v) { return (std::isfinite(v) && v > 0) ? v : 0.25; }
} // namespace

CellHeightTable CellHeightsFor(double pixByX, double pixByY) {
    const long double gx = usableGauge(pixByX), gy = usableGauge(pixByY);
    CellHeightTable heights{};
    for (int i = 0; i < kZoomLevels; ++i) {
        const long double h = roundHalfEven(CellWidths[i] * gy / gx);
        // A row is never drawn thinner than 2 pixels; more than a byte holds never occurs in practice.
        heights[i] = static_cast<uint8_t>(h < 2 ? 2 : (h > 255 ? 255 : static_cast<int>(h)));
    }
    return heights;
}

} // namespace lc
