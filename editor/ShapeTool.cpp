#include "editor/ShapeTool.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "core/Numbers.h"
#include "editor/Rasteriser.h"
#include "editor/ToolContext.h"

namespace lc {

bool ShapeTool::DrawStar(int x1, int y1, int x2, int y2, double angle, int vertices, int depth, StarPoints& points) {
    if (std::abs(x2 - x1) < 3 || std::abs(y2 - y1) < 3) return false;
    const int n = std::clamp(vertices, 3, 12);
    const int d = std::clamp(depth, 1, 9);
    const int rx = (x2 - x1) / 2, ry = (y2 - y1) / 2;
    const int cx = x1 + rx, cy = y1 + ry;
    const long double pi = std::numbers::pi_v<long double>;
    const long double a = angle;
    const long double inner = std::cos(pi / n);
    // Many vertices fall on an exact half (a 4-vertex diamond's inner points,
    // say), computed a hair above or below it: snapped to the half first, they
    // round the same way on both sides of the centre, so a symmetric star
    // comes out symmetric.
    auto round = [](long double v) {
        const long double half = std::floor(v) + 0.5L;
        if (std::fabs(v - half) < 1e-9L) v = half;
        return static_cast<int>(roundHalfEven(v));
    };
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

void ShapeTool::press(ToolContext& /*ctx*/) { starCount_ = 0; }

void ShapeTool::move(ToolContext& ctx, int /*column*/, int /*row*/, KeyMods mods, bool /*left*/) {
    if (code_ == toolRectangle) {
        ctx.dragBlockFrame();
        return;
    }
    ToolContext::Gesture& g = ctx.gesture();
    if (g.current == g.previous) return;
    const PixelPoint p = g.press, q = g.current;
    switch (code_) {
    case toolLine: ctx.setOverlay(Overlay::Kind::Line, {p, q}); break;
    case toolFilledRectangle: ctx.setOverlay(Overlay::Kind::FilledPolygon, {p, {p.x, q.y}, q, {q.x, p.y}}); break;
    case toolCircle: ctx.setOverlay(Overlay::Kind::Ellipse, {p, q}); break;
    case toolFilledCircle: ctx.setOverlay(Overlay::Kind::FilledEllipse, {p, q}); break;
    case toolStar:
    case toolFilledStar: {
        bool drawn;
        const int vertices = ctx.state().StarVertices, depth = ctx.state().StarDepth;
        if (mods.ctrl) {
            // Ctrl turns the star and keeps its size.
            drawn = DrawStar(p.x, p.y, g.previous.x, g.previous.y, g.nextTurn, vertices, depth, star_);
            g.current = g.previous;
        } else {
            drawn = DrawStar(p.x, p.y, q.x, q.y, g.turn, vertices, depth, star_);
        }
        if (drawn) starCount_ = 2 * std::clamp<int>(vertices, 3, 12);
        if (starCount_ == 0) break; // nothing drawn yet in this gesture
        if (code_ == toolStar) ctx.setOverlay(Overlay::Kind::Polyline, {star_.begin(), star_.begin() + starCount_ + 1});
        else ctx.setOverlay(Overlay::Kind::FilledPolygon, {star_.begin(), star_.begin() + starCount_});
        break;
    }
    default: break;
    }
}

DrawingTool::Finish ShapeTool::release(ToolContext& ctx, int cc, int cr, KeyMods /*mods*/, bool left) {
    CanvasModel& model = ctx.model();
    model.undo().BeginStep();
    const ColourClasses cls = CanonicalIndex(model.data());
    const uint8_t a = cls[ctx.state().ColorA], b = cls[ctx.state().ColorB];
    const uint8_t penColour = left ? a : b, brushColour = left ? b : a;
    const int pen = ctx.state().BrushSize + 1;
    const int maxLine = model.lastEditableLine(), w = ctx.W();
    uint8_t colour = penColour;
    auto sink = [&](int y, int x0, int x1) {
        if (y < 0 || y > maxLine) return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, w - 1);
        if (x0 > x1) return;
        std::memset(model.lineForWrite(y) + x0, colour, static_cast<size_t>(x1 - x0 + 1));
    };
    const ToolContext::Gesture& g = ctx.gesture();
    const int x1 = g.pressColumn, y1 = ctx.lineOf(g.pressRow), x2 = cc, y2 = ctx.lineOf(cr);
    switch (code_) {
    case toolLine: RasterLine(x1, y1, x2, y2, pen, sink); break;
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
    case toolCircle: RasterEllipseOutline(x1, y1, x2, y2, pen, sink); break;
    case toolFilledCircle:
        colour = brushColour;
        RasterEllipseFill(x1, y1, x2, y2, sink);
        colour = penColour;
        RasterEllipseOutline(x1, y1, x2, y2, pen, sink);
        break;
    case toolStar:
    case toolFilledStar: {
        StarPoints pts{};
        if (!DrawStar(x1, y1, x2, y2, g.nextTurn, ctx.state().StarVertices, ctx.state().StarDepth, pts)) break;
        const int n = 2 * std::clamp<int>(ctx.state().StarVertices, 3, 12);
        if (code_ == toolFilledStar) {
            colour = brushColour;
            // The star's vertices are cells of its outline: the fill samples
            // the cells where the outline does (rectangles keep their corners).
            RasterPolygonFillAtCells(pts.data(), n, sink);
            colour = penColour;
        }
        RasterPolyline(pts.data(), n + 1, pen, sink);
        break;
    }
    default: break;
    }
    return Finish::ClearPreviewAndRepaint;
}

} // namespace lc
