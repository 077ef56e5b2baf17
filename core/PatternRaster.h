#pragma once
// The pattern raster: the design, the garment mask, a backup, and the
// 17-colour palette with its grey and zone-tinted copies. The workspace holds
// the program's one raster (core/Workspace.h).
#include <array>
#include <cstdint>

#include "core/IndexedBitmap.h"

namespace lc {

using Color = uint32_t; // 0x00BBGGRR
using ColorTable17 = std::array<Color, 17>;

// Pattern rows are at most this many; the raster is this tall.
inline constexpr int kPatternRows = 1024;

inline constexpr int kBackgroundIndex = 16;  // palette entry of the background
inline constexpr uint8_t kMaskInside = 16;   // mask cell inside the garment
inline constexpr uint8_t kMaskOutside = 255; // mask cell outside the garment

constexpr Color RGB(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return c & 0xFF; }
constexpr int GreenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(Color c) { return (c >> 16) & 0xFF; }

// Colours carry no "system colour" bit here: resolving one is masking to 24 bits.
inline void ColorToRGB(Color c, uint8_t& r, uint8_t& g, uint8_t& b) {
    r = static_cast<uint8_t>(RedOf(c));
    g = static_cast<uint8_t>(GreenOf(c));
    b = static_cast<uint8_t>(BlueOf(c));
}

Color GreyOf(Color c);
Color TintOf(Color c);
Color ClampColor(Color c);
Color ContrastColor(Color c);

// The built-in 256-entry start palette: entries 0..15 the starting yarn
// colours, 16..254 greys whose channels equal the entry number, 255 black.
const Palette256& P256();

class PatternRaster {
public:
    PatternRaster();

    int Width = 0;
    int Height = 0;
    int GarmentWidth = 0;
    int GarmentRows = 0;
    IndexedBitmap Picture; // design row r is line Height-1-r
    IndexedBitmap Mask;    // design row r is line r (stored upside down)
    IndexedBitmap Backup;  // same lines as Picture
    ColorTable17 Colors{};
    ColorTable17 GreyColors{};
    ColorTable17 ZoneColors{};

    // Sizes all three bitmaps; the picture is cleared to 0. The mask is filled
    // (every cell inside) and the backup cleared, so nothing stale survives a resize.
    void SetSize(int width, int height);

    bool IsMaskCellSet(int column, int line) const;
    int MaskRowRightEdge(int row) const;
    int MaskRowLeftEdge(int row) const;
    void FillMask();
    void ClearMask();
    void MirrorMask();
    void CopyToBackup();
    void SavePixels();
    void RestorePixels();

    // Palette modes 0, 1 and 2 all mean "apply the colour table"; other values do nothing.
    void ApplyPalette(int mode);
    void ApplyPaletteTo(IndexedBitmap& bitmap, int mode);
    void UpdatePalette(int mode);

    // Design row <-> picture line.
    int LineOfRow(int row) const { return Height - 1 - row; }

    // Cell of design row `row`, column `col` (0 outside the raster).
    uint8_t CellAt(int col, int row) const { return Picture.at(col, LineOfRow(row), 0); }
};

} // namespace lc
