#pragma once
// Draws the stitch grid into a 32-bit pixel buffer (0xAARRGGBB, the layout of
// an RGB32 image), the way the canvas shows it: cells by the colour tables
// (normal, grey outside the garment, tinted in the protected zone), grid lines,
// stitch pictures in view mode and the machine's frame. One pass over the
// pixels: each cell row is built once and copied down its pixel lines.
#include <array>
#include <cstdint>

#include "core/EditorState.h"
#include "core/Machine.h"
#include "core/PatternRaster.h"
#include "editor/ViewGeometry.h"

namespace lc {

struct PixelBuffer {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // in pixels
};

// Stitch pictures of the current zoom level, one per yarn colour, each
// width x height pixels, rows one after the other.
struct StitchTiles {
    std::array<const uint32_t*, 16> tile{};
    int width = 0;
    int height = 0;
};

struct RenderOptions {
    bool zoneOn = false;
    int zoneRow = -1;
    bool garmentMode = false;
    bool viewMode = false;
    int frameMode = 0;
    int frameWidth = 0;
    int frameRows = 0;
    const StitchTiles* tiles = nullptr;
    // From the editor state and the current machine.
    static RenderOptions From(const EditorState& editor, const MachineRecord& machine,
                              const StitchTiles* tiles = nullptr);
};

inline constexpr uint32_t ArgbOf(Color c) {
    return 0xFF000000u | (static_cast<uint32_t>(RedOf(c)) << 16) | (static_cast<uint32_t>(GreenOf(c)) << 8) |
           static_cast<uint32_t>(BlueOf(c));
}

class CanvasRenderer {
public:
    // Rebuilds the three colour tables from the raster's palette. Indices above
    // 16 (never a yarn colour) show as colour 0.
    void setColours(const PatternRaster& gd);

    // The whole client area (the buffer is the client area).
    void render(const ViewGeometry& geom, const PatternRaster& gd, const RenderOptions& opt, PixelBuffer out) const;
    // One cell of the pattern, with its own black border (the brush-like tools'
    // quick update); cells outside the pattern are left as they are.
    void renderCell(const ViewGeometry& geom, const PatternRaster& gd, const RenderOptions& opt, PixelBuffer out,
                    int column, int row) const;

    uint32_t normal(int i) const { return normal_[static_cast<size_t>(i & 0xFF)]; }
    uint32_t grey(int i) const { return grey_[static_cast<size_t>(i & 0xFF)]; }
    uint32_t zone(int i) const { return zone_[static_cast<size_t>(i & 0xFF)]; }

private:
    std::array<uint32_t, 256> normal_{}, grey_{}, zone_{};
};

} // namespace lc
