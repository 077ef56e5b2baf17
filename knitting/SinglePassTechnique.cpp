#include "knitting/SinglePassTechnique.h"

#include "knitting/ColourSeparation.h"
#include "knitting/RowTable.h"

namespace lc {

SinglePassTechnique::SinglePassTechnique(const TechniqueContext& context, TechniqueId id) : Technique(context, id) {}

int SinglePassTechnique::CheckRow(std::span<const uint8_t>, int row) {
    return Rows()[row].ColorCount > MaxColors ? kRowTooManyColors : kRowAccepted;
}

void SinglePassTechnique::GetPassNeedles(int pass, uint8_t* bits) { CopyTopPlane(pass, bits); }

std::string SinglePassTechnique::RowText(int row) const {
    std::string text(Record().rowText);
    if (Record().rowDirection) text += DirectionChar(row);
    return text;
}

void SinglePassTechnique::DrawRowInstruction(int pass) {
    const TechniqueRecord& r = Record();
    if (!r.rowStates.empty()) SetControlStates(r.rowStates);
    ResetLines();
    if (!r.rowGlyph.empty()) DrawNumberLine(pass, kRowLineColor, r.rowGlyph, 24, false);
    DrawSettingsLine(pass, kRowLineColor, RowText(pass));
    if ((pass & 1) && !r.oddRowGlyph.empty()) DrawNumberLine(pass, kRowLineColor, r.oddRowGlyph, 24, false);
    DrawMarkLine(pass);
}

void SinglePassTechnique::UpdateColors(int pass) { ShowLowestYarn(Rows()[pass].ColorMask); }

void SinglePassTechnique::ShowLowestYarn(uint32_t mask) {
    MarkedYarns = 0;
    if (mask & 0xFFFF) RowYarns = PassYarns = YarnBit(LowestColor(mask));
    ColorOrder()[0] = -1;
    FireColorChanged();
}

void SinglePassTechnique::ShowYarnPair(uint16_t mask) {
    MarkedYarns = 0;
    if (mask) {
        const int c = LowestColor(mask);
        MarkedYarns = YarnBit(c);
        RowYarns = PassYarns = static_cast<uint16_t>(YarnBit(c) | YarnBit((c + 1) % 16));
        ColorOrder().fill(-1);
        ColorOrder()[0] = c;
        ColorOrder()[1] = c;
    }
    FireColorChanged();
}

} // namespace lc
