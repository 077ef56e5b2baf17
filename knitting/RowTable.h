#pragma once
// The row table of a knitting run (kept in the knitting state, KnitState.h):
// per design row the needles in work, how many rows keep them, and the row's
// colours. Built by Preparation whenever the Link page is shown or a
// correction button is pressed; read by the techniques
// (ColorCount / ColorMask to check a row and choose its setting and yarns), by
// the run (RowCount, the garment edges) and by the Link page (the needle fields).
//
// Every index is bounded: a row index outside 0..1024 reads the nearest record,
// and no needle field ever holds a value outside 0..width-1.
#include <algorithm>
#include <array>
#include <cstdint>

#include "core/PatternRaster.h"

namespace lc {

struct RowInfo {
    uint16_t LeftNeedle = 0;        // first needle in work
    uint16_t RightNeedle = 0;       // last needle in work (inclusive)
    uint16_t RowsWithoutChange = 0; // rows, this one included, keeping both needles going up
    uint16_t ColorMask = 0;         // colour c under 0x8000 >> c
    uint8_t ColorCount = 0;         // bits set in ColorMask
};

inline constexpr int kRowTableRows = 1024;              // design rows 0..1023
inline constexpr int kRowTableSize = kRowTableRows + 1; // and one terminator record

class RowTable {
public:
    std::array<RowInfo, kRowTableSize> Rows{};
    int RowCount = 0;            // design rows to knit (pattern height, or the garment's rows), 0..1024
    int GarmentLeft = 0;         // smallest LeftNeedle over the rows (0 without a garment)
    int GarmentRight = 0;        // largest RightNeedle (width-1 without a garment)
    uint16_t AllColorsInPic = 0; // OR of every row's ColorMask, for the colour panel

    // Bounded access: rows below 0 read row 0, rows past the terminator read it.
    const RowInfo& operator[](int row) const { return Rows[static_cast<size_t>(std::clamp(row, 0, kRowTableRows))]; }
    RowInfo& operator[](int row) { return Rows[static_cast<size_t>(std::clamp(row, 0, kRowTableRows))]; }
};

struct PreparationOptions {
    bool GarmentMode = false;
    // "Allow increase/decrease stitches on carriage side only" (btnDiscretCorrection down).
    bool DiscretCorrection = false;
    int StartSide = 0;    // the current technique's StartSide
    bool Mirrored = true; // the needle bed's Mirrored (right side facing)
};

// Builds `table` from `g`. Without a garment every row spans 0..width-1 and
// RowsWithoutChange counts down from RowCount. With a garment the edges come
// from the garment mask, the terminator record RowCount is written and, with
// DiscretCorrection, MaskCorrection runs. Colours are taken over the pattern's
// whole height; in garment mode cells outside the garment count for no row, as
// in the colour separation, so that a row is judged by what is knitted.
// In garment mode the caller resets the carriage side after this:
// CarriageSide := (row counter + StartSide) mod 2.
void Preparation(RowTable& table, const PatternRaster& g, const PreparationOptions& options);

// Limits edge changes to the carriage side: on every second row only the left
// edge may move, on the others only the right edge (pairing from StartSide and
// Mirrored); RowsWithoutChange is recomputed. GarmentLeft/Right are kept.
void MaskCorrection(RowTable& table, int startSide, bool mirrored);

// The garment mask's edges of design row `row` as needles (the mask's own
// numbering, counted from the right-hand end): false, with left/right
// untouched, when the row holds no inside cell or lies outside the mask.
// Otherwise both lie within 0..width-1 and left <= right.
bool MaskRowEdges(const PatternRaster& g, int row, int& left, int& right);

} // namespace lc
