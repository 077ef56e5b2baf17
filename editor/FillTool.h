#pragma once
// The fill tool: at the release the area of one colour around the cell takes
// the button's colour (with BrushSize 3 the chess brush: the chess fill). With
// Shift, every cell of that colour above the zone becomes chess A/B instead.
#include "editor/DrawingTool.h"

namespace lc {

class FillTool : public DrawingTool {
public:
    void move(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;
    Finish release(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;

private:
    bool swapColour_ = false; // Shift was held at the last tracked move
};

} // namespace lc
