#pragma once
// What the knitting subsystem works out from the pattern and shares among its
// parts: the row table, the colour separation and the colour order of the
// yarn panel. The Link page's engine (LinkController) owns one and hands it by
// reference to the techniques, the technique adapter and the yarn panel.
#include <array>
#include <cstdint>

#include "knitting/ColourSeparation.h"
#include "knitting/RowTable.h"

namespace lc {

// Palette index per yarn symbol for the colour panel: entry 0 = -1 means every
// symbol is drawn in its own colour; otherwise the k-th symbol drawn (ascending
// colour order) takes palette colour ColorOrder[k]; an entry of -1 past the
// first also means "its own colour".
using YarnColorOrder = std::array<int32_t, 16>;

inline constexpr YarnColorOrder kOwnColors = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

struct KnitState {
    RowTable Rows;
    ColourSeparation Separation;
    YarnColorOrder ColorOrder = kOwnColors;
};

} // namespace lc
