#include "editor/BlockTool.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "editor/ToolContext.h"

namespace lc {

void BlockTool::press(ToolContext& ctx) {
    if (code_ != toolCopyBlock) return;
    const ToolContext::Gesture& g = ctx.gesture();
    ctx.model().block().SetRect(g.pressColumn, g.pressRow, g.pressColumn, g.pressRow, ctx.W());
}

void BlockTool::move(ToolContext& ctx, int /*column*/, int /*row*/, KeyMods /*mods*/, bool /*left*/) {
    if (code_ != toolPastePattern) ctx.dragBlockFrame();
}

DrawingTool::Finish BlockTool::release(ToolContext& ctx, int cc, int cr, KeyMods /*mods*/, bool left) {
    if (code_ == toolPastePattern) {
        pastePattern(ctx, cr, left);
        return Finish::ClearPreviewAndRepaint;
    }
    const ToolContext::Gesture& g = ctx.gesture();
    ctx.model().block().SetRect(g.pressColumn, g.pressRow, cc, cr, ctx.W());
    switch (code_) {
    case toolCopyBlock: copy(ctx); return Finish::KeepPreview; // no repaint: the copied block's frame stays on screen
    case toolCutBlock: cut(ctx); break;
    default: paste(ctx, cc, cr); break;
    }
    return Finish::ClearPreviewAndRepaint;
}

// Copy: the block goes to the backup and becomes BlockRect; its frame stays shown.
void BlockTool::copy(ToolContext& ctx) {
    ActiveBlock& blk = ctx.model().block();
    blk.SavePrevious();
    ctx.state().BlockRect = ctx.blockBitmapRect();
    blk.Reset();
    ctx.copyToBackup(ctx.state().BlockRect);
    if (blk.previous.isEmpty()) ctx.clearOverlay();
    else ctx.showFrame(blk.previous);
}

// Cut: the block goes to the backup, becomes BlockRect and takes colour B
// (the zone keeps its cells).
void BlockTool::cut(ToolContext& ctx) {
    CanvasModel& model = ctx.model();
    ctx.state().BlockRect = ctx.blockBitmapRect();
    model.undo().BeginStep();
    model.block().Reset();
    const CellRect& block = ctx.state().BlockRect;
    ctx.copyToBackup(block);
    const uint8_t b = CanonicalIndex(model.data())[ctx.state().ColorB];
    const int bottom = std::min(block.Bottom, model.lastEditableLine() + 1);
    for (int y = block.Top; y < bottom; ++y)
        std::memset(model.lineForWrite(y) + block.Left, b, static_cast<size_t>(block.width()));
}

// Paste: a click pastes the copied block unscaled with its bottom-left cell on
// the clicked cell; a drag stretches it into the dragged block.
void BlockTool::paste(ToolContext& ctx, int cc, int cr) {
    CanvasModel& model = ctx.model();
    model.undo().BeginStep();
    const CellRect src = ctx.state().BlockRect;
    if (src.isEmpty()) return;
    const int pc = ctx.gesture().pressColumn, pr = ctx.gesture().pressRow;
    CellRect dst;
    if (cc == pc && cr == pr) {
        dst = {pc, ctx.H() - pr - src.height(), pc + src.width(), ctx.H() - pr};
    } else {
        dst = model.block().ToBitmapRect(ctx.H());
        if (dst.isEmpty()) return;
    }
    ctx.blit(model.data().Backup, src, dst, false, false);
}

// The gallery's selected pattern. The left button places it with its
// bottom-left cell on the clicked cell; another button tiles the whole
// pattern with it from the bottom-left corner. The zone keeps its cells.
void BlockTool::pastePattern(ToolContext& ctx, int cr, bool left) {
    IPatternSource* patterns = ctx.patterns();
    std::optional<PackedPattern> got = patterns ? patterns->selectedPattern() : std::nullopt;
    if (!got) return;
    const PackedPattern p = *got;
    // A pattern without cells, or whose data is shorter than its size says,
    // is refused: it would tile forever or read past its data.
    if (p.width < 1 || p.height < 1 || !p.data) return;
    const size_t rowBytes = (static_cast<size_t>(p.width) + 1) / 2;
    if (p.size / rowBytes < static_cast<size_t>(p.height)) return;
    auto cell = [&](int x, int j) -> uint8_t {
        const uint8_t byte = p.data[static_cast<size_t>(j) * rowBytes + static_cast<size_t>(x) / 2];
        return (x & 1) ? (byte & 0x0F) : (byte >> 4);
    };
    CanvasModel& model = ctx.model();
    model.undo().BeginStep();
    const int w = ctx.W(), h = ctx.H(), floor = model.editFloor();
    if (left) {
        const int pc = ctx.gesture().pressColumn;
        const int x0 = std::max(0, pc), x1 = std::min<long long>(w, static_cast<long long>(pc) + p.width);
        for (int j = 0; j < p.height; ++j) {
            const long long row = static_cast<long long>(cr) + j;
            if (row < floor) continue;
            if (row >= h) break;
            uint8_t* ln = model.rowForWrite(static_cast<int>(row));
            for (int x = x0; x < x1; ++x) ln[x] = cell(x - pc, j);
        }
        return;
    }
    // Every editable cell (c, r) takes pattern cell (c mod w, r mod h): each
    // pattern row is spread over the width once, then copied where it repeats.
    const int bands = std::min(p.height, h);
    std::vector<uint8_t> tiles(static_cast<size_t>(bands) * static_cast<size_t>(w));
    std::vector<uint8_t> built(static_cast<size_t>(bands), 0);
    for (int row = floor; row < h; ++row) {
        const int j = row % p.height;
        uint8_t* t = tiles.data() + static_cast<size_t>(j) * w;
        if (!built[static_cast<size_t>(j)]) {
            const int period = std::min(p.width, w);
            for (int x = 0; x < period; ++x) t[x] = cell(x, j);
            ToolContext::repeatPeriod(t, w, period);
            built[static_cast<size_t>(j)] = 1;
        }
        std::memcpy(model.rowForWrite(row), t, static_cast<size_t>(w));
    }
}

} // namespace lc
