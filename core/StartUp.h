#pragma once
// Start-up and shut-down of the workspace's shared objects. The main window
// calls StartUp from its creation after setting the program paths, and
// ShutDown from its close after the autosave.
//
// Steps that belong to other parts of the program run through the hooks below;
// an empty hook is skipped. StartUp never stops half-way: a step that throws
// is reported through `problem` and the next step runs, so every page can
// still be created (a missing language file leaves the translator empty, a
// missing font leaves the symbols in a fallback font).
#include <functional>
#include <string>

namespace lc {

struct StartUpHooks {
    // Step 7: add the private symbol font file to the program's fonts; false
    // when it could not be added (silent). Shut-down removes it again.
    // Provided by the core UI (core/ui/PrivateFont.h).
    std::function<bool(const std::string& fontFile)> addPrivateFont;
    std::function<bool()> removePrivateFont;
    // First step of shut-down: close the serial ports and stop the emulator, so
    // that no byte from the adapter reaches an object that is being released.
    // Provided by the serial link.
    std::function<void()> closePorts;
    // Where a failed step is reported; by default standard error.
    std::function<void(const std::string& step, const std::string& message)> problem;
};

// The private font and the language file, both in the program folder.
inline constexpr const char* kPrivateFontFile = "Loopcraft.ttf";
inline constexpr const char* kLanguageFile = "Loopcrafter.mld";

class Workspace;

// 1 LoadSettings from the workspace's store (validated), 2 the machine list,
// 3 the current machine, 4 the raster NeedleBed x 1024 with its mask filled,
// 5 text table, 6 the cell heights, 7 private font, 8 stitch source and
// bitmaps, 9 TechniqueList, 10 the pattern library, 11 the translator.
void StartUp(Workspace& ws, const StartUpHooks& hooks);
// Ports first, then the font, TechniqueList, the raster, the machine list,
// the pattern library, the translator and the stitch pictures. Safe to call twice.
void ShutDown(Workspace& ws, const StartUpHooks& hooks);

} // namespace lc
