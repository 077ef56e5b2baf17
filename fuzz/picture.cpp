// Feeds arbitrary bytes to the picture opener (".LCW", or a palette through
// "Load Stich Pattern"). No write may land outside the raster.
#include <cstdint>
#include <cstdlib>

#include "core/Errors.h"
#include "shell/PictureFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static lc::PatternRaster wide = [] {
        lc::PatternRaster g;
        g.SetSize(200, 1024);
        return g;
    }();
    static lc::PatternRaster odd = [] {
        lc::PatternRaster g;
        g.SetSize(7, 600);
        return g;
    }();
    const std::span<const std::uint8_t> in(data, size);
    for (lc::PatternRaster* g : {&wide, &odd}) {
        try {
            (void)lc::OpenPictureBytes(in, *g, nullptr);
        } catch (const lc::Error&) {}
        for (lc::Color c : g->Colors)
            if (c > 0xFFFFFF) std::abort();
    }
    return 0;
}
