#pragma once
#include <string>

namespace lc {

// Where the program is and where the user's files go.
struct ProgramPaths {
    // The folder of the executable (with a trailing '/') and its full path.
    std::string AppDir;
    std::string ExeName;
    // Folder (with a trailing '/') for what the user writes: the default Patterns,
    // Palettes, Models, Garments and Galleries folders and the autosave. It is AppDir
    // when the program folder is writable, otherwise the per-user data folder; empty
    // means AppDir.
    std::string UserDir;
};

} // namespace lc
