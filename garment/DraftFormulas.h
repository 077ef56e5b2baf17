#pragma once
// The 31 measurement formulas: each turns the body measurements and one code
// of a catalogue piece into a length in centimetres. They are evaluated in the
// 80-bit extended precision and returned as double; a code a formula does
// not list gives 0. Mm converts such a length, or a sum of several taken in
// the same extended precision, to whole millimetres.
#include <cstdint>

#include "garment/BodySize.h"

namespace lc {

// x * 10 rounded to the nearest integer, halves to even (80-bit product).
// The builders form their sums of formula values in long double before
// converting them, so that a sum landing near a half millimetre rounds as the
// extended-precision value does. OverflowError outside the 32-bit range,
// FloatError for NaN.
int32_t Mm(long double centimetres);

class DraftFormulas {
public:
    explicit DraftFormulas(const BodySize& size) : s_(size) {}

    double B1(uint8_t c) const;
    double B2(uint8_t) const { return 0.0; }
    double B3(uint8_t c) const;
    double B4(uint8_t c) const;
    double B5(uint8_t c) const;
    double B6(uint8_t c) const;
    double B7(uint8_t c) const;
    double B8(uint8_t c) const;
    double B9(uint8_t c) const;
    double B10(uint8_t c) const;
    double B11(uint8_t c) const;
    double B12(uint8_t c) const;
    double B13(uint8_t c) const;
    double B14(uint8_t c) const;
    double B15(uint8_t c) const;
    double B16(uint8_t c) const;
    double B17(uint8_t c) const;

    double S1(uint8_t c) const;
    double S2(uint8_t) const { return 0.0; }
    double S3(uint8_t c) const;
    double S4(uint8_t c) const;
    double S5(uint8_t c) const;
    double S6(uint8_t c) const;
    double S7(uint8_t c) const;
    double S8(uint8_t c) const;
    double S9(uint8_t c) const;
    double S10(uint8_t c) const;
    double S11(uint8_t c) const;

    double K1(uint8_t c) const;
    double K2(uint8_t c) const;
    double K3(uint8_t c) const;

    const BodySize& Size() const { return s_; }

private:
    const BodySize& s_;
};

} // namespace lc
