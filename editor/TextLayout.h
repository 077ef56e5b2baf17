#pragma once
// Where the characters of a text go along a circular arc: each character
// stands on the circle of radius R around the text position, its top pointing
// away from the centre, the first one centred half its width clockwise from
// the start angle, each next one a width further on clockwise.
#include <vector>

namespace lc {

struct ArcGlyph {
    int index = 0;      // the character of the text (reversed with rightToLeft)
    int x = 0, y = 0;   // the bottom centre of the character, y growing downward
    int escapement = 0; // its turn in tenths of a degree, counter-clockwise
};

// `widths`: the advance of each character in pixels; `angleTenths`: the start
// angle in tenths of a degree counter-clockwise from the right (900 = the top);
// `radius` in pixels. A radius below 1 lays out nothing.
std::vector<ArcGlyph> LayoutArc(const std::vector<int>& widths, int centreX, int centreY, int radius, int angleTenths,
                                bool rightToLeft);

} // namespace lc
