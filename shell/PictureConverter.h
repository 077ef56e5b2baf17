#pragma once
// The picture-to-pattern converter: a picture, the area of it on view (with
// the history of earlier areas), the colours the user picked, and the
// conversion of the area into a few-colour pattern of S stitches by R rows,
// which goes into the raster's backup bitmap for the editor's paste tool.
//
// The area is sampled as the page shows it, scaled to the view box with the
// nearest source pixel, so what is converted is what the user sees; the
// samples come from the picture in memory, never from the screen.
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "core/CellRect.h"
#include "core/Jpeg.h"
#include "core/PatternRaster.h"

namespace lc {

inline constexpr int kConverterMinStitches = 10;
inline constexpr int kConverterMaxStitches = 200;
inline constexpr int kConverterMinRows = 10;
inline constexpr int kConverterMaxRows = 512;
inline constexpr int kConverterMinColors = 2;
inline constexpr int kConverterMaxColors = 16;
inline constexpr int kConverterMinTolerance = 1;
inline constexpr int kConverterMaxTolerance = 20;
inline constexpr int kCensusSamples = 200;

// The square of the colour distance: |dR| + |dG| + |dB|. Colours match at
// tolerance T when this is at most T * T (the distance is its square root).
inline int ColorDistanceSquared(Color a, Color b) {
    auto d = [](int x, int y) { return x > y ? x - y : y - x; };
    return d(RedOf(a), RedOf(b)) + d(GreenOf(a), GreenOf(b)) + d(BlueOf(a), BlueOf(b));
}
double ColorDistance(Color a, Color b);
inline bool ColorsMatch(Color a, Color b, int tolerance) { return ColorDistanceSquared(a, b) <= tolerance * tolerance; }

// An area of the picture in source pixels: columns Left..Right, lines Top..Bottom
// (inclusive corners, as the view shows them).
struct ViewArea {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int spanX() const { return Right - Left; }
    int spanY() const { return Bottom - Top; }
    bool operator==(const ViewArea&) const = default;
};

struct ConversionSettings {
    int Stitches = 40;
    int Rows = 40;
    int Colors = 2;
    int Tolerance = 1;
};

class PictureConverter {
public:
    PictureConverter();

    // A new picture: the view is all of it, the history empty, no conversion
    // shown. The picked colours, the palette and the last conversion's cells
    // stay.
    void setPicture(RgbImage picture);
    const RgbImage& picture() const { return picture_; }
    bool hasPicture() const { return picture_.Width > 0 && picture_.Height > 0; }

    const ViewArea& view() const { return view_; }
    int historySize() const { return static_cast<int>(history_.size()); }
    // The size of a box of at most boxWidth x boxHeight that shows the view
    // undistorted (at least 1 x 1).
    void fitBox(int boxWidth, int boxHeight, int& width, int& height) const;
    // Zooms into the rectangle (x0, y0)-(x1, y1) of a box `boxWidth` wide
    // showing the view. A rectangle that covers no source pixel in either
    // direction changes nothing. True when the view changed.
    bool zoomTo(int x0, int y0, int x1, int y1, int boxWidth);
    // Back to the previous area; false (nothing done) with an empty history.
    bool zoomBack();

    // The picture's colour shown at (x, y) of a box of boxWidth x boxHeight
    // (nearest source pixel, coordinates clamped). White without a picture.
    Color colorAt(int x, int y, int boxWidth, int boxHeight) const;

    // Adds a picked colour. The count grows up to the desired colours; further
    // picks replace the slot after the last counted one.
    void addPicked(Color c, int desiredColors);
    int pickedCount() const { return pickedCount_; }
    // The desired colour count changed: picks beyond it are forgotten.
    void limitPicked(int desiredColors);
    void clearPicked() { pickedCount_ = 0; }

    // Converts the view as shown in a box of boxWidth x boxHeight. `stitches`
    // is also kept to `maxStitches` (the raster's width). False without a picture.
    bool convert(ConversionSettings s, int boxWidth, int boxHeight, int maxStitches);
    // The conversion is shown (instead of the picture).
    bool converted() const { return converted_; }
    // Back to the picture; the conversion stays ready for insertInto.
    void undoConversion();
    // The converted cells, one colour each, Stitches x Rows, top row first.
    const std::vector<Color>& cells() const { return cells_; }
    const ConversionSettings& lastSettings() const { return last_; }
    const std::array<Color, 17>& palette() const { return palette_; }

    // Writes the last conversion (shown or not: once made, it stays until the
    // next one) into the raster's backup bitmap as palette indices
    // (a cell whose colour is in no slot gets the last slot, never the
    // background) and returns the block (0, 0, S, R), clipped to the raster;
    // an empty block when no conversion was ever made.
    // With `replaceColors` the raster's colours 0..C-1 become the converter's
    // and every derived palette follows.
    CellRect insertInto(PatternRaster& raster, bool replaceColors) const;

    // The random generator of the census; tests seed it.
    std::mt19937& random() { return random_; }

private:
    RgbImage picture_;
    ViewArea view_;
    std::vector<ViewArea> history_;
    std::array<Color, 17> palette_{};
    int pickedCount_ = 0;
    bool converted_ = false;
    ConversionSettings last_;
    std::vector<Color> cells_;
    std::mt19937 random_;
};

} // namespace lc
