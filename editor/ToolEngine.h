#pragma once
// The drawing-tool engine: turns a press, drags and a release over the stitch
// grid into changes of the picture, by the tool in use (setTool).
//
// Driving it: the canvas widget passes its mouse events in widget pixels
// (MouseDown / MouseMove / MouseUp); tests and scripted callers may pass cells
// instead (pressCell / moveCell / releaseCell). While a button is held the
// widget draws overlay() over the picture: the rubber band of the tool in use,
// or the frame of the block last copied, which stays until the next press.
//
// The engine keeps the gesture (press point, held button, Shift's square,
// Ctrl's turn, which cell was tracked last) and hands each event to the tool
// object of the current code, one per family (BrushTool, ShapeTool, FillTool,
// TransformTool, BlockTool, RowColumnTool, ZoneTool, GrabTool, TextTool), taken from a
// table by the tool code. Codes without a tool do nothing.
//
// Each writing gesture is one undo step, opened at the press (brush, eraser)
// or at the release (every other tool) and extended with every row the gesture
// writes, so undo restores all of it. Tools use a private scratch buffer; the
// raster's backup bitmap holds only the block last copied or cut (the editor
// state's BlockRect).
#include <array>
#include <memory>

#include "editor/CanvasModel.h"
#include "editor/DrawingTool.h"
#include "editor/EditorInterfaces.h"
#include "editor/Overlay.h"
#include "editor/ToolCodes.h"
#include "editor/TextTool.h"
#include "editor/ToolContext.h"

namespace lc {

class ToolEngine {
public:
    explicit ToolEngine(CanvasModel& model, IPatternSource* patterns = nullptr);

    void setPatternSource(IPatternSource* patterns) { ctx_.setPatternSource(patterns); }
    CanvasModel& model() { return ctx_.model(); }

    // --- the tool in use (the brush at first) --------------------------------------
    void setTool(ToolCode code);
    ToolCode tool() const { return code_; }

    // --- text ---------------------------------------------------------------------
    // The text tool writes `stamp` into the picture as one undo step; false when
    // nothing changed.
    bool putText(const TextStamp& stamp);

    // --- mouse, in widget pixels -------------------------------------------
    void MouseDown(MouseButton button, KeyMods mods, int x, int y);
    void MouseMove(KeyMods mods, int x, int y);
    void MouseUp(MouseButton button, KeyMods mods, int x, int y);
    // The widget lost the mouse in mid-gesture: ends it without applying the tool.
    void cancelGesture();
    bool pressed() const { return pressed_; }

    // --- the same by cells --------------------------------------------------
    void pressCell(MouseButton button, KeyMods mods, int column, int row);
    void moveCell(KeyMods mods, int column, int row);
    void releaseCell(MouseButton button, KeyMods mods, int column, int row);
    void clickCell(MouseButton button, KeyMods mods, int column, int row);
    // Press on the first cell, move to the second, release there.
    void dragCells(MouseButton button, KeyMods mods, int column1, int row1, int column2, int row2);

    // --- preview ----------------------------------------------------------------
    Overlay overlay() const { return ctx_.overlay(); }
    // No frame is on screen any more (the editor frame changed tools).
    void clearOverlay() { ctx_.clearOverlay(); }

private:
    // Tool objects by code, toolBrush .. toolGrab.
    static constexpr int kFirstCode = toolBrush;
    static constexpr int kCodeSlots = toolGrab - toolBrush + 1;

    void setCurrentPoint(KeyMods mods, int x, int y);

    ToolContext ctx_;
    std::array<std::unique_ptr<DrawingTool>, kCodeSlots> tools_;
    ToolCode code_ = toolBrush;
    DrawingTool* active_ = nullptr; // the tool of code_, none for a code without one

    bool pressed_ = false;
    PixelPoint lastTracked_{0, 0}; // the cell the tool last tracked
};

} // namespace lc
