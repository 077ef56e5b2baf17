#pragma once
// Placing the protected zone: while the zone is on, the left button drags its
// top row to the mouse's row; another button takes the zone away.
#include "editor/DrawingTool.h"

namespace lc {

class ZoneTool : public DrawingTool {
public:
    void move(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;
};

} // namespace lc
