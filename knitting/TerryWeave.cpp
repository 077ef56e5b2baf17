#include "knitting/TerryWeave.h"

#include "knitting/RowTable.h"

namespace lc {

TerryWeave::TerryWeave() : SinglePassTechnique(TechniqueId::TerryWeave) {}

void TerryWeave::UpdateColors(int pass) { ShowYarnPair(gRowTable[pass].ColorMask); }

} // namespace lc
