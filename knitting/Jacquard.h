#pragma once
// The jacquards knit a design row in n passes, one per colour (n = 2, 3, 4: one
// class, three records). Passes are laid out over pairs of rows so that each
// yarn knits out and back before the next takes over: cycle k knits rows 2k and
// 2k+1 in passes 2n*k .. 2n*k + 2n - 1. Before a run the separation is spread
// to n colours a row (ColourSeparation::SpreadColors(n)); the techniques read
// those masks.
#include <array>
#include <string>

#include "knitting/SinglePassTechnique.h"

namespace lc {

class Jacquard : public SinglePassTechnique {
public:
    // A slot without a colour (a row holding fewer than n colours): its pass
    // selects no needle and shows no yarn.
    static constexpr uint8_t kNoColor = 0xFF;

    // `id`: Jacquard2C, Jacquard3C or Jacquard4C.
    Jacquard(const TechniqueContext& context, TechniqueId id);

    std::array<uint8_t, 5> ColorSlots{}; // slots 1..n hold palette indices

    void GetPassNeedles(int pass, uint8_t* bits) override;
    void DrawRowInstruction(int pass) override;
    void UpdateColors(int pass) override;
    int PassToRow(int pass) const override;

    // Slots 1.. take the row's colours in ascending order; the rest kNoColor.
    void FindRowColors(int row);
    // The colour slot whose plane pass p knits.
    int SlotOfPass(int pass) const;

private:
    // Place of `pass` in its cycle of 2n passes.
    int place(int pass) const;

    int n_;
};

} // namespace lc
