#pragma once
// Fine lace: colours 14 and 15 mark lace stitches moved one needle at a time,
// colour 14 taken from the left end of each run on passes in direction 1, colour
// 15 from the right end on passes in direction 0. A row needs as many transfer
// passes per direction as its longest run, then a closing pass, so the number of
// passes depends on the pattern: the technique builds a pass table for the whole
// pattern and the row counter counts its entries.
#include <array>
#include <cstdint>
#include <string>

#include "knitting/SinglePassTechnique.h"

namespace lc {

class FineLace : public SinglePassTechnique {
public:
    // CheckRow (inherited): no more than MaxColors (3) colours, the ground and the two lace colours.
    explicit FineLace(const TechniqueContext& context);

    std::array<uint8_t, 41> LeftRunPlane{};  // working copy of plane 14
    std::array<uint8_t, 41> RightRunPlane{}; // working copy of plane 15
    int32_t LeftRuns = 0;
    int32_t RightRuns = 0;

    // The bytes of pass-table entry `pass` (nothing past the table).
    void GetPassNeedles(int pass, uint8_t* bits) override;
    int MakePass(uint8_t* bits, int row, int direction, int startDirection) override;
    void LoadRow(int row) override;
    // Builds the pass table (cached, see BuildPassTable); drawing the sheet's head
    // never builds it.
    void Prepare() override;
    std::string GetCarriageSetting(int pass) override;
    void DrawRowInstruction(int pass) override;
    void UpdateColors(int pass) override;
    int PassToRow(int pass) const override;
    int RowToPass(int row) const override;
    int PassCount() const override;

    // Builds the table over all rows of the pattern from the current separation,
    // unless the lace planes, the width and the height are what the table was
    // built from. Returns true when it rebuilt.
    bool BuildPassTable();
    // Drops the cache so that the next BuildPassTable rebuilds.
    void InvalidatePassTable() { builtKey_ = 0; }

private:
    uint64_t contentKey() const;
    uint64_t builtKey_ = 0;
};

} // namespace lc
