#include "knitting/Jacquard.h"

#include <cstring>

#include "knitting/ColourSeparation.h"

namespace lc {

// A cycle of 2n passes: place 0 knits slot 1 on row 2k; every further slot s
// knits row 2k out (place 2s - 3) and row 2k+1 back (place 2s - 2); the last
// place knits slot 1 on row 2k+1. For n = 3 the rows are 0 0 1 0 1 1 and the
// slots 1 2 2 3 3 1.

Jacquard::Jacquard(const TechniqueContext& context, TechniqueId id)
    : SinglePassTechnique(context, id), n_(Record().passesPerRow) {
    for (int k = 1; k <= n_; ++k) ColorSlots[static_cast<size_t>(k)] = static_cast<uint8_t>(k - 1);
}

// Passes from the row counter are never negative; guard anyway so that the
// cycle arithmetic stays in range.
int Jacquard::place(int pass) const { return pass < 0 ? 0 : pass % (2 * n_); }

int Jacquard::PassToRow(int pass) const {
    if (pass < 0) return 0;
    const int m = place(pass);
    const int rowOffset = m == 0 ? 0 : m == 2 * n_ - 1 ? 1 : (m - 1) % 2;
    return 2 * (pass / (2 * n_)) + rowOffset;
}

int Jacquard::SlotOfPass(int pass) const {
    const int m = place(pass);
    return m == 0 || m == 2 * n_ - 1 ? 1 : (m + 1) / 2 + 1;
}

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

void Jacquard::DrawRowInstruction(int pass) {
    SetControlStates(Record().rowStates);
    ResetLines();
    if (pass == 0) {
        DrawSettingsLine(0, kRowLineColor, "mYm #    1    <");
    } else {
        const int m = place(pass);
        std::string text(14, ' ');
        if (n_ == 2) {
            static constexpr char digit[] = {'1', '0', '0', '1'};
            text[9] = digit[m];
        }
        text += (m % 2 == 0) ? '<' : '>';
        DrawSettingsLine(PassToRow(pass), kRowLineColor, text);
    }
    // Labelled with the pass, every 10 (2C) or 20 (3C, 4C) design rows.
    if (pass >= 0) DrawMarkLine(pass);
}

} // namespace lc
