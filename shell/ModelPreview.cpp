#include "shell/ModelPreview.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "garment/GarmentOutline.h"

namespace lc {

DrawingCells DrawingItemCells(const ModelItem& item, int maxLines) {
    DrawingCells out;
    const size_t size = item.Data.size();
    // The line length: recorded by this program, else told by the item's size
    // (full-height items of the 1024-line raster, or old 512-line ones).
    size_t L = item.LineWidth;
    if (L == 0) L = size >= static_cast<size_t>(kFullHeightDrawingBytes) ? size / kPatternRows : size / 512;
    if (L == 0 || maxLines <= 0) return out;
    const size_t lines = size / L;
    const size_t shown = std::min(lines, static_cast<size_t>(maxLines));
    if (shown == 0) return out;
    out.Width = static_cast<int>(std::min<size_t>(L, 4096));
    out.Lines = static_cast<int>(shown);
    out.Cells.resize(static_cast<size_t>(out.Width) * shown);
    const uint8_t* first = item.Data.data() + (lines - shown) * L; // the bottom lines
    for (size_t y = 0; y < shown; ++y)
        for (int x = 0; x < out.Width; ++x) out.Cells[y * out.Width + x] = std::min<uint8_t>(first[y * L + x], 16);
    return out;
}

std::vector<std::vector<PreviewPoint>> GarmentPreviewLines(const GarmentOutline& garment, int boxWidth, int boxHeight) {
    struct P {
        double x, y;
    };
    std::vector<std::vector<P>> lines;
    const bool mirror = garment.IsSymmetric() && garment.SymmetryAxis() < garment.PointCount();
    const double axis = mirror ? garment.Point(garment.SymmetryAxis()).X : 0;
    for (int i = 0; i < garment.CurveCount(); ++i) {
        const CurvePolyline poly = garment.BuildCurvePoints(i);
        if (poly.Count < 2) continue;
        std::vector<P> line, mirrored;
        for (int k = 0; k < poly.Count; ++k) {
            line.push_back({static_cast<double>(poly.Points[k].x), static_cast<double>(poly.Points[k].y)});
            if (mirror) mirrored.push_back({2 * axis - static_cast<double>(poly.Points[k].x), line.back().y});
        }
        lines.push_back(std::move(line));
        if (mirror) lines.push_back(std::move(mirrored));
    }
    double minX = std::numeric_limits<double>::max(), minY = minX, maxX = -minX, maxY = -minX;
    for (const auto& l : lines)
        for (const P& p : l) {
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        }
    std::vector<std::vector<PreviewPoint>> out;
    if (lines.empty() || maxX <= minX || maxY <= minY || boxWidth <= 8 || boxHeight <= 8) return out;
    const double scale = std::min((boxWidth - 8) / (maxX - minX), (boxHeight - 8) / (maxY - minY));
    for (const auto& l : lines) {
        std::vector<PreviewPoint> pts;
        for (const P& p : l)
            pts.push_back({static_cast<int>(std::lround((p.x - minX) * scale)) + 4,
                           static_cast<int>(std::lround((p.y - minY) * scale)) + 4});
        out.push_back(std::move(pts));
    }
    return out;
}

} // namespace lc
