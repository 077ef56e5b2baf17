#pragma once
// Picture files (".LCW": the whole pattern raster, two stitches a byte) and
// palette files (".LCP": the 17 colours of the raster), both behind the same
// 66-byte header, and the start palette "start.Lcp" of the program folder.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/PatternRaster.h"

namespace lc {

class Workspace;

inline constexpr size_t kPictureHeaderSize = 66;
inline constexpr uint16_t kPaletteMark = 339; // the value at offset 2 of a palette file
inline constexpr uint16_t kPictureTypePalette = 1;
inline constexpr uint16_t kPictureTypePicture = 2;
inline constexpr size_t kPaletteFileSize = kPictureHeaderSize + 17 * 4; // 134
// The widths a picture may have: no machine knits more than 400 stitches.
inline constexpr int kPictureMinWidth = 2;
inline constexpr int kPictureMaxWidth = 400;
inline constexpr const char* kStartPaletteName = "start.Lcp";

struct PictureHeader {
    uint8_t Magic[2] = {'Z', 'T'};
    uint16_t Mark = 0;     // 339 in a palette file, 0 in a picture file
    uint16_t Width = 0;    // picture: stitches
    uint16_t Height = 0;   // picture: rows
    uint16_t FileType = 0; // 2 picture, 1 palette
    std::array<uint8_t, 56> Reserved{};

    bool HasMagic() const { return Magic[0] == 'Z' && Magic[1] == 'T'; }
    // `bytes` must hold at least kPictureHeaderSize bytes.
    static PictureHeader Parse(std::span<const uint8_t> bytes);
    void AppendTo(std::vector<uint8_t>& out) const;
};

// What the drawing page redraws after a picture or palette has been read. The
// UI implements it; every call has a do-nothing default.
class IDrawingView {
public:
    virtual ~IDrawingView() = default;
    virtual void BuildStitchBitmaps() {}
    virtual void MakeBobbins() {}
    virtual void RepaintPicture() {}
    virtual void RepaintPaletteGrid() {}
};

enum class PictureResult {
    Picture,       // the picture was read into the raster
    Palette,       // a palette file: its colours were taken
    NotRecognised, // neither a picture nor a palette: nothing changed, only repainted
};

// Pictures.
std::vector<uint8_t> BuildPictureFile(const PatternRaster& raster);
void SavePicture(const std::string& fileName, const PatternRaster& raster);
// A picture that does not fit the raster (width outside 2..400, no rows, a
// height from 513 to 999 or more rows than the raster has) or a short file
// (one shorter than the header too, marked or not) throws FormatError and
// changes nothing.
PictureResult OpenPictureBytes(std::span<const uint8_t> bytes, PatternRaster& raster, IDrawingView* view = nullptr);
PictureResult OpenPicture(const std::string& fileName, PatternRaster& raster, IDrawingView* view = nullptr);

// Palettes.
std::vector<uint8_t> BuildPaletteFile(const ColorTable17& colors);
void SavePalette(const std::string& fileName, const ColorTable17& colors);
// True when the header marks a palette and its colours were taken into
// raster.Colors; false (colours unchanged) otherwise. Either way the palette is
// re-applied and the view rebuilds the stitch bitmaps; with `repaint` the
// drawing page redraws. A palette cut short throws FormatError and changes nothing.
bool LoadPaletteBytes(std::span<const uint8_t> bytes, bool repaint, IDrawingView* view, PatternRaster& raster);
bool LoadPalette(const std::string& fileName, bool repaint, IDrawingView* view, PatternRaster& raster);
// "start.Lcp" in `appDir` (any letter case), without repainting. False when
// there is none; the built-in colours then stay.
bool LoadStartPalette(const std::string& appDir, IDrawingView* view, PatternRaster& raster);
// The start palette of the program folder into the workspace's raster; the
// stitch pictures, tinted at start-up from the built-in colours, are tinted again.
bool LoadStartPalette(Workspace& ws);

} // namespace lc
