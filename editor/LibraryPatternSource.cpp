#include "editor/LibraryPatternSource.h"

namespace lc {

std::optional<PackedPattern> LibraryPatternSource::selectedPattern() {
    if (SelectedPattern == kNoPatternSelected) return std::nullopt;
    PatternInfo info;
    if (!library_.GetPattern(SelectedPattern, info) || !info.Pixels) return std::nullopt;
    // The bytes that really follow the pattern's start in the data block; the
    // tool refuses a pattern that claims more rows than these hold.
    const std::span<const uint8_t> data = library_.Data();
    const uint8_t* end = data.data() + data.size();
    if (info.Pixels < data.data() || info.Pixels > end) return std::nullopt;
    return PackedPattern{info.Width, info.Height, info.Pixels, static_cast<size_t>(end - info.Pixels)};
}

} // namespace lc
