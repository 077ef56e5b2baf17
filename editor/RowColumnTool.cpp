#include "editor/RowColumnTool.h"

#include <algorithm>
#include <cstring>

#include "editor/ToolContext.h"

namespace lc {

namespace {
// Rows or columns inserted or deleted per click.
int rowsPerClick(int brushSize) { return brushSize == 0 ? 1 : (brushSize == 1 ? 2 : 3); }
} // namespace

DrawingTool::Finish RowColumnTool::release(ToolContext& ctx, int /*column*/, int /*row*/, KeyMods /*mods*/, bool left) {
    if (code_ == toolRows) rows(ctx, left);
    else columns(ctx, left);
    return Finish::ClearPreviewAndRepaint;
}

// Insert or delete k rows at the press row. A delete near the top deletes the
// rows from the press row up, never rows below it.
void RowColumnTool::rows(ToolContext& ctx, bool insert) {
    CanvasModel& model = ctx.model();
    const int h = ctx.H(), w = ctx.W(), pr = ctx.gesture().pressRow;
    if (pr < 0 || pr >= h) return; // pressed beyond the pattern
    model.undo().BeginStep();
    const int k = rowsPerClick(ctx.state().BrushSize);
    const int floor = model.editFloor();
    const uint8_t b = CanonicalIndex(model.data())[ctx.state().ColorB];
    const IndexedBitmap& pic = model.data().Picture;
    if (insert) {
        for (int row = h - 1; row >= std::max(pr + k, floor); --row)
            std::memcpy(model.rowForWrite(row), pic.line(ctx.lineOf(row - k)), static_cast<size_t>(w));
        for (int row = std::max(pr, floor); row < std::min(pr + k, h); ++row)
            std::memset(model.rowForWrite(row), b, static_cast<size_t>(w));
    } else {
        const int kk = std::min(k, h - pr);
        for (int row = std::max(pr, floor); row <= h - 1 - kk; ++row)
            std::memcpy(model.rowForWrite(row), pic.line(ctx.lineOf(row + kk)), static_cast<size_t>(w));
        for (int row = std::max(h - kk, floor); row < h; ++row)
            std::memset(model.rowForWrite(row), b, static_cast<size_t>(w));
    }
}

// Insert or delete k columns at the press column in every editable row.
void RowColumnTool::columns(ToolContext& ctx, bool insert) {
    CanvasModel& model = ctx.model();
    const int w = ctx.W(), pc = ctx.gesture().pressColumn;
    if (pc < 0 || pc >= w) return;
    model.undo().BeginStep();
    const int k = rowsPerClick(ctx.state().BrushSize);
    const uint8_t b = CanonicalIndex(model.data())[ctx.state().ColorB];
    for (int row = model.editFloor(); row < ctx.H(); ++row) {
        uint8_t* ln = model.rowForWrite(row);
        if (insert) {
            if (pc + k < w) std::memmove(ln + pc + k, ln + pc, static_cast<size_t>(w - pc - k));
            std::memset(ln + pc, b, static_cast<size_t>(std::min(k, w - pc)));
        } else {
            const int kk = std::min(k, w - pc);
            std::memmove(ln + pc, ln + pc + kk, static_cast<size_t>(w - pc - kk));
            std::memset(ln + w - kk, b, static_cast<size_t>(kk));
        }
    }
}

} // namespace lc
