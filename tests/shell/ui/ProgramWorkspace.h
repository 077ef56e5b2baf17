#pragma once
// What main() sets up before the main window: the user's settings store (in the
// test process's own configuration folder) and the workspace over it.
#include "core/Workspace.h"
#include "core/ui/SettingsStoreQt.h"

namespace lc::test {

struct ProgramWorkspace {
    ui::SettingsStoreQt settings;
    Workspace ws{settings};
};

} // namespace lc::test
