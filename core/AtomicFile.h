#pragma once
// Every save is atomic: the bytes go to a temporary file in the target's
// folder, are flushed to disk, the temporary is renamed over the target and
// the folder is flushed too. A failed save throws IoError and leaves the old
// file as it was. A save through a symbolic link writes the link's target; an
// existing file keeps its mode, a new one follows the umask.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lc {

void WriteFileAtomic(const std::filesystem::path& target, std::span<const uint8_t> bytes);
// The temporary a save of `file` writes first (".name.saving" beside it); a
// save killed midway leaves it, and the next save of the file removes it.
std::filesystem::path AtomicTemporaryPath(const std::filesystem::path& file);
inline void WriteFileAtomic(const std::filesystem::path& target, std::string_view text) {
    WriteFileAtomic(target, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

// Reads a whole file, refusing files larger than maxBytes (IoError / FormatError).
std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path, uint64_t maxBytes = uint64_t{1} << 30);

// Finds `name` in `folder` ignoring letter case (a file such as the start
// palette may be named "start.Lcp" or "START.LCP"); returns the path as found,
// or nothing.
std::optional<std::filesystem::path> FindFileNoCase(const std::filesystem::path& folder, std::string_view name);
// True when `path`'s extension equals `ext` (with its dot) ignoring letter case.
bool HasExtensionNoCase(const std::filesystem::path& path, std::string_view ext);

} // namespace lc
