#include "knitting/ThreadLace.h"

#include "knitting/RowTable.h"

namespace lc {

ThreadLace::ThreadLace(const TechniqueContext& context) : SinglePassTechnique(context, TechniqueId::ThreadLace) {}

void ThreadLace::UpdateColors(int pass) {
    RowYarns = PassYarns = 3; // colours 14 and 15
    ShowYarnPair(Rows()[pass].ColorMask);
}

} // namespace lc
