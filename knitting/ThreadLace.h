#pragma once
// Thread lace: a row is knitted with a pair of yarns, its lowest colour and the next.
#include "knitting/SinglePassTechnique.h"

namespace lc {

class ThreadLace : public SinglePassTechnique {
public:
    explicit ThreadLace(const TechniqueContext& context);
    // The row's pair of yarns; an empty row shows colours 14 and 15.
    void UpdateColors(int pass) override;
};

} // namespace lc
