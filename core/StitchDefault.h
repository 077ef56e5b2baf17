#pragma once
// The built-in grey stitch picture "STICHDEFAULT": 27 lines of 21 pixels, one
// knitted stitch, 0 black to 255 white. The stitch bitmaps are tinted from it.
#include <cstdint>

namespace lc {

inline constexpr int kStitchDefaultWidth = 21;
inline constexpr int kStitchDefaultHeight = 27;
extern const uint8_t kStitchDefault[27][21];

} // namespace lc
