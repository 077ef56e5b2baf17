#pragma once
// Loading and saving the settings globals (core/Globals.h) through the settings
// store. Settings are read once at start-up and written only when the
// preferences dialog or the tension calculator is accepted, never at exit.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/SettingsStore.h"

namespace lc {

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

// Reads every setting in the fixed order, writing back the defaults of the
// values that are marked so when they are missing, then the language code.
// Values read are validated afterwards (see ValidateSettings).
void LoadSettings(ISettingsStore& store);
void LoadSettings(); // on settingsStore()

// Writes the fourteen saved settings in the fixed order (NeedleBed from the
// raster's width), then the language code under ExeName.
void SaveSettings(ISettingsStore& store);
void SaveSettings(); // on settingsStore()

// Repairs values no part of the program can work with: an unknown Machine
// becomes 102; NeedleBed is kept to 1..the current model's needle count (at most
// 250); a PixByX or PixByY that is not a positive finite number becomes 0.25.
// Only the globals change; the store keeps what it holds until the next save.
void ValidateSettings();

// The default folder of a Path_* setting: UserDir (or AppDir) + name.
std::string DefaultFolder(const char* name);

// A 64-bit real as the store keeps it: 8 little-endian IEEE bytes.
std::vector<uint8_t> EncodeReal(double v);
// Decodes 8 little-endian IEEE bytes; false for any other length.
bool DecodeReal(const std::vector<uint8_t>& bytes, double& out);

} // namespace lc
