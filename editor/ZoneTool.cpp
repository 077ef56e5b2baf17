#include "editor/ZoneTool.h"

#include <algorithm>

#include "editor/ToolContext.h"

namespace lc {

void ZoneTool::move(ToolContext& ctx, int /*column*/, int row, KeyMods /*mods*/, bool left) {
    if (ctx.state().ZoneOn) ctx.state().ZoneRow = left ? std::clamp(row, -1, ctx.H() - 1) : -1;
    ctx.model().Paint();
}

} // namespace lc
