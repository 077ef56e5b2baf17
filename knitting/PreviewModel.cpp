#include "knitting/PreviewModel.h"

#include <algorithm>
#include <cmath>

#include "core/Machine.h"
#include "core/Workspace.h"

namespace lc {

namespace {

// Converts a layout figure; anything not finite or out of range is 0, so an
// odd gauge can never turn into undefined behaviour.
int truncPixels(double v) {
    if (!std::isfinite(v) || v < -1e9 || v > 1e9) return 0;
    return static_cast<int>(std::trunc(v));
}

int roundPixels(double v) {
    if (!std::isfinite(v) || v < -1e9 || v > 1e9) return 0;
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

const PreviewLayout& PreviewModel::Layout() {
    PreviewLayout l;
    const PatternRaster& g = ws_.Raster;
    // The gauge's proportion: a stitch is PixByX wide by PixByY high.
    const double gx = ws_.Settings.PixByX, gy = ws_.Settings.PixByY;
    double r = (gx > 0 && gy > 0 && std::isfinite(gx / gy)) ? gx / gy : 1.0;
    if (ws_.Editor.GarmentMode) {
        l.srcWidth = std::clamp(g.GarmentWidth, 0, g.Width);
        l.srcLeft = (g.Width - l.srcWidth) / 2;
        l.srcRows = std::clamp(g.GarmentRows, 0, g.Height);
    } else {
        l.srcWidth = g.Width;
        l.srcLeft = 0;
        l.srcRows = g.Height;
    }
    l.header = ws_.UIText[utPreviewWidth] + std::to_string(l.srcWidth) + " ;" + ws_.UIText[utPreviewRows] +
               std::to_string(l.srcRows);
    const int cw = ClientWidth;
    const int ch = ClientHeight;
    const double rows = static_cast<double>(l.srcRows + RibRow) / r;
    // A garment of no width or no rows, or a panel with no room, has nothing to scale.
    if (l.srcWidth > 0 && l.srcRows > 0 && rows > 0 && cw > 0 && ch - kPreviewHeader - 2 > 0) {
        const double across = static_cast<double>(cw) / l.srcWidth;
        const double down = static_cast<double>(ch - kPreviewHeader - 2) / rows;
        l.pixPerStitch = std::min(across, down);
        l.pixPerRow = l.pixPerStitch / r;
        const int w = truncPixels(l.srcWidth * l.pixPerStitch);
        const int d = truncPixels(l.srcRows * l.pixPerRow);
        l.left = (cw - w) / 2;
        l.top = kPreviewHeader + ((ch - kPreviewHeader) - truncPixels((l.srcRows + RibRow) * l.pixPerRow)) / 2;
        l.right = l.left + w;
        l.bottom = l.top + d;
        l.valid = w > 0 && d > 0;
    }
    layout_ = l;
    return layout_;
}

int PreviewModel::RowAt(int y) {
    const PreviewLayout& l = Layout();
    if (!(l.pixPerRow > 0)) return -1;
    int row = roundPixels((l.bottom - y) / l.pixPerRow);
    if (Even) row = 2 * (row / 2);
    if (ws_.Editor.GarmentMode) {
        // Rows below 0 come back as they are (a click there means row 0); the
        // garment's rows end at GarmentRows - 1.
        return row < l.srcRows ? row : -1;
    }
    return (row >= 0 && row < ws_.Raster.Height) ? row : -1;
}

void PreviewModel::SetCurrentRow(int row) {
    if (row < 0) return;
    markedRow_ = row;
}

int PreviewModel::MarkerY() {
    const PreviewLayout& l = Layout();
    if (!l.valid) return -1;
    return l.bottom - roundPixels(markedRow_ * l.pixPerRow);
}

ColorPanelLayout LayoutColorPanel(const ColorInstruction& ci, const ColorTable17& colors,
                                  const YarnColorOrder& colorOrder, int w, int h, int carriageWidth) {
    ColorPanelLayout out;
    if (ci.CarrPosition == 0) out.carriageX = 10;
    else if (ci.CarrPosition == 1) out.carriageX = w - 10 - carriageWidth;
    else out.carriageX = (w - carriageWidth) / 2;
    out.lineStartX = out.carriageX + carriageWidth / 2;

    const int slot = w / 5;
    int k = 0;
    for (int c = 0; c < 16; ++c) {
        if (!(static_cast<uint32_t>(ci.ActiveColor) & ColorBits[static_cast<size_t>(c)])) continue;
        ++k;
        ColorPanelLayout::Bobbin b;
        b.number = k;
        b.colour = c;
        int shown = c;
        // With a colour order set, the k-th bobbin takes the colour at place k - 1.
        if (colorOrder[0] != -1 && k - 1 < static_cast<int>(colorOrder.size())) {
            const int o = colorOrder[static_cast<size_t>(k - 1)];
            if (o >= 0 && o < static_cast<int>(colors.size())) shown = o;
        }
        b.value = colors[static_cast<size_t>(shown)];
        b.x = slot * k;
        b.fed = (static_cast<uint32_t>(ci.Threads) & ColorBits[static_cast<size_t>(c)]) != 0;
        b.lineWidth = (static_cast<uint32_t>(ci.ThreadType) & ColorBits[static_cast<size_t>(c)]) ? 3 : 1;
        out.bobbins.push_back(b);
    }

    const int n = CountColors(static_cast<uint32_t>(ci.AllColorsInPic) & 0xFFFF);
    out.cellWidth = n > 0 ? w / n : w;
    int j = 0;
    for (int c = 0; c < 16; ++c) {
        if (!(static_cast<uint32_t>(ci.AllColorsInPic) & ColorBits[static_cast<size_t>(c)])) continue;
        ColorPanelLayout::Cell cell;
        cell.left = j * out.cellWidth;
        cell.right = cell.left + out.cellWidth;
        cell.top = h - 20;
        cell.bottom = h;
        cell.colour = c;
        cell.value = colors[static_cast<size_t>(c)];
        cell.changed = (static_cast<uint32_t>(ci.ChangedColors) & ColorBits[static_cast<size_t>(c)]) != 0;
        out.palette.push_back(cell);
        ++j;
    }
    return out;
}

} // namespace lc
