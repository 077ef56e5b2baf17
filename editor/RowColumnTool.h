#pragma once
// Adding and removing rows or columns at the press cell: the left button
// inserts, another button deletes, 1, 2 or 3 at a time by the brush size. The
// rows or columns freed take colour B; zone rows keep their cells.
#include "editor/DrawingTool.h"
#include "editor/ToolCodes.h"

namespace lc {

class RowColumnTool : public DrawingTool {
public:
    // toolRows or toolColumns.
    explicit RowColumnTool(ToolCode code) : code_(code) {}

    Finish release(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;

private:
    static void rows(ToolContext& ctx, bool insert);
    static void columns(ToolContext& ctx, bool insert);

    ToolCode code_;
};

} // namespace lc
