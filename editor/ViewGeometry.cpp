#include "editor/ViewGeometry.h"

#include <algorithm>

namespace lc {

void ViewGeometry::setCellSize(int width, int height) {
    cellWidth_ = std::max(1, width);
    cellHeight_ = std::max(1, height);
}

void ViewGeometry::Create(int cellWidth, int cellHeight, int clientWidth, int clientHeight) {
    FirstCol = FirstRow = FirstVisibleCol = 0;
    setCellSize(cellWidth, cellHeight);
    ClientWidth = std::max(0, clientWidth);
    ClientHeight = std::max(0, clientHeight);
    VisibleCols = std::min(ClientWidth / cellWidth_, 200);
    VisibleRows = ClientHeight / cellHeight_;
}

void ViewGeometry::RecalcGrid(int clientWidth, int clientHeight) {
    ClientWidth = std::max(0, clientWidth);
    ClientHeight = std::max(0, clientHeight);
    VisibleCols = std::min(ClientWidth / cellWidth_, 180);
    VisibleRows = ClientHeight / cellHeight_;
}

void ViewGeometry::UpdateForPaint(int patternWidth) {
    VisibleCols = std::min(ClientWidth / cellWidth_, std::max(0, patternWidth));
    VisibleRows = ClientHeight / cellHeight_;
    FirstVisibleCol = FirstCol;
}

void ViewGeometry::SetOrigin(int column, int row) {
    FirstCol = column;
    FirstRow = row;
    FirstVisibleCol = FirstCol;
}

void ViewGeometry::ScrollBy(int columnDelta, int rowDelta, int patternWidth, int patternHeight) {
    // The upper bound can be negative (a view wider or taller than the pattern,
    // or a stale visible count after a resize): the lower bound 0 wins.
    auto clamp = [](int v, int upper) { return std::max(0, std::min(v, upper)); };
    FirstCol = clamp(FirstCol - columnDelta, patternWidth - VisibleCols);
    FirstRow = clamp(FirstRow + rowDelta, patternHeight - VisibleRows);
    FirstVisibleCol = FirstCol;
}

PixelRect ViewGeometry::cellRect(int column, int row) const {
    return {(column - FirstCol) * cellWidth_, ClientHeight - (row - FirstRow) * cellHeight_ - cellHeight_, cellWidth_,
            cellHeight_};
}

PixelPoint ViewGeometry::pixelOfCell(int column, int row) const {
    // Truncation toward zero: cells at or right of the origin take the cell's
    // middle, cells left of or below it an exact multiple of the cell size.
    const int dc = column - FirstCol, dr = row - FirstRow;
    const int x = dc >= 0 ? dc * cellWidth_ + cellWidth_ / 2 : dc * cellWidth_;
    const int y = dr >= 0 ? ClientHeight - (dr * cellHeight_ + cellHeight_ / 2) : ClientHeight - dr * cellHeight_;
    return {x, y};
}

} // namespace lc
