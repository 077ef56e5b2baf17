#pragma once
// The settings and their loading and saving through the settings store.
// Settings are read once at start-up and written only when the preferences
// dialog or the tension calculator is accepted, never at exit.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Machine.h"
#include "core/ProgramPaths.h"
#include "core/SettingsStore.h"

namespace lc {

// The settings, named as the values they are stored under (SuperUser is stored
// as SuperUserZRD). A fresh Settings holds the defaults.
struct Settings {
    int Machine = kDefaultMachineCode;
    int NeedleBed = 200;
    std::string ACOMPort = "COM1";
    double PixByX = 0.25;
    double PixByY = 0.25;
    int SoftEmulator = 0;
    int ViewProtocol = 0;
    int ProtocolType = 0;
    int SuperUser = 0;
    int Units = 0;
    int DefaultCalcTemplate = -1;
    int DefaultCalcSample = -1;
    int AutoRestore = 0;
    int SoundEvents = 255;
    std::string Path_Picture;
    std::string Path_Palettes;
    std::string Path_Fashion;
    std::string Path_Garment;
    std::string Path_Gallery;
    std::string LanguageCode = "ENG"; // kept under the locale-override key
};

// The group of the settings store that holds the program's settings (the
// store is the file "Orvan Solutions/Loopcrafter.ini" in the user's
// configuration folder).
inline constexpr const char* kSettingsKey = "Loopcrafter";
// Sub-keys of the settings key that the tension calculator keeps its presets in.
inline constexpr const char* kTemplatesKey = "Loopcrafter/Templates";
inline constexpr const char* kSampleDataKey = "Loopcrafter/SampleData";
// The locale-override key: one string value per program path (named by
// ExeName) that holds the language code.
inline constexpr const char* kLocaleOverrideKey = "LocaleOverrides";

// Reads every setting into `settings` in the fixed order, writing back the
// defaults of the values that are marked so when they are missing, then the
// language code (named by paths.ExeName). Values read are validated afterwards
// (see ValidateSettings).
void LoadSettings(Settings& settings, const ProgramPaths& paths, ISettingsStore& store);

// Writes the fourteen saved settings in the fixed order, NeedleBed as
// `patternWidth` (the setting itself while that is below 1), then the language
// code under paths.ExeName.
void SaveSettings(const Settings& settings, const ProgramPaths& paths, int patternWidth, ISettingsStore& store);

// Repairs values no part of the program can work with: an unknown Machine
// becomes 102; NeedleBed is kept to 1..the current model's needle count (at most
// 250); a PixByX or PixByY that is not a positive finite number becomes 0.25.
// Only `settings` changes; the store keeps what it holds until the next save.
void ValidateSettings(Settings& settings);

// The default folder of a Path_* setting: UserDir (or AppDir) + name.
std::string DefaultFolder(const ProgramPaths& paths, const char* name);

// A 64-bit real as the store keeps it: 8 little-endian IEEE bytes.
std::vector<uint8_t> EncodeReal(double v);
// Decodes 8 little-endian IEEE bytes; false for any other length.
bool DecodeReal(const std::vector<uint8_t>& bytes, double& out);

} // namespace lc
