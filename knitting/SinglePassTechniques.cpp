#include "knitting/SinglePassTechniques.h"

#include "knitting/ColourSeparation.h"
#include "knitting/RowTable.h"

namespace lc {

SinglePassTechnique::SinglePassTechnique(TechniqueId id) : Technique(id) {}

int SinglePassTechnique::CheckRow(std::span<const uint8_t>, int row) {
    return gRowTable[row].ColorCount > MaxColors ? kRowTooManyColors : kRowAccepted;
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

void SinglePassTechnique::UpdateColors(int pass) { ShowLowestYarn(gRowTable[pass].ColorMask); }

void SinglePassTechnique::ShowLowestYarn(uint32_t mask) {
    MarkedYarns = 0;
    if (mask & 0xFFFF) RowYarns = PassYarns = YarnBit(LowestColor(mask));
    ColorOrder[0] = -1;
    FireColorChanged();
}

void SinglePassTechnique::ShowYarnPair(uint16_t mask) {
    MarkedYarns = 0;
    if (mask) {
        const int c = LowestColor(mask);
        MarkedYarns = YarnBit(c);
        RowYarns = PassYarns = static_cast<uint16_t>(YarnBit(c) | YarnBit((c + 1) % 16));
        ColorOrder.fill(-1);
        ColorOrder[0] = c;
        ColorOrder[1] = c;
    }
    FireColorChanged();
}

FairIsle::FairIsle() : SinglePassTechnique(TechniqueId::FairIsle) {}

std::string FairIsle::GetCarriageSetting(int pass) {
    std::string s = gRowTable[pass].ColorCount == 2 ? "Z F" : "Z O ";
    FireSettingChanged(s);
    return s;
}

// "?\?" is written escaped: "??" followed by = < > reads as a trigraph to some compilers.
std::string FairIsle::RowText(int row) const {
    return std::string(gRowTable[row].ColorCount == 2 ? " m F m ?\?" : " m O m ? ") + DirectionChar(row);
}

void FairIsle::UpdateColors(int pass) {
    const uint16_t m = gRowTable[pass].ColorMask;
    MarkedYarns = 0;
    if (m) RowYarns = PassYarns = static_cast<uint16_t>(YarnBit(LowestColor(m)) | YarnBit(HighestColor(m)));
    ColorOrder[0] = -1;
    FireColorChanged();
}

ThreadLace::ThreadLace() : SinglePassTechnique(TechniqueId::ThreadLace) {}

void ThreadLace::UpdateColors(int pass) {
    RowYarns = PassYarns = 3; // colours 14 and 15
    ShowYarnPair(gRowTable[pass].ColorMask);
}

Weaving::Weaving() : SinglePassTechnique(TechniqueId::Weaving) {}

void Weaving::UpdateColors(int pass) {
    const uint16_t m = gRowTable[pass].ColorMask;
    if (m) {
        const int lo = LowestColor(m);
        const int second = LowestColor(m & ~YarnBit(lo));
        RowYarns = PassYarns = static_cast<uint16_t>(YarnBit(lo) | (second >= 0 ? YarnBit(second) : 0));
        MarkedYarns = second >= 0 ? YarnBit(second) : 0;
    }
    ColorOrder[0] = -1;
    FireColorChanged();
}

Lace::Lace() : SinglePassTechnique(TechniqueId::Lace) {}

void Lace::GetPassNeedles(int pass, uint8_t* bits) {
    // A one-colour row is knitted plain: no needle is selected, whatever its colour.
    if (SeparatedData.GetRowColors(pass).ColorCount == 1) return;
    CopyTopPlane(pass, bits);
}

void Lace::UpdateColors(int pass) { ShowLowestYarn(SeparatedData.GetRowColors(pass).ColorMask); }

TerryWeave::TerryWeave() : SinglePassTechnique(TechniqueId::TerryWeave) {}

void TerryWeave::UpdateColors(int pass) { ShowYarnPair(gRowTable[pass].ColorMask); }

Intarsia::Intarsia() : SinglePassTechnique(TechniqueId::Intarsia) {}

int Intarsia::CheckRow(std::span<const uint8_t>, int) { return kRowAccepted; }

void Intarsia::GetPassNeedles(int, uint8_t*) {}

void Intarsia::UpdateColors(int) {
    RowYarns = PassYarns = 0x8000;
    MarkedYarns = 0;
    ColorOrder[0] = -1;
    FireColorChanged();
}

} // namespace lc
