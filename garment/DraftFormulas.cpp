#include "garment/DraftFormulas.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>

#include "garment/DraftingErrors.h"

namespace lc {

int32_t Mm(long double centimetres) {
    const long double r = std::nearbyintl(centimetres * 10.0L);
    if (std::isnan(r)) throw FloatError("invalid floating point operation");
    if (r < static_cast<long double>(std::numeric_limits<int32_t>::min()) ||
        r > static_cast<long double>(std::numeric_limits<int32_t>::max()))
        throw OverflowError("integer overflow");
    return static_cast<int32_t>(r);
}

namespace {

using LD = long double;

bool in(int c, int lo, int hi) { return c >= lo && c <= hi; }
bool any(int c, std::initializer_list<int> codes) {
    for (int k : codes)
        if (c == k) return true;
    return false;
}

// The measurements, named as the formulas read them.
struct M {
    LD Hips, Le10, Le11, ArmLength, BackLength, UpperArm, Wrist, NeckSize, Le12, ArmholeDepth;
    explicit M(const BodySize& s)
        : Hips(s[bfHips]), Le10(s[bfLe10]), Le11(s[bfLe11]), ArmLength(s[bfArmLength]), BackLength(s[bfBackLength]),
          UpperArm(s[bfUpperArm]), Wrist(s[bfWrist]), NeckSize(s[bfNeckSize]), Le12(s[bfLe12]),
          ArmholeDepth(s[bfArmholeDepth]) {}
    LD N3() const { return NeckSize / 3.0L + 1.0L; }
    LD Arm() const { return ArmLength - Le11 * 0.7L; }
};

double D(LD v) { return static_cast<double>(v); }

// The sleeve lengths S3 and S5 have in common; none when code c has none of them.
std::optional<double> commonSleeveLength(int c, const M& m) {
    if (any(c, {10, 20, 30})) return D(m.Arm());
    if (any(c, {11, 21, 31, 61, 71})) return D(m.Arm() * 2.0L / 3.0L);
    if (any(c, {12, 22, 32, 62, 72})) return D(m.Arm() / 4.0L);
    if (any(c, {13, 23, 33})) return D(m.Le12 / 2.0L + m.Arm());
    if (any(c, {14, 24, 34})) return D(m.Le12 / 2.0L + m.Arm() * 2.0L / 3.0L);
    if (any(c, {40, 50, 52})) return D(m.Arm() * 1.05L);
    if (c == 41) return D(m.Arm() * 2.0L / 3.0L * 1.05L);
    if (c == 42) return D(m.Arm() / 4.0L * 1.05L);
    if (any(c, {43, 51, 53})) return D(m.Le12 / 2.0L + m.Arm() * 1.05L);
    return std::nullopt;
}

} // namespace

double DraftFormulas::B1(uint8_t c) const {
    const M m(s_);
    switch (c) {
    case 10: return D(m.Hips / 2.0L);
    case 11: return D(m.Hips / 4.0L);
    case 12: return D(m.N3() * 2.0L * 1.6L / 2.0L + m.Hips / 4.0L);
    case 13: return D(m.Hips / 4.0L - m.N3() * 2.0L * 1.6L / 2.0L);
    case 14: return D(m.N3() + m.Hips / 4.0L);
    case 20: return D(m.Hips * 1.05L / 2.0L);
    case 21: return D(m.Hips * 1.05L / 4.0L);
    case 22: return D(m.N3() * 2.0L * 1.6L / 2.0L + m.Hips * 1.05L / 4.0L);
    case 23: return D(m.Hips * 1.05L / 4.0L - m.N3() * 2.0L * 1.6L / 2.0L);
    case 24: return D(m.N3() + m.Hips * 1.05L / 4.0L);
    case 30: return D(m.Hips * 1.1L / 2.0L);
    case 31:
    case 32:
    case 33: return D(m.Hips * 1.1L / 4.0L);
    default: return 0.0;
    }
}

double DraftFormulas::B3(uint8_t c) const {
    const M m(s_);
    if (in(c, 10, 14)) return D(m.BackLength * 0.9L - m.Le11 * 1.15L);
    if (in(c, 20, 24)) return D(m.BackLength - m.Le11 * 1.2L);
    if (in(c, 30, 34)) return D(m.BackLength - m.Le11 * 1.25L);
    return 0.0;
}

double DraftFormulas::B4(uint8_t c) const {
    const M m(s_);
    if (any(c, {10, 13, 20, 23, 30, 33, 40})) return D(m.Hips / 4.0L - m.N3());
    if (any(c, {11, 21, 31, 41})) return D(m.Hips * 1.05L / 4.0L - m.N3());
    if (any(c, {12, 22, 32, 42})) return D(m.Hips * 1.1L / 4.0L - m.N3());
    if (any(c, {14, 24, 34})) return D(m.Hips / 4.0L - m.N3() * 2.0L * 1.6L / 2.0L);
    if (any(c, {15, 25, 35})) return D(m.Hips * 1.05L / 4.0L - m.N3() * 2.0L * 1.6L / 2.0L);
    return 0.0;
}

double DraftFormulas::B5(uint8_t c) const {
    const M m(s_);
    if (c == 10 || in(c, 13, 15)) return D(m.Le11 * 0.345L);
    if (c == 11) return D(m.Le11 * 0.36L);
    if (c == 12) return D(m.Le11 * 0.375L);
    return 0.0;
}

double DraftFormulas::B6(uint8_t c) const {
    const M m(s_);
    if (any(c, {10, 20})) return D(m.Le11 * 1.15L);
    if (any(c, {11, 21})) return D(m.Le11 * 1.2L);
    if (any(c, {12, 22})) return D(m.Le11 * 1.25L);
    if (any(c, {13, 23, 40})) return D(m.Le11 * 1.15L - m.ArmholeDepth / 2.0L);
    if (any(c, {14, 15, 24, 25})) return D(m.Le11 * 1.15L * 29.0L / 30.0L);
    if (c == 30) return D(m.Le11 * 1.265L);
    if (c == 31) return D(m.Le11 * 1.32L);
    if (c == 32) return D(m.Le11 * 1.375L);
    if (c == 33) return D(m.Le11 * 1.265L - m.ArmholeDepth / 2.0L);
    if (any(c, {34, 35})) return D(m.Le11 * 1.2266666666666666L - m.ArmholeDepth / 2.0L);
    if (c == 41) return D(m.Le11 * 1.2L - m.ArmholeDepth / 2.0L);
    if (c == 42) return D(m.Le11 * 1.25L - m.ArmholeDepth / 2.0L);
    return 0.0;
}

double DraftFormulas::B7(uint8_t c) const {
    const M m(s_);
    if (any(c, {10, 13, 20, 23})) return D(m.Le11 * 0.15L);
    if (any(c, {11, 21})) return D(m.Le11 * 0.2L);
    if (any(c, {12, 22})) return D(m.Le11 * 0.25L);
    if (any(c, {14, 24})) return D(m.Le11 * 0.15L * 0.7L);
    if (any(c, {15, 25})) return D(m.Le11 * 0.15L * 0.65L);
    if (any(c, {30, 33})) return D(m.Le11 * 0.15L * 1.11L);
    if (c == 31) return D(m.Le11 * 0.2L * 1.11L);
    if (c == 32) return D(m.Le11 * 0.25L * 1.11L);
    if (c == 34) return D(m.Le11 * 0.15L);
    if (c == 35) return D(m.Le11 * 0.15L * 0.95L);
    if (c == 40) return D(m.Le11 * 1.15L - m.ArmholeDepth / 2.0L);
    if (c == 41) return D(m.Le11 * 1.2L - m.ArmholeDepth / 2.0L);
    if (c == 42) return D(m.Le11 * 1.25L - m.ArmholeDepth / 2.0L);
    return 0.0;
}

double DraftFormulas::B8(uint8_t c) const {
    const M m(s_);
    if (any(c, {10, 13, 20, 23, 34})) return D(m.Hips / 4.0L - m.N3() - m.ArmholeDepth);
    if (any(c, {11, 21})) return D(m.Hips * 1.05L / 4.0L - m.N3() - m.ArmholeDepth);
    if (any(c, {12, 22})) return D(m.Hips * 1.1L / 4.0L - m.N3() - m.ArmholeDepth);
    if (any(c, {14, 24, 44})) return D(m.Hips / 4.0L - m.N3() * 1.6L - m.ArmholeDepth);
    if (any(c, {15, 25})) return D(m.Hips * 1.05L / 4.0L - m.N3() * 1.6L - m.ArmholeDepth);
    if (any(c, {30, 33, 40, 43})) return D(m.Hips / 4.0L - m.N3());
    if (any(c, {31, 41})) return D(m.Hips * 1.05L / 4.0L - m.N3());
    if (any(c, {32, 42})) return D(m.Hips * 1.1L / 4.0L - m.N3());
    if (c == 35) return D(m.Hips * 1.05L / 4.0L - m.N3() * 2.0L * 1.6L / 2.0L);
    return 0.0;
}

double DraftFormulas::B9(uint8_t) const {
    const M m(s_);
    return D(m.Hips / 4.0L - m.NeckSize / 3.0L - 1.0L);
}

double DraftFormulas::B10(uint8_t) const {
    const M m(s_);
    return D(m.Le11 * 1.15L * 0.9L / 3.0L);
}

double DraftFormulas::B11(uint8_t) const {
    const M m(s_);
    return D(m.Le11 * 1.15L);
}

double DraftFormulas::B12(uint8_t) const {
    const M m(s_);
    return D((m.Hips / 2.0L - m.N3() * 2.0L - m.ArmholeDepth * 2.0L) / 2.0L * 0.95L);
}

double DraftFormulas::B13(uint8_t) const {
    const M m(s_);
    return D((m.Hips / 2.0L - m.N3() * 2.0L - m.ArmholeDepth * 2.0L) / 2.0L * 1.15L);
}

double DraftFormulas::B14(uint8_t) const {
    const M m(s_);
    return D(m.Le11 * 1.15L * 0.1L);
}

double DraftFormulas::B15(uint8_t c) const {
    const M m(s_);
    if (in(c, 10, 13) || in(c, 17, 18) || in(c, 20, 21) || in(c, 31, 32) || in(c, 34, 35) || in(c, 40, 47) || c == 50)
        return D(m.N3() * 2.0L);
    if (in(c, 14, 16) || in(c, 22, 23)) return D(m.N3() * 2.0L * 1.6L);
    if (any(c, {30, 33})) return D(m.N3());
    return 0.0;
}

double DraftFormulas::B16(uint8_t c) const {
    const M m(s_);
    if (any(c, {10, 14, 22})) return D(m.N3() / 3.0L);
    if (any(c, {11, 40, 44})) return D((m.NeckSize / 2.0L - 1.0L) * 0.8L);
    if (any(c, {12, 15, 41, 45})) return D(m.NeckSize / 2.0L - 1.0L);
    if (any(c, {13, 20, 23, 30, 33})) return D(m.N3() * 2.0L * 0.9L);
    if (any(c, {17, 42, 46})) return D((m.NeckSize / 2.0L - 1.0L) * 0.8L - m.ArmholeDepth / 2.0L);
    if (any(c, {18, 43, 47})) return D(m.NeckSize / 2.0L - 1.0L - m.ArmholeDepth / 2.0L);
    if (c == 21) return D(m.N3() * 2.0L * 0.9L - m.ArmholeDepth / 2.0L);
    if (any(c, {31, 34})) return D(m.Le11 * 1.15L - m.ArmholeDepth / 2.0L);
    if (any(c, {32, 35})) return D(m.Le11 * 1.2L - m.ArmholeDepth / 2.0L);
    if (c == 50) return D(m.N3() / 3.0L - m.ArmholeDepth / 2.0L);
    return 0.0;
}

double DraftFormulas::B17(uint8_t c) const {
    const M m(s_);
    if (in(c, 30, 32) || c == 50) return D(m.ArmholeDepth / 2.0L);
    if (in(c, 40, 47)) return D(m.N3() * 2.0L * 0.9L);
    return 0.0;
}

double DraftFormulas::S1(uint8_t c) const {
    const M m(s_);
    if (any(c, {10, 30})) return D(m.Wrist * 1.2L);
    if (any(c, {11, 31})) return D(m.Wrist * 1.44L);
    if (any(c, {12, 32, 41})) return D(m.UpperArm * 1.2L);
    if (in(c, 13, 14) || in(c, 33, 34)) return D(m.Wrist * 1.15L);
    if (in(c, 20, 22) || in(c, 62, 63) || c == 72) return D(m.UpperArm * 1.4L);
    if (in(c, 23, 24)) return D(m.UpperArm * 1.47L);
    if (any(c, {40, 43})) return D(m.UpperArm);
    if (c == 42) return D(m.UpperArm * 1.3L);
    if (c == 44) return D(m.UpperArm * 1.26L);
    if (any(c, {50, 52})) return D(m.Wrist * 1.4L);
    if (any(c, {51, 53})) return D(m.UpperArm * 1.54L);
    if (any(c, {60, 70})) return D(m.Wrist * 1.2L / 2.0L);
    if (any(c, {61, 71})) return D(m.Wrist * 1.68L / 2.0L);
    if (any(c, {64, 74})) return D(m.Arm() * 2.0L / 3.0L);
    if (c == 65) return D(m.Le10 + m.ArmLength - (m.Hips / 4.0L - m.NeckSize / 3.0L - 1.0L) * 1.1L);
    if (c == 73) return D(m.Arm() / 4.0L);
    if (c == 75) return D(m.Le10 + m.ArmLength - (m.Hips / 2.0L - m.N3() * 2.0L) * 1.1L);
    return 0.0;
}

double DraftFormulas::S3(uint8_t c) const {
    const M m(s_);
    if (const auto v = commonSleeveLength(c, m)) return *v;
    if (c == 44) return D(m.Le12 / 2.0L + m.Arm() * 1.05L * 2.0L / 3.0L);
    if (any(c, {60, 70})) return D(m.Le10 + m.ArmLength - (m.Hips / 4.0L - m.N3()) * 1.1L);
    // Only the Le11 term is divided by 100 here, and code 74 below has no
    // division at all: stored catalogue pieces were drafted so.
    if (in(c, 63, 65)) return D(m.BackLength * 0.9L - m.Le11 * 1.15L / 100.0L);
    if (any(c, {73, 75})) return D((m.BackLength * 0.9L - m.Le11 * 1.15L / 100.0L) * 0.75L);
    if (c == 74) return D((m.BackLength * 0.9L - m.Le11 * 1.15L) * 0.75L);
    return 0.0;
}

double DraftFormulas::S4(uint8_t c) const {
    const M m(s_);
    if (in(c, 10, 12) || in(c, 20, 22) || c == 63) return D(m.UpperArm * 1.4L);
    if (in(c, 13, 14) || in(c, 23, 24) || in(c, 30, 32) || in(c, 40, 42)) return D(m.UpperArm * 1.47L);
    if (in(c, 33, 34) || in(c, 43, 44)) return D(m.UpperArm * 1.6905L);
    if (in(c, 50, 51)) return D(m.UpperArm * 1.54L);
    if (in(c, 52, 53)) return D(m.UpperArm * 1.771L);
    if (in(c, 60, 62)) return D(m.BackLength * 0.9L - m.Le11 * 1.15L / 100.0L);
    if (any(c, {64, 74})) return D(m.Arm() * 2.0L / 3.0L);
    if (c == 65) return D(m.Le10 + m.ArmLength - (m.Hips / 4.0L - m.N3()) * 1.1L);
    if (in(c, 70, 72)) return D((m.BackLength * 0.9L - m.Le11 * 1.15L / 100.0L) * 0.75L);
    if (c == 73) return D(m.Arm() / 4.0L);
    if (c == 75) return D(m.Le10 + m.ArmLength - (m.Hips / 2.0L - m.N3() * 2.0L) * 1.1L);
    return 0.0;
}

double DraftFormulas::S5(uint8_t c) const {
    const M m(s_);
    if (const auto v = commonSleeveLength(c, m)) return *v;
    if (any(c, {60, 70})) return D(m.Le10 + m.ArmLength - (m.Hips / 4.0L - m.NeckSize / 3.0L - 1.0L) * 1.1L);
    if (any(c, {63, 73})) return D(m.UpperArm * 1.5L);
    if (any(c, {64, 74})) return D(m.Wrist * 1.2L / 2.0L * 1.5L);
    if (any(c, {65, 75})) return D(m.Wrist * 1.2L / 2.0L);
    return 0.0;
}

double DraftFormulas::S6(uint8_t c) const {
    const M m(s_);
    switch (c) {
    case 10:
    case 30:
    case 33: return D(m.UpperArm * 1.4L);
    case 11:
    case 31: return D(m.UpperArm * 1.4L * 1.05L);
    case 12:
    case 32: return D(m.UpperArm * 1.4L * 1.1L);
    case 13: return D(m.UpperArm * 1.4L * 1.15L);
    case 14: return D(m.UpperArm * 1.4L * 1.05L * 1.15L);
    case 15: return D(m.UpperArm * 1.4L * 1.1L * 1.15L);
    case 20: return D(m.Le11 * 2.07L);
    case 21: return D(m.Le11 * 2.16L);
    case 22: return D(m.Le11 * 2.25L);
    case 23: return D(m.Le11 * 2.1275L);
    case 24: return D(m.Le11 * 2.22L);
    case 25: return D(m.Le11 * 2.3125L);
    default: return 0.0;
    }
}

double DraftFormulas::S7(uint8_t c) const {
    const M m(s_);
    if (in(c, 10, 15) || c == 33) return D(m.Le11 * 0.7L);
    if (c == 20 || in(c, 23, 25)) return D(m.Le10 + (m.NeckSize / 3.0L + (m.Le11 * 0.7L - m.Hips / 4.0L) + 1.0L));
    if (c == 21) return D(m.NeckSize / 3.0L + (m.Le11 * 0.7L - (m.Hips / 4.0L - m.Le10) * 1.05L) + 1.0L);
    if (c == 22) return D(m.NeckSize / 3.0L + (m.Le11 * 0.7L - (m.Hips / 4.0L - m.Le10) * 1.1L) + 1.0L);
    if (c == 30) return D(m.Le11 * 0.7L + m.Le10 - m.ArmholeDepth);
    if (c == 31) return D((m.Le11 * 0.7L + m.Le10 - m.ArmholeDepth) * 1.05L);
    if (c == 32) return D((m.Le11 * 0.7L + m.Le10 - m.ArmholeDepth) * 1.1L);
    return 0.0;
}

double DraftFormulas::S8(uint8_t c) const {
    const M m(s_);
    if (any(c, {13, 33})) return D(m.UpperArm * 1.5L * 0.15L);
    if (c == 14) return D(m.UpperArm * 1.575L * 0.15L);
    if (c == 15) return D(m.UpperArm * 1.65L * 0.15L);
    if (in(c, 20, 22)) return D(m.Le11 * 0.7L);
    if (in(c, 23, 25)) return D(m.NeckSize / 3.0L + (m.Le11 * 0.7L + m.Le10 - m.Hips / 4.0L) + 1.0L);
    if (in(c, 30, 32)) return D(m.ArmholeDepth);
    return 0.0;
}

double DraftFormulas::S9(uint8_t c) const {
    const M m(s_);
    switch (c) {
    case 20: return D(m.UpperArm * 1.4L * 0.95L);
    case 21: return D(m.UpperArm * 1.4L * 0.95L * 1.05L);
    case 22: return D(m.UpperArm * 1.4L * 0.95L * 1.1L);
    case 23: return D(m.UpperArm * 1.4L);
    case 24: return D(m.UpperArm * 1.4L * 1.05L);
    case 25: return D(m.UpperArm * 1.4L * 1.1L);
    case 30:
    case 31:
    case 32: return D(m.ArmholeDepth / 2.0L);
    default: return 0.0;
    }
}

double DraftFormulas::S10(uint8_t) const { return D(M(s_).ArmholeDepth); }

double DraftFormulas::S11(uint8_t c) const {
    const M m(s_);
    // Code 20 subtracts one inside the bracket where code 10 adds it; kept so.
    if (c == 10) return D((m.Hips / 4.0L - m.N3() - m.ArmholeDepth) * 1.05L);
    if (c == 20) return D((m.Hips / 4.0L - (m.NeckSize / 3.0L - 1.0L)) * 1.05L);
    return 0.0;
}

double DraftFormulas::K1(uint8_t c) const {
    const M m(s_);
    if (c == 10 || in(c, 20, 21)) return D(m.N3() * 2.0L);
    if (c == 11) return D(m.N3() * 2.0L * 0.9L);
    if (c == 22) return D(m.Le10 * 2.0L / 3.0L + m.N3() * 2.0L);
    return 0.0;
}

double DraftFormulas::K2(uint8_t c) const {
    const M m(s_);
    if (any(c, {10, 20})) return D((m.NeckSize / 2.0L - 1.0L) * 0.8L - m.ArmholeDepth / 2.0L);
    return 0.0;
}

double DraftFormulas::K3(uint8_t c) const {
    const M m(s_);
    if (c == 10) return D(m.Le10);
    if (c == 11) return D(m.ArmholeDepth / 2.0L + (m.Le10 - (m.NeckSize / 2.0L - 1.0L) * 0.8L));
    if (c == 20) return D(m.Le10 - m.ArmholeDepth / 2.0L);
    if (in(c, 21, 22)) return D(m.Le10 - (m.NeckSize / 2.0L - 1.0L) * 0.8L);
    return 0.0;
}

} // namespace lc
