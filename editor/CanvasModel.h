#pragma once
// The stitch-grid canvas without its widget: the view geometry, the cell
// operations every tool goes through, clearing, the fills, the protected zone,
// the undo stack and the selection block. Works on the raster's indexed picture
// with the colours, brush, zone and zoom of the editor state it is given.
//
// The protected zone is rows 0..ZoneRow while ZoneOn is set; every writing
// operation here keeps out of it. Every write into the picture goes through
// rowForWrite()/lineForWrite(), which save the row into the open undo step the
// first time a gesture writes it.
#include <array>
#include <cstdint>
#include <vector>

#include "core/EditorState.h"
#include "core/PatternRaster.h"
#include "editor/EditorInterfaces.h"
#include "editor/SelectionBlock.h"
#include "editor/PatternUndoStack.h"
#include "editor/ViewGeometry.h"

namespace lc {

// Palette index -> the lowest index holding the same colour. Tools that paint
// "a colour" write this entry, and fills treat indices of one colour as one
// area. Indices above 16 form classes of their own.
using ColourClasses = std::array<uint8_t, 256>;
ColourClasses CanonicalIndex(const PatternRaster& gd);

class CanvasModel {
public:
    CanvasModel(PatternRaster& gd, EditorState& state, IEditorEvents* events = nullptr, IScreen* screen = nullptr);

    void setEvents(IEditorEvents* events);
    void setScreen(IScreen* screen) { screen_ = screen; }
    IEditorEvents& events() { return events_ ? *events_ : nullEvents_; }

    PatternRaster& data() { return gd_; }
    const PatternRaster& data() const { return gd_; }
    EditorState& state() { return state_; }
    const EditorState& state() const { return state_; }
    int W() const { return gd_.Picture.width(); }
    int H() const { return gd_.Picture.height(); }

    ViewGeometry geom;
    PatternUndoStack& undo() { return undo_; }
    ActiveBlock& block() { return block_; }
    const ActiveBlock& block() const { return block_; }

    // --- protected zone -----------------------------------------------------
    // Highest protected row, -1 for none. A ZoneRow at or above the top row
    // protects the whole pattern (the zone never unprotects by overshooting).
    int zoneTop() const;
    // Lowest editable row (L): the row above the zone.
    int editFloor() const { return zoneTop() + 1; }
    bool isZoneRow(int row) const { return row <= zoneTop(); }
    // Picture lines 0..lastEditableLine() hold the editable rows.
    int lastEditableLine() const { return H() - 1 - editFloor(); }

    // --- cells (column, pattern row) ----------------------------------------
    uint8_t GetCellColor(int column, int row) const;
    void SetCellColor(int column, int row, uint8_t index);
    void PaintCell(int column, int row, bool leftButton);
    void MagicEraseCell(int column, int row, bool leftButton);
    void DrawCell(int column, int row);

    // Writable picture line of a row / line inside the raster, saved first into
    // the open undo step. The caller checks the bounds.
    uint8_t* rowForWrite(int row) {
        undo_.TouchRow(row);
        return gd_.Picture.line(H() - 1 - row);
    }
    uint8_t* lineForWrite(int line) {
        undo_.TouchRow(H() - 1 - line);
        return gd_.Picture.line(line);
    }

    // --- pattern operations --------------------------------------------------
    // (0, top, right, bottom): bottom is the picture line of the lowest editable row.
    CellRect GetEditRect(int right, int top) const;
    // Puts zone rows fromRow..ZoneRow back from the newest undo step, keeping it.
    void RestoreZoneRows(int fromRow);
    void UndoLast();
    // Every editable row to index 0, with one undo step of exactly those rows when asked.
    void ClearPattern(bool saveUndo);
    // Saves the whole pattern as one undo step before something outside the
    // tools (a model's drawing) replaces it.
    void SaveWholePattern();
    // Fills the area of one colour around (column, picture line): solid with the
    // button's colour, or with BrushSize 3 the chess brush anchored at the picture
    // origin. The zone bounds the area.
    void FloodFillAt(int x, int line, bool leftButton);
    // Every cell of the clicked cell's colour above the zone becomes chess A/B.
    void ReplaceColorChess(int x, int line);

    // --- view ------------------------------------------------------------------
    void Paint();
    void SetOrigin(int column, int row);
    void ScrollBy(int columnDelta, int rowDelta);
    void RecalcGrid(int clientWidth, int clientHeight, bool repaint);
    // The pattern was replaced or resized: old steps and the block no longer apply.
    void PatternReplaced();

    // Tell the widget that the preview changed / that the view origin moved.
    void screenOverlayChanged() { screen().overlayChanged(); }
    void screenScrolled() { screen().scrolled(); }

    // Bumps the picture's revision after a change (views and caches rebuild).
    void changed() { gd_.Picture.touch(); }

private:
    struct Span {
        int y, x0, x1;
    };
    void collectRegion(int x, int y, const ColourClasses& cls);

    PatternRaster& gd_;
    EditorState& state_;
    IEditorEvents* events_;
    IEditorEvents nullEvents_;
    IScreen* screen_;
    IScreen nullScreen_;
    PatternUndoStack undo_;
    ActiveBlock block_;
    std::vector<uint8_t> visited_;
    std::vector<Span> spans_;
    std::vector<Span> stack_;

    IScreen& screen() { return screen_ ? *screen_ : nullScreen_; }
};

} // namespace lc
