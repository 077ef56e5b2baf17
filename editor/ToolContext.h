#pragma once
// What every drawing tool works with: the canvas model and its editor state,
// the gallery, the gesture in progress, the preview on screen, and the helpers several tools
// share (the edit region, the row snapshot, the square brushes, colour swaps,
// period repeats and the opening of the gesture's undo step).
//
// Tools keep their work in plain loops over picture lines; the helpers here
// are inline where they sit inside such a loop.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "editor/CanvasModel.h"
#include "editor/EditorInterfaces.h"
#include "editor/Overlay.h"
#include "editor/SelectionBlock.h"
#include "editor/ViewGeometry.h"

namespace lc {

class ToolContext {
public:
    // The gesture in progress (or the last one), in widget pixels and cells.
    struct Gesture {
        MouseButton button = MouseButton::Left;
        PixelPoint press, current, previous; // `previous`: the point of the last tracked move
        int pressColumn = 0, pressRow = 0;
        // Ctrl-dragging turns a shape: the angle taken at the last tracked
        // move, and the one the latest move asks for.
        double turn = 0, nextTurn = 0;
    };

    ToolContext(CanvasModel& model, IPatternSource* patterns) : model_(model), patterns_(patterns) {}

    CanvasModel& model() const { return model_; }
    // The colours, brush, zone, star and copied block the tools use.
    EditorState& state() const { return model_.state(); }
    IPatternSource* patterns() const { return patterns_; }
    void setPatternSource(IPatternSource* patterns) { patterns_ = patterns; }
    Gesture& gesture() { return gesture_; }
    const Gesture& gesture() const { return gesture_; }

    int W() const { return model_.W(); }
    int H() const { return model_.H(); }
    int lineOf(int row) const { return H() - 1 - row; }

    // --- preview --------------------------------------------------------------
    void setOverlay(Overlay::Kind kind, std::vector<PixelPoint> points);
    // The frame of `block`, kept in cells so that it follows a scroll of the view.
    void showFrame(const CellBlock& block);
    void clearOverlay();
    Overlay overlay() const;
    // The block dragged from the press cell to the current point: set, framed
    // and its size reported.
    void dragBlockFrame();

    // --- regions and rows ---------------------------------------------------------
    // Opens the undo step of a tool that works on columns 0..cc of rows L..cr
    // (L the first row above the zone); false, and no step, when cc < 0 or cr < L.
    bool beginRegion(int cc, int cr);
    // Columns 0..cc of rows L..top in picture lines.
    CellRect regionLines(int cc, int top) const;
    // The editable rows L..H-1 copied W() cells each, row L first; valid until
    // the next helper that uses the scratch buffer.
    const uint8_t* copyEditableRows();
    // Copies rectangle `src` of `from` (picture lines, exclusive right and
    // bottom, may reach beyond `from`) onto `dst` of the picture, nearest
    // neighbour, mirrored as asked. Source cells outside `from` leave their
    // destination as it was; destination cells outside the raster or in the zone are dropped.
    void blit(const IndexedBitmap& from, CellRect src, CellRect dst, bool mirrorX, bool mirrorY);
    // The selection block's rectangle in picture lines, clipped to the raster.
    CellRect blockBitmapRect() const;
    // Rectangle `r` of the picture into the raster's backup bitmap.
    void copyToBackup(const CellRect& r);

    // --- cell helpers -----------------------------------------------------------
    // f(column, row) for the n x n cells from (c, r) up and to the right, row by row.
    template <class F>
    static void eachCellOfSquare(int c, int r, int n, F f) {
        for (int dr = 0; dr < n; ++dr)
            for (int dc = 0; dc < n; ++dc) f(c + dc, r + dr);
    }
    // Every cell `from` among the first w cells of a line becomes `to`.
    static void replaceColour(uint8_t* line, int w, uint8_t from, uint8_t to) {
        for (int x = 0; x < w; ++x)
            if (line[x] == from) line[x] = to;
    }
    // Cells period.. of a line repeat its first `period` cells (the last copy cut at w).
    static void repeatPeriod(uint8_t* line, int w, int period) {
        for (int x = period; x < w; x += period)
            std::memcpy(line + x, line, static_cast<size_t>(std::min(period, w - x)));
    }

private:
    CanvasModel& model_;
    IPatternSource* patterns_;
    Gesture gesture_;

    Overlay::Kind overlayKind_ = Overlay::Kind::None;
    std::vector<PixelPoint> overlayPoints_; // pixels (Frame: unused)
    CellBlock overlayFrame_;                // the block whose frame is shown

    std::vector<uint8_t> scratch_;
    std::vector<int> mapX_, mapY_;
};

} // namespace lc
