#include "editor/CanvasModel.h"

#include <algorithm>
#include <cstring>

namespace lc {

ColourClasses CanonicalIndex(const PatternRaster& gd) {
    ColourClasses cls{};
    for (int i = 0; i < 256; ++i) cls[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    for (int i = 1; i <= 16; ++i)
        for (int j = 0; j < i; ++j)
            if ((gd.Colors[static_cast<size_t>(j)] & 0xFFFFFF) == (gd.Colors[static_cast<size_t>(i)] & 0xFFFFFF)) {
                cls[static_cast<size_t>(i)] = static_cast<uint8_t>(j);
                break;
            }
    return cls;
}

CanvasModel::CanvasModel(PatternRaster& gd, EditorState& state, IEditorEvents* events, IScreen* screen)
    : gd_(gd), state_(state), events_(events), screen_(screen), undo_(gd.Picture, events) {
    const int z = state.ZoomIndex < kZoomLevels ? state.ZoomIndex : 4;
    geom.Create(CellWidths[static_cast<size_t>(z)], state.CellHeights[static_cast<size_t>(z)], 0, 0);
}

void CanvasModel::setEvents(IEditorEvents* events) {
    events_ = events;
    undo_.setEvents(events);
}

int CanvasModel::zoneTop() const {
    if (!state_.ZoneOn) return -1;
    return std::max(-1, std::min(state_.ZoneRow, H() - 1));
}

uint8_t CanvasModel::GetCellColor(int column, int row) const {
    if (row < 0 || row >= H() || column < 0 || column >= W()) return 0;
    return gd_.Picture.line(H() - 1 - row)[column];
}

void CanvasModel::SetCellColor(int column, int row, uint8_t index) {
    if (row < 0 || row >= H() || column < 0 || column >= W() || isZoneRow(row)) return;
    rowForWrite(row)[column] = index;
}

void CanvasModel::PaintCell(int column, int row, bool leftButton) {
    SetCellColor(column, row, leftButton ? state_.ColorA : state_.ColorB);
    DrawCell(column, row);
}

void CanvasModel::MagicEraseCell(int column, int row, bool leftButton) {
    const uint8_t from = leftButton ? state_.ColorB : state_.ColorA;
    const uint8_t to = leftButton ? state_.ColorA : state_.ColorB;
    if (GetCellColor(column, row) == from) SetCellColor(column, row, to); // outside: nothing is set
    DrawCell(column, row);
}

void CanvasModel::DrawCell(int column, int row) { screen().drawCell(column, row); }

CellRect CanvasModel::GetEditRect(int right, int top) const { return {0, top, right, lastEditableLine()}; }

void CanvasModel::RestoreZoneRows(int fromRow) {
    const int top = zoneTop();
    if (top < 0) return;
    undo_.UndoRows(fromRow, top);
}

void CanvasModel::UndoLast() {
    undo_.Undo();
    changed();
    Paint();
}

void CanvasModel::ClearPattern(bool saveUndo) {
    const int floor = editFloor(), h = H(), w = W();
    if (floor >= h) return; // everything is protected
    if (saveUndo) {
        undo_.Push(floor, h - 1);
        undo_.CloseStep();
    }
    for (int line = 0; line <= h - 1 - floor; ++line) std::memset(gd_.Picture.line(line), 0, static_cast<size_t>(w));
    changed();
}

void CanvasModel::SaveWholePattern() {
    undo_.Push(0, H() - 1);
    undo_.CloseStep();
}

// Scanline fill over an explicit stack of spans: the whole area is found first
// (each cell marked once), then painted, so a fill colour equal to the area's
// colour, or a chess brush holding it, cannot make the search run forever.
void CanvasModel::collectRegion(int x, int y, const ColourClasses& cls) {
    const int w = W(), maxLine = lastEditableLine();
    const uint8_t target = cls[gd_.Picture.line(y)[x]];
    visited_.assign(static_cast<size_t>(w) * static_cast<size_t>(H()), 0);
    spans_.clear();
    stack_.clear();
    stack_.push_back({y, x, x});
    while (!stack_.empty()) {
        const Span s = stack_.back();
        stack_.pop_back();
        const uint8_t* ln = gd_.Picture.line(s.y);
        uint8_t* vis = visited_.data() + static_cast<size_t>(s.y) * static_cast<size_t>(w);
        auto inside = [&](int xx) { return !vis[xx] && cls[ln[xx]] == target; };
        int xx = s.x0;
        while (xx <= s.x1) {
            if (!inside(xx)) {
                ++xx;
                continue;
            }
            int l = xx, r = xx;
            while (l > 0 && inside(l - 1)) --l;
            while (r + 1 < w && inside(r + 1)) ++r;
            std::memset(vis + l, 1, static_cast<size_t>(r - l + 1));
            spans_.push_back({s.y, l, r});
            if (s.y > 0) stack_.push_back({s.y - 1, l, r});
            if (s.y < maxLine) stack_.push_back({s.y + 1, l, r});
            xx = r + 1;
        }
    }
}

void CanvasModel::FloodFillAt(int x, int line, bool leftButton) {
    if (!gd_.Picture.contains(x, line) || line > lastEditableLine()) return;
    const ColourClasses cls = CanonicalIndex(gd_);
    collectRegion(x, line, cls);
    const uint8_t a = cls[state_.ColorA], b = cls[state_.ColorB];
    if (state_.BrushSize != 3) {
        const uint8_t c = leftButton ? a : b;
        for (const Span& s : spans_) std::memset(lineForWrite(s.y) + s.x0, c, static_cast<size_t>(s.x1 - s.x0 + 1));
    } else {
        // The 2 x 2 brush is anchored at the picture origin: with the left button
        // a cell takes A where column + line is odd, B where it is even.
        const uint8_t odd = leftButton ? a : b, even = leftButton ? b : a;
        for (const Span& s : spans_) {
            uint8_t* ln = lineForWrite(s.y);
            for (int xx = s.x0; xx <= s.x1; ++xx) ln[xx] = ((xx + s.y) & 1) ? odd : even;
        }
    }
    changed();
}

void CanvasModel::ReplaceColorChess(int x, int line) {
    if (!gd_.Picture.contains(x, line)) return;
    const ColourClasses cls = CanonicalIndex(gd_);
    const uint8_t target = cls[gd_.Picture.line(line)[x]];
    const uint8_t a = cls[state_.ColorA], b = cls[state_.ColorB];
    const int w = W();
    for (int y = 0; y <= lastEditableLine(); ++y) {
        const uint8_t* src = gd_.Picture.line(y);
        int xx = 0;
        while (xx < w && cls[src[xx]] != target) ++xx;
        if (xx == w) continue;
        uint8_t* ln = lineForWrite(y);
        // Every cell from the first match on is written back, the others with
        // their own value: with no branch per cell the loop keeps one speed,
        // whatever the pattern and wherever the linker places the code.
        for (; xx < w; ++xx) {
            const uint8_t v = ln[xx];
            const uint8_t chess = ((xx + y) & 1) ? a : b;
            ln[xx] = cls[v] == target ? chess : v;
        }
    }
    changed();
}

void CanvasModel::Paint() {
    geom.UpdateForPaint(W());
    screen().paintAll();
}

void CanvasModel::SetOrigin(int column, int row) {
    geom.SetOrigin(column, row);
    Paint();
}

void CanvasModel::ScrollBy(int columnDelta, int rowDelta) {
    geom.ScrollBy(columnDelta, rowDelta, W(), H());
    Paint();
}

void CanvasModel::RecalcGrid(int clientWidth, int clientHeight, bool repaint) {
    geom.RecalcGrid(clientWidth, clientHeight);
    if (repaint) Paint();
}

void CanvasModel::PatternReplaced() {
    undo_.Clear();
    block_ = ActiveBlock{};
}

} // namespace lc
