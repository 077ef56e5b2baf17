#include "core/Settings.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <exception>
#include <functional>

#include "core/Globals.h"
#include "core/PatternRaster.h"
#include "core/Machine.h"

namespace lc {

namespace {

constexpr double kDefaultGauge = 0.25;

// Defaults to write back are collected while reading and written afterwards,
// so a store that cannot be written still leaves every setting loaded.
using Pending = std::vector<std::function<void(ISettingsStore&)>>;

// A value that is missing, or of a type the program never writes, takes the
// default; `writeBack` then stores that default.
void loadInt(ISettingsStore& s, Pending& p, const char* name, int& out, int def, bool writeBack) {
    if (auto v = s.readInt(kSettingsKey, name)) {
        out = *v;
        return;
    }
    out = def;
    if (writeBack) p.push_back([name, def](ISettingsStore& st) { st.writeInt(kSettingsKey, name, def); });
}

void loadString(ISettingsStore& s, Pending& p, const char* name, std::string& out, const std::string& def,
                bool writeBack) {
    if (auto v = s.readString(kSettingsKey, name)) {
        out = *v; // also an empty text: taken as stored
        return;
    }
    out = def;
    if (writeBack) p.push_back([name, def](ISettingsStore& st) { st.writeString(kSettingsKey, name, def); });
}

// An 8-byte real; any other size counts as missing.
void loadReal(ISettingsStore& s, Pending& p, const char* name, double& out, double def) {
    if (auto v = s.readBinary(kSettingsKey, name)) {
        double d = 0;
        if (DecodeReal(*v, d)) {
            out = d;
            return;
        }
    }
    out = def;
    p.push_back([name, def](ISettingsStore& st) { st.writeBinary(kSettingsKey, name, EncodeReal(def)); });
}

std::string withSlash(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

} // namespace

std::vector<uint8_t> EncodeReal(double v) {
    const uint64_t bits = std::bit_cast<uint64_t>(v);
    std::vector<uint8_t> out(8);
    for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
    return out;
}

bool DecodeReal(const std::vector<uint8_t>& bytes, double& out) {
    if (bytes.size() != 8) return false;
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    out = std::bit_cast<double>(bits);
    return true;
}

std::string DefaultFolder(const char* name) {
    return withSlash(UserDir.empty() ? AppDir : UserDir) + name;
}

void LoadSettings(ISettingsStore& s) {
    Pending p;
    // A missing key is the first start: create it and proceed as if every value were missing.
    if (!s.keyExists(kSettingsKey)) p.push_back([](ISettingsStore& st) { st.createKey(kSettingsKey); });

    loadInt(s, p, "Machine", Machine, kDefaultMachineCode, true);
    loadInt(s, p, "NeedleBed", NeedleBed, 200, true);
    loadString(s, p, "ACOMPort", ACOMPort, "COM1", true);
    loadReal(s, p, "PixByX", PixByX, kDefaultGauge);
    loadReal(s, p, "PixByY", PixByY, kDefaultGauge);
    loadInt(s, p, "SoftEmulator", SoftEmulator, 0, false);
    loadInt(s, p, "ViewProtocol", ViewProtocol, 0, false);
    loadInt(s, p, "ProtocolType", ProtocolType, 0, false);
    loadInt(s, p, "SuperUserZRD", SuperUser, 0, false);
    loadInt(s, p, "Units", Units, 0, false);
    loadInt(s, p, "DefaultCalcTemplate", DefaultCalcTemplate, -1, false);
    loadInt(s, p, "DefaultCalcSample", DefaultCalcSample, -1, false);
    loadInt(s, p, "AutoRestore", AutoRestore, 0, false);
    loadInt(s, p, "SoundEvents", SoundEvents, 255, false);
    loadString(s, p, "Path_Picture", Path_Picture, DefaultFolder("Patterns"), true);
    loadString(s, p, "Path_Palettes", Path_Palettes, DefaultFolder("Palettes"), true);
    loadString(s, p, "Path_Fashion", Path_Fashion, DefaultFolder("Models"), true);
    loadString(s, p, "Path_Garment", Path_Garment, DefaultFolder("Garments"), true);
    loadString(s, p, "Path_Gallery", Path_Gallery, DefaultFolder("Galleries"), true);

    // The language code lives under the locale-override key, named by the
    // program's full path. Without a program path there is no value to name.
    LanguageCode = "ENG";
    if (!ExeName.empty()) {
        if (auto v = s.readString(kLocaleOverrideKey, ExeName))
            LanguageCode = *v;
        else
            p.push_back([](ISettingsStore& st) {
                if (!st.keyExists(kLocaleOverrideKey)) st.createKey(kLocaleOverrideKey);
                st.writeString(kLocaleOverrideKey, ExeName, "ENG");
            });
    }

    ValidateSettings();

    // Every write is tried; the first failure is raised once all are done.
    std::exception_ptr failure;
    for (auto& w : p) {
        try {
            w(s);
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

void LoadSettings() { LoadSettings(settingsStore()); }

void ValidateSettings() {
    const MachineRecord* model = FindMachineModel(Machine);
    if (!model) {
        Machine = kDefaultMachineCode;
        model = FindMachineModel(Machine);
    }
    const int widest = model ? std::min(model->Needles, kMaxNeedleBed) : kMaxNeedleBed;
    if (NeedleBed < 1) NeedleBed = 1;
    if (NeedleBed > widest) NeedleBed = widest;
    if (!(std::isfinite(PixByX) && PixByX > 0)) PixByX = kDefaultGauge;
    if (!(std::isfinite(PixByY) && PixByY > 0)) PixByY = kDefaultGauge;
}

void SaveSettings(ISettingsStore& s) {
    if (!s.keyExists(kSettingsKey)) s.createKey(kSettingsKey);
    s.writeInt(kSettingsKey, "Machine", Machine);
    // The pattern width is what the program works with; before the raster
    // exists the setting itself is written.
    s.writeInt(kSettingsKey, "NeedleBed", GraphicData.Width >= 1 ? GraphicData.Width : NeedleBed);
    s.writeString(kSettingsKey, "ACOMPort", ACOMPort);
    s.writeInt(kSettingsKey, "Units", Units);
    s.writeInt(kSettingsKey, "DefaultCalcTemplate", DefaultCalcTemplate);
    s.writeInt(kSettingsKey, "DefaultCalcSample", DefaultCalcSample);
    s.writeInt(kSettingsKey, "AutoRestore", AutoRestore);
    s.writeBinary(kSettingsKey, "PixByX", EncodeReal(PixByX));
    s.writeBinary(kSettingsKey, "PixByY", EncodeReal(PixByY));
    s.writeString(kSettingsKey, "Path_Picture", Path_Picture);
    s.writeString(kSettingsKey, "Path_Palettes", Path_Palettes);
    s.writeString(kSettingsKey, "Path_Fashion", Path_Fashion);
    s.writeString(kSettingsKey, "Path_Garment", Path_Garment);
    s.writeInt(kSettingsKey, "SoundEvents", SoundEvents);
    // SoftEmulator, ViewProtocol, ProtocolType, SuperUserZRD and Path_Gallery are never written here.

    if (!ExeName.empty()) {
        if (!s.keyExists(kLocaleOverrideKey)) s.createKey(kLocaleOverrideKey);
        s.writeString(kLocaleOverrideKey, ExeName, LanguageCode);
    }
}

void SaveSettings() { SaveSettings(settingsStore()); }

} // namespace lc
