#pragma once
// JPEG to and from 8-bit RGB on libjpeg-turbo: model previews, gallery
// previews and the picture converter. A damaged picture throws FormatError;
// the library never gets to end the program.
#include <cstdint>
#include <span>
#include <vector>

namespace lc {

struct RgbImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rgb; // Width x Height x 3, top line first
};

// Pictures larger than this are refused before anything is allocated.
inline constexpr uint64_t kJpegMaxPixels = uint64_t{64} << 20;
inline constexpr int kJpegDefaultQuality = 75;

// By content, not by file name: a JPEG starts with the SOI marker FF D8 FF.
bool LooksLikeJpeg(std::span<const uint8_t> bytes);

// Baseline, progressive and arithmetic-coded pictures; RGB, grey, CMYK and YCCK.
RgbImage DecodeJpeg(std::span<const uint8_t> bytes, uint64_t maxPixels = kJpegMaxPixels);
// For thumbnails: decoded at 1/2, 1/4 or 1/8 of the size (libjpeg-turbo's DCT
// scaling, much faster than decoding whole) while the shorter side keeps at
// least `minSide` pixels.
RgbImage DecodeJpegAtLeast(std::span<const uint8_t> bytes, int minSide, uint64_t maxPixels = kJpegMaxPixels);

// `rgb` holds width x height x 3 bytes, top line first.
std::vector<uint8_t> EncodeJpeg(int width, int height, std::span<const uint8_t> rgb, int quality = kJpegDefaultQuality);
inline std::vector<uint8_t> EncodeJpeg(const RgbImage& image, int quality = kJpegDefaultQuality) {
    return EncodeJpeg(image.Width, image.Height, image.Rgb, quality);
}

} // namespace lc
