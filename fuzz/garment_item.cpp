// The garment item of a model file on arbitrary bytes: refused or loaded,
// never a crash; what loads writes back to an item that loads the same; and
// the outline's operations and the mask walk cope with whatever it holds.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/Errors.h"
#include "core/PatternRaster.h"
#include "garment/GarmentFile.h"
#include "garment/GarmentMask.h"

using namespace lc;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GarmentOutline g;
    try {
        LoadGarmentItem(std::span(data, size), g);
    } catch (const Error&) {
        return 0;
    }
    const std::vector<uint8_t> bytes = GarmentItemBytes(g);
    if (bytes.size() != GarmentItemSize(g.Points().size(), g.Curves().size())) std::abort();
    GarmentOutline back;
    LoadGarmentItem(bytes, back);
    if (!(back == g)) std::abort();

    static PatternRaster gd = [] {
        PatternRaster t;
        t.SetSize(200, 1024);
        return t;
    }();
    RasterizeMask(g, gd, 0.25, 0.25);
    if (g.PointCount() < 2000) {
        try {
            GarmentOutline t = g;
            t.SelectPoint(0, true);
            t.AddMirrorCopy();
            t.MakeSymmetric();
            t.Rotate(size % 360);
            t.DeleteSnappedSelected();
            RasterizeMask(t, gd, 0.25, 0.25);
        } catch (const RangeError&) {}
    }
    return 0;
}
