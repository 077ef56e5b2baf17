#pragma once
// Number conventions shared by every subsystem: rounding is half to even,
// div truncates toward zero (C++ '/'), a real is range-checked before it
// becomes an integer.
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/Errors.h"

namespace lc {

// Nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline long double roundHalfEven(long double v) { return std::nearbyintl(v); }

// Rounds half to even and converts, throwing RangeError when the value
// (or a NaN) does not fit the target type.
template <typename Int = int>
Int roundToInt(long double v) {
    long double r = std::nearbyintl(v);
    if (!(r >= static_cast<long double>(std::numeric_limits<Int>::min()) &&
          r <= static_cast<long double>(std::numeric_limits<Int>::max())))
        throw RangeError("number out of range");
    return static_cast<Int>(r);
}

// Like roundToInt, but clamps instead of throwing (NaN gives `fallback`).
template <typename Int = int>
Int roundToIntClamped(long double v, Int fallback = 0) {
    if (std::isnan(v)) return fallback;
    long double r = std::nearbyintl(v);
    if (r < static_cast<long double>(std::numeric_limits<Int>::min())) return std::numeric_limits<Int>::min();
    if (r > static_cast<long double>(std::numeric_limits<Int>::max())) return std::numeric_limits<Int>::max();
    return static_cast<Int>(r);
}

// Truncation toward zero with a range check.
template <typename Int = int>
Int truncToInt(long double v) {
    long double r = std::truncl(v);
    if (!(r >= static_cast<long double>(std::numeric_limits<Int>::min()) &&
          r <= static_cast<long double>(std::numeric_limits<Int>::max())))
        throw RangeError("number out of range");
    return static_cast<Int>(r);
}

template <typename T>
constexpr T clampTo(T v, T lo, T hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

} // namespace lc
