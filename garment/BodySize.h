#pragma once
// Twelve body measurements in centimetres, each held as a 6-byte real in the
// sizes file ("loopcrafter.siz", 72-byte records) and as the exact value of
// that real in memory. The constructor's custom size is size number 30.
#include <array>
#include <cstdint>
#include <filesystem>

#include "garment/Real6.h"

namespace lc {

enum BodyField : int {
    bfBust = 0,
    bfHips,
    bfLe10,
    bfLe11,
    bfArmLength,
    bfBackLength,
    bfUpperArm,
    bfWrist,
    bfNeckSize,
    bfLe12,
    bfArmholeDepth,
    bfWaist,
    kBodyFieldCount
};

inline constexpr uint8_t kCustomSizeNo = 30;
inline constexpr size_t kBodySizeRecord = 72;
inline constexpr const char* kSizesFileName = "loopcrafter.siz";

struct BodySize {
    std::array<long double, kBodyFieldCount> Values{};

    long double operator[](int field) const { return Values[field]; }
    // Each value goes through the 6-byte real (OverflowError for 2^127 cm
    // and more), so the measurements are exactly what a record would hold.
    static BodySize FromCentimetres(const std::array<double, kBodyFieldCount>& cm);
    static BodySize FromRecord(const uint8_t* record72);
    std::array<uint8_t, kBodySizeRecord> Record() const;
    bool operator==(const BodySize&) const = default;
};

// The measurements of size `sizeNo`: the custom size for 30, otherwise record
// sizeNo - 1 of the sizes file (IoError when the file cannot be read or holds
// fewer records). Size 0 only checks that the file opens and returns `held`.
BodySize LoadBodySize(uint8_t sizeNo, const BodySize& custom, const BodySize& held,
                      const std::filesystem::path& sizesFile);

} // namespace lc
