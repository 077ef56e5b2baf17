#include <gtest/gtest.h>

#include <cstdlib>

#include "core/Errors.h"
#include "core/Jpeg.h"

#include <cstdio>
#include <jpeglib.h>
#include <vector>

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

namespace {

// A CMYK picture as print software writes it (libjpeg adds the Adobe marker,
// so the inks are stored inverted): the left half red, the right half blue.
std::vector<uint8_t> cmykJpeg(int w, int h) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buf, &size);
    c.image_width = w;
    c.image_height = h;
    c.input_components = 4;
    c.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(w) * 4);
    for (int x = 0; x < w; ++x) {
        // Inverted inks: 255 means none. Red = magenta + yellow; blue = cyan + magenta.
        const bool red = x < w / 2;
        row[x * 4 + 0] = red ? 255 : 0;
        row[x * 4 + 1] = 0;
        row[x * 4 + 2] = red ? 0 : 255;
        row[x * 4 + 3] = 255;
    }
    while (c.next_scanline < c.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> out(buf, buf + size);
    std::free(buf);
    return out;
}

} // namespace

// Print and scanner files are valid pictures: CMYK decodes to its colours.
// Thumbnails decode at a fraction of the size, never below the side asked for.
TEST(Jpeg, CmykPicturesDecodeAndThumbnailsUseDctScaling) {
    const lc::RgbImage img = lc::DecodeJpeg(cmykJpeg(64, 32));
    ASSERT_EQ(img.Width, 64);
    const uint8_t* left = img.Rgb.data() + (16 * 64 + 8) * 3;
    const uint8_t* right = img.Rgb.data() + (16 * 64 + 56) * 3;
    EXPECT_GT(left[0], 230);
    EXPECT_LT(left[2], 30);
    EXPECT_GT(right[2], 230);
    EXPECT_LT(right[0], 30);

    std::vector<uint8_t> rgb(800 * 600 * 3, 128);
    const auto big = lc::EncodeJpeg(800, 600, rgb);
    const lc::RgbImage quarter = lc::DecodeJpegAtLeast(big, 150);
    EXPECT_EQ(quarter.Width, 200);
    EXPECT_EQ(quarter.Height, 150);
    EXPECT_EQ(lc::DecodeJpegAtLeast(big, 1000).Width, 800);
}
