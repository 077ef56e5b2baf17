#pragma once
// The jacquards knit a design row in n passes, one per colour (n = 2, 3, 4).
// Passes are laid out over pairs of rows so that each yarn knits out and back
// before the next takes over: cycle k knits rows 2k and 2k+1 in passes
// 2n*k .. 2n*k + 2n - 1. Before a run the separation is spread to n colours a
// row (ColourSeparation::SpreadColors(n)); the techniques read those masks.
#include <array>
#include <string>

#include "knitting/SinglePassTechniques.h"

namespace lc {

class Jacquard : public SinglePassTechnique {
public:
    // A slot without a colour (a row holding fewer than n colours): its pass
    // selects no needle and shows no yarn.
    static constexpr uint8_t kNoColor = 0xFF;

    std::array<uint8_t, 5> ColorSlots{}; // slots 1..n hold palette indices

    void GetPassNeedles(int pass, uint8_t* bits) override;
    void Prepare() override;
    std::string GetCarriageSetting(int pass) override;
    void DrawRowInstruction(int pass) override;
    void UpdateColors(int pass) override;
    int PassToRow(int pass) const override;

    // Slots 1.. take the row's colours in ascending order; the rest kNoColor.
    void FindRowColors(int row);
    // The colour slot whose plane pass p knits.
    int SlotOfPass(int pass) const;

protected:
    Jacquard(const TechniqueContext& context, int n, const int* rowOffsets, const int* slots, int sheetMarkEvery);

private:
    int n_;
    const int* rowOffsets_; // per place m of the cycle: 0 = row 2k, 1 = row 2k+1
    const int* slots_;      // per place m: the colour slot
    int markEvery_;         // "d$" every so many passes
};

class Jacquard2C : public Jacquard {
public:
    explicit Jacquard2C(const TechniqueContext& context);
};

class Jacquard3C : public Jacquard {
public:
    explicit Jacquard3C(const TechniqueContext& context);
};

class Jacquard4C : public Jacquard {
public:
    explicit Jacquard4C(const TechniqueContext& context);
};

} // namespace lc
