#pragma once
// Start-up and shut-down of the shared objects. The main window calls StartUp
// from its creation after setting AppDir, ExeName (and UserDir) and installing
// the settings store, and ShutDown from its close after the autosave.
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

// The hooks StartUp and ShutDown call; each owner sets its own members.
StartUpHooks& startUpHooks();

// The private font and the language file, both in the program folder.
inline constexpr const char* kPrivateFontFile = "Loopcraft.ttf";
inline constexpr const char* kLanguageFile = "Loopcrafter.mld";

// 1 LoadSettings (validated), 2 InitMachineList, 3 SelectCurrentMachine,
// 4 the raster NeedleBed x 1024 with its mask filled, 5 text table,
// 6 ComputeCellHeights, 7 private font, 8 stitch source and bitmaps,
// 9 TechniqueList, 10 gPatternLibrary, 11 gTranslator.
void StartUp();
// Ports first, then the font, TechniqueList, the raster, the machine list,
// gPatternLibrary, the translator and the stitch pictures. Safe to call twice.
void ShutDown();
bool IsStartedUp();

} // namespace lc
