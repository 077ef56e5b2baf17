#pragma once
// Fills a closed polygon into an indexed bitmap the way the system's polygon
// drawing with a one-pixel pen and alternate filling does: every cell whose
// centre lies inside under the even-odd rule, plus every cell on the outline
// (including its vertices). Vertices are cell coordinates; writes outside the
// bitmap are clipped.
#include <cstdint>
#include <span>

#include "core/IndexedBitmap.h"

namespace lc {

struct RasterPoint {
    int64_t x = 0;
    int64_t y = 0;
    bool operator==(const RasterPoint&) const = default;
};

void FillPolygon(IndexedBitmap& bitmap, std::span<const RasterPoint> polygon, uint8_t value);

} // namespace lc
