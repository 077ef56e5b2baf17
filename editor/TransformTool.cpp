#include "editor/TransformTool.h"

#include <algorithm>
#include <cstring>

#include "editor/ToolContext.h"

namespace lc {

namespace {
// Remainder with the sign of the divisor (d > 0).
int wrap(int v, int d) {
    const int m = v % d;
    return m < 0 ? m + d : m;
}
} // namespace

void TransformTool::move(ToolContext& ctx, int /*column*/, int /*row*/, KeyMods /*mods*/, bool /*left*/) {
    if (code_ != toolMove) return;
    // Moving shows the way from the press point to the mouse.
    const ToolContext::Gesture& g = ctx.gesture();
    if (g.current == g.previous) return;
    ctx.setOverlay(Overlay::Kind::Line, {g.press, g.current});
}

DrawingTool::Finish TransformTool::release(ToolContext& ctx, int cc, int cr, KeyMods mods, bool left) {
    switch (code_) {
    case toolVSymmetry: mirror(ctx, cc, cr, false); break;
    case toolHSymmetry: mirror(ctx, cc, cr, true); break;
    case toolHScale: scaleAcross(ctx, cc, cr); break;
    case toolVScale: scaleUp(ctx, cc, cr); break;
    case toolRotate: rotate(ctx, cc, cr); break;
    case toolCloning: clone(ctx, cc, cr, mods, left); break;
    case toolVReflection: reflectAcross(ctx, cr); break;
    case toolHReflection: reflectUp(ctx, cc, cr); break;
    case toolMove: shift(ctx, cc, cr); break;
    default: break;
    }
    return Finish::ClearPreviewAndRepaint;
}

// Symmetry: columns 0..cc of rows L..cr (about a horizontal axis: L..cr+1)
// mirrored in place.
void TransformTool::mirror(ToolContext& ctx, int cc, int cr, bool horizontalAxis) {
    if (!ctx.beginRegion(cc, cr)) return;
    const CellRect region = ctx.regionLines(cc, horizontalAxis ? cr + 1 : cr);
    ctx.blit(ctx.model().data().Picture, region, region, !horizontalAxis, horizontalAxis);
}

// Columns 0..cc of rows L..cr stretched to twice the width, the right edge
// held at W - 1 when that reaches the last column (which then keeps its cells).
void TransformTool::scaleAcross(ToolContext& ctx, int cc, int cr) {
    if (!ctx.beginRegion(cc, cr)) return;
    const int right = ctx.W() <= 2 * (cc + 1) ? ctx.W() - 1 : 2 * (cc + 1);
    const CellRect src = ctx.regionLines(cc, cr);
    ctx.blit(ctx.model().data().Picture, src, {0, src.Top, right, src.Bottom}, false, false);
}

// Rows L..cr stretched to twice as many rows, squeezed under the top row.
void TransformTool::scaleUp(ToolContext& ctx, int cc, int cr) {
    if (!ctx.beginRegion(cc, cr)) return;
    const CellRect src = ctx.regionLines(cc, cr);
    const int topLine = std::max(0, src.Bottom - 2 * src.height());
    ctx.blit(ctx.model().data().Picture, src, {0, topLine, src.Right, src.Bottom}, false, false);
}

// The square of n + 1 cells at (0, L) turned a quarter clockwise:
// cell (x, y) moves to (y, n - x). Cells beyond the pattern read as 0.
void TransformTool::rotate(ToolContext& ctx, int cc, int cr) {
    CanvasModel& model = ctx.model();
    const int floor = model.editFloor();
    const int n = std::max(cc, cr - floor);
    model.undo().BeginStep();
    if (n <= 0) return;
    const int w = ctx.W(), rows = ctx.H() - floor;
    if (rows <= 0) return;
    const uint8_t* rowsBefore = ctx.copyEditableRows();
    auto old = [&](int x, int y) -> uint8_t {
        return (x >= 0 && x < w && y >= 0 && y < rows) ? rowsBefore[static_cast<size_t>(y) * w + x] : 0;
    };
    const int yMax = std::min(n, rows - 1), xMax = std::min(n, w - 1);
    for (int y = 0; y <= yMax; ++y) {
        uint8_t* d = model.rowForWrite(floor + y);
        // new (X, Y) = old (n - Y, X)
        for (int x = 0; x <= xMax; ++x) d[x] = old(n - y, x);
    }
}

// Cloning: columns 0..cc of rows L..cr repeated to the right; the left button
// then repeats that band upward. Ctrl repeats only the press row.
void TransformTool::clone(ToolContext& ctx, int cc, int cr, KeyMods mods, bool left) {
    if (!ctx.beginRegion(cc, cr)) return; // no period to repeat
    CanvasModel& model = ctx.model();
    const int floor = model.editFloor(), w = ctx.W(), h = ctx.H();
    const int period = cc + 1;
    auto repeatRow = [&](int row) {
        if (period < w) ToolContext::repeatPeriod(model.rowForWrite(row), w, period);
    };
    if (mods.ctrl) {
        const int pr = ctx.gesture().pressRow;
        if (pr >= floor && pr < h) repeatRow(pr);
        return;
    }
    const int top = std::min(cr, h - 1);
    for (int row = floor; row <= top; ++row) repeatRow(row);
    if (!left) return;
    const int band = cr - floor + 1;
    for (int row = cr + 1; row < h; ++row)
        std::memcpy(model.rowForWrite(row), model.data().Picture.line(ctx.lineOf(floor + (row - floor) % band)),
                    static_cast<size_t>(w));
}

// Vertical reflection: in rows L..cr the columns right of the press column
// take the mirror image of the columns up to it, stopping at the last column.
void TransformTool::reflectAcross(ToolContext& ctx, int cr) {
    CanvasModel& model = ctx.model();
    const int floor = model.editFloor(), w = ctx.W();
    if (cr < floor) return;
    model.undo().BeginStep();
    const int a = ctx.gesture().pressColumn;
    if (a < 0 || a >= w - 1) return;
    const int e = std::min(2 * a + 1, w - 1);
    for (int row = floor; row <= std::min(cr, ctx.H() - 1); ++row) {
        uint8_t* ln = model.rowForWrite(row);
        for (int x = a + 1; x <= e; ++x) ln[x] = ln[2 * a + 1 - x];
    }
}

// Horizontal reflection: rows L..cr mirrored upward about the top edge of the release row.
void TransformTool::reflectUp(ToolContext& ctx, int cc, int cr) {
    CanvasModel& model = ctx.model();
    const int floor = model.editFloor(), h = ctx.H();
    if (cr < floor) return;
    model.undo().BeginStep();
    if (cc < 0) return;
    const int cols = std::min(cc + 1, ctx.W());
    for (int i = 0; i <= cr - floor; ++i) {
        const int dst = cr + 1 + i, src = cr - i;
        if (dst >= h) break;
        if (src >= h) continue;
        std::memcpy(model.rowForWrite(dst), model.data().Picture.line(ctx.lineOf(src)), static_cast<size_t>(cols));
    }
}

// Move: rows L..H-1 shifted cyclically so that the content follows the mouse.
void TransformTool::shift(ToolContext& ctx, int cc, int cr) {
    CanvasModel& model = ctx.model();
    model.undo().BeginStep();
    const int floor = model.editFloor(), w = ctx.W(), rows = ctx.H() - floor;
    if (rows <= 0 || w <= 0) return;
    const ToolContext::Gesture& g = ctx.gesture();
    const int dx = wrap(cc - g.pressColumn, w), dy = wrap(cr - g.pressRow, rows);
    if (dx == 0 && dy == 0) return;
    const uint8_t* rowsBefore = ctx.copyEditableRows();
    for (int y = 0; y < rows; ++y) {
        const uint8_t* s = rowsBefore + static_cast<size_t>(wrap(y - dy, rows)) * w;
        uint8_t* d = model.rowForWrite(floor + y);
        // d[x] = s[(x - dx) mod w]: two runs split at the wrap point.
        std::memcpy(d + dx, s, static_cast<size_t>(w - dx));
        std::memcpy(d, s + w - dx, static_cast<size_t>(dx));
    }
}

} // namespace lc
