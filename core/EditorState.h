#pragma once
// The editor state shared by the Drawing page, its canvas and tools, the Link
// page and the garment page: the colours and brush in use, the protected zone,
// the garment and view modes, the zoom level and the block last copied. A
// fresh EditorState is the state at start.
#include <array>
#include <cstdint>

#include "core/CellRect.h"

namespace lc {

// The pattern and the garment undo stacks drop their oldest step before a push
// when more than this many are held, so each keeps at most UndoDepth + 1.
inline constexpr int UndoDepth = 10;

// Zoom levels 0..10 and the cell width of each.
inline constexpr int kZoomLevels = 11;
inline constexpr std::array<uint8_t, kZoomLevels> CellWidths = {3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23};
using CellHeightTable = std::array<uint8_t, kZoomLevels>;

// ChangeFlags bit: the garment outline changed since the mask was last built.
inline constexpr uint16_t kGarmentChanged = 2;

struct EditorState {
    bool GarmentMode = false;
    bool ZoneOn = false;
    int ZoneRow = -1;
    uint16_t ChangeFlags = 0;
    CellRect BlockRect; // the block last copied or cut, in picture lines
    uint8_t ColorA = 1;
    uint8_t ColorB = 0;
    uint8_t BrushSize = 0;
    uint8_t ViewMode = 0;
    uint8_t RulerUnitMode = 1;
    uint8_t StarDepth = 5;
    uint8_t StarVertices = 3;
    // Cell heights of the zoom levels, from the gauge (CellHeightsFor).
    CellHeightTable CellHeights = CellWidths;
    uint8_t ZoomIndex = 4;
};

// CellHeights[i] := round(CellWidths[i] * pixByY / pixByX), half to even, kept
// to 2..255. A gauge that is not a positive finite number counts as 0.25.
CellHeightTable CellHeightsFor(double pixByX, double pixByY);

} // namespace lc
