#pragma once
// Page maths of the printouts, without a printer: where the header lines and
// the pattern image go on a page, how the page sits in the print dialog's
// preview, which cells the pattern page prints, and the picture it prints
// (palette colours composed with the garment mask).
#include <cstdint>
#include <vector>

#include "core/CellRect.h"
#include "core/Environment.h"
#include "core/PatternRaster.h"

namespace lc {

struct PageRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PageRect&) const = default;
};

// The pattern page of `pageWidth` x `pageHeight` printer pixels for a source of
// `cellsWide` x `cellsHigh` cells, at `scale` (1 = fit to the page; 0 is taken
// as 1). Margins are 20 pixels at the sides and bottom, 40 at the top; a 36-mm
// band under the top margin holds the two header lines.
struct PatternPageLayout {
    int textHeight = 0;                // 3 mm, the header's pixel size
    int versionY = 40, printedOnY = 0; // the two header lines' tops
    bool hasImage = false;             // false: a source with no cells prints the header only
    double factor = 0;                 // printer pixels per cell at scale 1
    PageRect image;
};
PatternPageLayout LayoutPatternPage(int pageWidth, int pageHeight, const PrinterResolution& res, int cellsWide,
                                    int cellsHigh, double scale);

// The page in the dialog's preview image of `imageWidth` x `imageHeight`: the
// shadow 2 pixels right of and below the page, the page, and the printed
// content scaled into the page.
struct PreviewLayout {
    PageRect shadow, page;
    double contentScale = 0; // preview pixels per printer pixel
};
PreviewLayout LayoutPreview(int imageWidth, int imageHeight, int pageWidth, int pageHeight);

// A rectangle given corner to corner in any order, with its start at the
// smaller coordinates.
CellRect NormalisedRect(CellRect r);

// What the pattern page prints, in picture lines.
enum class PrintRange { WholeImage = 0, Selection = 1 };
struct PrintSource {
    CellRect lines;          // picture columns and lines; empty: nothing to print
    bool garment = false;    // cells outside the garment print white
    bool fromBackup = false; // the cells come from the backup bitmap
};
// The selection prints the copied block as it was copied: its cells of the
// backup bitmap, which a cut, a gallery paste or a converted picture laid over
// the block since do not change.
// In garment mode the whole image is the garment's own extent in the mask
// (the cells the mask builder marked inside, outline included), standing on
// the bottom row; otherwise the whole picture.
PrintSource PatternPrintSource(const PatternRaster& gd, const CellRect& blockRect, PrintRange range, bool garmentMode);

// The cells of `source` as 0xAARRGGBB pixels, `lines.width()` per row: each
// cell its colour in the picture's palette; with `garment`, cells outside the
// mask white.
std::vector<uint32_t> ComposePrintImage(const PatternRaster& gd, const PrintSource& source);

} // namespace lc
