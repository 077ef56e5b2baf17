#include "shell/Autosave.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/Bytes.h"
#include "core/Errors.h"
#include "garment/GarmentFile.h"
#include "garment/GarmentOutline.h"

namespace lc {

namespace {

// The technique name's field: a length byte and up to kTechniqueNameMax characters.
constexpr size_t kTechniqueNameField = 1 + kTechniqueNameMax;

const char* const kDrawingItem = "Drawing";
const char* const kGarmentItem = "Garment";
const char* const kMaskItem = kAutosaveMaskItem;
const char* const kStateItem = "State";

} // namespace

// Field by field in the stored order (the offsets are listed in Autosave.h).
std::array<uint8_t, kAppStateSize> PackAppState(const AppState& s) {
    ByteWriter w;
    w.zeros(4);
    w.u8(s.GarmentMode ? 1 : 0);
    w.u8(s.ZoneOn ? 1 : 0);
    w.i32(s.ZoneRow);
    w.i32(s.CarriageSide);
    w.shortString(kTechniqueNameField, s.TechniqueName);
    w.zeros(1);
    w.i32(s.RowCounter);
    w.i32(s.LeftCam);
    w.i32(s.RightCam);
    w.i32(s.GarmentRows);
    w.i32(s.GarmentWidth);
    w.i32(s.TechniqueKind);
    std::array<uint8_t, kAppStateSize> b{};
    std::copy(w.buffer().begin(), w.buffer().end(), b.begin());
    return b;
}

AppState UnpackAppState(std::span<const uint8_t> bytes) {
    std::array<uint8_t, kAppStateSize> b{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), b.size()), b.begin());
    ByteReader r(b);
    AppState s;
    r.skip(4);
    s.GarmentMode = r.u8() != 0;
    s.ZoneOn = r.u8() != 0;
    s.ZoneRow = r.i32();
    s.CarriageSide = r.i32();
    s.TechniqueName = r.shortString(kTechniqueNameField);
    r.skip(1);
    s.RowCounter = r.i32();
    s.LeftCam = r.i32();
    s.RightCam = r.i32();
    s.GarmentRows = r.i32();
    s.GarmentWidth = r.i32();
    s.TechniqueKind = r.i32();
    return s;
}

void ClampAppState(AppState& s, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    s.LeftCam = std::clamp(s.LeftCam, 0, width);
    s.RightCam = std::clamp(s.RightCam, 0, width);
    if (s.LeftCam > s.RightCam) std::swap(s.LeftCam, s.RightCam);
    if (s.ZoneRow < 0 || s.ZoneRow >= height) {
        s.ZoneRow = -1;
        s.ZoneOn = false;
    }
    s.GarmentRows = std::clamp(s.GarmentRows, 0, height);
    // The laid garment's width is counted plus one.
    s.GarmentWidth = std::clamp(s.GarmentWidth, 0, width + 1);
    s.CarriageSide &= 1;
    s.RowCounter = std::max(s.RowCounter, 0);
}

ModelFile BuildAutosave(const PatternRaster& raster, std::span<const uint8_t> garmentItem, const AppState& state) {
    ModelFile m;
    m.Header.SetAuthor(kAutosaveAuthor);
    m.Header.SetModelName(kAutosaveModelName);
    m.Items.reserve(4);
    m.AddDrawing(0, kDrawingItem, raster);
    const int garment = m.AddGarment(0, kGarmentItem);
    if (garmentItem.empty()) {
        const std::vector<uint8_t> empty = GarmentItemBytes(GarmentOutline());
        m.StoreGarment(garment, empty);
    } else {
        m.StoreGarment(garment, garmentItem);
    }
    m.AddMask(0, kMaskItem, raster);
    const auto packed = PackAppState(state);
    m.AddState(0, kStateItem, packed);
    return m;
}

void RestoreAutosave(const ModelFile& model, PatternRaster& raster, RestoredAutosave& out) {
    for (const char* name : {kDrawingItem, kGarmentItem, kMaskItem, kStateItem})
        if (model.FindItem(name) < 0) throw FormatError(std::string("The autosave has no item \"") + name + "\".");
    // The garment is read into a scratch outline first: a damaged one refuses the whole file.
    const int g = model.FindItem(kGarmentItem);
    const std::span<const uint8_t> garmentBytes = model.GarmentData(g);
    if (model.Items[static_cast<size_t>(g)].Kind != kItemGarment)
        throw FormatError("The autosave's garment item is of another kind.");
    GarmentOutline scratch;
    if (!garmentBytes.empty()) LoadGarmentItem(garmentBytes, scratch);

    // Picture and mask go into copies, swapped in only when everything was read.
    PatternRaster work;
    work.Picture = raster.Picture;
    work.Mask = raster.Mask;
    model.RestoreDrawing(kDrawingItem, work);
    model.RestoreMask(kMaskItem, work);
    std::array<uint8_t, kAppStateSize> bytes{};
    model.RestoreState(kStateItem, bytes);
    AppState state = UnpackAppState(bytes);
    ClampAppState(state, raster.Width, raster.Height);

    raster.Picture = std::move(work.Picture);
    raster.Mask = std::move(work.Mask);
    raster.Picture.touch();
    raster.Mask.touch();
    raster.GarmentRows = state.GarmentRows;
    raster.GarmentWidth = state.GarmentWidth;
    out.State = std::move(state);
    out.GarmentItem.assign(garmentBytes.begin(), garmentBytes.end());
}

std::string AutosavePath(const std::string& dir) {
    if (dir.empty()) return kAutosaveFileName;
    return dir.back() == '/' ? dir + kAutosaveFileName : dir + '/' + kAutosaveFileName;
}

void WriteAutosave(const std::string& fileName, const PatternRaster& raster, std::span<const uint8_t> garmentItem,
                   const AppState& state) {
    BuildAutosave(raster, garmentItem, state).SaveToFile(fileName);
}

bool ReadAutosave(const std::string& fileName, PatternRaster& raster, RestoredAutosave& out) {
    ModelFile model;
    if (!model.LoadFromFile(fileName)) return false;
    RestoreAutosave(model, raster, out);
    return true;
}

std::string SaveAutosavePair(const std::function<void()>& writeDrawing, const std::function<void()>& writeColours,
                             const std::string& coloursFile) {
    try {
        writeDrawing();
    } catch (const std::exception& e) {
        return e.what(); // the previous pair stays whole
    }
    try {
        writeColours();
        return {};
    } catch (const std::exception& e) {
        std::error_code ec;
        std::filesystem::remove(coloursFile, ec);
        if (ec)
            std::fprintf(stderr, "Loopcrafter: autosave: the old colours stay beside the new drawing: %s: %s\n",
                         coloursFile.c_str(), ec.message().c_str());
        return e.what();
    }
}

} // namespace lc
