#pragma once
// The tuck and skip techniques: one pass per design row with one yarn; the
// row's second colour marks the stitches the carriage tucks or skips. A row of
// one colour selects every needle; the yarn shown is the row's highest colour.
#include <string>
#include <vector>

#include "knitting/SinglePassTechniques.h"

namespace lc {

class TTuckStich : public TOnePassTechnique {
public:
    TTuckStich();
    // 256 for more than two colours; 1024 when more than two adjacent cells
    // carry the lower colour of a two-colour row.
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    // The higher colour's cells; a row of colour 0 alone selects every needle.
    void GetPassNeedles(int pass, uint8_t* bits) override;
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

// Rows are judged in pairs too: an odd row must repeat the even row below it
// (2048 otherwise), so CheckRow must see the rows in ascending order.
class TMultiColorTuckStich : public TTuckStich {
public:
    TMultiColorTuckStich();
    int CheckRow(std::span<const uint8_t> scanline, int row) override;

private:
    std::vector<uint8_t> evenRow_;
};

class TDoubleTuckStich : public TTuckStich {
public:
    TDoubleTuckStich();
    void Prepare() override;
    std::string GetCarriageSetting(int pass) override;
    void DrawRowInstruction(int pass) override;
};

class TSkipStich : public TOnePassTechnique {
public:
    TSkipStich();
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    void GetPassNeedles(int pass, uint8_t* bits) override;
    std::string GetCarriageSetting(int pass) override;
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

class TMultiColorSkipStich : public TSkipStich {
public:
    TMultiColorSkipStich();
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    // A one-colour row selects every needle, whichever its colour.
    void GetPassNeedles(int pass, uint8_t* bits) override;

private:
    std::vector<uint8_t> evenRow_;
};

} // namespace lc
