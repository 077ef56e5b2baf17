#pragma once
// The techniques that knit exactly one pass per design row and take their needle
// selection from one colour plane: fair isle, thread lace, weaving, lace, pin
// tuck, terry weave, lace effect and intarsia. A pass is its design row.
#include <string>
#include <string_view>

#include "knitting/Technique.h"

namespace lc {

// Shared by the one-pass techniques (also the tuck and skip family):
// CheckRow refuses rows with more than MaxColors colours (row table),
// GetPassNeedles selects the cells of the row's highest colour (never plane 0),
// DrawRowInstruction draws RowText(row) and the "d$" line every tenth row.
class SinglePassTechnique : public Technique {
public:
    explicit SinglePassTechnique(const TechniqueContext& context) : Technique(context) {}

    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    void GetPassNeedles(int pass, uint8_t* bits) override;
    void DrawRowInstruction(int pass) override;

protected:
    // The row's line of cell letters, direction character included.
    virtual std::string RowText(int row) const { (void)row; return {}; }
    // The three columns of the plain layouts: the carriage setting, the yarns
    // and the direction.
    void AddThreeColumns(std::string_view setting, char settingSymbol, std::string_view yarns, char yarnsSymbol);
    // The nine columns of the tuck-and-russel layouts (pin tuck, double tuck,
    // terry weave, lace effect, the jacquards); x, y and z vary.
    void AddNineColumns(char x, char y, char z);
    // The head of a nine-column sheet: the columns' letters `states`, set-up
    // line 1 (`glyph`, size 48, with the last column's cells) and line 2 (`second`).
    void BeginSetup(std::string_view states, std::string_view glyph, std::string_view second = "d$");
    // The row line `text` labelled `pass`, then the "d$" line every tenth row.
    void DrawRowLine(int pass, std::string_view text);
    // Yarns of a one-yarn row: its lowest colour (none marked, nothing when the
    // mask is empty), then OnColorChanged.
    void ShowLowestYarn(uint32_t mask);
    // Yarns of a row knitted with a pair: its lowest colour c (marked) and c + 1,
    // nothing when the mask is empty, then OnColorChanged.
    void ShowYarnPair(uint16_t mask);
};

class FairIsle : public SinglePassTechnique {
public:
    explicit FairIsle(const TechniqueContext& context);
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

class ThreadLace : public SinglePassTechnique {
public:
    explicit ThreadLace(const TechniqueContext& context);
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

class Weaving : public SinglePassTechnique {
public:
    explicit Weaving(const TechniqueContext& context);
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

class Lace : public SinglePassTechnique {
public:
    explicit Lace(const TechniqueContext& context);
    void GetPassNeedles(int pass, uint8_t* bits) override;
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

class PinTuckStitch : public SinglePassTechnique {
public:
    explicit PinTuckStitch(const TechniqueContext& context);
    void Prepare() override;
    std::string GetCarriageSetting(int pass) override;
    void DrawRowInstruction(int pass) override;
    void UpdateColors(int pass) override;
};

// Terry weave and lace effect share everything but their glyphs.
class TerryWeave : public SinglePassTechnique {
public:
    explicit TerryWeave(const TechniqueContext& context);
    void Prepare() override;
    std::string GetCarriageSetting(int pass) override;
    void DrawRowInstruction(int pass) override;
    void UpdateColors(int pass) override;

protected:
    struct Glyphs {
        const char* oddSetting;
        const char* evenSetting;
        const char* g1;
        const char* g2;
        const char* setup1;  // set-up line 1 (size 48)
        const char* setup3;  // set-up line 3
        const char* setup7;  // set-up lines 7 and 9
        const char* setup8;  // set-up line 8
        const char* setup11; // set-up line 11 (size 48)
    };
    TerryWeave(const TechniqueContext& context, const Glyphs& glyphs, char x, char y);
    Glyphs glyphs_;
};

class LaceEffect : public TerryWeave {
public:
    explicit LaceEffect(const TechniqueContext& context);
    void UpdateColors(int pass) override;
};

class Intarsia : public SinglePassTechnique {
public:
    explicit Intarsia(const TechniqueContext& context);
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    void GetPassNeedles(int pass, uint8_t* bits) override;
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

} // namespace lc
