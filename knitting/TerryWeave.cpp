#include "knitting/TerryWeave.h"

#include "knitting/RowTable.h"

namespace lc {

TerryWeave::TerryWeave(const TechniqueContext& context) : SinglePassTechnique(context, TechniqueId::TerryWeave) {}

void TerryWeave::UpdateColors(int pass) { ShowYarnPair(Rows()[pass].ColorMask); }

} // namespace lc
