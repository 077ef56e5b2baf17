#include "knitting/TuckStitch.h"

#include "knitting/RowTable.h"

namespace lc {

TuckStitch::TuckStitch(TechniqueId id) : TuckOrSkipStitch(id) {}

void TuckStitch::UpdateColors(int pass) {
    RowYarns = PassYarns = gRowTable[pass].ColorMask;
    TuckOrSkipStitch::UpdateColors(pass);
}

} // namespace lc
