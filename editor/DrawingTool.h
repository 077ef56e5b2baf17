#pragma once
// One family of drawing tools. The tool engine keeps one object per tool code
// and calls the one in use once per mouse event of a gesture; the work on the
// cells happens in plain loops inside these calls. Everything the tools share
// (the canvas, the gesture, the preview, the region and row helpers) comes in
// the ToolContext.
#include <cstdint>

#include "editor/EditorInterfaces.h"

namespace lc {

class ToolContext;

class DrawingTool {
public:
    // What the engine does after release().
    enum class Finish : uint8_t {
        ClearPreview,           // the work was done while tracking: only the preview goes
        ClearPreviewAndRepaint, // the release changed the picture: the preview goes, the picture is redrawn
        KeepPreview,            // the preview the tool left stays on screen (the copied block's frame)
    };

    virtual ~DrawingTool() = default;

    // Shift keeps the shape square around the press point.
    virtual bool keepsSquare() const { return false; }
    // Ctrl-dragging turns the shape; a release with Ctrl keeps the size it had
    // when Ctrl was taken.
    virtual bool turnsWithCtrl() const { return false; }

    // A button went down at the gesture's press cell; move() follows for that cell.
    virtual void press(ToolContext& /*ctx*/) {}
    // With a button held the mouse reached cell (column, row).
    virtual void move(ToolContext& /*ctx*/, int /*column*/, int /*row*/, KeyMods /*mods*/, bool /*left*/) {}
    // The mouse is over (column, row) with no button held.
    virtual void hover(ToolContext& /*ctx*/, int /*column*/, int /*row*/) {}
    // The button came up; (column, row) is the cell of the gesture's last point.
    virtual Finish release(ToolContext& /*ctx*/, int /*column*/, int /*row*/, KeyMods /*mods*/, bool /*left*/) {
        return Finish::ClearPreview;
    }
};

} // namespace lc
