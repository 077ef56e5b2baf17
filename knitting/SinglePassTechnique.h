#pragma once
// The techniques that knit one pass per design row and take its needle
// selection from one colour plane: a pass is its design row. Pin tuck and lace
// effect are this class as it is, with their records; the others derive from it.
#include <string>

#include "knitting/Technique.h"

namespace lc {

class SinglePassTechnique : public Technique {
public:
    SinglePassTechnique(const TechniqueContext& context, TechniqueId id);

    // Refuses rows with more than MaxColors colours (row table).
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    // The cells of the row's highest colour (never plane 0).
    void GetPassNeedles(int pass, uint8_t* bits) override;
    // The record's row line: the heads' letters, the glyph line above, the
    // cells RowText(pass), the glyph line below odd rows, then the mark line.
    void DrawRowInstruction(int pass) override;
    // One yarn: the row's lowest colour (row table).
    void UpdateColors(int pass) override;

protected:
    // The row's line of cell letters: the record's rowText and, when the record
    // says so, the row's direction character.
    virtual std::string RowText(int row) const;
    // Yarns of a one-yarn row: its lowest colour (none marked, nothing when the
    // mask is empty), then OnColorChanged.
    void ShowLowestYarn(uint32_t mask);
    // Yarns of a row knitted with a pair: its lowest colour c (marked) and c + 1,
    // nothing when the mask is empty, then OnColorChanged.
    void ShowYarnPair(uint16_t mask);
};

} // namespace lc
