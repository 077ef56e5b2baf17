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

// Saves of one file may run at once (two windows closing together both write
// the autosave): each writes its own temporary, named ".name.saving.<random>"
// beside the file and created exclusively, and holds a lock on it while it
// lives. A save that succeeds has put its own complete bytes in place (a later
// one may replace them with its own); a reader sees one whole file or another,
// never a part. A save killed midway leaves its temporary; the next save of the
// file removes every temporary whose lock no live save holds.
void WriteFileAtomic(const std::filesystem::path& target, std::span<const uint8_t> bytes);
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
