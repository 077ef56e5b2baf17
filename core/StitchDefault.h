#pragma once
// The default stitch picture (one knitted "V" stitch in 256 grey levels) from
// which the sixteen coloured stitch bitmaps are tinted. Row 0 is the top row.
#include <cstdint>

namespace lc {

inline constexpr int kStitchDefaultWidth = 21;
inline constexpr int kStitchDefaultHeight = 27;

extern const uint8_t kStitchDefault[27][21];

} // namespace lc
