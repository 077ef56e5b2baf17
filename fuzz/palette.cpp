// Feeds arbitrary bytes to the palette reader.
#include <cstdint>
#include <cstdlib>

#include "core/Errors.h"
#include "shell/PictureFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static lc::PatternRaster raster = [] {
        lc::PatternRaster g;
        g.SetSize(8, 8);
        return g;
    }();
    const lc::ColorTable17 before = raster.Colors;
    bool taken = false;
    try {
        taken = lc::LoadPaletteBytes(std::span<const std::uint8_t>(data, size), true, nullptr, raster);
    } catch (const lc::Error&) {}
    if (!taken && raster.Colors != before) std::abort();
    for (lc::Color c : raster.Colors)
        if (c > 0xFFFFFF) std::abort();
    return 0;
}
