// Feeds arbitrary bytes to the autosave restore: the model file reader, the
// garment item check and the state unpacking, then checks that a refused file
// changed nothing and that a restored state fits the pattern.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "core/Errors.h"
#include "core/ModelFile.h"
#include "shell/Autosave.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const lc::PatternRaster blank = [] {
        lc::PatternRaster r;
        r.SetSize(61, lc::kPatternRows);
        r.FillMask();
        return r;
    }();
    lc::PatternRaster raster = blank;
    lc::ModelFile model;
    try {
        model.LoadFromBytes(std::span<const std::uint8_t>(data, size));
    } catch (const lc::Error&) {
        return 0;
    }
    lc::RestoredAutosave out;
    try {
        lc::RestoreAutosave(model, raster, out);
    } catch (const lc::Error&) {
        // Refused: the raster is as it was.
        if (std::memcmp(raster.Picture.data(), blank.Picture.data(), blank.Picture.sizeBytes()) != 0 ||
            std::memcmp(raster.Mask.data(), blank.Mask.data(), blank.Mask.sizeBytes()) != 0 ||
            raster.GarmentRows != 0 || raster.GarmentWidth != 0)
            std::abort();
        return 0;
    }
    const lc::AppState& s = out.State;
    if (s.LeftCam < 0 || s.LeftCam > s.RightCam || s.RightCam > raster.Width) std::abort();
    if (s.ZoneRow < -1 || s.ZoneRow >= raster.Height || (s.ZoneOn && s.ZoneRow < 0)) std::abort();
    if (raster.GarmentRows < 0 || raster.GarmentRows > raster.Height) std::abort();
    if (raster.GarmentWidth < 0 || raster.GarmentWidth > raster.Width + 1) std::abort();
    // What was restored is written back whole.
    const lc::ModelFile again = lc::BuildAutosave(raster, out.GarmentItem, s);
    if (again.Items.size() != 4) std::abort();
    return 0;
}
