#pragma once
// Cell rasteriser for the shape tools, with the conventions the stitch grid is
// drawn by: x is the column, y the picture line (downward); a line leaves out
// its end point; a filled shape's box leaves out its right and bottom edges
// (vertices are cell corners, a cell is inside when its centre is).
// Every shape is emitted as horizontal spans sink(y, x0, x1), x0 <= x1 inclusive,
// unclipped; the sink clips and writes. Spans may overlap.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "editor/ViewGeometry.h"

namespace lc {

using CellPoint = PixelPoint; // a cell (column, line) in the rasteriser's coordinates

// A square pen of `pen` cells centred on the cell (wider to the right and up).
template <class Sink>
inline void StampPen(int x, int y, int pen, Sink&& sink) {
    if (pen <= 1) {
        sink(y, x, x);
        return;
    }
    const int x0 = x - (pen - 1) / 2, x1 = x + pen / 2;
    for (int yy = y - pen / 2; yy <= y + (pen - 1) / 2; ++yy) sink(yy, x0, x1);
}

// Bresenham walk from (x0, y0) towards (x1, y1): visit(x, y) for each cell
// before stepping on from it, so the start is visited and the end is not.
template <class Visit>
inline void WalkLine(int x0, int y0, int x1, int y1, Visit&& visit) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
        visit(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// Bresenham line from (x0, y0) towards (x1, y1), the end point left out.
template <class Sink>
inline void RasterLine(int x0, int y0, int x1, int y1, int pen, Sink&& sink) {
    WalkLine(x0, y0, x1, y1, [&](int x, int y) { StampPen(x, y, pen, sink); });
}

// Segments between consecutive points, each without its end point; a closed
// outline repeats its first point at the end, so every corner is drawn.
template <class Sink>
inline void RasterPolyline(const CellPoint* pts, int n, int pen, Sink&& sink) {
    for (int i = 0; i + 1 < n; ++i) RasterLine(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, pen, sink);
}

// Interior of a polygon (alternate / even-odd rule), vertices at cell corners,
// a cell inside when its centre is.
template <class Sink>
inline void RasterPolygonFill(const CellPoint* pts, int n, Sink&& sink) {
    if (n < 3) return;
    int ymin = pts[0].y, ymax = pts[0].y;
    for (int i = 1; i < n; ++i) {
        ymin = std::min(ymin, pts[i].y);
        ymax = std::max(ymax, pts[i].y);
    }
    std::vector<double> xs;
    xs.reserve(static_cast<size_t>(n));
    for (int y = ymin; y < ymax; ++y) {
        const double yc = y + 0.5;
        xs.clear();
        for (int i = 0; i < n; ++i) {
            const CellPoint a = pts[i], b = pts[(i + 1) % n];
            if ((a.y <= yc) == (b.y <= yc)) continue; // vertices are whole numbers: never on yc
            xs.push_back(a.x + (yc - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
            const int x0 = static_cast<int>(std::ceil(xs[k] - 0.5));
            const int x1 = static_cast<int>(std::ceil(xs[k + 1] - 0.5)) - 1;
            if (x0 <= x1) sink(y, x0, x1);
        }
    }
}

// Interior of a polygon whose vertices are cells, as its outline
// (RasterPolyline) draws them: a cell is inside when the cell itself, the
// point the outline's vertices stand on, lies inside (alternate rule). The
// fill then covers exactly the cells the drawn outline encloses.
template <class Sink>
inline void RasterPolygonFillAtCells(const CellPoint* pts, int n, Sink&& sink) {
    if (n < 3) return;
    int ymin = pts[0].y, ymax = pts[0].y;
    for (int i = 1; i < n; ++i) {
        ymin = std::min(ymin, pts[i].y);
        ymax = std::max(ymax, pts[i].y);
    }
    std::vector<std::pair<long long, long long>> xs; // crossings as exact fractions t / d, d > 0
    xs.reserve(static_cast<size_t>(n));
    for (int y = ymin; y <= ymax; ++y) {
        xs.clear();
        for (int i = 0; i < n; ++i) {
            const CellPoint a = pts[i], b = pts[(i + 1) % n];
            // Half-open in y, so a vertex on the line counts once.
            if ((a.y <= y) == (b.y <= y)) continue;
            // x = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y), kept exact.
            long long d = b.y - a.y,
                      t = static_cast<long long>(a.x) * d + static_cast<long long>(y - a.y) * (b.x - a.x);
            if (d < 0) d = -d, t = -t;
            xs.push_back({t, d});
        }
        std::sort(xs.begin(), xs.end(),
                  [](const auto& p, const auto& q) { return p.first * q.second < q.first * p.second; });
        auto ceilDiv = [](long long t, long long d) { return t >= 0 ? (t + d - 1) / d : -((-t) / d); };
        auto floorDiv = [](long long t, long long d) { return t >= 0 ? t / d : -((-t + d - 1) / d); };
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
            const int x0 = static_cast<int>(ceilDiv(xs[k].first, xs[k].second));
            const int x1 = static_cast<int>(floorDiv(xs[k + 1].first, xs[k + 1].second));
            if (x0 <= x1) sink(y, x0, x1);
        }
    }
}

// Per-line extent of the ellipse inscribed in the box [x1, x2) x [y1, y2)
// (corners in any order). Line y1 + i spans left[i] .. right[i]; empty box gives
// no lines. Every line and every column of the box holds at least one cell, so
// the shape reaches all four sides of its box however flat it is.
struct EllipseSpans {
    int top = 0;
    std::vector<int> left, right;
    int lines() const { return static_cast<int>(left.size()); }
};
EllipseSpans EllipseRows(int x1, int y1, int x2, int y2);

template <class Sink>
inline void RasterEllipseFill(int x1, int y1, int x2, int y2, Sink&& sink) {
    const EllipseSpans e = EllipseRows(x1, y1, x2, y2);
    for (int i = 0; i < e.lines(); ++i) sink(e.top + i, e.left[i], e.right[i]);
}

// The ring of the filled ellipse `pen` cells thick: the cells of the shape that
// have a cell outside it within a city-block distance of `pen`.
template <class Sink>
inline void RasterEllipseOutline(int x1, int y1, int x2, int y2, int pen, Sink&& sink) {
    const EllipseSpans e = EllipseRows(x1, y1, x2, y2);
    const int n = e.lines();
    pen = std::max(1, pen);
    for (int i = 0; i < n; ++i) {
        int lo = e.left[i] + pen, hi = e.right[i] - pen; // interior after the same-line test
        for (int d = 1; d <= pen && lo <= hi; ++d) {
            const int m = pen - d;
            for (int j : {i - d, i + d}) {
                if (j < 0 || j >= n) {
                    lo = 1;
                    hi = 0;
                    break;
                }
                lo = std::max(lo, e.left[j] + m);
                hi = std::min(hi, e.right[j] - m);
            }
        }
        if (lo > hi) {
            sink(e.top + i, e.left[i], e.right[i]);
        } else {
            if (lo > e.left[i]) sink(e.top + i, e.left[i], lo - 1);
            if (hi < e.right[i]) sink(e.top + i, hi + 1, e.right[i]);
        }
    }
}

// Nearest-neighbour map of a stretch from s source cells onto d destination
// cells: destination i takes source ((2i + 1) s) / (2d); mirrored, the map runs backwards.
inline void NearestMap(int s, int d, bool mirror, std::vector<int>& out) {
    out.resize(static_cast<size_t>(std::max(0, d)));
    for (int i = 0; i < d; ++i) {
        const int src = static_cast<int>((static_cast<long long>(2 * i + 1) * s) / (2LL * d));
        out[static_cast<size_t>(i)] = mirror ? s - 1 - src : src;
    }
}

} // namespace lc
