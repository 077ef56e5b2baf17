#include "editor/BrushTool.h"

#include <algorithm>
#include <cstring>

#include "editor/Rasteriser.h"
#include "editor/ToolContext.h"

namespace lc {

void BrushTool::press(ToolContext& ctx) {
    // Brush and eraser write as they go: the gesture's step opens now.
    if (code_ != toolDropper) ctx.model().undo().BeginStep();
    tracked_ = false;
}

void BrushTool::move(ToolContext& ctx, int column, int row, KeyMods mods, bool left) {
    if (code_ == toolDropper) {
        pick(ctx, column, row, left);
        return;
    }
    if (mods.ctrl) {
        rowForm(ctx, row, left);
    } else {
        auto at = [&](int c, int r) {
            if (code_ == toolBrush) paint(ctx, c, r, left);
            else erase(ctx, c, r, mods, left);
        };
        // The mouse jumps several cells between two moves on a quick stroke: the
        // cell forms paint every cell of the segment from the cell tracked last
        // (already painted) to this one, so the stroke has no gaps. The
        // whole-pattern form acts on the cell reached only.
        const bool cellForm = !(code_ == toolMagicEraser && mods.shift);
        if (cellForm && tracked_) {
            bool first = true;
            WalkLine(lastColumn_, lastRow_, column, row, [&](int x, int y) {
                if (!first) at(x, y);
                first = false;
            });
            if (column != lastColumn_ || row != lastRow_) at(column, row);
        } else {
            at(column, row);
        }
    }
    tracked_ = true;
    lastColumn_ = column;
    lastRow_ = row;
}

void BrushTool::hover(ToolContext& ctx, int column, int row) {
    if (code_ == toolDropper) ctx.model().events().showColorInPalette(ctx.model().GetCellColor(column, row));
}

void BrushTool::rowForm(ToolContext& ctx, int row, bool left) {
    // Whole rows straight into their lines: the row forms ignore the zone. A
    // quick stroke covers every row from the one tracked last (already done)
    // to this one, as a slow drag would; rows outside the pattern are skipped.
    CanvasModel& model = ctx.model();
    int from = row, to = row;
    if (tracked_ && lastRow_ != row) {
        from = lastRow_ < row ? lastRow_ + 1 : row;
        to = lastRow_ < row ? row : lastRow_ - 1;
    }
    from = std::max(from, 0);
    to = std::min(to, ctx.H() - 1);
    const EditorState& st = ctx.state();
    const uint8_t a = st.ColorA, b = st.ColorB;
    const int w = ctx.W();
    for (int r = from; r <= to; ++r) {
        if (code_ == toolBrush) std::memset(model.rowForWrite(r), left ? a : b, static_cast<size_t>(w));
        else ToolContext::replaceColour(model.rowForWrite(r), w, left ? b : a, left ? a : b);
    }
    if (from <= to) model.changed();
    model.Paint();
}

void BrushTool::paint(ToolContext& ctx, int c, int r, bool left) {
    CanvasModel& model = ctx.model();
    switch (ctx.state().BrushSize) {
    case 0: model.PaintCell(c, r, left); break;
    case 1:
    case 2:
        ToolContext::eachCellOfSquare(c, r, ctx.state().BrushSize + 1,
                                      [&](int x, int y) { model.PaintCell(x, y, left); });
        break;
    default: // chess: the left button sets A where column + row is even, another B where it is odd
        ToolContext::eachCellOfSquare(c, r, 3, [&](int x, int y) {
            const bool even = ((x + y) & 1) == 0;
            if (even == left) model.PaintCell(x, y, left);
        });
        break;
    }
    model.changed();
}

void BrushTool::erase(ToolContext& ctx, int c, int r, KeyMods mods, bool left) {
    CanvasModel& model = ctx.model();
    const int w = ctx.W();
    if (mods.shift) {
        // The whole pattern above the zone, the opposite way to the cell form.
        const uint8_t a = ctx.state().ColorA, b = ctx.state().ColorB;
        const uint8_t from = left ? a : b, to = left ? b : a;
        for (int row = model.editFloor(); row < ctx.H(); ++row) {
            const uint8_t* src = model.data().Picture.line(ctx.lineOf(row));
            if (std::memchr(src, from, static_cast<size_t>(w)))
                ToolContext::replaceColour(model.rowForWrite(row), w, from, to);
        }
        model.changed();
        model.Paint();
        return;
    }
    auto eraseCell = [&](int x, int y) { model.MagicEraseCell(x, y, left); };
    switch (ctx.state().BrushSize) {
    case 0: eraseCell(c, r); break;
    case 1: // 2 x 2 from the cell
        ToolContext::eachCellOfSquare(c, r, 2, eraseCell);
        break;
    case 2: // 3 x 3 around it
        ToolContext::eachCellOfSquare(c - 1, r - 1, 3, eraseCell);
        break;
    default: return;
    }
    model.changed();
}

void BrushTool::pick(ToolContext& ctx, int c, int r, bool left) {
    const uint8_t index = ctx.model().GetCellColor(c, r);
    if (index > 16) return; // not a palette colour: keep A and B valid
    (left ? ctx.state().ColorA : ctx.state().ColorB) = index;
    ctx.model().events().makeBobbins();
    ctx.model().events().showPosition(0, index);
}

} // namespace lc
