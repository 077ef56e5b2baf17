#pragma once
// Multicolour skip stitch: skip stitch whose rows come in equal pairs.
#include "knitting/TuckOrSkipStitch.h"

namespace lc {

class MultiColorSkipStitch : public TuckOrSkipStitch {
public:
    explicit MultiColorSkipStitch(const TechniqueContext& context);
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    // A one-colour row selects every needle, whichever its colour.
    void GetPassNeedles(int pass, uint8_t* bits) override;
};

} // namespace lc
