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
// Each writing gesture is one undo step, opened at the press (brush, eraser)
// or at the release (every other tool) and extended with every row the gesture
// writes, so undo restores all of it. Tools use a private scratch buffer; the
// raster's backup bitmap holds only the block last copied or cut (BlockRect).
#include <array>
#include <cstdint>
#include <vector>

#include "editor/CanvasModel.h"
#include "editor/EditorInterfaces.h"
#include "editor/ToolCodes.h"

namespace lc {

// A preview shape in widget pixels.
struct Overlay {
    enum class Kind : uint8_t {
        None,
        Frame,         // block frame: points[0], points[1] are opposite corners (white, 2 px)
        Line,          // points[0] -> points[1]
        Polyline,      // open polyline through points (a closed star repeats its first point)
        FilledPolygon, // polygon through points, filled
        Ellipse,       // outline inscribed in the box points[0], points[1]
        FilledEllipse, // filled, same box
    };
    Kind kind = Kind::None;
    std::vector<PixelPoint> points;
    bool empty() const { return kind == Kind::None; }
};

// The star outline: up to 2 x 12 vertices plus the closing point.
using StarPoints = std::array<PixelPoint, 25>;

class ToolEngine {
public:
    explicit ToolEngine(CanvasModel& model, IPatternSource* patterns = nullptr);

    void setPatternSource(IPatternSource* patterns) { patterns_ = patterns; }
    CanvasModel& model() { return model_; }

    // --- the tool in use (the brush at first) --------------------------------------
    void setTool(ToolCode code) { code_ = code; }
    ToolCode tool() const { return code_; }

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
    Overlay overlay() const;
    // No frame is on screen any more (the editor frame changed tools).
    void clearOverlay();

    // The star or polygon in the box (x1, y1)-(x2, y2) turned by `angle`
    // radians; false (points untouched) when the box is under 3 units either way.
    static bool DrawStar(int x1, int y1, int x2, int y2, double angle, int vertices, int depth, StarPoints& points);

private:
    void ToolTrack(int column, int row, KeyMods mods, bool left);
    void ToolApply(int column, int row, KeyMods mods, bool left);
    void setCurrentPoint(KeyMods mods, int x, int y);
    bool constrainsShape(uint16_t tool) const;

    // track halves
    void trackBrush(int c, int r, KeyMods mods, bool left);
    void trackEraser(int c, int r, KeyMods mods, bool left);
    void trackBlockFrame();
    void trackShape(uint16_t tool, KeyMods mods);
    void trackDropper(int c, int r, bool left);
    void trackGrab();

    // apply halves
    void applyMirror(int cc, int cr, bool horizontalAxis);
    void applyHScale(int cc, int cr);
    void applyVScale(int cc, int cr);
    void applyFill(int cc, int cr, bool left);
    void applyRotate(int cc, int cr);
    void applyCloning(int cc, int cr, KeyMods mods, bool left);
    void applyVReflection(int cr);
    void applyHReflection(int cc, int cr);
    void applyRows(bool left);
    void applyColumns(bool left);
    void applyCopy();
    void applyPaste(int cc, int cr);
    void applyMove(int cc, int cr);
    void applyShape(uint16_t tool, int cc, int cr, bool left);
    void applyCut();
    void applyPastePattern(int cr, bool left);

    // Copies rectangle `src` of `from` (picture lines, exclusive right and
    // bottom, may reach beyond `from`) onto `dst` of the picture, nearest
    // neighbour, mirrored as asked. Source cells outside `from` leave their
    // destination as it was; destination cells outside the raster or in the zone are dropped.
    void blit(const IndexedBitmap& from, CellRect src, CellRect dst, bool mirrorX, bool mirrorY);
    // Opens the undo step of a tool that works on columns 0..cc of rows L..cr
    // (L the first row above the zone); false, and no step, when cc < 0 or cr < L.
    bool beginRegion(int cc, int cr);
    // Columns 0..cc of rows L..top in picture lines.
    CellRect regionLines(int cc, int top) const;
    // The editable rows L..H-1 into scratch_, W() cells each, row L first.
    void copyEditableRows();
    // The block's rectangle in picture lines, clipped to the raster.
    CellRect blockBitmapRect() const;
    void copyToBackup(const CellRect& r);
    void setOverlay(Overlay::Kind kind, std::vector<PixelPoint> points);

    int W() const { return model_.W(); }
    int H() const { return model_.H(); }
    int lineOf(int row) const { return H() - 1 - row; }

    CanvasModel& model_;
    IPatternSource* patterns_;
    ToolCode code_ = toolBrush;

    bool pressed_ = false;
    MouseButton button_ = MouseButton::Left;
    PixelPoint press_, current_, previous_;
    int pc_ = 0, pr_ = 0;                    // press cell
    PixelPoint lastTracked_{0, 0};           // the cell ToolTrack ran for last
    double starAngle_ = 0, nextStarAngle_ = 0;
    bool fillChess_ = false;
    StarPoints star_{};
    int starCount_ = 0;                      // star points in use for the preview

    Overlay::Kind overlayKind_ = Overlay::Kind::None;
    std::vector<PixelPoint> overlayPoints_;  // pixels (Frame: unused)
    CellBlock overlayFrame_;                 // the block whose frame is shown

    std::vector<uint8_t> scratch_;
    std::vector<int> mapX_, mapY_;
};

} // namespace lc
