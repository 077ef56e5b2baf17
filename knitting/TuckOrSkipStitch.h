#pragma once
// The tuck and skip techniques: one pass per design row with one yarn; the
// row's second colour marks the stitches the carriage tucks or skips. A row of
// one colour selects every needle; the yarn shown is the row's highest colour.
// Skip stitch is this class as it is, with its record.
#include <string>
#include <vector>

#include "knitting/SinglePassTechnique.h"

namespace lc {

class TuckOrSkipStitch : public SinglePassTechnique {
public:
    // `id`: skip stitch, or a technique derived from this class.
    TuckOrSkipStitch(const TechniqueContext& context, TechniqueId id);

    // 256 for more than two colours; 1024 when more than two adjacent cells
    // carry the lower colour of a two-colour row.
    int CheckRow(std::span<const uint8_t> scanline, int row) override;
    // The higher colour's cells; a row of colour 0 alone selects every needle.
    void GetPassNeedles(int pass, uint8_t* bits) override;
    // The row's highest colour; an empty row keeps the yarns shown.
    void UpdateColors(int pass) override;

protected:
    // CheckRow of the multicolour techniques: rows are judged in pairs too, an
    // odd row must repeat the even row below it (2048 otherwise), so the rows
    // must come in ascending order.
    int CheckRowInPairs(std::span<const uint8_t> scanline, int row);

private:
    std::vector<uint8_t> evenRow_; // the last even row CheckRowInPairs saw
};

} // namespace lc
