#include "knitting/JacquardTechniques.h"

#include <cstring>

#include "knitting/ColourSeparation.h"

namespace lc {

namespace {

constexpr int kRows2[] = {0, 0, 1, 1};
constexpr int kSlots2[] = {1, 2, 2, 1};
constexpr int kRows3[] = {0, 0, 1, 0, 1, 1};
constexpr int kSlots3[] = {1, 2, 2, 3, 3, 1};
constexpr int kRows4[] = {0, 0, 1, 0, 1, 0, 1, 1};
constexpr int kSlots4[] = {1, 2, 2, 3, 3, 4, 4, 1};

// Passes from the row counter are never negative; guard anyway so that the
// cycle arithmetic stays in range.
int place(int pass, int n) { return pass < 0 ? 0 : pass % (2 * n); }

} // namespace

Jacquard::Jacquard(const TechniqueContext& context, int n, const int* rowOffsets, const int* slots, int sheetMarkEvery)
    : SinglePassTechnique(context), n_(n), rowOffsets_(rowOffsets), slots_(slots), markEvery_(sheetMarkEvery) {
    MaxColors = n;
    PassesPerRow = static_cast<uint8_t>(n);
    StartSide = 1;
    EdgeMode = 0;
    EdgeValue = 0;
    SetupLines = 7;
    for (int k = 1; k <= n; ++k) ColorSlots[static_cast<size_t>(k)] = static_cast<uint8_t>(k - 1);
    AddNineColumns('0', '0', ' ');
}

int Jacquard::PassToRow(int pass) const {
    if (pass < 0) return 0;
    return 2 * (pass / (2 * n_)) + rowOffsets_[place(pass, n_)];
}

int Jacquard::SlotOfPass(int pass) const { return slots_[place(pass, n_)]; }

void Jacquard::FindRowColors(int row) {
    const uint32_t m = Separation().GetRowColors(row).ColorMask;
    int slot = 1;
    for (int c = 0; c < 16 && slot <= n_; ++c)
        if (m & (0x8000u >> c)) ColorSlots[static_cast<size_t>(slot++)] = static_cast<uint8_t>(c);
    // Fewer colours than slots: the remaining passes knit nothing rather than the
    // plane of a colour left over from another row.
    for (; slot <= n_; ++slot) ColorSlots[static_cast<size_t>(slot)] = kNoColor;
}

void Jacquard::GetPassNeedles(int pass, uint8_t* bits) {
    const int row = PassToRow(pass);
    FindRowColors(row);
    const int c = ColorSlots[static_cast<size_t>(SlotOfPass(pass))];
    if (c >= 16) return;
    std::memcpy(bits, Separation().GetRow(row).Plane(c), static_cast<size_t>(PlaneByteCount()));
    ClipToWidth(bits);
}

std::string Jacquard::GetCarriageSetting(int) { return "` Y"; }

void Jacquard::UpdateColors(int pass) {
    ColorOrder()[0] = -1;
    const int row = PassToRow(pass);
    FindRowColors(row);
    const int c = ColorSlots[static_cast<size_t>(SlotOfPass(pass))];
    RowYarns = static_cast<uint16_t>(Separation().GetRowColors(row).ColorMask & 0xFFFF);
    PassYarns = c < 16 ? YarnBit(c) : 0;
    MarkedYarns = 0;
    FireColorChanged();
}

void Jacquard::Prepare() {
    BeginSetup("m0m.\"00!*1!fH5 ", "i");
    const Color red = kSetupLineColor;
    DrawSettingsLine(3, red, " C   11)      <");
    DrawSettingsLine(4, red, " C            >");
    DrawSettingsLine(5, red, " C            <");
    DrawSettingsLine(6, red, " 0   44!      >");
    DrawSettingsLine(7, red, "mYm #44!      <");
}

void Jacquard::DrawRowInstruction(int pass) {
    SetControlStates("mYm.#44!*1!fH5 ");
    ResetLines();
    if (pass == 0) {
        DrawSettingsLine(0, kRowLineColor, "mYm #    1    <");
    } else {
        const int m = place(pass, n_);
        std::string text(14, ' ');
        if (n_ == 2) {
            static constexpr char digit[] = {'1', '0', '0', '1'};
            text[9] = digit[m];
            text += (m % 2 == 0) ? '<' : '>';
        } else {
            text += (m % 2 == 0) ? '<' : '>';
        }
        DrawSettingsLine(PassToRow(pass), kRowLineColor, text);
    }
    // Labelled with the pass, every 10 (2C) or 20 (3C, 4C) design rows.
    if (pass >= 0 && pass % markEvery_ == 0) DrawNumberLine(pass, kRowLineColor, "d$", 24, false);
}

Jacquard2C::Jacquard2C(const TechniqueContext& context) : Jacquard(context, 2, kRows2, kSlots2, 20) {
    Kind = tkJacquard2C;
    InitName("s02013", "2-Color Jacquard");
}

Jacquard3C::Jacquard3C(const TechniqueContext& context) : Jacquard(context, 3, kRows3, kSlots3, 60) {
    Kind = tkJacquard3C;
    InitName("s02014", "3-Color Jacquard");
}

Jacquard4C::Jacquard4C(const TechniqueContext& context) : Jacquard(context, 4, kRows4, kSlots4, 80) {
    Kind = tkJacquard4C;
    InitName("s02015", "4-Color Jacquard");
}

} // namespace lc
