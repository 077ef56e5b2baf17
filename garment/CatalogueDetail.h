#pragma once
// One piece of the catalogue ("loopcrafter.det", 20-byte records, detail n =
// record n): three body codes, three sleeve codes and three collar codes.
// Drafting hands the record to one builder by its whole 16-bit words: a style
// makes a back or front, else a first sleeve code a sleeve, else any collar
// code a collar or trim. The builder receives the low bytes.
#include <array>
#include <cstdint>

#include "garment/BodySize.h"
#include "garment/GarmentOutline.h"

namespace lc {

inline constexpr size_t kDetailRecordSize = 20;

struct DetailRec {
    uint16_t Word0 = 0;
    uint16_t Style = 0, Armhole = 0, Neckline = 0;
    uint16_t Sleeve1 = 0, Sleeve2 = 0, Sleeve3 = 0;
    uint16_t Collar1 = 0, Collar2 = 0, Collar3 = 0;

    static DetailRec FromBytes(const uint8_t* record20);
    std::array<uint8_t, kDetailRecordSize> Bytes() const;
    bool operator==(const DetailRec&) const = default;
};

void BuildCatalogueDetail(GarmentOutline& target, const DetailRec& rec, const BodySize& size);

} // namespace lc
