#include "knitting/MultiColorSkipStitch.h"

#include "knitting/ColourSeparation.h"

namespace lc {

MultiColorSkipStitch::MultiColorSkipStitch(const TechniqueContext& context)
    : TuckOrSkipStitch(context, TechniqueId::MultiColorSkipStitch) {}

int MultiColorSkipStitch::CheckRow(std::span<const uint8_t> scanline, int row) {
    return CheckRowInPairs(scanline, row);
}

void MultiColorSkipStitch::GetPassNeedles(int pass, uint8_t* bits) {
    // A row with no colour at all (outside a garment) selects nothing, as under tuck.
    const int count = Separation().GetRowColors(pass).ColorCount;
    if (count == 1) SelectAllNeedles(bits);
    else if (count > 1) CopyTopPlane(pass, bits);
}

} // namespace lc
