// Feeds arbitrary bytes to the model file reader and restores what it holds
// into a raster, the way the autosave and the fashion page do.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/Errors.h"
#include "core/PatternRaster.h"
#include "core/ModelFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static lc::PatternRaster raster = [] {
        lc::PatternRaster g;
        g.SetSize(37, 1024); // narrow, so the old 512-line rule is reached too
        return g;
    }();
    const std::span<const std::uint8_t> in(data, size);
    lc::ModelFile peek;
    peek.PeekBytes(in);

    lc::ModelFile m;
    try {
        m.LoadFromBytes(in);
    } catch (const lc::Error&) {
        return 0;
    }
    std::array<std::uint8_t, lc::kAppStateSize> state{};
    for (std::size_t i = 0; i < m.Items.size() && i < 64; ++i) {
        m.ShowDrawing(static_cast<int>(i), raster);
        (void)m.GarmentData(static_cast<int>(i));
        (void)m.NoteData(static_cast<int>(i));
    }
    m.RestoreDrawing("Drawing", raster);
    m.RestoreMask("Mask", raster);
    m.RestoreState("State", state);
    (void)m.GarmentData("Garment");
    for (int y = 0; y < raster.Picture.height(); ++y)
        for (int x = 0; x < raster.Picture.width(); ++x)
            if (raster.Picture.line(y)[x] > 16) std::abort();

    // What loads saves and loads again to the same items.
    const std::vector<std::uint8_t> saved = m.SaveToBytes();
    lc::ModelFile again;
    try {
        again.LoadFromBytes(saved);
    } catch (const lc::Error&) {
        std::abort();
    }
    if (again.Items.size() != m.Items.size() || again.SaveToBytes() != saved) std::abort();
    try {
        m.AddFolder("f"); // refused with a message when an Id of 65535 is taken
    } catch (const lc::RangeError&) {}
    return 0;
}
