#include "knitting/TuckSkipTechniques.h"

#include <algorithm>

#include "knitting/RowTable.h"
#include "knitting/ColourSeparation.h"

namespace lc {

namespace {

// Steps shared by all five: too many colours, then the tuck rule (at most two
// adjacent cells of the lower colour).
int tuckRule(const RowInfo& info, std::span<const uint8_t> scanline, int width) {
    if (info.ColorCount > 2) return kRowTooManyColors;
    if (info.ColorCount == 2) {
        const int c = LowestColor(info.ColorMask);
        const size_t n = std::min(scanline.size(), static_cast<size_t>(std::max(width, 0)));
        int run = 0;
        for (size_t x = 0; x < n; ++x) {
            run = scanline[x] == c ? run + 1 : 0;
            if (run > 2) return kRowRuleBroken;
        }
    }
    return kRowAccepted;
}

// The pair rule: an even row is kept, an odd row must equal it. The whole row
// is compared (not only its first width/8+1 cells), so that no difference
// further along slips through.
int pairRule(std::vector<uint8_t>& kept, std::span<const uint8_t> scanline, int row, int width, int first) {
    const size_t n = std::min(scanline.size(), static_cast<size_t>(std::max(width, 0)));
    if (row % 2 == 0) {
        kept.assign(scanline.begin(), scanline.begin() + static_cast<std::ptrdiff_t>(n));
        return first;
    }
    const bool same = kept.size() == n && std::equal(kept.begin(), kept.end(), scanline.begin());
    return same ? first : kRowPairBroken;
}

} // namespace

// ---------------------------------------------------------------- shared

TuckOrSkipStitch::TuckOrSkipStitch(const TechniqueContext& context, char stitch)
    : SinglePassTechnique(context), stitch_(stitch) {
    MaxColors = 2;
    EdgeMode = 1;
    EdgeValue = 1;
    AddThreeColumns(std::string(" m ") + stitch + " m ", 'n', "? ", 'b');
}

int TuckOrSkipStitch::CheckRow(std::span<const uint8_t> scanline, int row) {
    return tuckRule(Rows()[row], scanline, PatternWidth());
}

void TuckOrSkipStitch::GetPassNeedles(int pass, uint8_t* bits) {
    // Top plane, or every needle when only plane 0 is used.
    if (!CopyTopPlane(pass, bits) && Separation().GetRow(pass).Used(0)) SelectAllNeedles(bits);
}

std::string TuckOrSkipStitch::GetCarriageSetting(int) { return std::string("Z ") + stitch_; }

std::string TuckOrSkipStitch::RowText(int row) const {
    return std::string(" m ") + stitch_ + " m ? " + DirectionChar(row);
}

void TuckOrSkipStitch::UpdateColors(int pass) {
    const uint16_t m = Rows()[pass].ColorMask;
    MarkedYarns = 0;
    if (m) {
        RowYarns = PassYarns = YarnBit(HighestColor(m));
        ColorOrder()[0] = -1;
    }
    FireColorChanged();
}

// ---------------------------------------------------------------- tuck

TuckStitch::TuckStitch(const TechniqueContext& context) : TuckOrSkipStitch(context, 'T') {
    Kind = tkTuckStitch;
    InitName("s02004", "Tuck Stitch");
}

void TuckStitch::UpdateColors(int pass) {
    RowYarns = PassYarns = Rows()[pass].ColorMask;
    TuckOrSkipStitch::UpdateColors(pass);
}

MultiColorTuckStitch::MultiColorTuckStitch(const TechniqueContext& context) : TuckStitch(context) {
    Kind = tkMultiColorTuckStitch;
    InitName("s02006", "Multicolor Tuck Stitch");
}

int MultiColorTuckStitch::CheckRow(std::span<const uint8_t> scanline, int row) {
    return pairRule(evenRow_, scanline, row, PatternWidth(), TuckOrSkipStitch::CheckRow(scanline, row));
}

// ---------------------------------------------------------------- double tuck

DoubleTuckStitch::DoubleTuckStitch(const TechniqueContext& context) : TuckStitch(context) {
    Kind = tkDoubleTuckStitch;
    InitName("s02007", "Double Tuck Stitch");
    SetupLines = 7;
    Controls.clear();
    AddNineColumns('0', '0', ' ');
}

void DoubleTuckStitch::Prepare() {
    BeginSetup("m0m.\"00!*1!fH5 ", "i");
    const Color red = kSetupLineColor;
    DrawSettingsLine(3, red, " C   13)      >");
    DrawSettingsLine(4, red, " C            <");
    DrawSettingsLine(5, red, " C            >");
    DrawSettingsLine(6, red, " 0   3 !      <");
    DrawSettingsLine(7, red, "mTm  33!      >");
}

std::string DoubleTuckStitch::GetCarriageSetting(int) { return "` T"; }

void DoubleTuckStitch::DrawRowInstruction(int pass) {
    SetControlStates("mTm.\"33!*1!fH5 ");
    DrawRowLine(pass, std::string(" Tm  3 !      ") + DirectionChar(pass));
}

// ---------------------------------------------------------------- skip

SkipStitch::SkipStitch(const TechniqueContext& context) : TuckOrSkipStitch(context, 'Y') {
    Kind = tkSkipStitch;
    InitName("s02008", "Skip Stitch");
}

MultiColorSkipStitch::MultiColorSkipStitch(const TechniqueContext& context) : SkipStitch(context) {
    Kind = tkMultiColorSkipStitch;
    InitName("s02009", "Multicolor Skip Stitch");
}

int MultiColorSkipStitch::CheckRow(std::span<const uint8_t> scanline, int row) {
    return pairRule(evenRow_, scanline, row, PatternWidth(), TuckOrSkipStitch::CheckRow(scanline, row));
}

void MultiColorSkipStitch::GetPassNeedles(int pass, uint8_t* bits) {
    // A row with no colour at all (outside a garment) selects nothing, as under tuck.
    const int count = Separation().GetRowColors(pass).ColorCount;
    if (count == 1)
        SelectAllNeedles(bits);
    else if (count > 1)
        CopyTopPlane(pass, bits);
}

} // namespace lc
