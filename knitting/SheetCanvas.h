#pragma once
// The surface the instruction sheet is drawn on. Techniques and their columns
// draw through this interface only, so they stay free of any toolkit: the
// machine panel implements it with a painter, tests with a recorder.
//
// Coordinates are panel pixels. Texts are byte strings of the symbol font's
// character codes (one byte per character); digits and letters are plain ASCII.
// Colours are 0x00BBGGRR values.
#include <string_view>

#include "core/PatternRaster.h"

namespace lc {

struct TextExtent {
    int cx = 0; // width in pixels
    int cy = 0; // height in pixels
};

class ISheetCanvas {
public:
    virtual ~ISheetCanvas() = default;
    // Fills columns left..right-1 and lines top..bottom-1.
    virtual void fillRect(int left, int top, int right, int bottom, Color color) = 0;
    // Draws text with its top-left corner at (x, y) in the current font size and colour,
    // without a background.
    virtual void drawText(int x, int y, std::string_view text) = 0;
    // The extent the text takes in the current font size.
    virtual TextExtent textSize(std::string_view text) = 0;
    // Font size in pixels, so that the sheet's fixed line heights hold.
    virtual void setFontSize(int size) = 0;
    virtual int fontSize() const = 0;
    virtual void setFontColor(Color color) = 0;
    virtual Color fontColor() const = 0;
};

} // namespace lc
