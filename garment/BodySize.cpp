#include "garment/BodySize.h"

#include <fstream>

#include "core/Errors.h"

namespace lc {

BodySize BodySize::FromCentimetres(const std::array<double, kBodyFieldCount>& cm) {
    BodySize s;
    for (int i = 0; i < kBodyFieldCount; ++i) s.Values[i] = DecodeReal6(EncodeReal6(cm[i]));
    return s;
}

BodySize BodySize::FromRecord(const uint8_t* record) {
    BodySize s;
    for (int i = 0; i < kBodyFieldCount; ++i) {
        Real6 r;
        for (int k = 0; k < 6; ++k) r[k] = record[6 * i + k];
        s.Values[i] = DecodeReal6(r);
    }
    return s;
}

std::array<uint8_t, kBodySizeRecord> BodySize::Record() const {
    std::array<uint8_t, kBodySizeRecord> out{};
    for (int i = 0; i < kBodyFieldCount; ++i) {
        const Real6 r = EncodeReal6(Values[i]);
        for (int k = 0; k < 6; ++k) out[6 * i + k] = r[k];
    }
    return out;
}

BodySize LoadBodySize(uint8_t sizeNo, const BodySize& custom, const BodySize& held,
                      const std::filesystem::path& sizesFile) {
    if (sizeNo == kCustomSizeNo) return custom;
    std::ifstream in(sizesFile, std::ios::binary);
    if (!in) throw IoError(sizesFile.string(), "Cannot open");
    if (sizeNo == 0) return held;
    std::array<char, kBodySizeRecord> record{};
    in.seekg(static_cast<std::streamoff>(sizeNo - 1) * kBodySizeRecord);
    if (!in.read(record.data(), record.size())) throw IoError(sizesFile.string(), "Cannot read", "no such size");
    return BodySize::FromRecord(reinterpret_cast<const uint8_t*>(record.data()));
}

} // namespace lc
