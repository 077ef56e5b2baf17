#pragma once
// Names that become parts of paths in the galleries folder. A new library's
// name is checked before anything is written; a library or pattern name read
// from a file is made safe, so that no crafted library can make the program
// write outside the galleries folder.
#include <string>
#include <string_view>

namespace lc {

enum class GalleryNameProblem { None, Empty, BadCharacters };

// A name the user typed for a new library: empty, or holding "/", "\", ".."
// or a control character, is refused.
GalleryNameProblem CheckGalleryName(std::string_view name);

// A single, harmless path part for `name`: separators, control and reserved
// characters become "_", leading dots and spaces go, "." and ".." cannot come
// out; an empty result is "_".
std::string SafePathPart(std::string_view name);

// Where the preview picture of pattern `pattern` of library `library` lies:
// galleries + "/preview/" + library + "/" + pattern, each name made safe.
std::string PreviewFolder(std::string_view galleries, std::string_view library);
std::string PreviewPath(std::string_view galleries, std::string_view library, std::string_view pattern);

// A picture's file name as a pattern can keep it: the folder dropped and the
// name cut to what the library stores (so the preview is found again).
std::string PreviewNameOf(std::string_view chosenFile);

} // namespace lc
