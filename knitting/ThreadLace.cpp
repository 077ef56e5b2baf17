#include "knitting/ThreadLace.h"

#include "knitting/RowTable.h"

namespace lc {

ThreadLace::ThreadLace() : SinglePassTechnique(TechniqueId::ThreadLace) {}

void ThreadLace::UpdateColors(int pass) {
    RowYarns = PassYarns = 3; // colours 14 and 15
    ShowYarnPair(gRowTable[pass].ColorMask);
}

} // namespace lc
