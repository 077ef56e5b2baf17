#pragma once
// The autosave "autosave.lc": a model file written when the main window
// closes and read back at the next start while AutoRestore is on. It holds the
// picture ("Drawing"), the garment outline ("Garment"), the garment mask
// (kAutosaveMaskItem) and the editor and knitting state ("State", the
// 356-byte record below), in that order, all at the top level.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/ModelFile.h"
#include "core/PatternRaster.h"

namespace lc {

inline constexpr const char* kAutosaveFileName = "autosave.lc";
// The autosave keeps the drawing as palette indexes; its colours are kept
// beside it in this palette file.
inline constexpr const char* kAutosavePaletteFileName = "autosave.Lcp";
inline constexpr const char* kAutosaveAuthor = "Loopcrafter";
inline constexpr const char* kAutosaveModelName = "Loopcrafter Autosave";
inline constexpr int kTechniqueNameMax = 200;
// The mask item's stored name, fixed by the autosave's layout.
inline constexpr char kAutosaveMaskItem[] = {'M', 'a', 's', 'k', 'a', '\0'};

// The editor and knitting state of the "State" item. Stored little-endian:
//   0 reserved, 4 garment mode, 5 zone on, 6 i32 ZoneRow (-1 none), 10 i32
//   carriage side, 14 technique name (length byte + up to 200 characters),
//   215 reserved, 216 i32 row counter, 220 i32 left cam, 224 i32 right cam,
//   228 i32 GarmentRows, 232 i32 GarmentWidth, 236 i32 technique kind (0 when
//   unknown: files of older versions), 240..355 reserved.
// The kind is stored because the name is the translated one: after a change
// of language the kind still finds the technique.
struct AppState {
    bool GarmentMode = false;
    bool ZoneOn = false;
    int32_t ZoneRow = -1;
    int32_t CarriageSide = 0;
    std::string TechniqueName; // UTF-8
    int32_t RowCounter = 0;
    int32_t LeftCam = 0;  // the left cam's needle
    int32_t RightCam = 0; // one past the right cam's needle
    int32_t GarmentRows = 0;
    int32_t GarmentWidth = 0;
    int32_t TechniqueKind = 0;

    bool operator==(const AppState&) const = default;
};

std::array<uint8_t, kAppStateSize> PackAppState(const AppState& state);
// Reads the first 356 bytes; a shorter record reads as if zero-filled.
AppState UnpackAppState(std::span<const uint8_t> bytes);

// Keeps a restored state to what the pattern can show: both cams within
// 0..width with left <= right, the zone row inside the pattern (else no zone),
// the laid garment no larger than the pattern, the carriage side 0 or 1, the
// row counter not negative.
void ClampAppState(AppState& state, int width, int height);

// The autosave model of the raster, the garment item's bytes and the state.
ModelFile BuildAutosave(const PatternRaster& raster, std::span<const uint8_t> garmentItem, const AppState& state);

// What a restore gives back besides the raster.
struct RestoredAutosave {
    AppState State;
    std::vector<uint8_t> GarmentItem; // the "Garment" item's bytes, checked
};

// Reads an autosave model into `raster` (picture, mask and the laid garment's
// size) and `out`, all or nothing: a model without the four items, a garment
// item or picture that cannot be read throws FormatError and changes nothing.
// The state is clamped to the raster (ClampAppState).
void RestoreAutosave(const ModelFile& model, PatternRaster& raster, RestoredAutosave& out);

// The file in `dir` (with or without a trailing slash). Writing is atomic:
// a failed write throws IoError and leaves the previous file as it was.
std::string AutosavePath(const std::string& dir);
void WriteAutosave(const std::string& fileName, const PatternRaster& raster, std::span<const uint8_t> garmentItem,
                   const AppState& state);
// False when there is no file. A damaged file throws FormatError, an
// unreadable one IoError; in both cases nothing changes.
bool ReadAutosave(const std::string& fileName, PatternRaster& raster, RestoredAutosave& out);

// The drawing and its colours (kAutosavePaletteFileName) are kept as a pair:
// the next start must never show one session's drawing in another session's
// colours. `writeDrawing` runs first, `writeColours` only when it succeeded.
// A drawing not written leaves both files as they were. Colours not written
// after a new drawing take the old colours file `coloursFile` away, so that
// the restore keeps the start palette and says so. Returns the first failure's
// message, empty when both were written.
std::string SaveAutosavePair(const std::function<void()>& writeDrawing, const std::function<void()>& writeColours,
                             const std::string& coloursFile);

} // namespace lc
