#pragma once
// Terry weave: each row knits with a pair of yarns, its lowest colour and the next.
#include "knitting/SinglePassTechnique.h"

namespace lc {

class TerryWeave : public SinglePassTechnique {
public:
    explicit TerryWeave(const TechniqueContext& context);
    void UpdateColors(int pass) override;
};

} // namespace lc
