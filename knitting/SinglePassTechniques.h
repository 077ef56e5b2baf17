#pragma once
// The techniques that knit exactly one pass per design row and take their needle
// selection from one colour plane: fair isle, thread lace, weaving, lace, pin
// tuck, terry weave, lace effect and intarsia. A pass is its design row.
#include <string>

#include "knitting/Technique.h"

namespace lc {

// Shared by the one-pass techniques (also the tuck and skip family):
// CheckRow refuses rows with more than MaxColors colours (row table),
// GetPassNeedles selects the cells of the row's highest colour (never plane 0),
// DrawRowInstruction draws RowText(row) and the "d$" line every tenth row.
class TOnePassTechnique : public TTechnique {
public:
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    void GetPassNeedles(int pass, uint8_t* bits) override;
    void DrawRowInstruction(int pass) override;

protected:
    // The row's line of cell letters, direction character included.
    virtual std::string RowText(int row) const { (void)row; return {}; }
    // The nine columns of the tuck-and-russel layouts (pin tuck, double tuck,
    // terry weave, lace effect, the jacquards); x, y and z vary.
    void AddNineColumns(char x, char y, char z);
};

class TFairisle : public TOnePassTechnique {
public:
    TFairisle();
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

class TThreadLace : public TOnePassTechnique {
public:
    TThreadLace();
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

class TWeaving : public TOnePassTechnique {
public:
    TWeaving();
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

class TLace : public TOnePassTechnique {
public:
    TLace();
    void GetPassNeedles(int pass, uint8_t* bits) override;
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

class TPinTuckStich : public TOnePassTechnique {
public:
    TPinTuckStich();
    void Prepare() override;
    std::string GetCarriageSetting(int pass) override;
    void DrawRowInstruction(int pass) override;
    void UpdateColors(int pass) override;
};

// Terry weave and lace effect share everything but their glyphs.
class TTerryWeave : public TOnePassTechnique {
public:
    TTerryWeave();
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
    TTerryWeave(const Glyphs& glyphs, char x, char y);
    Glyphs glyphs_;
};

class TLaceEffect : public TTerryWeave {
public:
    TLaceEffect();
    void UpdateColors(int pass) override;
};

class TIntarsia : public TOnePassTechnique {
public:
    TIntarsia();
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    void GetPassNeedles(int pass, uint8_t* bits) override;
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

} // namespace lc
