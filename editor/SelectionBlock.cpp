#include "editor/SelectionBlock.h"

#include <algorithm>

namespace lc {

void ActiveBlock::SetRect(int column1, int row1, int column2, int row2, int patternWidth) {
    current.Left = std::max(0, std::min(column1, column2));
    current.Right = std::min(patternWidth, std::max(column1, column2));
    current.Top = std::max(row1, row2);
    current.Bottom = std::min(row1, row2);
}

CellRect ActiveBlock::ToBitmapRect(int patternHeight) const {
    return {current.Left, patternHeight - current.Top, current.Right, patternHeight - current.Bottom};
}

} // namespace lc
