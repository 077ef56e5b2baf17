#include "shell/Autosave.h"

#include <algorithm>

#include "core/Bytes.h"
#include "core/Cp1251.h"
#include "core/Errors.h"
#include "garment/GarmentFile.h"
#include "garment/GarmentOutline.h"

namespace lc {

namespace {

constexpr size_t kOffGarmentMode = 4;
constexpr size_t kOffZoneOn = 5;
constexpr size_t kOffZoneRow = 6;
constexpr size_t kOffCarriageSide = 10;
constexpr size_t kOffTechniqueName = 14;
constexpr size_t kTechniqueNameField = 1 + kTechniqueNameMax;
constexpr size_t kOffRowCounter = 216;
constexpr size_t kOffLeftCam = 220;
constexpr size_t kOffRightCam = 224;
constexpr size_t kOffGarmentRows = 228;
constexpr size_t kOffGarmentWidth = 232;
constexpr size_t kOffTechniqueKind = 236;

void putI32(uint8_t* p, int32_t v) { PutU32LE(p, static_cast<uint32_t>(v)); }
int32_t getI32(const uint8_t* p) { return static_cast<int32_t>(GetU32LE(p)); }

const char* const kDrawingItem = "Drawing";
const char* const kGarmentItem = "Garment";
const char* const kMaskItem = kAutosaveMaskItem;
const char* const kStateItem = "State";

} // namespace

std::array<uint8_t, kAppStateSize> PackAppState(const AppState& s) {
    std::array<uint8_t, kAppStateSize> b{};
    b[kOffGarmentMode] = s.GarmentMode ? 1 : 0;
    b[kOffZoneOn] = s.ZoneOn ? 1 : 0;
    putI32(&b[kOffZoneRow], s.ZoneRow);
    putI32(&b[kOffCarriageSide], s.CarriageSide);
    WriteShortString(&b[kOffTechniqueName], kTechniqueNameField, s.TechniqueName);
    putI32(&b[kOffRowCounter], s.RowCounter);
    putI32(&b[kOffLeftCam], s.LeftCam);
    putI32(&b[kOffRightCam], s.RightCam);
    putI32(&b[kOffGarmentRows], s.GarmentRows);
    putI32(&b[kOffGarmentWidth], s.GarmentWidth);
    putI32(&b[kOffTechniqueKind], s.TechniqueKind);
    return b;
}

AppState UnpackAppState(std::span<const uint8_t> bytes) {
    std::array<uint8_t, kAppStateSize> b{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), b.size()), b.begin());
    AppState s;
    s.GarmentMode = b[kOffGarmentMode] != 0;
    s.ZoneOn = b[kOffZoneOn] != 0;
    s.ZoneRow = getI32(&b[kOffZoneRow]);
    s.CarriageSide = getI32(&b[kOffCarriageSide]);
    s.TechniqueName = ReadShortString(&b[kOffTechniqueName], kTechniqueNameField);
    s.RowCounter = getI32(&b[kOffRowCounter]);
    s.LeftCam = getI32(&b[kOffLeftCam]);
    s.RightCam = getI32(&b[kOffRightCam]);
    s.GarmentRows = getI32(&b[kOffGarmentRows]);
    s.GarmentWidth = getI32(&b[kOffGarmentWidth]);
    s.TechniqueKind = getI32(&b[kOffTechniqueKind]);
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
    IndexedBitmap picture = raster.Picture;
    IndexedBitmap mask = raster.Mask;
    {
        PatternRaster work;
        work.Picture = std::move(picture);
        work.Mask = std::move(mask);
        model.RestoreDrawing(kDrawingItem, work);
        model.RestoreMask(kMaskItem, work);
        picture = std::move(work.Picture);
        mask = std::move(work.Mask);
    }
    std::array<uint8_t, kAppStateSize> bytes{};
    model.RestoreState(kStateItem, bytes);
    AppState state = UnpackAppState(bytes);
    ClampAppState(state, raster.Width, raster.Height);

    raster.Picture = std::move(picture);
    raster.Mask = std::move(mask);
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

} // namespace lc
