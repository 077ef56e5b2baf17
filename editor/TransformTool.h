#pragma once
// The tools that rework a region of the pattern at the release: symmetry,
// reflection, rotation, scaling, cloning and moving. Most work on columns
// 0..c of rows L..r, c and r the release cell and L the first row above the zone.
#include "editor/DrawingTool.h"
#include "editor/ToolCodes.h"

namespace lc {

class TransformTool : public DrawingTool {
public:
    // toolVSymmetry, toolHSymmetry, toolHScale, toolVScale, toolRotate,
    // toolCloning, toolVReflection, toolHReflection or toolMove.
    explicit TransformTool(ToolCode code) : code_(code) {}

    bool keepsSquare() const override { return code_ == toolMove; }
    void move(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;
    Finish release(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;

private:
    static void mirror(ToolContext& ctx, int cc, int cr, bool horizontalAxis);
    static void scaleAcross(ToolContext& ctx, int cc, int cr);
    static void scaleUp(ToolContext& ctx, int cc, int cr);
    static void rotate(ToolContext& ctx, int cc, int cr);
    static void clone(ToolContext& ctx, int cc, int cr, KeyMods mods, bool left);
    static void reflectAcross(ToolContext& ctx, int cr);
    static void reflectUp(ToolContext& ctx, int cc, int cr);
    static void shift(ToolContext& ctx, int cc, int cr);

    ToolCode code_;
};

} // namespace lc
