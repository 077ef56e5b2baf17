// The 6-byte real, the measurement formulas and the sizes file.
#include <gtest/gtest.h>

#include <cmath>

#include "DraftingTestUtil.h"
#include "TestFiles.h"
#include "garment/DraftingErrors.h"
#include "garment/DraftFormulas.h"
#include "garment/Real6.h"

namespace lc {
namespace {

TEST(Real6, WritesTheBytesOfKnownValues) {
    const struct {
        long double value;
        Real6 bytes;
    } cases[] = {
        {42.5L, {0x86, 0, 0, 0, 0, 0x2A}},
        {1.0L, {0x81, 0, 0, 0, 0, 0}},
        {2.0L, {0x82, 0, 0, 0, 0, 0}},
        {-1.0L, {0x81, 0, 0, 0, 0, 0x80}},
        {100.0L, {0x87, 0, 0, 0, 0, 0x48}},
        {36.0L, {0x86, 0, 0, 0, 0, 0x10}},
        {20.0L, {0x85, 0, 0, 0, 0, 0x20}},
        {14.0L, {0x84, 0, 0, 0, 0, 0x60}},
        // Rounding adds the first dropped bit: 0 for 36.6, 1 for 0.1 ...
        {36.6, {0x86, 0x66, 0x66, 0x66, 0x66, 0x12}},
        {0.1, {0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}},
        // ... also for an exact half, which goes up (not to even) ...
        {1.0000000000009095, {0x81, 0x01, 0, 0, 0, 0}},
        // ... and a fraction that rounds up to 2^39 carries into the exponent.
        {1.9999999999999998, {0x82, 0, 0, 0, 0, 0}},
        // Below the smallest exponent: zero.
        {std::ldexp(1.5L, -129), {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeReal6(c.value), c.bytes) << static_cast<double>(c.value);
        const bool exact = c.value == std::nearbyintl(c.value * 2) / 2; // whole and half values
        if (c.bytes[0] != 0 && exact) {
            EXPECT_EQ(DecodeReal6(c.bytes), c.value);
        }
    }
    EXPECT_EQ(DecodeReal6({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), 0.0L); // exponent 0 is zero whatever follows
}

TEST(Real6, OverflowAndNonNumbersAreErrors) {
    EXPECT_THROW(EncodeReal6(std::ldexp(1.0L, 127)), OverflowError);
    EXPECT_NO_THROW(EncodeReal6(std::ldexp(1.0L, 126)));
    EXPECT_THROW(EncodeReal6(INFINITY), OverflowError);
    EXPECT_THROW(EncodeReal6(NAN), OverflowError);
    EXPECT_THROW(BodySize::FromCentimetres({1e39, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}), OverflowError);
}

TEST(Formulas, SpotValuesAndMillimetres) {
    const BodySize w = test::Woman40();
    const DraftFormulas f(w);
    EXPECT_DOUBLE_EQ(f.B1(11), 25.0);
    EXPECT_DOUBLE_EQ(f.B9(0), 12.0);
    EXPECT_DOUBLE_EQ(f.B15(10), 26.0);
    EXPECT_EQ(Mm(f.B1(10) / 2), 250);
    EXPECT_EQ(f.B1(15), 0.0);
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(f.B2(static_cast<uint8_t>(c)), 0.0);
        EXPECT_EQ(f.S2(static_cast<uint8_t>(c)), 0.0);
    }
    // Halves go to the even neighbour.
    EXPECT_EQ(Mm(0.25), 2);
    EXPECT_EQ(Mm(0.75), 8);
    EXPECT_EQ(Mm(-0.25), -2);
    EXPECT_EQ(Mm(3.25), 32);
    EXPECT_THROW(Mm(3e8), OverflowError);
    EXPECT_THROW(Mm(NAN), FloatError);
    // The literal S3 formula divides only the Le11 term by 100.
    EXPECT_NEAR(f.S3(63), 60 * 0.9 - 20 * 1.15 / 100, 1e-12);
    EXPECT_NEAR(f.S3(74), (60 * 0.9 - 20 * 1.15) * 0.75, 1e-12);
}

TEST(Formulas, ExtendedPrecisionDecidesTies) {
    // 21 x 0.15 in 80 bits, as a double, is just below 3.15: 31 mm. The same
    // in plain double arithmetic gives 32 mm.
    auto cm = std::array<double, kBodyFieldCount>{92, 100, 14, 21, 60, 60, 30, 16, 36, 6, 4, 74};
    const BodySize s = BodySize::FromCentimetres(cm);
    EXPECT_EQ(Mm(DraftFormulas(s).B7(10)), 31);
    EXPECT_EQ(static_cast<int>(std::nearbyint(21.0 * 0.15 * 10.0)), 32);
}

TEST(Formulas, LoadBodySizeReadsTheSizesFile) {
    test::TempDir dir;
    const std::filesystem::path siz = dir.file(kSizesFileName);
    const BodySize custom = test::Woman40();
    BodySize held;
    held.Values[bfHips] = 7;
    // Size 30 is the custom size and needs no file.
    EXPECT_EQ(LoadBodySize(kCustomSizeNo, custom, held, siz).Record(), custom.Record());
    EXPECT_THROW(LoadBodySize(0, custom, held, siz), IoError);

    std::vector<uint8_t> bytes;
    for (int n = 1; n <= 4; ++n) {
        auto cm = std::array<double, kBodyFieldCount>{};
        cm.fill(n * 10.0);
        const auto r = BodySize::FromCentimetres(cm).Record();
        bytes.insert(bytes.end(), r.begin(), r.end());
    }
    test::writeFile(siz, bytes);
    EXPECT_EQ(LoadBodySize(3, custom, held, siz)[bfNeckSize], 30.0L);
    EXPECT_EQ(LoadBodySize(0, custom, held, siz), held);
    EXPECT_THROW(LoadBodySize(5, custom, held, siz), IoError);
}

} // namespace
} // namespace lc
