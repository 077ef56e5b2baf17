#pragma once
// The tuck and skip techniques: one pass per design row with one yarn; the
// row's second colour marks the stitches the carriage tucks or skips. A row of
// one colour selects every needle; the yarn shown is the row's highest colour.
#include <string>
#include <vector>

#include "knitting/SinglePassTechniques.h"

namespace lc {

// What tuck and skip stitch share: the tuck rule, the needles (the higher
// colour's cells; a row of colour 0 alone selects every needle), the columns
// and the row line, all but the stitch letter.
class TuckOrSkipStitch : public SinglePassTechnique {
public:
    // 256 for more than two colours; 1024 when more than two adjacent cells
    // carry the lower colour of a two-colour row.
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    void GetPassNeedles(int pass, uint8_t* bits) override;
    std::string GetCarriageSetting(int pass) override;
    // The row's highest colour; an empty row keeps the yarns shown.
    void UpdateColors(int pass) override;

protected:
    TuckOrSkipStitch(const TechniqueContext& context, char stitch);
    std::string RowText(int row) const override;

private:
    char stitch_; // 'T' tuck, 'Y' skip
};

class TuckStitch : public TuckOrSkipStitch {
public:
    explicit TuckStitch(const TechniqueContext& context);
    // As TuckOrSkipStitch, but an empty row shows its whole (empty) mask.
    void UpdateColors(int pass) override;
};

// Rows are judged in pairs too: an odd row must repeat the even row below it
// (2048 otherwise), so CheckRow must see the rows in ascending order.
class MultiColorTuckStitch : public TuckStitch {
public:
    explicit MultiColorTuckStitch(const TechniqueContext& context);
    int CheckRow(std::span<const uint8_t> scanline, int row) override;

private:
    std::vector<uint8_t> evenRow_;
};

class DoubleTuckStitch : public TuckStitch {
public:
    explicit DoubleTuckStitch(const TechniqueContext& context);
    void Prepare() override;
    std::string GetCarriageSetting(int pass) override;
    void DrawRowInstruction(int pass) override;
};

class SkipStitch : public TuckOrSkipStitch {
public:
    explicit SkipStitch(const TechniqueContext& context);
};

class MultiColorSkipStitch : public SkipStitch {
public:
    explicit MultiColorSkipStitch(const TechniqueContext& context);
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    // A one-colour row selects every needle, whichever its colour.
    void GetPassNeedles(int pass, uint8_t* bits) override;

private:
    std::vector<uint8_t> evenRow_;
};

} // namespace lc
