#include "garment/CatalogueDetail.h"

#include "core/Bytes.h"
#include "garment/GarmentDrafting.h"

namespace lc {

DetailRec DetailRec::FromBytes(const uint8_t* p) {
    DetailRec r;
    uint16_t* w[10] = {&r.Word0,   &r.Style,   &r.Armhole, &r.Neckline, &r.Sleeve1,
                       &r.Sleeve2, &r.Sleeve3, &r.Collar1, &r.Collar2,  &r.Collar3};
    for (int i = 0; i < 10; ++i) *w[i] = GetU16LE(p + 2 * i);
    return r;
}

std::array<uint8_t, kDetailRecordSize> DetailRec::Bytes() const {
    std::array<uint8_t, kDetailRecordSize> out{};
    const uint16_t w[10] = {Word0, Style, Armhole, Neckline, Sleeve1, Sleeve2, Sleeve3, Collar1, Collar2, Collar3};
    for (int i = 0; i < 10; ++i) PutU16LE(out.data() + 2 * i, w[i]);
    return out;
}

namespace {
uint8_t low(uint16_t w) { return static_cast<uint8_t>(w & 0xFF); }
} // namespace

void BuildCatalogueDetail(GarmentOutline& target, const DetailRec& r, const BodySize& size) {
    if (r.Style != 0) BuildBodyPiece(target, size, low(r.Style), low(r.Armhole), low(r.Neckline));
    else if (r.Sleeve1 != 0) BuildSleevePiece(target, size, low(r.Sleeve1), low(r.Sleeve2), low(r.Sleeve3));
    else if (r.Collar1 != 0 || r.Collar2 != 0 || r.Collar3 != 0)
        BuildCollarPiece(target, size, low(r.Collar1), low(r.Collar2), low(r.Collar3));
}

} // namespace lc
