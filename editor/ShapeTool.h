#pragma once
// The shape tools: line, rectangle, circle and star or polygon, plain or filled.
// A shape is drawn at the release in the picture's coordinates, its pen
// BrushSize + 1 cells wide in the button's colour and a filled shape's inside
// in the other colour. While dragging, a rubber band shows it (the rectangle
// shows the block frame); Shift keeps it square and Ctrl turns a star.
#include <array>

#include "editor/DrawingTool.h"
#include "editor/ToolCodes.h"
#include "editor/ViewGeometry.h"

namespace lc {

// The star outline: up to 2 x 12 vertices plus the closing point.
using StarPoints = std::array<PixelPoint, 25>;

class ShapeTool : public DrawingTool {
public:
    // toolLine, toolRectangle, toolFilledRectangle, toolCircle,
    // toolFilledCircle, toolStar or toolFilledStar.
    explicit ShapeTool(ToolCode code) : code_(code) {}

    bool keepsSquare() const override { return true; }
    bool turnsWithCtrl() const override { return code_ == toolStar || code_ == toolFilledStar; }
    void press(ToolContext& ctx) override;
    void move(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;
    Finish release(ToolContext& ctx, int column, int row, KeyMods mods, bool left) override;

    // The star or polygon in the box (x1, y1)-(x2, y2) turned by `angle`
    // radians; false (points untouched) when the box is under 3 units either way.
    static bool DrawStar(int x1, int y1, int x2, int y2, double angle, int vertices, int depth, StarPoints& points);

private:
    ToolCode code_;
    StarPoints star_{};
    int starCount_ = 0; // star points in use for the preview
};

} // namespace lc
