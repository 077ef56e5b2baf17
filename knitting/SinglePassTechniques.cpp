#include "knitting/SinglePassTechniques.h"

#include "knitting/RowTable.h"
#include "knitting/ColourSeparation.h"

namespace lc {

// "?\?" is written escaped throughout: "??" followed by = < > reads as a trigraph to some compilers.

namespace {

constexpr const char* kBlanks14 = "              "; // 14 blanks

} // namespace

// ---------------------------------------------------------------- shared

int SinglePassTechnique::CheckRow(std::span<const uint8_t>, int row) {
    return Rows()[row].ColorCount > MaxColors ? kRowTooManyColors : kRowAccepted;
}

void SinglePassTechnique::GetPassNeedles(int pass, uint8_t* bits) { CopyTopPlane(pass, bits); }

void SinglePassTechnique::DrawRowInstruction(int pass) { DrawRowLine(pass, RowText(pass)); }

void SinglePassTechnique::DrawRowLine(int pass, std::string_view text) {
    ResetLines();
    DrawSettingsLine(pass, kRowLineColor, text);
    DrawTenthLine(pass, pass);
}

void SinglePassTechnique::AddThreeColumns(std::string_view setting, char settingSymbol, std::string_view yarns,
                                        char yarnsSymbol) {
    AddControl(setting, settingSymbol);
    AddControl(yarns, yarnsSymbol);
    AddControl(">", '=');
}

void SinglePassTechnique::AddNineColumns(char x, char y, char z) {
    AddControl("m0m", 'B');
    AddControl(".", 'q');
    AddControl("\"", 'p');
    AddControl(std::string(1, x), '%');
    AddControl(std::string(1, y), '&');
    AddControl("!*1!", 'A');
    AddControl("f", '/');
    AddControl("H5", 'r');
    AddControl(std::string(1, z), 's');
}

void SinglePassTechnique::BeginSetup(std::string_view states, std::string_view glyph, std::string_view second) {
    SetControlStates(states);
    ResetLines();
    DrawNumberLine(1, kSetupLineColor, glyph, 48, true);
    DrawNumberLine(2, kSetupLineColor, second, 24, false);
}

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

// ---------------------------------------------------------------- fair isle

FairIsle::FairIsle(const TechniqueContext& context) : SinglePassTechnique(context) {
    Kind = tkFairisle;
    InitName("s02002", "Fair Isle");
    MaxColors = 2;
    EdgeMode = 1;
    EdgeValue = 1;
    AddThreeColumns(" m F m ", 'n', "?\?", 'b');
}

std::string FairIsle::GetCarriageSetting(int pass) {
    std::string s = Rows()[pass].ColorCount == 2 ? "Z F" : "Z O ";
    FireSettingChanged(s);
    return s;
}

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

// ---------------------------------------------------------------- thread lace

ThreadLace::ThreadLace(const TechniqueContext& context) : SinglePassTechnique(context) {
    Kind = tkThreadLace;
    InitName("s02003", "Thread Lace");
    MaxColors = 2;
    EdgeMode = 2;
    EdgeValue = 0;
    AddThreeColumns(" l L m ", 'n', "?\?", 'b');
}

std::string ThreadLace::GetCarriageSetting(int) { return "Z L"; }

std::string ThreadLace::RowText(int row) const { return std::string(" l L m ?\?") + DirectionChar(row); }

void ThreadLace::UpdateColors(int pass) {
    RowYarns = PassYarns = 3; // colours 14 and 15
    ShowYarnPair(Rows()[pass].ColorMask);
}

// ---------------------------------------------------------------- weaving

Weaving::Weaving(const TechniqueContext& context) : SinglePassTechnique(context) {
    Kind = tkWeaving;
    InitName("s02010", "Weaving");
    MaxColors = 2;
    ThreadType = 1;
    OtherSide = 1;
    EdgeMode = 1;
    EdgeValue = 1;
    AddThreeColumns(" moWom ", 'n', "?\?", 'e');
}

std::string Weaving::GetCarriageSetting(int) { return "Z W"; }

std::string Weaving::RowText(int) const { return " moWom ?\?="; }

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

// ---------------------------------------------------------------- lace

Lace::Lace(const TechniqueContext& context) : SinglePassTechnique(context) {
    Kind = tkLace;
    InitName("s02011", "Lace");
    MaxColors = 2;
    EdgeMode = 2;
    EdgeValue = 0;
    AddThreeColumns(" L ", '}', "? ", 'Q');
}

void Lace::GetPassNeedles(int pass, uint8_t* bits) {
    // A one-colour row is knitted plain: no needle is selected, whatever its colour.
    if (Separation().GetRowColors(pass).ColorCount == 1) return;
    CopyTopPlane(pass, bits);
}

std::string Lace::GetCarriageSetting(int) { return "} L"; }

std::string Lace::RowText(int) const { return " L ? ="; }

void Lace::UpdateColors(int pass) { ShowLowestYarn(Separation().GetRowColors(pass).ColorMask); }

// ---------------------------------------------------------------- pin tuck

PinTuckStitch::PinTuckStitch(const TechniqueContext& context) : SinglePassTechnique(context) {
    Kind = tkPinTuckStitch;
    InitName("s02016", "Pin Tuck");
    MaxColors = 2;
    OtherSide = 1;
    EdgeMode = 1;
    EdgeValue = 0;
    SetupLines = 6;
    AddNineColumns('0', '0', ' ');
}

void PinTuckStitch::Prepare() {
    BeginSetup("m0m.\"00!*1!fH5 ", "j");
    DrawSettingsLine(3, kSetupLineColor, " C   13)      >");
    DrawSettingsLine(4, kSetupLineColor, " C            <");
    DrawSettingsLine(4, kSetupLineColor, " C            >");
    DrawSettingsLine(5, kSetupLineColor, " 0   34!      <");
    DrawSettingsLine(6, kSetupLineColor, "mSm.\"34!*1!fH5>");
}

std::string PinTuckStitch::GetCarriageSetting(int) { return "` Y"; }

void PinTuckStitch::DrawRowInstruction(int pass) {
    SetControlStates("mSm.\"34!*1!fH5 ");
    DrawRowLine(pass, " S   34!      <");
}

void PinTuckStitch::UpdateColors(int pass) { ShowLowestYarn(Rows()[pass].ColorMask); }

// ---------------------------------------------------------------- terry weave, lace effect

namespace {
const char kTerryOdd[] = {0x60, 0x53, 0x3C, 0x4A, 0x3D, 0x49, 0};
const char kTerryEven[] = {0x60, 0x53, 0x3E, 0x4A, 0};
const char kLaceEffectOdd[] = {0x60, 0x53, 0x3C, 0x68, 0x3D, 0x67, 0};
const char kLaceEffectEven[] = {0x60, 0x53, 0x3E, 0x68, 0};
} // namespace

TerryWeave::TerryWeave(const TechniqueContext& context)
    : TerryWeave(context, {kTerryOdd, kTerryEven, "J>N", "M=I", "j", "M=I $", "J>N", "   P       a  >", "t"}, '5',
                 '3') {
    Kind = tkTerryWeave;
    InitName("s02017", "Terry Weave");
}

TerryWeave::TerryWeave(const TechniqueContext& context, const Glyphs& glyphs, char x, char y)
    : SinglePassTechnique(context), glyphs_(glyphs) {
    MaxColors = 2;
    EdgeMode = 0;
    EdgeValue = 0;
    SetupLines = 12;
    AddNineColumns(x, y, '>');
}

void TerryWeave::Prepare() {
    BeginSetup("m0m.\"53!*1!fH5>", glyphs_.setup1, "dc");
    const Color red = kSetupLineColor;
    DrawNumberLine(3, red, glyphs_.setup3, 24, false);
    DrawSettingsLine(4, red, " S            <");
    DrawSettingsLine(5, red, std::string(kBlanks14) + ">");
    DrawSettingsLine(6, red, std::string(kBlanks14) + "<");
    DrawNumberLine(7, red, glyphs_.setup7, 24, false);
    DrawSettingsLine(8, red, glyphs_.setup8);
    DrawNumberLine(9, red, glyphs_.setup7, 24, false);
    DrawSettingsLine(10, red, std::string(kBlanks14) + "<");
    DrawNumberLine(11, red, glyphs_.setup11, 48, true);
    DrawSettingsLine(12, red, "mSm.\"53!*1!fH5>");
}

std::string TerryWeave::GetCarriageSetting(int pass) { return (pass & 1) ? glyphs_.oddSetting : glyphs_.evenSetting; }

void TerryWeave::DrawRowInstruction(int pass) {
    SetControlStates("mSm.\"53!*1!fH5>");
    ResetLines();
    DrawNumberLine(pass, kRowLineColor, glyphs_.g1, 24, false);
    if (pass & 1) {
        DrawSettingsLine(pass, kRowLineColor, std::string(kBlanks14) + "<");
        DrawNumberLine(pass, kRowLineColor, glyphs_.g2, 24, false);
    } else {
        DrawSettingsLine(pass, kRowLineColor, std::string(kBlanks14) + ">");
    }
    DrawTenthLine(pass, pass);
}

void TerryWeave::UpdateColors(int pass) { ShowYarnPair(Rows()[pass].ColorMask); }

LaceEffect::LaceEffect(const TechniqueContext& context)
    : TerryWeave(context, {kLaceEffectOdd, kLaceEffectEven, "h>N", "M=g", "v", "M=g $", "h>N", "              >", "j"},
                 '6', '4') {
    Kind = tkLaceEffect;
    InitName("s02018", "Lace Effect");
}

void LaceEffect::UpdateColors(int pass) { ShowLowestYarn(Rows()[pass].ColorMask); }

// ---------------------------------------------------------------- intarsia

Intarsia::Intarsia(const TechniqueContext& context) : SinglePassTechnique(context) {
    Kind = tkIntarsia;
    InitName("s02019", "Intarsia");
    MaxColors = 16;
    EdgeMode = 0;
    EdgeValue = 0;
    AddControl("  ", 'e');
    AddControl(">", '=');
}

int Intarsia::CheckRow(std::span<const uint8_t>, int) { return kRowAccepted; }

void Intarsia::GetPassNeedles(int, uint8_t*) {}

std::string Intarsia::GetCarriageSetting(int) { return "  ="; }

std::string Intarsia::RowText(int) const { return "  ="; }

void Intarsia::UpdateColors(int) {
    RowYarns = PassYarns = 0x8000;
    MarkedYarns = 0;
    ColorOrder()[0] = -1;
    FireColorChanged();
}

} // namespace lc
