#include "core/StartUp.h"

#include <cstdio>
#include <exception>

#include "core/Environment.h"
#include "core/Globals.h"
#include "core/PatternRaster.h"
#include "core/Machine.h"
#include "core/Settings.h"
#include "core/PatternLibrary.h"
#include "core/StitchBitmaps.h"
#include "core/Translator.h"
#include "core/UIText.h"

namespace lc {

namespace {

bool g_started = false;

void report(const char* step, const std::string& message) {
    auto& h = startUpHooks();
    if (h.problem) {
        try {
            h.problem(step, message);
            return;
        } catch (...) {
        }
    }
    std::fprintf(stderr, "Loopcrafter: %s: %s\n", step, message.c_str());
}

// Runs one step; whatever it throws is reported and the caller goes on.
template <typename F>
bool guarded(const char* step, F&& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        report(step, e.what());
    } catch (...) {
        report(step, "unknown error");
    }
    return false;
}

std::string programFile(const char* name) {
    std::string dir = AppDir;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir + name;
}

} // namespace

StartUpHooks& startUpHooks() {
    static StartUpHooks hooks;
    return hooks;
}

bool IsStartedUp() { return g_started; }

void StartUp() {
    auto& h = startUpHooks();
    if (!guarded("settings", [] { LoadSettings(); })) ValidateSettings();
    guarded("machine models", [] {
        InitMachineList();
        if (!SelectCurrentMachine()) { // cannot happen after validation; keep a usable model anyway
            Machine = kDefaultMachineCode;
            SelectCurrentMachine();
        }
    });
    guarded("pattern raster", [] {
        GraphicData = PatternRaster();
        GraphicData.SetSize(NeedleBed, kPatternRows);
        GraphicData.FillMask();
    });
    guarded("text table", [] { SelectTextTable(LanguageCode); });
    ComputeCellHeights();
    if (h.addPrivateFont) guarded("private font", [&] { h.addPrivateFont(programFile(kPrivateFontFile)); });
    guarded("stitch pictures", [] {
        LoadStitchSource();
        BuildStitchBitmaps();
    });
    TechniqueList.clear();
    guarded("pattern library", [] {
        gPatternLibrary = PatternLibrary();
        gPatternLibrary.Create();
    });
    guarded("language file", [] {
        gTranslator = Translator();
        gTranslator.SetFileName(programFile(kLanguageFile));
        if (gTranslator.LoadLanguage(LanguageCode) != Translator::LoadResult::Loaded)
            report("language file", gTranslator.LastError());
    });
    g_started = true;
}

void ShutDown() {
    if (!g_started) return;
    g_started = false;
    auto& h = startUpHooks();
    // The ports go first: the adapter's reader must not hand a byte to a page
    // whose objects are already released.
    if (h.closePorts) guarded("serial ports", [&] { h.closePorts(); });
    if (h.removePrivateFont) guarded("private font", [&] { h.removePrivateFont(); });
    TechniqueList.clear();
    GraphicData = PatternRaster();
    FreeMachineList();
    gPatternLibrary = PatternLibrary();
    gTranslator = Translator();
    ReleaseStitchBitmaps();
}

} // namespace lc
