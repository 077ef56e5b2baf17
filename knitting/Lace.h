#pragma once
// Lace: the row's second colour marks the stitches to transfer; a one-colour row
// is knitted plain. Reads the colours of the separation, not of the row table.
#include "knitting/SinglePassTechnique.h"

namespace lc {

class Lace : public SinglePassTechnique {
public:
    explicit Lace(const TechniqueContext& context);
    void GetPassNeedles(int pass, uint8_t* bits) override;
    void UpdateColors(int pass) override;
};

} // namespace lc
