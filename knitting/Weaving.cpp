#include "knitting/Weaving.h"

#include "knitting/ColourSeparation.h"
#include "knitting/RowTable.h"

namespace lc {

Weaving::Weaving(const TechniqueContext& context) : SinglePassTechnique(context, TechniqueId::Weaving) {}

void Weaving::UpdateColors(int pass) {
    const uint16_t m = Rows()[pass].ColorMask;
    if (m) {
        const int lo = LowestColor(m);
        const int second = LowestColor(m & ~YarnBit(lo));
        RowYarns = PassYarns = static_cast<uint16_t>(YarnBit(lo) | (second >= 0 ? YarnBit(second) : 0));
        MarkedYarns = second >= 0 ? YarnBit(second) : 0;
    }
    ColorOrder()[0] = -1;
    FireColorChanged();
}

} // namespace lc
