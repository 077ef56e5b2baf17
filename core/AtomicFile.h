#pragma once
// Every save is atomic: the bytes go to a temporary file in the target's
// folder, are flushed to disk, and the temporary is renamed over the target.
// A failed save throws IoError and leaves the old file as it was.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lc {

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

namespace test_hooks {
// Makes every atomic write fail once it has written `bytes` bytes (-1: never),
// to prove that an interrupted save leaves the old file intact.
void FailAtomicWritesAfter(long long bytes);
} // namespace test_hooks

} // namespace lc
