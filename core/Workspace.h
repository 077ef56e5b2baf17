#pragma once
// The workspace: the one owner of the program's shared state. main() creates
// it; the main window hands each page and engine the parts it uses, by
// reference. A fresh workspace is the state before start-up (StartUp fills
// it from the settings store and the program folder, core/StartUp.h).
//
// Who reads and writes what:
//   Paths          set by the UI before start-up; read by the settings and start-up.
//   Settings       loaded at start-up, saved by the preferences dialog; read everywhere.
//   Editor         the Drawing page and its canvas and tools write it; the Link
//                  page, the garment page and the renderers read it.
//   Raster         the pattern: the editor writes it, the knitting run reads it.
//   MachineList,
//   CurrentMachine the models and the chosen one (start-up); the run and the canvas read them.
//   TechniqueList  "name=kind" per technique, written by the Link page, read by the galleries.
//   Library        the open pattern library (galleries; the paste-pattern tool reads it).
//   Translator     the language file's section; technique names and page texts.
//   UIText         the interface texts of the chosen language.
//   Stitches       the stitch pictures of the zoom level (view mode).
//   Printer        the printer's resolution for printing in millimetres.
#include <string>
#include <vector>

#include "core/EditorState.h"
#include "core/Environment.h"
#include "core/Machine.h"
#include "core/PatternLibrary.h"
#include "core/PatternRaster.h"
#include "core/ProgramPaths.h"
#include "core/Settings.h"
#include "core/SettingsStore.h"
#include "core/StitchBitmaps.h"
#include "core/Translator.h"
#include "core/UIText.h"

namespace lc {

class Workspace {
public:
    // Settings are read from and written to `store`, which must outlive the
    // workspace; without one an in-memory store of its own is used.
    Workspace() = default;
    explicit Workspace(ISettingsStore& store) : store_(&store) {}
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    ISettingsStore& Store() const { return *store_; }

    ProgramPaths Paths;
    lc::Settings Settings;
    EditorState Editor;
    PatternRaster Raster;
    std::vector<MachineRecord> MachineList;
    MachineRecord CurrentMachine;
    // The techniques, "name=kind" per line in machine order (for the galleries'
    // filter): empty after start-up, filled when the Link page is created.
    std::vector<std::string> TechniqueList;
    PatternLibrary Library;
    lc::Translator Translator;
    UITextTable UIText = EnglishTexts();
    StitchPictures Stitches;
    PrinterResolution Printer;
    // StartUp has run and ShutDown has not.
    bool StartedUp = false;

private:
    MemorySettingsStore ownStore_;
    ISettingsStore* store_ = &ownStore_;
};

} // namespace lc
