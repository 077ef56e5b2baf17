#include <gtest/gtest.h>

#include <cstdlib>

#include "core/Errors.h"
#include "core/Jpeg.h"

using namespace lc;

namespace {

RgbImage gradient(int w, int h) {
    RgbImage img;
    img.Width = w;
    img.Height = h;
    img.Rgb.resize(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &img.Rgb[(size_t(y) * w + x) * 3];
            p[0] = static_cast<uint8_t>(x * 255 / (w - 1));
            p[1] = static_cast<uint8_t>(y * 255 / (h - 1));
            p[2] = 128;
        }
    return img;
}

// Offset of the frame header's height field (SOF0: FF C0, length, precision, height, width).
size_t frameSizeAt(const std::vector<uint8_t>& jpeg) {
    for (size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) return i + 5;
    return 0;
}

} // namespace

TEST(Jpeg, EncodedPictureDecodesToTheSameSizeAndNearlyTheSameColours) {
    const RgbImage img = gradient(40, 30);
    const auto jpeg = EncodeJpeg(img);
    ASSERT_TRUE(LooksLikeJpeg(jpeg));
    EXPECT_EQ(jpeg, EncodeJpeg(img, 75)); // quality 75 unless told otherwise
    EXPECT_NE(jpeg, EncodeJpeg(img, 20));

    const RgbImage back = DecodeJpeg(jpeg);
    ASSERT_EQ(back.Width, 40);
    ASSERT_EQ(back.Height, 30);
    ASSERT_EQ(back.Rgb.size(), img.Rgb.size());
    long total = 0;
    for (size_t i = 0; i < img.Rgb.size(); ++i) total += std::abs(int(img.Rgb[i]) - int(back.Rgb[i]));
    EXPECT_LT(double(total) / img.Rgb.size(), 6.0);
}

TEST(Jpeg, FormatIsToldByContent) {
    EXPECT_FALSE(LooksLikeJpeg(std::vector<uint8_t>{0x89, 'P', 'N', 'G'}));
    EXPECT_FALSE(LooksLikeJpeg(std::vector<uint8_t>{0xFF, 0xD8}));
    EXPECT_THROW(DecodeJpeg(std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a'}), FormatError);
}

TEST(Jpeg, DamagedDataThrowsInsteadOfEndingTheProgram) {
    EXPECT_THROW(DecodeJpeg(std::vector<uint8_t>{0xFF, 0xD8, 0xFF}), FormatError);
    EXPECT_THROW(DecodeJpeg(std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02, 0x12, 0x34, 0x56}), FormatError);

    auto jpeg = EncodeJpeg(gradient(16, 16));
    const size_t at = frameSizeAt(jpeg);
    ASSERT_NE(at, 0u);
    jpeg[at - 1] = 12; // 12-bit samples: not supported by this build
    EXPECT_THROW(DecodeJpeg(jpeg), FormatError);

    // Cut in the middle of the scan: libjpeg pads it and warns; either outcome is fine, but no crash.
    auto cut = EncodeJpeg(gradient(64, 64));
    cut.resize(cut.size() / 2);
    try {
        const RgbImage r = DecodeJpeg(cut);
        EXPECT_EQ(r.Width, 64);
    } catch (const FormatError&) {}
}

TEST(Jpeg, AbsurdSizesAreRefusedBeforeAllocating) {
    auto jpeg = EncodeJpeg(gradient(16, 16));
    const size_t at = frameSizeAt(jpeg);
    ASSERT_NE(at, 0u);
    for (int i = 0; i < 4; ++i) jpeg[at + i] = 0xEA; // 60138 x 60138
    EXPECT_THROW(DecodeJpeg(jpeg), FormatError);
    EXPECT_THROW(DecodeJpeg(EncodeJpeg(gradient(40, 30)), 1000), FormatError); // over a caller's own limit

    EXPECT_THROW(EncodeJpeg(0, 5, std::vector<uint8_t>()), RangeError);
    EXPECT_THROW(EncodeJpeg(4, 4, std::vector<uint8_t>(10)), RangeError);
}
