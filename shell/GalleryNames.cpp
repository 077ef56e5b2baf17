#include "shell/GalleryNames.h"

#include "core/Cp1251.h"

namespace lc {

namespace {

// The library keeps 33 bytes of a pattern's name (Windows-1251), so 33 characters.
constexpr size_t kStoredNameChars = 33;

std::string joined(std::string_view folder, std::string_view part) {
    std::string s(folder);
    if (!s.empty() && s.back() != '/') s += '/';
    s += part;
    return s;
}

} // namespace

GalleryNameProblem CheckGalleryName(std::string_view name) {
    if (name.empty()) return GalleryNameProblem::Empty;
    if (name.find_first_of("/\\") != std::string_view::npos || name.find("..") != std::string_view::npos)
        return GalleryNameProblem::BadCharacters;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) return GalleryNameProblem::BadCharacters;
    return GalleryNameProblem::None;
}

std::string SafePathPart(std::string_view name) {
    std::string s;
    s.reserve(name.size());
    for (unsigned char c : name) {
        const bool bad = c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
                         c == '"' || c == '<' || c == '>' || c == '|';
        s += bad ? '_' : static_cast<char>(c);
    }
    const size_t first = s.find_first_not_of(". ");
    s = first == std::string::npos ? std::string() : s.substr(first);
    while (!s.empty() && (s.back() == ' ' || s.back() == '.')) s.pop_back();
    return s.empty() ? std::string("_") : s;
}

std::string PreviewFolder(std::string_view galleries, std::string_view library) {
    return joined(joined(galleries, "preview"), SafePathPart(library));
}

std::string PreviewPath(std::string_view galleries, std::string_view library, std::string_view pattern) {
    return joined(PreviewFolder(galleries, library), SafePathPart(pattern));
}

std::string PreviewNameOf(std::string_view chosenFile) {
    const size_t slash = chosenFile.find_last_of("/\\");
    std::string_view base = slash == std::string_view::npos ? chosenFile : chosenFile.substr(slash + 1);
    // Exactly what the library will keep of it: Windows-1251, 33 characters.
    return Cp1251ToUtf8(Utf8ToCp1251(base).substr(0, kStoredNameChars));
}

} // namespace lc
