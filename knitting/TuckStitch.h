#pragma once
// Tuck stitch, and double tuck stitch, which knits the same rows with another
// carriage setting and sheet (its record).
#include "knitting/TuckOrSkipStitch.h"

namespace lc {

class TuckStitch : public TuckOrSkipStitch {
public:
    explicit TuckStitch(const TechniqueContext& context, TechniqueId id = TechniqueId::TuckStitch);
    // As TuckOrSkipStitch, but an empty row shows its whole (empty) mask.
    void UpdateColors(int pass) override;
};

} // namespace lc
