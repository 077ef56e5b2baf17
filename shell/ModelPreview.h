#pragma once
// What the Fashion page's item preview shows: a drawing item's cells, read
// with the item's own line length (never past its data, never sheared by the
// raster's width), and a garment item's curves fitted into the preview box.
#include <cstdint>
#include <vector>

#include "core/ModelFile.h"

namespace lc {

class GarmentOutline;

// The bottom `maxLines` lines of a drawing item (the pattern's first rows),
// top line first, each cell a palette index 0..16 (larger values are 16).
struct DrawingCells {
    int Width = 0;
    int Lines = 0;
    std::vector<uint8_t> Cells;
};
DrawingCells DrawingItemCells(const ModelItem& item, int maxLines);

// Polylines of the outline's curves in a box of boxWidth x boxHeight pixels,
// 4 pixels in from the edges; a symmetrical garment is drawn with its mirror
// half. Empty for an outline without width or height.
struct PreviewPoint {
    int X = 0;
    int Y = 0;
};
std::vector<std::vector<PreviewPoint>> GarmentPreviewLines(const GarmentOutline& garment, int boxWidth, int boxHeight);

} // namespace lc
