#pragma once
// The thumbnail grids' arithmetic: how many cells fit, and the scroll bar's
// range. A grid too small for one cell still has one column and one row, so
// nothing ever divides by zero.
#include <algorithm>
#include <cmath>

namespace lc {

struct GridShape {
    int Columns = 1;
    int Rows = 1;
    int ColumnWidth = 9; // pixels from one column (row) to the next
    int RowHeight = 9;
    int CellWidth = 1; // pixels, without the 8-pixel gap
    int CellHeight = 1;
    int page() const { return Columns * Rows; }
};

namespace detail {
inline GridShape withPitch(GridShape g, int columnWidth, int rowHeight) {
    g.ColumnWidth = std::max(1, columnWidth);
    g.RowHeight = std::max(1, rowHeight);
    g.CellWidth = std::max(1, g.ColumnWidth - 8);
    g.CellHeight = std::max(1, g.RowHeight - 8);
    return g;
}
} // namespace detail

// The galleries' grid: as many columns and rows of at least the given size as
// fit, sharing the width and the height.
inline GridShape ShapeGrid(int width, int height, int minCellWidth, int minCellHeight) {
    GridShape g;
    g.Columns = std::max(1, width / std::max(1, minCellWidth));
    g.Rows = std::max(1, height / std::max(1, minCellHeight));
    return detail::withPitch(g, width / g.Columns, height / g.Rows);
}

// The fashion grid: (width - 20) div 120 columns sharing width - 20; each row
// one and a half columns high, as many as fit in height - 8.
inline GridShape FashionGridShape(int width, int height) {
    GridShape g;
    const int usable = std::max(1, width - 20);
    g.Columns = std::max(1, usable / 120);
    const int columnWidth = std::max(1, usable / g.Columns);
    const int rowHeight = std::max(1, static_cast<int>(std::nearbyint(columnWidth * 1.5)));
    g.Rows = std::max(1, (height - 8) / rowHeight);
    return detail::withPitch(g, columnWidth, rowHeight);
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
