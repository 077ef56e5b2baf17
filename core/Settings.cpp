#include "core/Settings.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <exception>
#include <functional>

#include "core/Machine.h"

namespace lc {

namespace {

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

std::string DefaultFolder(const ProgramPaths& paths, const char* name) {
    return withSlash(paths.UserDir.empty() ? paths.AppDir : paths.UserDir) + name;
}

void LoadSettings(Settings& v, const ProgramPaths& paths, ISettingsStore& s) {
    Pending p;
    // A missing key is the first start: create it and proceed as if every value were missing.
    if (!s.keyExists(kSettingsKey)) p.push_back([](ISettingsStore& st) { st.createKey(kSettingsKey); });

    const Settings d; // the defaults
    loadInt(s, p, "Machine", v.Machine, d.Machine, true);
    loadInt(s, p, "NeedleBed", v.NeedleBed, d.NeedleBed, true);
    loadString(s, p, "ACOMPort", v.ACOMPort, d.ACOMPort, true);
    loadReal(s, p, "PixByX", v.PixByX, d.PixByX);
    loadReal(s, p, "PixByY", v.PixByY, d.PixByY);
    loadInt(s, p, "SoftEmulator", v.SoftEmulator, d.SoftEmulator, false);
    loadInt(s, p, "ViewProtocol", v.ViewProtocol, d.ViewProtocol, false);
    loadInt(s, p, "ProtocolType", v.ProtocolType, d.ProtocolType, false);
    loadInt(s, p, "SuperUserZRD", v.SuperUser, d.SuperUser, false);
    loadInt(s, p, "Units", v.Units, d.Units, false);
    loadInt(s, p, "DefaultCalcTemplate", v.DefaultCalcTemplate, d.DefaultCalcTemplate, false);
    loadInt(s, p, "DefaultCalcSample", v.DefaultCalcSample, d.DefaultCalcSample, false);
    loadInt(s, p, "AutoRestore", v.AutoRestore, d.AutoRestore, false);
    loadInt(s, p, "SoundEvents", v.SoundEvents, d.SoundEvents, false);
    loadString(s, p, "Path_Picture", v.Path_Picture, DefaultFolder(paths, "Patterns"), true);
    loadString(s, p, "Path_Palettes", v.Path_Palettes, DefaultFolder(paths, "Palettes"), true);
    loadString(s, p, "Path_Fashion", v.Path_Fashion, DefaultFolder(paths, "Models"), true);
    loadString(s, p, "Path_Garment", v.Path_Garment, DefaultFolder(paths, "Garments"), true);
    loadString(s, p, "Path_Gallery", v.Path_Gallery, DefaultFolder(paths, "Galleries"), true);

    // The language code lives under the locale-override key, named by the
    // program's full path. Without a program path there is no value to name.
    v.LanguageCode = d.LanguageCode;
    if (!paths.ExeName.empty()) {
        if (auto code = s.readString(kLocaleOverrideKey, paths.ExeName)) v.LanguageCode = *code;
        else
            p.push_back([exe = paths.ExeName, code = d.LanguageCode](ISettingsStore& st) {
                if (!st.keyExists(kLocaleOverrideKey)) st.createKey(kLocaleOverrideKey);
                st.writeString(kLocaleOverrideKey, exe, code);
            });
    }

    ValidateSettings(v);

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

void ValidateSettings(Settings& v) {
    const Settings d; // the defaults
    std::optional<MachineRecord> model = FindMachineModel(v.Machine);
    if (!model) {
        v.Machine = d.Machine;
        model = FindMachineModel(v.Machine);
    }
    const int widest = model ? std::min(model->Needles, kMaxNeedleBed) : kMaxNeedleBed;
    if (v.NeedleBed < 1) v.NeedleBed = 1;
    if (v.NeedleBed > widest) v.NeedleBed = widest;
    if (!(std::isfinite(v.PixByX) && v.PixByX > 0)) v.PixByX = d.PixByX;
    if (!(std::isfinite(v.PixByY) && v.PixByY > 0)) v.PixByY = d.PixByY;
}

void SaveSettings(const Settings& v, const ProgramPaths& paths, int patternWidth, ISettingsStore& s) {
    if (!s.keyExists(kSettingsKey)) s.createKey(kSettingsKey);
    s.writeInt(kSettingsKey, "Machine", v.Machine);
    // The pattern width is what the program works with; before the raster
    // exists the setting itself is written.
    s.writeInt(kSettingsKey, "NeedleBed", patternWidth >= 1 ? patternWidth : v.NeedleBed);
    s.writeString(kSettingsKey, "ACOMPort", v.ACOMPort);
    s.writeInt(kSettingsKey, "Units", v.Units);
    s.writeInt(kSettingsKey, "DefaultCalcTemplate", v.DefaultCalcTemplate);
    s.writeInt(kSettingsKey, "DefaultCalcSample", v.DefaultCalcSample);
    s.writeInt(kSettingsKey, "AutoRestore", v.AutoRestore);
    s.writeBinary(kSettingsKey, "PixByX", EncodeReal(v.PixByX));
    s.writeBinary(kSettingsKey, "PixByY", EncodeReal(v.PixByY));
    s.writeString(kSettingsKey, "Path_Picture", v.Path_Picture);
    s.writeString(kSettingsKey, "Path_Palettes", v.Path_Palettes);
    s.writeString(kSettingsKey, "Path_Fashion", v.Path_Fashion);
    s.writeString(kSettingsKey, "Path_Garment", v.Path_Garment);
    s.writeInt(kSettingsKey, "SoundEvents", v.SoundEvents);
    // SoftEmulator, ViewProtocol, ProtocolType, SuperUserZRD and Path_Gallery are never written here.

    if (!paths.ExeName.empty()) {
        if (!s.keyExists(kLocaleOverrideKey)) s.createKey(kLocaleOverrideKey);
        s.writeString(kLocaleOverrideKey, paths.ExeName, v.LanguageCode);
    }
}

} // namespace lc
