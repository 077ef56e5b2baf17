#include "editor/CanvasRenderer.h"

#include <algorithm>
#include <vector>

namespace lc {

namespace {
constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kYellow = 0xFFFFFF00u;

void fillSpan(PixelBuffer& b, int y, int x0, int x1, uint32_t c) { // x1 exclusive
    if (y < 0 || y >= b.height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, b.width);
    if (x0 < x1)
        std::fill(b.pixels + static_cast<size_t>(y) * b.stride + x0, b.pixels + static_cast<size_t>(y) * b.stride + x1,
                  c);
}

void fillRect(PixelBuffer& b, int x0, int y0, int x1, int y1, uint32_t c) {
    for (int y = std::max(y0, 0); y < std::min(y1, b.height); ++y) fillSpan(b, y, x0, x1, c);
}

void vline(PixelBuffer& b, int x, int y0, int y1, uint32_t c) { // y1 exclusive
    if (x < 0 || x >= b.width) return;
    for (int y = std::max(y0, 0); y < std::min(y1, b.height); ++y) b.pixels[static_cast<size_t>(y) * b.stride + x] = c;
}

// The mask line of design row r (stored upside down), or null when the row has none.
const uint8_t* maskRow(const PatternRaster& gd, int row) {
    const int mh = gd.Mask.height();
    if (mh <= 0 || gd.Mask.width() <= 0) return nullptr;
    const int line = gd.Height - 1 - row; // the picture line, as the mask query takes it
    if (line < 0 || line >= mh) return nullptr;
    return gd.Mask.line(mh - 1 - line);
}

bool outsideGarment(const uint8_t* mask, int maskWidth, int column) {
    return !mask || column < 0 || column >= maskWidth || mask[column] != kMaskInside;
}

bool tilesUsable(const RenderOptions& opt, int cw, int ch) {
    if (!opt.tiles || opt.tiles->width != cw || opt.tiles->height != ch) return false;
    for (const uint32_t* t : opt.tiles->tile)
        if (!t) return false;
    return true;
}
} // namespace

RenderOptions RenderOptions::From(const EditorState& editor, const MachineRecord& machine, const StitchTiles* tiles) {
    RenderOptions o;
    o.zoneOn = editor.ZoneOn;
    o.zoneRow = editor.ZoneRow;
    o.garmentMode = editor.GarmentMode;
    o.viewMode = editor.ViewMode != 0;
    o.frameMode = machine.FrameMode;
    o.frameWidth = machine.FrameWidth;
    o.frameRows = machine.FrameRows;
    o.tiles = tiles;
    return o;
}

void CanvasRenderer::setColours(const PatternRaster& gd) {
    for (size_t i = 0; i < 256; ++i) {
        const size_t k = i <= 16 ? i : 0;
        normal_[i] = ArgbOf(gd.Colors[k]);
        grey_[i] = ArgbOf(gd.GreyColors[k]);
        zone_[i] = ArgbOf(gd.ZoneColors[k]);
    }
}

void CanvasRenderer::render(const ViewGeometry& geom, const PatternRaster& gd, const RenderOptions& opt,
                            PixelBuffer out) const {
    if (!out.pixels || out.width <= 0 || out.height <= 0) return;
    const int cw = geom.cellWidth(), ch = geom.cellHeight();
    const int clientH = geom.ClientHeight;
    const int W = gd.Picture.width(), H = gd.Picture.height();
    const int visCols = std::min(geom.ClientWidth / cw, W), visRows = geom.ClientHeight / ch;
    const bool view = opt.viewMode && cw >= 6 && tilesUsable(opt, cw, ch);

    fillRect(out, 0, 0, out.width, out.height, normal_[0]);

    // The origin may lie outside the pattern (a zone row of -1, a free scroll):
    // rows and columns outside stay in the background colour.
    const int r0 = std::max(geom.FirstRow, 0), r1 = std::min(H, geom.FirstRow + visRows);
    const int c0 = std::max(geom.FirstCol, 0), c1 = std::min(W, geom.FirstCol + visCols);
    std::vector<uint32_t> rowPixels(static_cast<size_t>(out.width));
    for (int r = r0; r < r1; ++r) {
        const int top = clientH - (r - geom.FirstRow) * ch - ch;
        if (top >= out.height || top + ch <= 0) continue;
        const uint8_t* cells = gd.Picture.line(H - 1 - r);
        const bool zone = opt.zoneOn && r <= opt.zoneRow;
        const uint8_t* mask = opt.garmentMode ? maskRow(gd, r) : nullptr;
        const int mw = gd.Mask.width();
        if (!view) {
            std::fill(rowPixels.begin(), rowPixels.end(), normal_[0]);
            for (int c = c0; c < c1; ++c) {
                const uint8_t i = cells[c];
                const uint32_t colour =
                    zone ? zone_[i] : (opt.garmentMode && outsideGarment(mask, mw, c) ? grey_[i] : normal_[i]);
                const int x0 = std::max((c - geom.FirstCol) * cw, 0), x1 = std::min(x0 + cw, out.width);
                if (x0 < x1) std::fill(rowPixels.begin() + x0, rowPixels.begin() + x1, colour);
            }
            for (int y = std::max(top, 0); y < std::min(top + ch, out.height); ++y)
                std::copy(rowPixels.begin(), rowPixels.end(), out.pixels + static_cast<size_t>(y) * out.stride);
            continue;
        }
        for (int y = std::max(top, 0); y < std::min(top + ch, out.height); ++y) {
            uint32_t* dst = out.pixels + static_cast<size_t>(y) * out.stride;
            const int ty = y - top;
            for (int c = c0; c < c1; ++c) {
                const int x0 = (c - geom.FirstCol) * cw, x1 = std::min(x0 + cw, out.width);
                if (x0 >= out.width) break;
                const uint8_t i = cells[c];
                if (zone) {
                    std::fill(dst + x0, dst + x1, zone_[i]);
                } else if (!(opt.garmentMode && outsideGarment(mask, mw, c))) {
                    const uint32_t* t = opt.tiles->tile[i % 16] + static_cast<size_t>(ty) * cw;
                    std::copy(t, t + (x1 - x0), dst + x0);
                }
            }
        }
    }

    if (!view) {
        for (int k = 1; k <= visRows; ++k) fillSpan(out, clientH - k * ch, 0, out.width, kBlack);
        for (int k = 1; k <= visCols; ++k) vline(out, k * cw, 0, out.height, kBlack);
    }

    if (opt.frameMode == 1) {
        const int xl = ((W - opt.frameWidth) / 2 - geom.FirstCol) * cw;
        const int xr = ((W + opt.frameWidth) / 2 - geom.FirstCol) * cw;
        const int yt = clientH - (opt.frameRows - geom.FirstRow) * ch;
        vline(out, xl, yt, clientH, kYellow);
        fillSpan(out, yt, std::min(xl, xr), std::max(xl, xr) + 1, kYellow);
        vline(out, xr, yt, clientH, kYellow);
    }
}

void CanvasRenderer::renderCell(const ViewGeometry& geom, const PatternRaster& gd, const RenderOptions& opt,
                                PixelBuffer out, int column, int row) const {
    if (!out.pixels) return;
    const int W = gd.Picture.width(), H = gd.Picture.height();
    const int cw = geom.cellWidth(), ch = geom.cellHeight();
    // A brush reaching past the pattern changed nothing there: the background stays.
    if (row < 0 || row >= H || column < 0 || column >= W) return;
    const PixelRect rc = geom.cellRect(column, row);
    const uint8_t i = gd.Picture.line(H - 1 - row)[column];
    auto bordered = [&](uint32_t colour) {
        fillRect(out, rc.left, rc.top, rc.left + cw + 1, rc.top + ch + 1, kBlack);
        fillRect(out, rc.left + 1, rc.top + 1, rc.left + cw, rc.top + ch, colour);
    };
    if (opt.zoneOn && row <= opt.zoneRow) {
        bordered(zone_[i]);
        return;
    }
    const bool outside = opt.garmentMode && outsideGarment(maskRow(gd, row), gd.Mask.width(), column);
    if (opt.viewMode && cw >= 6 && tilesUsable(opt, cw, ch)) {
        if (outside) return;
        const uint32_t* t = opt.tiles->tile[i % 16];
        for (int y = 0; y < ch; ++y) {
            const int py = rc.top + y;
            if (py < 0 || py >= out.height) continue;
            for (int x = 0; x < cw; ++x) {
                const int px = rc.left + x;
                if (px >= 0 && px < out.width) out.pixels[static_cast<size_t>(py) * out.stride + px] = t[y * cw + x];
            }
        }
        return;
    }
    bordered(outside ? grey_[i] : normal_[i]);
}

} // namespace lc
