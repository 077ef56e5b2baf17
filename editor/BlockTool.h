#pragma once
// The block tools: copy, cut, paste (a click places the copied block, a drag
// stretches it) and pasting the gallery's selected pattern. Copy, cut and
// paste drag out the selection block and show its frame; the block copied or
// cut goes to the raster's backup bitmap and becomes BlockRect.
#include "editor/DrawingTool.h"
#include "editor/ToolCodes.h"

namespace lc {

class BlockTool : public DrawingTool {
public:
    // toolCopyBlock, toolCutBlock, toolPasteBlock or toolPastePattern.
    explicit BlockTool(ToolCode code) : code_(code) {}

    bool keepsSquare() const override { return code_ != toolPastePattern; }
    void press(ToolContext& ctx) override;
    void move(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;
    Finish release(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;

private:
    static void copy(ToolContext& ctx);
    static void cut(ToolContext& ctx);
    static void paste(ToolContext& ctx, int cc, int cr);
    static void pastePattern(ToolContext& ctx, int cr, bool left);

    ToolCode code_;
};

} // namespace lc
