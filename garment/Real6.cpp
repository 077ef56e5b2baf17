#include "garment/Real6.h"

#include <cmath>
#include <limits>

#include "garment/DraftingErrors.h"

namespace lc {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the measurement formulas need the 80-bit extended long double");

long double DecodeReal6(const Real6& b) {
    if (b[0] == 0) return 0.0L;
    uint64_t fraction = 0;
    for (int i = 5; i >= 1; --i) fraction = (fraction << 8) | b[i];
    fraction &= (uint64_t{1} << 39) - 1;
    const long double magnitude = std::ldexp(1.0L + std::ldexp(static_cast<long double>(fraction), -39), b[0] - 129);
    return (b[5] & 0x80) ? -magnitude : magnitude;
}

Real6 EncodeReal6(long double value) {
    Real6 out{};
    if (!std::isfinite(value)) throw OverflowError("number out of range");
    if (value == 0.0L) return out;
    const bool negative = std::signbit(value);
    int e = 0;
    const long double mantissa = std::frexp(std::fabs(value), &e); // [0.5, 1)
    int exponent = e - 1;                                          // value = 1.f * 2^exponent
    // 40 fraction bits: the 39 kept and the first dropped one. The remaining
    // dropped bits only truncate.
    const auto wide = static_cast<uint64_t>(std::ldexp(mantissa * 2.0L - 1.0L, 40));
    uint64_t fraction = (wide >> 1) + (wide & 1);
    if (fraction == (uint64_t{1} << 39)) {
        fraction = 0;
        ++exponent;
    }
    const int biased = exponent + 129;
    if (biased <= 0) return out;
    if (biased > 255) throw OverflowError("number out of range");
    out[0] = static_cast<uint8_t>(biased);
    for (int i = 1; i <= 5; ++i) out[i] = static_cast<uint8_t>(fraction >> (8 * (i - 1)));
    if (negative) out[5] |= 0x80;
    return out;
}

} // namespace lc
