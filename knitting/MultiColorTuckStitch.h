#pragma once
// Multicolour tuck stitch: tuck stitch whose rows come in equal pairs.
#include "knitting/TuckStitch.h"

namespace lc {

class MultiColorTuckStitch : public TuckStitch {
public:
    explicit MultiColorTuckStitch(const TechniqueContext& context);
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
};

} // namespace lc
