// Feeds arbitrary bytes to the JPEG decoder (model and gallery previews):
// damage must end in FormatError, never in an exit or a stray read.
#include <cstdint>
#include <cstdlib>

#include "core/Errors.h"
#include "core/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lc::RgbImage img;
    try {
        img = lc::DecodeJpeg(std::span<const std::uint8_t>(data, size), std::uint64_t{1} << 22);
    } catch (const lc::Error&) {
        return 0;
    }
    if (img.Width <= 0 || img.Height <= 0 || img.Rgb.size() != std::size_t(img.Width) * img.Height * 3) std::abort();
    if (std::uint64_t(img.Width) * img.Height <= 4096) {
        const auto again = lc::EncodeJpeg(img);
        if (lc::DecodeJpeg(again).Width != img.Width) std::abort();
    }
    return 0;
}
