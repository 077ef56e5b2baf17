#include "shell/GalleryBlock.h"

#include <algorithm>

#include "core/PatternLibrary.h"

namespace lc {

namespace {

CellRect clipped(const CellRect& r, int width, int height) {
    CellRect c{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
               std::max(r.Top, r.Bottom)};
    c.Left = std::clamp(c.Left, 0, width);
    c.Right = std::clamp(c.Right, 0, width);
    c.Top = std::clamp(c.Top, 0, height);
    c.Bottom = std::clamp(c.Bottom, 0, height);
    return c;
}

} // namespace

PackedBlock PackBackupBlock(const PatternRaster& raster, const CellRect& block) {
    const IndexedBitmap& backup = raster.Backup;
    const CellRect r = clipped(block, backup.width(), backup.height());
    PackedBlock out;
    if (r.isEmpty()) return out;
    out.Width = r.width();
    out.Height = r.height();
    const int bpr = PatternBytesPerRow(out.Width);
    out.Bytes.resize(static_cast<size_t>(bpr) * out.Height);
    for (int i = 0; i < out.Height; ++i) {
        const int line = r.Bottom - 1 - i;
        PackPatternRow(backup.line(line) + r.Left, out.Width, out.Bytes.data() + static_cast<size_t>(i) * bpr);
    }
    return out;
}

CellRect UnpackIntoBackup(PatternRaster& raster, int width, int height, std::span<const uint8_t> bytes) {
    IndexedBitmap& backup = raster.Backup;
    if (width <= 0 || height <= 0) return {};
    const int bpr = PatternBytesPerRow(width);
    const int rowsPresent = static_cast<int>(std::min<size_t>(bytes.size() / static_cast<size_t>(bpr), height));
    const int w = std::min(width, backup.width());
    const int h = std::min(rowsPresent, backup.height());
    if (w <= 0 || h <= 0) return {};
    for (int i = 0; i < h; ++i) {
        const uint8_t* row = bytes.data() + static_cast<size_t>(i) * bpr;
        uint8_t* line = backup.line(h - 1 - i);
        for (int x = 0; x < w; ++x) line[x] = PackedCell(row, x);
    }
    backup.touch();
    return CellRect{0, 0, w, h};
}

} // namespace lc
