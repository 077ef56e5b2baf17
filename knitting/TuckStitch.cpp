#include "knitting/TuckStitch.h"

#include "knitting/RowTable.h"

namespace lc {

TuckStitch::TuckStitch(const TechniqueContext& context, TechniqueId id) : TuckOrSkipStitch(context, id) {}

void TuckStitch::UpdateColors(int pass) {
    RowYarns = PassYarns = Rows()[pass].ColorMask;
    TuckOrSkipStitch::UpdateColors(pass);
}

} // namespace lc
