#include "knitting/FairIsle.h"

#include "knitting/ColourSeparation.h"
#include "knitting/RowTable.h"

namespace lc {

FairIsle::FairIsle(const TechniqueContext& context) : SinglePassTechnique(context, TechniqueId::FairIsle) {}

std::string FairIsle::GetCarriageSetting(int pass) {
    std::string s = Rows()[pass].ColorCount == 2 ? "Z F" : "Z O ";
    FireSettingChanged(s);
    return s;
}

// "?\?" is written escaped: "??" followed by = < > reads as a trigraph to some compilers.
std::string FairIsle::RowText(int row) const {
    return std::string(Rows()[row].ColorCount == 2 ? " m F m ?\?" : " m O m ? ") + DirectionChar(row);
}

void FairIsle::UpdateColors(int pass) {
    const uint16_t m = Rows()[pass].ColorMask;
    MarkedYarns = 0;
    if (m) RowYarns = PassYarns = static_cast<uint16_t>(YarnBit(LowestColor(m)) | YarnBit(HighestColor(m)));
    ColorOrder()[0] = -1;
    FireColorChanged();
}

} // namespace lc
