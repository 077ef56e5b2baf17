#include "knitting/Intarsia.h"

namespace lc {

Intarsia::Intarsia(const TechniqueContext& context) : SinglePassTechnique(context, TechniqueId::Intarsia) {}

int Intarsia::CheckRow(std::span<const uint8_t>, int) { return kRowAccepted; }

void Intarsia::GetPassNeedles(int, uint8_t*) {}

void Intarsia::UpdateColors(int) {
    RowYarns = PassYarns = 0x8000;
    MarkedYarns = 0;
    ColorOrder()[0] = -1;
    FireColorChanged();
}

} // namespace lc
