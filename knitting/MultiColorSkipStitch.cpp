#include "knitting/MultiColorSkipStitch.h"

#include "knitting/ColourSeparation.h"

namespace lc {

MultiColorSkipStitch::MultiColorSkipStitch(const TechniqueContext& context)
    : TuckOrSkipStitch(context, TechniqueId::MultiColorSkipStitch) {}

int MultiColorSkipStitch::CheckRow(std::span<const uint8_t> scanline, int row) {
    return CheckRowInPairs(scanline, row);
}

void MultiColorSkipStitch::GetPassNeedles(int pass, uint8_t* bits) {
    // A row of one colour or none (background only, the padding rows past the
    // last row, a row outside the garment) selects every needle of the width.
    const int count = Separation().GetRowColors(pass).ColorCount;
    if (count <= 1) SelectAllNeedles(bits);
    else CopyTopPlane(pass, bits);
}

} // namespace lc
