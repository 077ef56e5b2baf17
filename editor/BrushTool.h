#pragma once
// The tools that work cell by cell as the mouse goes: the brush, the magic
// eraser and the dropper.
//
// Brush: paints BrushSize + 1 square cells in the button's colour (size 3 is
// the chess brush); with Ctrl the whole row. Magic eraser: swaps colour A and B
// under a small square; with Ctrl in the whole row, with Shift in the whole
// pattern above the zone. Dropper: the clicked cell's colour becomes A (left
// button) or B; hovering shows the colour under the mouse in the palette.
// Between two mouse positions of a stroke the brush and the eraser cover every
// cell of the segment (every row with Ctrl), so a quick stroke is a line, not
// dots.
#include "editor/DrawingTool.h"
#include "editor/ToolCodes.h"

namespace lc {

class BrushTool : public DrawingTool {
public:
    // toolBrush, toolMagicEraser or toolDropper.
    explicit BrushTool(ToolCode code) : code_(code) {}

    void press(ToolContext& ctx) override;
    void move(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;
    void hover(ToolContext& ctx, int column, int row) override;

private:
    void rowForm(ToolContext& ctx, int row, bool left);
    void paint(ToolContext& ctx, int c, int r, bool left);
    void erase(ToolContext& ctx, int c, int r, KeyMods mods, bool left);
    void pick(ToolContext& ctx, int c, int r, bool left);

    ToolCode code_;
    // The cell the brush or eraser reached last in this gesture.
    bool tracked_ = false;
    int lastColumn_ = 0;
    int lastRow_ = 0;
};

} // namespace lc
