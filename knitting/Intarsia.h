#pragma once
// Intarsia: the yarns are laid in by hand, so the machine selects no needle and
// a row may hold any number of colours.
#include "knitting/SinglePassTechnique.h"

namespace lc {

class Intarsia : public SinglePassTechnique {
public:
    explicit Intarsia(const TechniqueContext& context);
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    void GetPassNeedles(int pass, uint8_t* bits) override;
    // Shows colour 0 alone.
    void UpdateColors(int pass) override;
};

} // namespace lc
