#pragma once
// "Paste Pattern" reads the pattern selected in the galleries from the open
// pattern library. The galleries page sets the selection; 65535 means none.
#include <cstdint>
#include <optional>

#include "core/PatternLibrary.h"
#include "editor/EditorInterfaces.h"

namespace lc {

inline constexpr uint16_t kNoPatternSelected = 65535;

class LibraryPatternSource : public IPatternSource {
public:
    explicit LibraryPatternSource(const PatternLibrary& library) : library_(library) {}

    uint16_t SelectedPattern = kNoPatternSelected;

    // The selected pattern with its packed cells, or none when nothing is
    // selected or the library has no such pattern.
    std::optional<PackedPattern> selectedPattern() override;

private:
    const PatternLibrary& library_;
};

} // namespace lc
