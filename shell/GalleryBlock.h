#pragma once
// Moving a block between the drawing's backup bitmap and a pattern library:
// the block is packed from its bottom line up (a library pattern's first row is
// its lowest), and a pattern is unpacked as palette indices, clipped to the
// raster so that no pattern size read from a file can write past it.
#include <cstdint>
#include <span>
#include <vector>

#include "core/CellRect.h"
#include "core/PatternRaster.h"

namespace lc {

// The block `block` (picture lines) of the raster's backup, packed two
// stitches a byte, bottom line first; the part outside the raster is dropped.
// Empty when the clipped block has no cells.
struct PackedBlock {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Bytes;
};
PackedBlock PackBackupBlock(const PatternRaster& raster, const CellRect& block);

// Writes a packed pattern (`width` x `height`, lowest row first, `bytes` as
// available) into the backup at the top left: its first row on line h - 1,
// upward. The pattern is clipped to the raster and to the bytes present.
// Returns the block written, (0, 0, w, h), empty when nothing fits.
CellRect UnpackIntoBackup(PatternRaster& raster, int width, int height, std::span<const uint8_t> bytes);

} // namespace lc
