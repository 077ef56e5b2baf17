#include "editor/ToolContext.h"

#include <cstdlib>

#include "editor/Rasteriser.h"

namespace lc {

// ---------------------------------------------------------------------------
// Preview

void ToolContext::setOverlay(Overlay::Kind kind, std::vector<PixelPoint> points) {
    overlayKind_ = kind;
    overlayPoints_ = std::move(points);
    model_.screenOverlayChanged();
}

void ToolContext::showFrame(const CellBlock& block) {
    overlayFrame_ = block;
    setOverlay(Overlay::Kind::Frame, {});
}

void ToolContext::clearOverlay() {
    if (overlayKind_ == Overlay::Kind::None) return;
    overlayKind_ = Overlay::Kind::None;
    overlayPoints_.clear();
    model_.screenOverlayChanged();
}

Overlay ToolContext::overlay() const {
    Overlay o;
    o.kind = overlayKind_;
    if (overlayKind_ == Overlay::Kind::Frame) {
        // Recomputed from the cells, so the frame follows a scroll of the view.
        const ViewGeometry& g = model_.geom;
        const CellBlock& b = overlayFrame_;
        o.points = {
            {(b.Left - g.FirstVisibleCol) * g.cellWidth(), g.ClientHeight - (b.Top - g.FirstRow) * g.cellHeight()},
            {(b.Right - g.FirstVisibleCol) * g.cellWidth(), g.ClientHeight - (b.Bottom - g.FirstRow) * g.cellHeight()}};
    } else {
        o.points = overlayPoints_;
    }
    return o;
}

void ToolContext::dragBlockFrame() {
    const Gesture& g = gesture_;
    if (g.current == g.previous) return;
    ActiveBlock& blk = model_.block();
    blk.SetRect(g.pressColumn, g.pressRow, model_.geom.ColAtX(g.current.x), model_.geom.RowAtY(g.current.y), W());
    showFrame(blk.current);
    model_.events().showBlockSize(std::abs(blk.current.Right - blk.current.Left), blk.current.Top - blk.current.Bottom);
}

// ---------------------------------------------------------------------------
// Regions and rows

bool ToolContext::beginRegion(int cc, int cr) {
    if (cc < 0 || cr < model_.editFloor()) return false; // an inverted region: nothing to do
    model_.undo().BeginStep();
    return true;
}

CellRect ToolContext::regionLines(int cc, int top) const {
    return {0, H() - 1 - top, cc + 1, H() - model_.editFloor()};
}

const uint8_t* ToolContext::copyEditableRows() {
    const int floor = model_.editFloor(), w = W(), rows = H() - floor;
    scratch_.resize(static_cast<size_t>(w) * static_cast<size_t>(rows));
    for (int y = 0; y < rows; ++y)
        std::memcpy(scratch_.data() + static_cast<size_t>(y) * w, model_.data().Picture.line(lineOf(floor + y)),
                    static_cast<size_t>(w));
    return scratch_.data();
}

void ToolContext::blit(const IndexedBitmap& from, CellRect src, CellRect dst, bool mirrorX, bool mirrorY) {
    const int sw = src.width(), sh = src.height(), dw = dst.width(), dh = dst.height();
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    // The part of the source that exists, copied out first (source and
    // destination may overlap).
    const int vx0 = std::max(src.Left, 0), vx1 = std::min(src.Right, from.width());
    const int vy0 = std::max(src.Top, 0), vy1 = std::min(src.Bottom, from.height());
    if (vx0 >= vx1 || vy0 >= vy1) return;
    const int vw = vx1 - vx0, vh = vy1 - vy0;
    scratch_.resize(static_cast<size_t>(vw) * static_cast<size_t>(vh));
    for (int y = 0; y < vh; ++y)
        std::memcpy(scratch_.data() + static_cast<size_t>(y) * vw, from.line(vy0 + y) + vx0, static_cast<size_t>(vw));
    // Destination cell -> scratch cell, -1 where the source cell does not exist.
    NearestMap(sw, dw, mirrorX, mapX_);
    NearestMap(sh, dh, mirrorY, mapY_);
    for (int& m : mapX_) m = (src.Left + m >= vx0 && src.Left + m < vx1) ? src.Left + m - vx0 : -1;
    for (int& m : mapY_) m = (src.Top + m >= vy0 && src.Top + m < vy1) ? src.Top + m - vy0 : -1;

    const int x0 = std::max(dst.Left, 0), x1 = std::min(dst.Right, W());
    const int y0 = std::max(dst.Top, 0), y1 = std::min(dst.Bottom, model_.lastEditableLine() + 1);
    if (x0 >= x1) return;
    // One to one, unmirrored, every source cell present: whole runs at a time.
    bool straight = sw == dw && !mirrorX;
    for (int x = x0; straight && x < x1; ++x)
        straight = mapX_[static_cast<size_t>(x - dst.Left)] == mapX_[static_cast<size_t>(x0 - dst.Left)] + (x - x0) &&
                   mapX_[static_cast<size_t>(x0 - dst.Left)] >= 0;
    for (int y = y0; y < y1; ++y) {
        const int sy = mapY_[static_cast<size_t>(y - dst.Top)];
        if (sy < 0) continue;
        const uint8_t* s = scratch_.data() + static_cast<size_t>(sy) * vw;
        uint8_t* d = model_.lineForWrite(y);
        if (straight) {
            std::memcpy(d + x0, s + mapX_[static_cast<size_t>(x0 - dst.Left)], static_cast<size_t>(x1 - x0));
            continue;
        }
        const int* mx = mapX_.data() - dst.Left;
        for (int x = x0; x < x1; ++x)
            if (mx[x] >= 0) d[x] = s[mx[x]];
    }
}

CellRect ToolContext::blockBitmapRect() const {
    CellRect r = model_.block().ToBitmapRect(H());
    r.Left = std::clamp(r.Left, 0, W());
    r.Right = std::clamp(r.Right, 0, W());
    r.Top = std::clamp(r.Top, 0, H());
    r.Bottom = std::clamp(r.Bottom, 0, H());
    return r;
}

void ToolContext::copyToBackup(const CellRect& r) {
    IndexedBitmap& backup = model_.data().Backup;
    const IndexedBitmap& pic = model_.data().Picture;
    if (r.isEmpty() || backup.width() < r.Right || backup.height() < r.Bottom) return;
    for (int y = r.Top; y < r.Bottom; ++y)
        std::memcpy(backup.line(y) + r.Left, pic.line(y) + r.Left, static_cast<size_t>(r.width()));
    backup.touch();
}

} // namespace lc
