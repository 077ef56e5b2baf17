#pragma once
// The 6-byte real of the body measurement records: byte 0 is the exponent
// biased by 129 (0 means the value 0), bytes 1..5 a 39-bit little-endian
// fraction below an implicit leading 1, the sign in the top bit of byte 5.
#include <array>
#include <cstdint>

namespace lc {

using Real6 = std::array<uint8_t, 6>;

// Exact: every 6-byte real fits the 64-bit mantissa of long double.
long double DecodeReal6(const Real6& bytes);

// Rounds to 39 fraction bits by adding the first dropped bit to the magnitude
// (halves away from zero), carrying into the exponent. Magnitudes below the
// smallest exponent are stored as zero; 2^127 and more throw OverflowError,
// as do infinities and NaN.
Real6 EncodeReal6(long double value);

} // namespace lc
