#pragma once
// The hand: dragging scrolls the view by whole cells. It leaves the picture alone.
#include "editor/DrawingTool.h"

namespace lc {

class GrabTool : public DrawingTool {
public:
    void move(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;
};

} // namespace lc
