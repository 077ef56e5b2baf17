#include "knitting/MultiColorTuckStitch.h"

namespace lc {

MultiColorTuckStitch::MultiColorTuckStitch(const TechniqueContext& context)
    : TuckStitch(context, TechniqueId::MultiColorTuckStitch) {}

int MultiColorTuckStitch::CheckRow(std::span<const uint8_t> scanline, int row) {
    return CheckRowInPairs(scanline, row);
}

} // namespace lc
