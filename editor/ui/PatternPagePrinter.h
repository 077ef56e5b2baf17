#pragma once
// The pattern's printed page: the program's version and the date at the top,
// then the pattern's cells in their palette colours alone (no grid, no stitch
// symbols, no legend), laid out by editor/PrintLayout. The whole image is the
// whole pattern, or in garment mode the garment's cells (outside it white);
// the selection is the copied block.
#include "core/CellRect.h"
#include "core/PatternRaster.h"
#include "editor/PrintLayout.h"
#include "editor/ui/PrintDialog.h"

class QPainter;

namespace lc::ui {

class PatternPagePrinter {
public:
    PatternPagePrinter(const PatternRaster& gd, CellRect blockRect, bool garmentMode)
        : gd_(gd), block_(blockRect), garment_(garmentMode) {}

    // The cells a request would print; empty when there is nothing to print.
    PrintSource source(int range) const;
    void render(QPainter& p, const PageRequest& q) const;

private:
    const PatternRaster& gd_;
    CellRect block_;
    bool garment_;
};

} // namespace lc::ui
