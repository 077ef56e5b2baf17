#include "editor/ToolEngine.h"

#include <algorithm>
#include <cstdlib>
#include <numbers>
#include <type_traits>

#include "editor/BlockTool.h"
#include "editor/BrushTool.h"
#include "editor/FillTool.h"
#include "editor/GrabTool.h"
#include "editor/RowColumnTool.h"
#include "editor/ShapeTool.h"
#include "editor/TextTool.h"
#include "editor/TransformTool.h"
#include "editor/ZoneTool.h"

namespace lc {

namespace {
int sgn(int v) { return (v > 0) - (v < 0); }

// A tool object for `code`: families that serve several codes are told which.
template <class Tool>
std::unique_ptr<DrawingTool> make(ToolCode code) {
    if constexpr (std::is_constructible_v<Tool, ToolCode>) return std::make_unique<Tool>(code);
    else return std::make_unique<Tool>();
}

struct ToolEntry {
    ToolCode code;
    std::unique_ptr<DrawingTool> (*make)(ToolCode);
};

// Which tool object serves each code. A new tool is one more unit and one more line here.
constexpr ToolEntry kToolTable[] = {
    {toolBrush, make<BrushTool>},
    {toolMagicEraser, make<BrushTool>},
    {toolDropper, make<BrushTool>},
    {toolLine, make<ShapeTool>},
    {toolRectangle, make<ShapeTool>},
    {toolFilledRectangle, make<ShapeTool>},
    {toolCircle, make<ShapeTool>},
    {toolFilledCircle, make<ShapeTool>},
    {toolStar, make<ShapeTool>},
    {toolFilledStar, make<ShapeTool>},
    {toolFill, make<FillTool>},
    {toolVSymmetry, make<TransformTool>},
    {toolHSymmetry, make<TransformTool>},
    {toolVReflection, make<TransformTool>},
    {toolHReflection, make<TransformTool>},
    {toolRotate, make<TransformTool>},
    {toolHScale, make<TransformTool>},
    {toolVScale, make<TransformTool>},
    {toolCloning, make<TransformTool>},
    {toolMove, make<TransformTool>},
    {toolCopyBlock, make<BlockTool>},
    {toolCutBlock, make<BlockTool>},
    {toolPasteBlock, make<BlockTool>},
    {toolPastePattern, make<BlockTool>},
    {toolRows, make<RowColumnTool>},
    {toolColumns, make<RowColumnTool>},
    {toolZonePosition, make<ZoneTool>},
    {toolGrab, make<GrabTool>},
    {toolAddText, make<TextTool>},
};
} // namespace

ToolEngine::ToolEngine(CanvasModel& model, IPatternSource* patterns) : ctx_(model, patterns) {
    for (const ToolEntry& e : kToolTable) tools_[static_cast<size_t>(e.code - kFirstCode)] = e.make(e.code);
    setTool(toolBrush);
}

bool ToolEngine::putText(const TextStamp& stamp) {
    // The text tool writes outside any mouse gesture: the text dialog hands it the cells.
    auto* text = static_cast<TextTool*>(tools_[static_cast<size_t>(toolAddText - kFirstCode)].get());
    return text->put(ctx_, stamp);
}

void ToolEngine::setTool(ToolCode code) {
    code_ = code;
    const int slot = code - kFirstCode;
    active_ = slot >= 0 && slot < kCodeSlots ? tools_[static_cast<size_t>(slot)].get() : nullptr;
}

// ---------------------------------------------------------------------------
// Gesture: press, moves, release

// Shift keeps a shape square around its press point: the current point moves
// onto the nearer diagonal through the press point.
void ToolEngine::setCurrentPoint(KeyMods mods, int x, int y) {
    ToolContext::Gesture& g = ctx_.gesture();
    g.current = {x, y};
    if (pressed_ && mods.shift && active_ && active_->keepsSquare()) {
        const int dx = x - g.press.x, dy = y - g.press.y;
        const int m = std::min(std::abs(dx), std::abs(dy));
        g.current = {g.press.x + sgn(dx) * m, g.press.y + sgn(dy) * m};
    }
}

void ToolEngine::MouseDown(MouseButton button, KeyMods mods, int x, int y) {
    if (pressed_) return; // a second button while one is held belongs to the same gesture
    CanvasModel& model = ctx_.model();
    ToolContext::Gesture& g = ctx_.gesture();
    g.press = g.current = g.previous = {x, y};
    g.turn = g.nextTurn = 0;
    g.pressColumn = model.geom.ColAtX(x);
    g.pressRow = model.geom.RowAtY(y);
    g.button = button;
    pressed_ = true;

    ctx_.clearOverlay(); // the frame of the block copied last goes with the next press
    if (active_) {
        active_->press(ctx_);
        active_->move(ctx_, g.pressColumn, g.pressRow, mods, button == MouseButton::Left);
    }
    // The press cell has just been tracked. (Keeping the previous gesture's
    // last cell instead would skip the first move into that cell: a brush
    // stroke crossing where the last one ended would leave a gap there.)
    lastTracked_ = {g.pressColumn, g.pressRow};
}

void ToolEngine::MouseMove(KeyMods mods, int x, int y) {
    CanvasModel& model = ctx_.model();
    ToolContext::Gesture& g = ctx_.gesture();
    setCurrentPoint(mods, x, y);
    if (mods.ctrl) g.nextTurn = (g.current.x - g.previous.x) * std::numbers::pi / 100.0;
    const int c = model.geom.ColAtX(x), r = model.geom.RowAtY(y);
    if (!pressed_) {
        if (active_) active_->hover(ctx_, c, r);
    } else if (PixelPoint{c, r} != lastTracked_) {
        if (active_) active_->move(ctx_, c, r, mods, g.button == MouseButton::Left);
        g.previous = g.current;
        lastTracked_ = {c, r};
        g.turn = g.nextTurn;
    }
    model.events().showPosition(c + 1, r + 1);
}

void ToolEngine::MouseUp(MouseButton button, KeyMods mods, int x, int y) {
    ToolContext::Gesture& g = ctx_.gesture();
    if (!pressed_ || button != g.button) return;
    // The release point counts as the last move, unless Ctrl is turning a
    // shape (then it keeps the size it had when Ctrl was taken).
    const bool turning = mods.ctrl && active_ && active_->turnsWithCtrl();
    if (!turning) setCurrentPoint(mods, x, y);
    pressed_ = false;
    CanvasModel& model = ctx_.model();
    const int cc = model.geom.ColAtX(g.current.x), cr = model.geom.RowAtY(g.current.y);
    const DrawingTool::Finish finish = active_ ? active_->release(ctx_, cc, cr, mods, g.button == MouseButton::Left)
                                               : DrawingTool::Finish::ClearPreview;
    if (finish != DrawingTool::Finish::KeepPreview) ctx_.clearOverlay();
    if (finish == DrawingTool::Finish::ClearPreviewAndRepaint) {
        model.changed();
        model.Paint();
    }
    model.undo().CloseStep();
}

void ToolEngine::cancelGesture() {
    if (!pressed_) return;
    pressed_ = false;
    ctx_.model().undo().CloseStep();
    ctx_.clearOverlay();
}

void ToolEngine::pressCell(MouseButton button, KeyMods mods, int column, int row) {
    const PixelPoint p = ctx_.model().geom.pixelOfCell(column, row);
    MouseDown(button, mods, p.x, p.y);
}

void ToolEngine::moveCell(KeyMods mods, int column, int row) {
    const PixelPoint p = ctx_.model().geom.pixelOfCell(column, row);
    MouseMove(mods, p.x, p.y);
}

void ToolEngine::releaseCell(MouseButton button, KeyMods mods, int column, int row) {
    const PixelPoint p = ctx_.model().geom.pixelOfCell(column, row);
    MouseUp(button, mods, p.x, p.y);
}

void ToolEngine::clickCell(MouseButton button, KeyMods mods, int column, int row) {
    pressCell(button, mods, column, row);
    releaseCell(button, mods, column, row);
}

void ToolEngine::dragCells(MouseButton button, KeyMods mods, int column1, int row1, int column2, int row2) {
    pressCell(button, mods, column1, row1);
    moveCell(mods, column2, row2);
    releaseCell(button, mods, column2, row2);
}

} // namespace lc
