#pragma once
#include <string>

#include "knitting/Technique.h"

namespace lc {

// The techniques that knit one pass per design row and take its needle
// selection from one colour plane: a pass is its design row. Pin tuck and lace
// effect are this class as it is, with their records; the others derive from it.
class SinglePassTechnique : public Technique {
public:
    explicit SinglePassTechnique(TechniqueId id);

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

// Fair isle: two yarns a row, the carriage setting follows the row's colour count.
class FairIsle : public SinglePassTechnique {
public:
    FairIsle();
    // "Z F" for a two-colour row, "Z O " otherwise; reports each change.
    std::string GetCarriageSetting(int pass) override;
    // The row's lowest and highest colours.
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

// Thread lace: a row is knitted with a pair of yarns, its lowest colour and the next.
class ThreadLace : public SinglePassTechnique {
public:
    ThreadLace();
    // The row's pair of yarns; an empty row shows colours 14 and 15.
    void UpdateColors(int pass) override;
};

// Weaving: the row's lowest colour is the ground, the second the woven yarn (marked).
class Weaving : public SinglePassTechnique {
public:
    Weaving();
    void UpdateColors(int pass) override;
};

// Lace: the row's second colour marks the stitches to transfer; a one-colour row
// is knitted plain. Reads the colours of the separation, not of the row table.
class Lace : public SinglePassTechnique {
public:
    Lace();
    void GetPassNeedles(int pass, uint8_t* bits) override;
    void UpdateColors(int pass) override;
};

// Terry weave: each row knits with a pair of yarns, its lowest colour and the next.
class TerryWeave : public SinglePassTechnique {
public:
    TerryWeave();
    void UpdateColors(int pass) override;
};

// Intarsia: the yarns are laid in by hand, so the machine selects no needle and
// a row may hold any number of colours.
class Intarsia : public SinglePassTechnique {
public:
    Intarsia();
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    void GetPassNeedles(int pass, uint8_t* bits) override;
    // Shows colour 0 alone.
    void UpdateColors(int pass) override;
};

} // namespace lc
