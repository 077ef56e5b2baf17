#pragma once
// The window the canvas shows onto the pattern: cell size, client size, origin.
// Pattern row FirstRow is the bottom cell row; rows count upward on screen.
// Integer divisions truncate toward zero, so a captured mouse beyond the
// control maps to cells exactly as the grid arithmetic gives.

namespace lc {

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
};

class ViewGeometry {
public:
    int ClientWidth = 0;
    int ClientHeight = 0;
    int FirstCol = 0;
    int FirstRow = 0;
    int FirstVisibleCol = 0; // copy of FirstCol taken by Paint, SetOrigin and ScrollBy
    int VisibleCols = 0;
    int VisibleRows = 0;

    int cellWidth() const { return cellWidth_; }
    int cellHeight() const { return cellHeight_; }
    // A zero or negative size would divide by zero in the mapping; one pixel is the floor.
    void setCellSize(int width, int height);

    // Creation: cell size from the zoom tables, visible columns capped at 200.
    void Create(int cellWidth, int cellHeight, int clientWidth, int clientHeight);
    // After a resize: visible columns capped at 180.
    void RecalcGrid(int clientWidth, int clientHeight);
    // What every Paint recomputes: visible columns capped at the pattern width.
    void UpdateForPaint(int patternWidth);

    int RowAtY(int y) const { return (ClientHeight - y) / cellHeight_ + FirstRow; }
    int ColAtX(int x) const { return x / cellWidth_ + FirstCol; }

    void SetOrigin(int column, int row);
    // Moves the origin by a drag (content follows the mouse), clamped to the pattern.
    void ScrollBy(int columnDelta, int rowDelta, int patternWidth, int patternHeight);

    // Pixel rectangle of a cell (may lie outside the client area).
    PixelRect cellRect(int column, int row) const;
    // A pixel that maps back to the given cell (for driving the engine by cells).
    PixelPoint pixelOfCell(int column, int row) const;

private:
    int cellWidth_ = 11;
    int cellHeight_ = 11;
};

} // namespace lc
