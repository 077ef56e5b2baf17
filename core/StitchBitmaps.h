#pragma once
// The sixteen stitch pictures: one cell of the current zoom level per yarn
// colour, tinted from the grey stitch picture. The editor draws cells with
// them when ViewMode is set; the UI wraps the RGB buffers in images. The
// workspace holds the program's set (core/Workspace.h).
#include <array>
#include <cstdint>
#include <vector>

#include "core/CellRect.h"
#include "core/PatternRaster.h"

namespace lc {

// An 8-bit grey picture, lines top-down, width bytes per line.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    bool empty() const { return width <= 0 || height <= 0 || pixels.size() < size_t(width) * size_t(height); }
    uint8_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// A 24-bit picture: lines top-down, 3 bytes (red, green, blue) per pixel, no padding.
struct StitchRgb {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    const uint8_t* pixel(int x, int y) const { return rgb.data() + (size_t(y) * size_t(width) + size_t(x)) * 3; }
};

struct StitchPictures {
    GreyImage Source;
    std::array<StitchRgb, 16> Bitmaps;
    // (0, 0, cell width - 1, cell height - 1) of the zoom level they were built for.
    CellRect Rect;
    // Bumped by every rebuild, so views know when to refresh their copies.
    uint64_t Revision = 0;
};

class Workspace;

// pictures.Source := the built-in grey stitch picture.
void LoadStitchSource(StitchPictures& pictures);
// Rebuilds the workspace's stitch bitmaps and their Rect for its zoom level
// (CellWidths and the editor's CellHeights) and its raster's colours.
void BuildStitchBitmaps(Workspace& ws);
// Tints `source` into one w x h picture per colour 0..15: each channel is
// (source grey * colour channel) >> 8, sampled at (round(x * sx), round(y * sy))
// with sx = source width / w, sy = source height / h, the index kept inside the
// source. An empty source counts as plain white.
void BuildStitchBitmaps(const GreyImage& source, const ColorTable17& colors, int w, int h,
                        std::array<StitchRgb, 16>& out);
// Empties the pictures (source included); the revision moves on.
void ReleaseStitchBitmaps(StitchPictures& pictures);

} // namespace lc
