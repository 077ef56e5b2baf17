#pragma once
// Colour separation of the whole pattern: for every design row and each of the
// sixteen yarn colours, the needles that carry that colour. Techniques copy a
// pass's needle bits straight out of one plane, so answering the adapter is a
// copy and never a walk over the picture.
#include <array>
#include <cstdint>
#include <vector>

#include "core/PatternRaster.h"

namespace lc {

inline constexpr int kPlaneBytes = 41;                      // 40 needle bytes + the used flag
inline constexpr int kPlaneNeedleBytes = 40;                // needles 0..319
inline constexpr int kSeparatedRowBytes = 16 * kPlaneBytes; // 656

// One design row: plane c at byte 41*c; needle n (= picture column n, not
// mirrored) in byte n div 8 under NeedleBits[n mod 8]; byte 40 of a plane is 1
// when at least one needle of the row has that colour.
struct SeparatedRow {
    std::array<uint8_t, kSeparatedRowBytes> Data{};

    const uint8_t* Plane(int c) const { return Data.data() + kPlaneBytes * c; }
    uint8_t* Plane(int c) { return Data.data() + kPlaneBytes * c; }
    bool Used(int c) const { return Data[static_cast<size_t>(kPlaneBytes * c + kPlaneNeedleBytes)] != 0; }
};

struct RowColors {
    int32_t ColorCount = 0;
    uint32_t ColorMask = 0; // colour c under ColorBits[c] = 0x8000 >> c
};

class ColourSeparation {
public:
    void Clear();
    // Separates `g`: GarmentRows rows skipping cells outside the garment mask in
    // garment mode, else Height rows; then three empty rows. At most 1024 rows and
    // 320 columns are separated; cells of colour 16 and above belong to no plane.
    void Build(const PatternRaster& g, bool garmentMode);
    // Gives every row exactly n colours in its mask (the jacquards); the planes
    // are not touched, so an added colour has an empty plane in that row.
    void SpreadColors(int n);

    // Rows at or past the end give the last row; with nothing built (or a negative
    // row on an empty object) an all-zero row. Never a copy.
    const SeparatedRow& GetRow(int row) const;
    const RowColors& GetRowColors(int row) const;
    int RowCount() const { return static_cast<int>(rows_.size()); }

private:
    std::vector<SeparatedRow> rows_;
    std::vector<RowColors> colors_;
};

// Lowest / highest colour index in a 16-bit colour mask, -1 for an empty mask.
// (The lowest colour sits under the highest bit: ColorBits[c] = 0x8000 >> c.)
int LowestColor(uint32_t mask);
int HighestColor(uint32_t mask);

} // namespace lc
