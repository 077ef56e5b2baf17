#include "editor/ToolEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "core/Numbers.h"
#include "editor/Rasteriser.h"

namespace lc {

namespace {
int sgn(int v) { return (v > 0) - (v < 0); }
// Remainder with the sign of the divisor (d > 0).
int wrap(int v, int d) {
    const int m = v % d;
    return m < 0 ? m + d : m;
}

// f(column, row) for the n x n cells from (c, r) up and to the right, row by row.
template <class F>
void eachCellOfSquare(int c, int r, int n, F f) {
    for (int dr = 0; dr < n; ++dr)
        for (int dc = 0; dc < n; ++dc) f(c + dc, r + dr);
}

// Every cell `from` among the first w cells of a line becomes `to`.
void replaceColour(uint8_t* line, int w, uint8_t from, uint8_t to) {
    for (int x = 0; x < w; ++x)
        if (line[x] == from) line[x] = to;
}

// Cells period.. of a line repeat its first `period` cells (the last copy cut at w).
void repeatPeriod(uint8_t* line, int w, int period) {
    for (int x = period; x < w; x += period) std::memcpy(line + x, line, static_cast<size_t>(std::min(period, w - x)));
}

// Rows or columns inserted or deleted per click of the rows and columns tools.
int rowsPerClick() { return BrushSize == 0 ? 1 : (BrushSize == 1 ? 2 : 3); }
} // namespace

ToolEngine::ToolEngine(CanvasModel& model, IPatternSource* patterns) : model_(model), patterns_(patterns) {}

// ---------------------------------------------------------------------------
// Gesture: press, moves, release

bool ToolEngine::constrainsShape(uint16_t tool) const {
    switch (tool) {
    case toolCopyBlock:
    case toolPasteBlock:
    case toolCutBlock:
    case toolMove:
    case toolLine:
    case toolRectangle:
    case toolFilledRectangle:
    case toolCircle:
    case toolFilledCircle:
    case toolStar:
    case toolFilledStar:
        return true;
    default:
        return false;
    }
}

// Shift keeps a shape square around its press point: the current point moves
// onto the nearer diagonal through the press point.
void ToolEngine::setCurrentPoint(KeyMods mods, int x, int y) {
    current_ = {x, y};
    if (pressed_ && mods.shift && constrainsShape(code_)) {
        const int dx = x - press_.x, dy = y - press_.y;
        const int m = std::min(std::abs(dx), std::abs(dy));
        current_ = {press_.x + sgn(dx) * m, press_.y + sgn(dy) * m};
    }
}

void ToolEngine::MouseDown(MouseButton button, KeyMods mods, int x, int y) {
    if (pressed_) return; // a second button while one is held belongs to the same gesture
    press_ = current_ = previous_ = {x, y};
    starAngle_ = nextStarAngle_ = 0;
    starCount_ = 0;
    pc_ = model_.geom.ColAtX(x);
    pr_ = model_.geom.RowAtY(y);
    pressed_ = true;
    button_ = button;
    const bool left = button == MouseButton::Left;

    clearOverlay(); // the frame of the block copied last goes with the next press
    switch (code_) {
    case toolBrush:
    case toolMagicEraser:
        model_.undo().BeginStep();
        break;
    case toolCopyBlock:
        model_.block().SetRect(pc_, pr_, pc_, pr_, W());
        break;
    default:
        break;
    }
    ToolTrack(pc_, pr_, mods, left);
    // The press cell has just been tracked. (Keeping the previous gesture's
    // last cell instead would skip the first move into that cell: a brush
    // stroke crossing where the last one ended would leave a gap there.)
    lastTracked_ = {pc_, pr_};
}

void ToolEngine::MouseMove(KeyMods mods, int x, int y) {
    setCurrentPoint(mods, x, y);
    if (mods.ctrl) nextStarAngle_ = (current_.x - previous_.x) * std::numbers::pi / 100.0;
    const int c = model_.geom.ColAtX(x), r = model_.geom.RowAtY(y);
    if (!pressed_) {
        if (code_ == toolDropper) model_.events().showColorInPalette(model_.GetCellColor(c, r));
    } else if (PixelPoint{c, r} != lastTracked_) {
        ToolTrack(c, r, mods, button_ == MouseButton::Left);
        previous_ = current_;
        lastTracked_ = {c, r};
        starAngle_ = nextStarAngle_;
    }
    model_.events().showPosition(c + 1, r + 1);
}

void ToolEngine::MouseUp(MouseButton button, KeyMods mods, int x, int y) {
    if (!pressed_ || button != button_) return;
    // The release point counts as the last move, unless Ctrl is turning a star
    // (then the star keeps the size it had when Ctrl was taken).
    const bool turningStar = mods.ctrl && (code_ == toolStar || code_ == toolFilledStar);
    if (!turningStar) setCurrentPoint(mods, x, y);
    pressed_ = false;
    const int cc = model_.geom.ColAtX(current_.x), cr = model_.geom.RowAtY(current_.y);
    switch (code_) {
    case toolCopyBlock:
    case toolPasteBlock:
    case toolCutBlock:
        model_.block().SetRect(pc_, pr_, cc, cr, W());
        break;
    default:
        break;
    }
    ToolApply(cc, cr, mods, button_ == MouseButton::Left);
    model_.undo().CloseStep();
}

void ToolEngine::cancelGesture() {
    if (!pressed_) return;
    pressed_ = false;
    model_.undo().CloseStep();
    clearOverlay();
}

void ToolEngine::pressCell(MouseButton button, KeyMods mods, int column, int row) {
    const PixelPoint p = model_.geom.pixelOfCell(column, row);
    MouseDown(button, mods, p.x, p.y);
}

void ToolEngine::moveCell(KeyMods mods, int column, int row) {
    const PixelPoint p = model_.geom.pixelOfCell(column, row);
    MouseMove(mods, p.x, p.y);
}

void ToolEngine::releaseCell(MouseButton button, KeyMods mods, int column, int row) {
    const PixelPoint p = model_.geom.pixelOfCell(column, row);
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

// ---------------------------------------------------------------------------
// Preview

void ToolEngine::setOverlay(Overlay::Kind kind, std::vector<PixelPoint> points) {
    overlayKind_ = kind;
    overlayPoints_ = std::move(points);
    model_.screenOverlayChanged();
}

void ToolEngine::clearOverlay() {
    if (overlayKind_ == Overlay::Kind::None) return;
    overlayKind_ = Overlay::Kind::None;
    overlayPoints_.clear();
    model_.screenOverlayChanged();
}

Overlay ToolEngine::overlay() const {
    Overlay o;
    o.kind = overlayKind_;
    if (overlayKind_ == Overlay::Kind::Frame) {
        // Recomputed from the cells, so the frame follows a scroll of the view.
        const ViewGeometry& g = model_.geom;
        const CellBlock& b = overlayFrame_;
        o.points = {{(b.Left - g.FirstVisibleCol) * g.cellWidth(), g.ClientHeight - (b.Top - g.FirstRow) * g.cellHeight()},
                    {(b.Right - g.FirstVisibleCol) * g.cellWidth(),
                     g.ClientHeight - (b.Bottom - g.FirstRow) * g.cellHeight()}};
    } else {
        o.points = overlayPoints_;
    }
    return o;
}

bool ToolEngine::DrawStar(int x1, int y1, int x2, int y2, double angle, int vertices, int depth, StarPoints& points) {
    if (std::abs(x2 - x1) < 3 || std::abs(y2 - y1) < 3) return false;
    const int n = std::clamp(vertices, 3, 12);
    const int d = std::clamp(depth, 1, 9);
    const int rx = (x2 - x1) / 2, ry = (y2 - y1) / 2;
    const int cx = x1 + rx, cy = y1 + ry;
    const long double pi = std::numbers::pi_v<long double>;
    const long double a = angle;
    const long double inner = std::cos(pi / n);
    auto round = [](long double v) { return static_cast<int>(roundHalfEven(v)); };
    for (int i = 0; i < n; ++i) {
        const long double o = a + 2 * pi * i / n;
        points[static_cast<size_t>(2 * i)] = {cx + round(rx * std::sin(o)), cy + round(ry * std::cos(o))};
        const long double b = a + pi * (2 * i + 1) / n;
        points[static_cast<size_t>(2 * i + 1)] = {cx + round(rx * inner * std::sin(b) * d / 5),
                                                  cy + round(ry * inner * std::cos(b) * d / 5)};
    }
    points[static_cast<size_t>(2 * n)] = points[0];
    return true;
}

// ---------------------------------------------------------------------------
// Track

void ToolEngine::ToolTrack(int c, int r, KeyMods mods, bool left) {
    switch (code_) {
    case toolBrush:
        trackBrush(c, r, mods, left);
        break;
    case toolFill:
        fillChess_ = mods.shift;
        break;
    case toolCopyBlock:
    case toolPasteBlock:
    case toolRectangle:
    case toolCutBlock:
        trackBlockFrame();
        break;
    case toolMove:
    case toolLine:
    case toolFilledRectangle:
    case toolCircle:
    case toolFilledCircle:
    case toolStar:
    case toolFilledStar:
        trackShape(code_, mods);
        break;
    case toolDropper:
        trackDropper(c, r, left);
        break;
    case toolZonePosition:
        if (ZoneOn) ZoneRow = left ? std::clamp(r, -1, H() - 1) : -1;
        model_.Paint();
        break;
    case toolMagicEraser:
        trackEraser(c, r, mods, left);
        break;
    case toolGrab:
        trackGrab();
        break;
    default:
        break;
    }
}

void ToolEngine::trackBrush(int c, int r, KeyMods mods, bool left) {
    if (mods.ctrl) {
        // The whole row straight into the line: the row form ignores the zone.
        if (r >= 0 && r < H()) {
            std::memset(model_.rowForWrite(r), left ? ColorA : ColorB, static_cast<size_t>(W()));
            model_.changed();
        }
        model_.Paint();
        return;
    }
    switch (BrushSize) {
    case 0:
        model_.PaintCell(c, r, left);
        break;
    case 1:
    case 2:
        eachCellOfSquare(c, r, BrushSize + 1, [&](int x, int y) { model_.PaintCell(x, y, left); });
        break;
    default: // chess: the left button sets A where column + row is even, another B where it is odd
        eachCellOfSquare(c, r, 3, [&](int x, int y) {
            const bool even = ((x + y) & 1) == 0;
            if (even == left) model_.PaintCell(x, y, left);
        });
        break;
    }
    model_.changed();
}

void ToolEngine::trackEraser(int c, int r, KeyMods mods, bool left) {
    const int w = W();
    if (mods.ctrl) {
        if (r >= 0 && r < H()) {
            replaceColour(model_.rowForWrite(r), w, left ? ColorB : ColorA, left ? ColorA : ColorB);
            model_.changed();
        }
        model_.Paint();
        return;
    }
    if (mods.shift) {
        // The whole pattern above the zone, the opposite way to the cell form.
        const uint8_t from = left ? ColorA : ColorB, to = left ? ColorB : ColorA;
        for (int row = model_.editFloor(); row < H(); ++row) {
            const uint8_t* src = model_.data().Picture.line(lineOf(row));
            if (std::memchr(src, from, static_cast<size_t>(w))) replaceColour(model_.rowForWrite(row), w, from, to);
        }
        model_.changed();
        model_.Paint();
        return;
    }
    auto erase = [&](int x, int y) { model_.MagicEraseCell(x, y, left); };
    switch (BrushSize) {
    case 0:
        erase(c, r);
        break;
    case 1: // 2 x 2 from the cell
        eachCellOfSquare(c, r, 2, erase);
        break;
    case 2: // 3 x 3 around it
        eachCellOfSquare(c - 1, r - 1, 3, erase);
        break;
    default:
        return;
    }
    model_.changed();
}

void ToolEngine::trackBlockFrame() {
    if (current_ == previous_) return;
    ActiveBlock& blk = model_.block();
    blk.SetRect(pc_, pr_, model_.geom.ColAtX(current_.x), model_.geom.RowAtY(current_.y), W());
    overlayFrame_ = blk.current;
    setOverlay(Overlay::Kind::Frame, {});
    model_.events().showBlockSize(std::abs(blk.current.Right - blk.current.Left), blk.current.Top - blk.current.Bottom);
}

void ToolEngine::trackShape(uint16_t tool, KeyMods mods) {
    if (current_ == previous_) return;
    const PixelPoint p = press_, q = current_;
    switch (tool) {
    case toolMove:
    case toolLine:
        setOverlay(Overlay::Kind::Line, {p, q});
        break;
    case toolFilledRectangle:
        setOverlay(Overlay::Kind::FilledPolygon, {p, {p.x, q.y}, q, {q.x, p.y}});
        break;
    case toolCircle:
        setOverlay(Overlay::Kind::Ellipse, {p, q});
        break;
    case toolFilledCircle:
        setOverlay(Overlay::Kind::FilledEllipse, {p, q});
        break;
    case toolStar:
    case toolFilledStar: {
        bool drawn;
        if (mods.ctrl) {
            // Ctrl turns the star and keeps its size.
            drawn = DrawStar(p.x, p.y, previous_.x, previous_.y, nextStarAngle_, StarVertices, StarDepth, star_);
            current_ = previous_;
        } else {
            drawn = DrawStar(p.x, p.y, q.x, q.y, starAngle_, StarVertices, StarDepth, star_);
        }
        if (drawn) starCount_ = 2 * std::clamp<int>(StarVertices, 3, 12);
        if (starCount_ == 0) break; // nothing drawn yet in this gesture
        if (tool == toolStar)
            setOverlay(Overlay::Kind::Polyline, {star_.begin(), star_.begin() + starCount_ + 1});
        else
            setOverlay(Overlay::Kind::FilledPolygon, {star_.begin(), star_.begin() + starCount_});
        break;
    }
    default:
        break;
    }
}

void ToolEngine::trackDropper(int c, int r, bool left) {
    const uint8_t index = model_.GetCellColor(c, r);
    if (index > 16) return; // not a palette colour: keep A and B valid
    (left ? ColorA : ColorB) = index;
    model_.events().makeBobbins();
    model_.events().showPosition(0, index);
}

void ToolEngine::trackGrab() {
    const int dx = (current_.x - previous_.x) / model_.geom.cellWidth();
    const int dy = (current_.y - previous_.y) / model_.geom.cellHeight();
    if (dx == 0 && dy == 0) return;
    model_.ScrollBy(dx, dy);
    model_.screenScrolled();
}

// ---------------------------------------------------------------------------
// Apply

void ToolEngine::ToolApply(int cc, int cr, KeyMods mods, bool left) {
    const uint16_t tool = code_;
    switch (tool) {
    case toolVSymmetry:
        applyMirror(cc, cr, false);
        break;
    case toolHSymmetry:
        applyMirror(cc, cr, true);
        break;
    case toolHScale:
        applyHScale(cc, cr);
        break;
    case toolVScale:
        applyVScale(cc, cr);
        break;
    case toolFill:
        applyFill(cc, cr, left);
        break;
    case toolRotate:
        applyRotate(cc, cr);
        break;
    case toolCloning:
        applyCloning(cc, cr, mods, left);
        break;
    case toolVReflection:
        applyVReflection(cr);
        break;
    case toolHReflection:
        applyHReflection(cc, cr);
        break;
    case toolRows:
        applyRows(left);
        break;
    case toolColumns:
        applyColumns(left);
        break;
    case toolCopyBlock:
        applyCopy();
        return; // no repaint: the copied block's frame stays on screen
    case toolPasteBlock:
        applyPaste(cc, cr);
        break;
    case toolMove:
        applyMove(cc, cr);
        break;
    case toolLine:
    case toolRectangle:
    case toolFilledRectangle:
    case toolCircle:
    case toolFilledCircle:
    case toolStar:
    case toolFilledStar:
        applyShape(tool, cc, cr, left);
        break;
    case toolCutBlock:
        applyCut();
        break;
    case toolPastePattern:
        applyPastePattern(cr, left);
        break;
    default:
        // Brush, eraser, dropper, zone and grab finished their work while tracking.
        clearOverlay();
        return;
    }
    clearOverlay();
    model_.changed();
    model_.Paint();
}

void ToolEngine::blit(const IndexedBitmap& from, CellRect src, CellRect dst, bool mirrorX, bool mirrorY) {
    const int sw = src.width(), sh = src.height(), dw = dst.width(), dh = dst.height();
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    // The part of the source that exists, copied out first (source and
    // destination may overlap).
    const int vx0 = std::max(src.Left, 0), vx1 = std::min(src.Right, from.width());
    const int vy0 = std::max(src.Top, 0), vy1 = std::min(src.Bottom, from.height());
    if (vx0 >= vx1 || vy0 >= vy1) return;
    const int vw = vx1 - vx0, vh = vy1 - vy0;
    scratch_.resize(static_cast<size_t>(vw) * static_cast<size_t>(vh));
    for (int y = 0; y < vh; ++y)
        std::memcpy(scratch_.data() + static_cast<size_t>(y) * vw, from.line(vy0 + y) + vx0, static_cast<size_t>(vw));
    // Destination cell -> scratch cell, -1 where the source cell does not exist.
    NearestMap(sw, dw, mirrorX, mapX_);
    NearestMap(sh, dh, mirrorY, mapY_);
    for (int& m : mapX_) m = (src.Left + m >= vx0 && src.Left + m < vx1) ? src.Left + m - vx0 : -1;
    for (int& m : mapY_) m = (src.Top + m >= vy0 && src.Top + m < vy1) ? src.Top + m - vy0 : -1;

    const int x0 = std::max(dst.Left, 0), x1 = std::min(dst.Right, W());
    const int y0 = std::max(dst.Top, 0), y1 = std::min(dst.Bottom, model_.lastEditableLine() + 1);
    if (x0 >= x1) return;
    // One to one, unmirrored, every source cell present: whole runs at a time.
    bool straight = sw == dw && !mirrorX;
    for (int x = x0; straight && x < x1; ++x)
        straight = mapX_[static_cast<size_t>(x - dst.Left)] == mapX_[static_cast<size_t>(x0 - dst.Left)] + (x - x0) &&
                   mapX_[static_cast<size_t>(x0 - dst.Left)] >= 0;
    for (int y = y0; y < y1; ++y) {
        const int sy = mapY_[static_cast<size_t>(y - dst.Top)];
        if (sy < 0) continue;
        const uint8_t* s = scratch_.data() + static_cast<size_t>(sy) * vw;
        uint8_t* d = model_.lineForWrite(y);
        if (straight) {
            std::memcpy(d + x0, s + mapX_[static_cast<size_t>(x0 - dst.Left)], static_cast<size_t>(x1 - x0));
            continue;
        }
        const int* mx = mapX_.data() - dst.Left;
        for (int x = x0; x < x1; ++x)
            if (mx[x] >= 0) d[x] = s[mx[x]];
    }
}

bool ToolEngine::beginRegion(int cc, int cr) {
    if (cc < 0 || cr < model_.editFloor()) return false; // an inverted region: nothing to do
    model_.undo().BeginStep();
    return true;
}

CellRect ToolEngine::regionLines(int cc, int top) const { return {0, H() - 1 - top, cc + 1, H() - model_.editFloor()}; }

// 400 and 401: columns 0..cc of rows L..cr (401: L..cr+1) mirrored in place.
void ToolEngine::applyMirror(int cc, int cr, bool horizontalAxis) {
    if (!beginRegion(cc, cr)) return;
    const CellRect region = regionLines(cc, horizontalAxis ? cr + 1 : cr);
    blit(model_.data().Picture, region, region, !horizontalAxis, horizontalAxis);
}

// 402: columns 0..cc of rows L..cr stretched to twice the width, the right edge
// held at W - 1 when that reaches the last column (which then keeps its cells).
void ToolEngine::applyHScale(int cc, int cr) {
    if (!beginRegion(cc, cr)) return;
    const int right = W() <= 2 * (cc + 1) ? W() - 1 : 2 * (cc + 1);
    const CellRect src = regionLines(cc, cr);
    blit(model_.data().Picture, src, {0, src.Top, right, src.Bottom}, false, false);
}

// 403: rows L..cr stretched to twice as many rows, squeezed under the top row.
void ToolEngine::applyVScale(int cc, int cr) {
    if (!beginRegion(cc, cr)) return;
    const CellRect src = regionLines(cc, cr);
    const int topLine = std::max(0, src.Bottom - 2 * src.height());
    blit(model_.data().Picture, src, {0, topLine, src.Right, src.Bottom}, false, false);
}

void ToolEngine::applyFill(int cc, int cr, bool left) {
    model_.undo().BeginStep();
    if (fillChess_) model_.ReplaceColorChess(cc, lineOf(cr));
    else model_.FloodFillAt(cc, lineOf(cr), left);
}

void ToolEngine::copyEditableRows() {
    const int floor = model_.editFloor(), w = W(), rows = H() - floor;
    scratch_.resize(static_cast<size_t>(w) * static_cast<size_t>(rows));
    for (int y = 0; y < rows; ++y)
        std::memcpy(scratch_.data() + static_cast<size_t>(y) * w, model_.data().Picture.line(lineOf(floor + y)),
                    static_cast<size_t>(w));
}

// 405: the square of n + 1 cells at (0, L) turned a quarter clockwise:
// cell (x, y) moves to (y, n - x). Cells beyond the pattern read as 0.
void ToolEngine::applyRotate(int cc, int cr) {
    const int floor = model_.editFloor();
    const int n = std::max(cc, cr - floor);
    model_.undo().BeginStep();
    if (n <= 0) return;
    const int w = W(), rows = H() - floor;
    if (rows <= 0) return;
    copyEditableRows();
    auto old = [&](int x, int y) -> uint8_t {
        return (x >= 0 && x < w && y >= 0 && y < rows) ? scratch_[static_cast<size_t>(y) * w + x] : 0;
    };
    const int yMax = std::min(n, rows - 1), xMax = std::min(n, w - 1);
    for (int y = 0; y <= yMax; ++y) {
        uint8_t* d = model_.rowForWrite(floor + y);
        // new (X, Y) = old (n - Y, X)
        for (int x = 0; x <= xMax; ++x) d[x] = old(n - y, x);
    }
}

// 408: columns 0..cc of rows L..cr repeated to the right; the left button then
// repeats that band upward. Ctrl repeats only the press row.
void ToolEngine::applyCloning(int cc, int cr, KeyMods mods, bool left) {
    if (!beginRegion(cc, cr)) return; // no period to repeat
    const int floor = model_.editFloor(), w = W(), h = H();
    const int period = cc + 1;
    auto repeatRow = [&](int row) {
        if (period < w) repeatPeriod(model_.rowForWrite(row), w, period);
    };
    if (mods.ctrl) {
        if (pr_ >= floor && pr_ < h) repeatRow(pr_);
        return;
    }
    const int top = std::min(cr, h - 1);
    for (int row = floor; row <= top; ++row) repeatRow(row);
    if (!left) return;
    const int band = cr - floor + 1;
    for (int row = cr + 1; row < h; ++row)
        std::memcpy(model_.rowForWrite(row), model_.data().Picture.line(lineOf(floor + (row - floor) % band)),
                    static_cast<size_t>(w));
}

// 409: in rows L..cr the columns right of the press column take the mirror
// image of the columns up to it, stopping at the last column.
void ToolEngine::applyVReflection(int cr) {
    const int floor = model_.editFloor(), w = W();
    if (cr < floor) return;
    model_.undo().BeginStep();
    const int a = pc_;
    if (a < 0 || a >= w - 1) return;
    const int e = std::min(2 * a + 1, w - 1);
    for (int row = floor; row <= std::min(cr, H() - 1); ++row) {
        uint8_t* ln = model_.rowForWrite(row);
        for (int x = a + 1; x <= e; ++x) ln[x] = ln[2 * a + 1 - x];
    }
}

// 410: rows L..cr mirrored upward about the top edge of the release row.
void ToolEngine::applyHReflection(int cc, int cr) {
    const int floor = model_.editFloor(), h = H();
    if (cr < floor) return;
    model_.undo().BeginStep();
    if (cc < 0) return;
    const int cols = std::min(cc + 1, W());
    for (int i = 0; i <= cr - floor; ++i) {
        const int dst = cr + 1 + i, src = cr - i;
        if (dst >= h) break;
        if (src >= h) continue;
        std::memcpy(model_.rowForWrite(dst), model_.data().Picture.line(lineOf(src)), static_cast<size_t>(cols));
    }
}

// 412: insert (left) or delete k rows at the press row; the rows freed take
// colour B. A delete near the top deletes the rows from the press row up, never
// rows below it. Zone rows keep their cells.
void ToolEngine::applyRows(bool left) {
    const int h = H(), w = W(), pr = pr_;
    if (pr < 0 || pr >= h) return; // pressed beyond the pattern
    model_.undo().BeginStep();
    const int k = rowsPerClick();
    const int floor = model_.editFloor();
    const uint8_t b = CanonicalIndex(model_.data())[ColorB];
    const IndexedBitmap& pic = model_.data().Picture;
    if (left) {
        for (int row = h - 1; row >= std::max(pr + k, floor); --row)
            std::memcpy(model_.rowForWrite(row), pic.line(lineOf(row - k)), static_cast<size_t>(w));
        for (int row = std::max(pr, floor); row < std::min(pr + k, h); ++row)
            std::memset(model_.rowForWrite(row), b, static_cast<size_t>(w));
    } else {
        const int kk = std::min(k, h - pr);
        for (int row = std::max(pr, floor); row <= h - 1 - kk; ++row)
            std::memcpy(model_.rowForWrite(row), pic.line(lineOf(row + kk)), static_cast<size_t>(w));
        for (int row = std::max(h - kk, floor); row < h; ++row)
            std::memset(model_.rowForWrite(row), b, static_cast<size_t>(w));
    }
}

// 413: insert or delete k columns at the press column in every editable row.
void ToolEngine::applyColumns(bool left) {
    const int w = W(), pc = pc_;
    if (pc < 0 || pc >= w) return;
    model_.undo().BeginStep();
    const int k = rowsPerClick();
    const uint8_t b = CanonicalIndex(model_.data())[ColorB];
    for (int row = model_.editFloor(); row < H(); ++row) {
        uint8_t* ln = model_.rowForWrite(row);
        if (left) {
            if (pc + k < w) std::memmove(ln + pc + k, ln + pc, static_cast<size_t>(w - pc - k));
            std::memset(ln + pc, b, static_cast<size_t>(std::min(k, w - pc)));
        } else {
            const int kk = std::min(k, w - pc);
            std::memmove(ln + pc, ln + pc + kk, static_cast<size_t>(w - pc - kk));
            std::memset(ln + w - kk, b, static_cast<size_t>(kk));
        }
    }
}

CellRect ToolEngine::blockBitmapRect() const {
    CellRect r = model_.block().ToBitmapRect(H());
    r.Left = std::clamp(r.Left, 0, W());
    r.Right = std::clamp(r.Right, 0, W());
    r.Top = std::clamp(r.Top, 0, H());
    r.Bottom = std::clamp(r.Bottom, 0, H());
    return r;
}

void ToolEngine::copyToBackup(const CellRect& r) {
    IndexedBitmap& backup = model_.data().Backup;
    const IndexedBitmap& pic = model_.data().Picture;
    if (r.isEmpty() || backup.width() < r.Right || backup.height() < r.Bottom) return;
    for (int y = r.Top; y < r.Bottom; ++y)
        std::memcpy(backup.line(y) + r.Left, pic.line(y) + r.Left, static_cast<size_t>(r.width()));
    backup.touch();
}

// 416: the block goes to the backup and becomes BlockRect; its frame stays shown.
void ToolEngine::applyCopy() {
    ActiveBlock& blk = model_.block();
    blk.SavePrevious();
    BlockRect = blockBitmapRect();
    blk.Reset();
    copyToBackup(BlockRect);
    overlayFrame_ = blk.previous;
    if (blk.previous.isEmpty()) clearOverlay();
    else setOverlay(Overlay::Kind::Frame, {});
}

// 418: a click pastes the copied block unscaled with its bottom-left cell on the
// clicked cell; a drag stretches it into the dragged block.
void ToolEngine::applyPaste(int cc, int cr) {
    model_.undo().BeginStep();
    const CellRect src = BlockRect;
    if (src.isEmpty()) return;
    CellRect dst;
    if (cc == pc_ && cr == pr_) {
        dst = {pc_, H() - pr_ - src.height(), pc_ + src.width(), H() - pr_};
    } else {
        dst = model_.block().ToBitmapRect(H());
        if (dst.isEmpty()) return;
    }
    blit(model_.data().Backup, src, dst, false, false);
}

// 419: rows L..H-1 shifted cyclically so that the content follows the mouse.
void ToolEngine::applyMove(int cc, int cr) {
    model_.undo().BeginStep();
    const int floor = model_.editFloor(), w = W(), rows = H() - floor;
    if (rows <= 0 || w <= 0) return;
    const int dx = wrap(cc - pc_, w), dy = wrap(cr - pr_, rows);
    if (dx == 0 && dy == 0) return;
    copyEditableRows();
    for (int y = 0; y < rows; ++y) {
        const uint8_t* s = scratch_.data() + static_cast<size_t>(wrap(y - dy, rows)) * w;
        uint8_t* d = model_.rowForWrite(floor + y);
        // d[x] = s[(x - dx) mod w]: two runs split at the wrap point.
        std::memcpy(d + dx, s, static_cast<size_t>(w - dx));
        std::memcpy(d, s + w - dx, static_cast<size_t>(dx));
    }
}

// 420 to 426: lines and shapes in the picture's coordinates, pen BrushSize + 1
// cells in the button's colour, a filled shape's inside in the other colour.
void ToolEngine::applyShape(uint16_t tool, int cc, int cr, bool left) {
    model_.undo().BeginStep();
    const ColourClasses cls = CanonicalIndex(model_.data());
    const uint8_t penColour = cls[left ? ColorA : ColorB], brushColour = cls[left ? ColorB : ColorA];
    const int pen = BrushSize + 1;
    const int maxLine = model_.lastEditableLine(), w = W();
    uint8_t colour = penColour;
    auto sink = [&](int y, int x0, int x1) {
        if (y < 0 || y > maxLine) return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, w - 1);
        if (x0 > x1) return;
        std::memset(model_.lineForWrite(y) + x0, colour, static_cast<size_t>(x1 - x0 + 1));
    };
    const int x1 = pc_, y1 = lineOf(pr_), x2 = cc, y2 = lineOf(cr);
    switch (tool) {
    case toolLine:
        RasterLine(x1, y1, x2, y2, pen, sink);
        break;
    case toolRectangle: {
        const CellPoint pts[5] = {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}, {x1, y1}};
        RasterPolyline(pts, 5, pen, sink);
        break;
    }
    case toolFilledRectangle: {
        const CellPoint pts[5] = {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}, {x1, y1}};
        colour = brushColour;
        RasterPolygonFill(pts, 4, sink);
        colour = penColour;
        RasterPolyline(pts, 5, pen, sink);
        break;
    }
    case toolCircle:
        RasterEllipseOutline(x1, y1, x2, y2, pen, sink);
        break;
    case toolFilledCircle:
        colour = brushColour;
        RasterEllipseFill(x1, y1, x2, y2, sink);
        colour = penColour;
        RasterEllipseOutline(x1, y1, x2, y2, pen, sink);
        break;
    case toolStar:
    case toolFilledStar: {
        StarPoints pts{};
        if (!DrawStar(x1, y1, x2, y2, nextStarAngle_, StarVertices, StarDepth, pts)) break;
        const int n = 2 * std::clamp<int>(StarVertices, 3, 12);
        if (tool == toolFilledStar) {
            colour = brushColour;
            RasterPolygonFill(pts.data(), n, sink);
            colour = penColour;
        }
        RasterPolyline(pts.data(), n + 1, pen, sink);
        break;
    }
    default:
        break;
    }
}

// 428: the block goes to the backup, becomes BlockRect and takes colour B
// (the zone keeps its cells).
void ToolEngine::applyCut() {
    ActiveBlock& blk = model_.block();
    BlockRect = blockBitmapRect();
    model_.undo().BeginStep();
    blk.Reset();
    copyToBackup(BlockRect);
    const uint8_t b = CanonicalIndex(model_.data())[ColorB];
    const int bottom = std::min(BlockRect.Bottom, model_.lastEditableLine() + 1);
    for (int y = BlockRect.Top; y < bottom; ++y)
        std::memset(model_.lineForWrite(y) + BlockRect.Left, b, static_cast<size_t>(BlockRect.width()));
}

// 430: the gallery's selected pattern. The left button places it with its
// bottom-left cell on the clicked cell; another button tiles the whole
// pattern with it from the bottom-left corner. The zone keeps its cells.
void ToolEngine::applyPastePattern(int cr, bool left) {
    std::optional<PackedPattern> got = patterns_ ? patterns_->selectedPattern() : std::nullopt;
    if (!got) return;
    const PackedPattern p = *got;
    // A pattern without cells, or whose data is shorter than its size says,
    // is refused: it would tile forever or read past its data.
    if (p.width < 1 || p.height < 1 || !p.data) return;
    const size_t rowBytes = (static_cast<size_t>(p.width) + 1) / 2;
    if (p.size / rowBytes < static_cast<size_t>(p.height)) return;
    auto cell = [&](int x, int j) -> uint8_t {
        const uint8_t byte = p.data[static_cast<size_t>(j) * rowBytes + static_cast<size_t>(x) / 2];
        return (x & 1) ? (byte & 0x0F) : (byte >> 4);
    };
    model_.undo().BeginStep();
    const int w = W(), h = H(), floor = model_.editFloor();
    if (left) {
        const int x0 = std::max(0, pc_), x1 = std::min<long long>(w, static_cast<long long>(pc_) + p.width);
        for (int j = 0; j < p.height; ++j) {
            const long long row = static_cast<long long>(cr) + j;
            if (row < floor) continue;
            if (row >= h) break;
            uint8_t* ln = model_.rowForWrite(static_cast<int>(row));
            for (int x = x0; x < x1; ++x) ln[x] = cell(x - pc_, j);
        }
        return;
    }
    // Every editable cell (c, r) takes pattern cell (c mod w, r mod h): each
    // pattern row is spread over the width once, then copied where it repeats.
    const int bands = std::min(p.height, h);
    std::vector<uint8_t> tiles(static_cast<size_t>(bands) * static_cast<size_t>(w));
    std::vector<uint8_t> built(static_cast<size_t>(bands), 0);
    for (int row = floor; row < h; ++row) {
        const int j = row % p.height;
        uint8_t* t = tiles.data() + static_cast<size_t>(j) * w;
        if (!built[static_cast<size_t>(j)]) {
            const int period = std::min(p.width, w);
            for (int x = 0; x < period; ++x) t[x] = cell(x, j);
            repeatPeriod(t, w, period);
            built[static_cast<size_t>(j)] = 1;
        }
        std::memcpy(model_.rowForWrite(row), t, static_cast<size_t>(w));
    }
}

} // namespace lc
