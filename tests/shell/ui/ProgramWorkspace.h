#pragma once
// What main() sets up before the main window: the user's settings store (in the
// test process's own configuration folder) and the workspace over it; and the
// fixture of a main window started over them.
#include <gtest/gtest.h>

#include "QtApp.h"
#include "core/Workspace.h"
#include "core/ui/SettingsStoreQt.h"
#include "shell/ui/MainWindow.h"

namespace lc::test {

struct ProgramWorkspace {
    ui::SettingsStoreQt settings;
    Workspace ws{settings};
};

// A main window as the program starts it; it closes (and autosaves) when the test ends.
struct ProgramWindow : ::testing::Test {
    QApplication& app = qtApp();
    ProgramWorkspace program;
    Workspace& ws = program.ws;
    ui::MainWindow w{ws};
};

} // namespace lc::test
