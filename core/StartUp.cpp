#include "core/StartUp.h"

#include <cstdio>
#include <exception>

#include "core/Workspace.h"

namespace lc {

namespace {

void report(const StartUpHooks& h, const char* step, const std::string& message) {
    if (h.problem) {
        try {
            h.problem(step, message);
            return;
        } catch (...) {}
    }
    std::fprintf(stderr, "Loopcrafter: %s: %s\n", step, message.c_str());
}

// Runs one step; whatever it throws is reported and the caller goes on.
template <typename F>
bool guarded(const StartUpHooks& h, const char* step, F&& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        report(h, step, e.what());
    } catch (...) {
        report(h, step, "unknown error");
    }
    return false;
}

std::string programFile(const ProgramPaths& paths, const char* name) {
    std::string dir = paths.AppDir;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir + name;
}

} // namespace

void StartUp(Workspace& ws, const StartUpHooks& h) {
    Settings& settings = ws.Settings;
    if (!guarded(h, "settings", [&] { LoadSettings(settings, ws.Paths, ws.Store()); })) ValidateSettings(settings);
    guarded(h, "machine models", [&] {
        ws.MachineList = MachineModels();
        if (!SelectCurrentMachine(ws.MachineList, settings.Machine, ws.CurrentMachine)) {
            // cannot happen after validation; keep a usable model anyway
            settings.Machine = kDefaultMachineCode;
            SelectCurrentMachine(ws.MachineList, settings.Machine, ws.CurrentMachine);
        }
    });
    guarded(h, "pattern raster", [&] {
        ws.Raster = PatternRaster();
        ws.Raster.SetSize(settings.NeedleBed, kPatternRows);
        ws.Raster.FillMask();
    });
    guarded(h, "text table", [&] { SelectTextTable(ws.UIText, settings.LanguageCode); });
    ws.Editor.CellHeights = CellHeightsFor(settings.PixByX, settings.PixByY);
    if (h.addPrivateFont)
        guarded(h, "private font", [&] { h.addPrivateFont(programFile(ws.Paths, kPrivateFontFile)); });
    guarded(h, "stitch pictures", [&] {
        LoadStitchSource(ws.Stitches);
        BuildStitchBitmaps(ws);
    });
    ws.TechniqueList.clear();
    guarded(h, "pattern library", [&] {
        ws.Library = PatternLibrary();
        ws.Library.Create();
        ws.Library.SuperUser = settings.SuperUser == 1;
    });
    guarded(h, "language file", [&] {
        ws.Translator = Translator();
        ws.Translator.SetFileName(programFile(ws.Paths, kLanguageFile));
        if (ws.Translator.LoadLanguage(settings.LanguageCode) != Translator::LoadResult::Loaded)
            report(h, "language file", ws.Translator.LastError());
    });
    ws.StartedUp = true;
}

void ShutDown(Workspace& ws, const StartUpHooks& h) {
    if (!ws.StartedUp) return;
    ws.StartedUp = false;
    // The ports go first: the adapter's reader must not hand a byte to a page
    // whose objects are already released.
    if (h.closePorts) guarded(h, "serial ports", [&] { h.closePorts(); });
    if (h.removePrivateFont) guarded(h, "private font", [&] { h.removePrivateFont(); });
    ws.TechniqueList.clear();
    ws.Raster = PatternRaster();
    ws.MachineList.clear();
    ws.Library = PatternLibrary();
    ws.Translator = Translator();
    ReleaseStitchBitmaps(ws.Stitches);
}

} // namespace lc
