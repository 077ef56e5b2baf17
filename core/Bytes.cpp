#include "core/Bytes.h"

#include <cmath>

namespace lc {

double Real48ToDouble(const uint8_t b[6]) {
    if (b[0] == 0) return 0.0;
    uint64_t m = (static_cast<uint64_t>(b[5] & 0x7F) << 32) | (static_cast<uint64_t>(b[4]) << 24) |
                 (static_cast<uint64_t>(b[3]) << 16) | (static_cast<uint64_t>(b[2]) << 8) | b[1];
    double v = std::ldexp(1.0 + std::ldexp(static_cast<double>(m), -39), b[0] - 129);
    return (b[5] & 0x80) ? -v : v;
}

void DoubleToReal48(double v, uint8_t out[6]) {
    for (int i = 0; i < 6; ++i) out[i] = 0;
    if (!std::isfinite(v)) v = std::isnan(v) ? 0.0 : (v > 0 ? 1.7e38 : -1.7e38);
    if (v == 0.0) return;
    const bool neg = v < 0;
    int e = 0;
    double f = std::frexp(std::fabs(v), &e); // f in [0.5, 1): value = f * 2^e = (2f) * 2^(e-1)
    int exp = e - 1 + 129;
    double frac = 2.0 * f - 1.0;
    uint64_t m = static_cast<uint64_t>(std::nearbyint(std::ldexp(frac, 39)));
    if (m >> 39) {
        m = 0;
        ++exp;
    }
    if (exp <= 0) return; // too small: zero
    if (exp > 255) {
        exp = 255;
        m = (uint64_t{1} << 39) - 1;
    }
    out[0] = static_cast<uint8_t>(exp);
    out[1] = m & 0xFF;
    out[2] = (m >> 8) & 0xFF;
    out[3] = (m >> 16) & 0xFF;
    out[4] = (m >> 24) & 0xFF;
    out[5] = static_cast<uint8_t>(((m >> 32) & 0x7F) | (neg ? 0x80 : 0));
}

} // namespace lc
