#include "editor/GrabTool.h"

#include "editor/ToolContext.h"

namespace lc {

void GrabTool::move(ToolContext& ctx, int /*column*/, int /*row*/, KeyMods /*mods*/, bool /*left*/) {
    CanvasModel& model = ctx.model();
    const ToolContext::Gesture& g = ctx.gesture();
    const int dx = (g.current.x - g.previous.x) / model.geom.cellWidth();
    const int dy = (g.current.y - g.previous.y) / model.geom.cellHeight();
    if (dx == 0 && dy == 0) return;
    model.ScrollBy(dx, dy);
    model.screenScrolled();
}

} // namespace lc
