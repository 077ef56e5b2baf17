#include "knitting/Lace.h"

#include "knitting/ColourSeparation.h"

namespace lc {

Lace::Lace(const TechniqueContext& context) : SinglePassTechnique(context, TechniqueId::Lace) {}

void Lace::GetPassNeedles(int pass, uint8_t* bits) {
    // A one-colour row is knitted plain: no needle is selected, whatever its colour.
    if (Separation().GetRowColors(pass).ColorCount == 1) return;
    CopyTopPlane(pass, bits);
}

void Lace::UpdateColors(int pass) { ShowLowestYarn(Separation().GetRowColors(pass).ColorMask); }

} // namespace lc
