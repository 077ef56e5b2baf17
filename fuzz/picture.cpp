// Feeds arbitrary bytes to the picture opener (".LCW", or a palette through
// "Load Stich Pattern"). No write may land outside the raster.
#include <cstdint>
#include <cstdlib>

#include "core/Errors.h"
#include "shell/PictureFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static lc::TLCGraphicData wide = [] {
        lc::TLCGraphicData g;
        g.SetSize(200, 1024);
        return g;
    }();
    static lc::TLCGraphicData odd = [] {
        lc::TLCGraphicData g;
        g.SetSize(7, 600);
        return g;
    }();
    const std::span<const std::uint8_t> in(data, size);
    for (lc::TLCGraphicData* g : {&wide, &odd}) {
        try {
            (void)lc::OpenMyRisBytes(in, *g, nullptr);
        } catch (const lc::Error&) {
        }
        for (lc::Color c : g->Colors)
            if (c > 0xFFFFFF) std::abort();
    }
    return 0;
}
