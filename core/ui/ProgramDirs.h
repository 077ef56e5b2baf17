#pragma once
// Where the program's files are: the program folder (the executable's, which
// holds the shipped data) and the folder for what the user writes.
#include <QString>

#include "core/ProgramPaths.h"

namespace lc::ui {

// The executable's folder with a trailing '/'. Tests run from the build tree
// name the program folder in LC_PROGRAM_DIR.
QString ProgramDir();

// `programDir` when files can be created in it, otherwise the per-user data
// folder (QStandardPaths::AppDataLocation), with a trailing '/'.
QString UserWritableDir(const QString& programDir);

// Sets AppDir, ExeName and UserDir for start-up and creates the default data
// folders under UserDir where they are missing.
void SetProgramLocation(ProgramPaths& paths);

} // namespace lc::ui
