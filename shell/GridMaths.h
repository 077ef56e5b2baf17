#pragma once
// The thumbnail grids' arithmetic: how many cells fit, and the scroll bar's
// range. A grid too small for one cell still has one column and one row, so
// nothing ever divides by zero.
#include <algorithm>

namespace lc {

struct GridShape {
    int Columns = 1;
    int Rows = 1;
    int CellWidth = 1; // pixels, without the 8-pixel gap
    int CellHeight = 1;
    int page() const { return Columns * Rows; }
};

inline GridShape ShapeGrid(int width, int height, int minCellWidth, int minCellHeight) {
    GridShape g;
    g.Columns = std::max(1, width / std::max(1, minCellWidth));
    g.Rows = std::max(1, height / std::max(1, minCellHeight));
    g.CellWidth = std::max(1, width / g.Columns - 8);
    g.CellHeight = std::max(1, height / g.Rows - 8);
    return g;
}

// The galleries' scroll bar: the page is a screenful when the library fills
// one, else the pattern count (at least 1); the range reaches at least 50.
// Returned as a QScrollBar takes it: the last position, not counting the page.
struct ScrollRange {
    int Page = 1;
    int Maximum = 0;
};
inline ScrollRange GalleryScrollRange(int count, int screenful) {
    ScrollRange r;
    r.Page = count >= screenful ? std::max(1, screenful) : std::max(count, 1);
    const int windowsMax = std::max(count, 50);
    r.Maximum = std::max(windowsMax - r.Page + 1, 0);
    return r;
}

// The fashion grid's scroll bar: hidden while the files fit one screenful;
// else one position per screenful's first file (QScrollBar's maximum).
inline ScrollRange FashionScrollRange(int count, int screenful, bool& visible) {
    ScrollRange r;
    r.Page = std::max(1, screenful);
    visible = count > r.Page;
    r.Maximum = visible ? std::max(0, (count - 1) - r.Page + 1) : 0;
    return r;
}

} // namespace lc
