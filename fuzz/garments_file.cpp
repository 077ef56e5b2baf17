// The garments-file reader on arbitrary bytes: it must refuse or load, never
// crash or read out of bounds; a load must save and load back to the same
// product and outline; and the mask walk must cope with whatever outline a
// file holds.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/Errors.h"
#include "core/PatternRaster.h"
#include "garment/GarmentFile.h"
#include "garment/GarmentMask.h"

using namespace lc;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GarmentProduct product;
    GarmentOutline outline;
    try {
        product.LoadFromBytes(std::span(data, size), outline);
    } catch (const Error&) {
        return 0;
    }

    // Saving what was loaded and loading it again gives the same.
    const std::vector<uint8_t> saved = product.SaveToBytes(outline);
    GarmentProduct again;
    GarmentOutline againOutline;
    again.LoadFromBytes(saved, againOutline);
    if (!(again == product) || againOutline.Points().size() != outline.Points().size() ||
        againOutline.CurveCount() != outline.CurveCount())
        std::abort();

    static PatternRaster gd = [] {
        PatternRaster g;
        g.SetSize(250, 1024);
        return g;
    }();
    RasterizeMask(outline, gd, 0.25, 0.25);
    GarmentOutline piece;
    for (int i = 0; i < product.PieceCount() && i < 4; ++i) {
        product.GetGarment(i, piece);
        RasterizeMask(piece, gd, 0.3, 0.27);
    }
    return 0;
}
