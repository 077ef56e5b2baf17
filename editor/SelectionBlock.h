#pragma once
// The selection block dragged out by the block tools, in cell coordinates.
// It covers columns Left..Right-1 and rows Bottom..Top-1: its corners are the
// grid points at the bottom-left corners of the two corner cells.
#include "core/CellRect.h"

namespace lc {

struct CellBlock {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool isEmpty() const { return Right <= Left || Top <= Bottom; }
    bool operator==(const CellBlock&) const = default;
};

class ActiveBlock {
public:
    CellBlock current;
    CellBlock previous;

    // Normalises the two corners; columns are clamped to 0..patternWidth, rows are not.
    void SetRect(int column1, int row1, int column2, int row2, int patternWidth);
    void SavePrevious() { previous = current; }
    void Reset() { current = {}; }
    // (Left, H - Top, Right, H - Bottom): picture lines H - Top .. H - Bottom - 1.
    CellRect ToBitmapRect(int patternHeight) const;
};

} // namespace lc
