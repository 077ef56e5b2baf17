#pragma once
// Weaving: the row's lowest colour is the ground, the second the woven yarn (marked).
#include "knitting/SinglePassTechnique.h"

namespace lc {

class Weaving : public SinglePassTechnique {
public:
    explicit Weaving(const TechniqueContext& context);
    void UpdateColors(int pass) override;
};

} // namespace lc
