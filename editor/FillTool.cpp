#include "editor/FillTool.h"

#include "editor/ToolContext.h"

namespace lc {

void FillTool::move(ToolContext& /*ctx*/, int /*column*/, int /*row*/, KeyMods mods, bool /*left*/) {
    swapColour_ = mods.shift;
}

DrawingTool::Finish FillTool::release(ToolContext& ctx, int cc, int cr, KeyMods /*mods*/, bool left) {
    CanvasModel& model = ctx.model();
    model.undo().BeginStep();
    if (swapColour_) model.ReplaceColorChess(cc, ctx.lineOf(cr));
    else model.FloodFillAt(cc, ctx.lineOf(cr), left);
    return Finish::ClearPreviewAndRepaint;
}

} // namespace lc
