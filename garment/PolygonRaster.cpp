#include "garment/PolygonRaster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace lc {

namespace {

struct Edge {
    int64_t ylo, yhi; // rows ylo .. yhi-1 cross this edge (at their centres)
    int64_t x0, y0;   // the end the crossing is measured from
    int64_t dx, dy;   // towards the other end, dy > 0
};

// Column range [lo, hi] of a span, clamped to the bitmap before any conversion.
inline void fillSpan(uint8_t* line, int width, double xa, double xb, uint8_t value) {
    // Cells whose centre c + 0.5 lies in [xa, xb).
    double lo = std::ceil(xa - 0.5);
    double hi = std::ceil(xb - 0.5) - 1.0;
    if (lo < 0) lo = 0;
    if (hi > width - 1) hi = width - 1;
    if (hi < lo) return;
    const int a = static_cast<int>(lo), b = static_cast<int>(hi);
    std::memset(line + a, value, static_cast<size_t>(b - a + 1));
}

void fillInterior(IndexedBitmap& bmp, std::span<const RasterPoint> pts, uint8_t value) {
    const int W = bmp.width(), H = bmp.height();
    std::vector<Edge> edges;
    edges.reserve(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        const RasterPoint& a = pts[i];
        const RasterPoint& b = pts[(i + 1) % pts.size()];
        if (a.y == b.y) continue;
        const RasterPoint& lo = a.y < b.y ? a : b;
        const RasterPoint& hi = a.y < b.y ? b : a;
        if (hi.y <= 0 || lo.y >= H) continue;
        edges.push_back(Edge{lo.y, hi.y, lo.x, lo.y, hi.x - lo.x, hi.y - lo.y});
    }
    if (edges.empty()) return;
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.ylo < b.ylo; });

    int64_t yEnd = 0;
    for (const Edge& e : edges) yEnd = std::max(yEnd, e.yhi);
    const int lastRow = static_cast<int>(std::min<int64_t>(H, yEnd)) - 1;
    const int firstRow = static_cast<int>(std::max<int64_t>(0, edges.front().ylo));

    std::vector<const Edge*> active;
    std::vector<double> xs;
    size_t nextEdge = 0;
    for (int y = firstRow; y <= lastRow; ++y) {
        while (nextEdge < edges.size() && edges[nextEdge].ylo <= y) active.push_back(&edges[nextEdge++]);
        std::erase_if(active, [y](const Edge* e) { return e->yhi <= y; });
        if (active.size() < 2) continue;
        xs.clear();
        for (const Edge* e : active) {
            // x at the row's centre y + 0.5, exact for a half-integer result.
            const double num = static_cast<double>(2 * (y - e->y0) + 1) * static_cast<double>(e->dx);
            xs.push_back(static_cast<double>(e->x0) + num / static_cast<double>(2 * e->dy));
        }
        std::sort(xs.begin(), xs.end());
        uint8_t* line = bmp.line(y);
        for (size_t k = 0; k + 1 < xs.size(); k += 2) fillSpan(line, W, xs[k], xs[k + 1], value);
    }
}

// One-pixel line through both ends, stepping along the major axis. Only the part
// over the bitmap is walked, so far-away vertices cost nothing.
void drawLine(IndexedBitmap& bmp, RasterPoint a, RasterPoint b, uint8_t value) {
    const int W = bmp.width(), H = bmp.height();
    if ((a.x < 0 && b.x < 0) || (a.y < 0 && b.y < 0) || (a.x >= W && b.x >= W) || (a.y >= H && b.y >= H)) return;
    int64_t dx = b.x - a.x, dy = b.y - a.y;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    if (xMajor ? dx < 0 : dy < 0) {
        std::swap(a, b);
        dx = -dx;
        dy = -dy;
    }
    if (dx == 0 && dy == 0) {
        bmp.set(static_cast<int>(a.x), static_cast<int>(a.y), value);
        return;
    }
    // major runs 0..len; minor = round(t * step / len), halves away from the start.
    const int64_t len = xMajor ? dx : dy;
    const int64_t step = xMajor ? dy : dx;
    const int64_t start = xMajor ? a.x : a.y;
    const int64_t limit = xMajor ? W : H;
    const int64_t t0 = std::max<int64_t>(0, -start);
    const int64_t t1 = std::min<int64_t>(len, limit - 1 - start);
    const int64_t astep = step < 0 ? -step : step;
    for (int64_t t = t0; t <= t1; ++t) {
        const __int128 q = (static_cast<__int128>(2) * t * astep + len) / (2 * static_cast<__int128>(len));
        const int64_t minor = static_cast<int64_t>(step < 0 ? -q : q);
        if (xMajor)
            bmp.set(static_cast<int>(a.x + t), static_cast<int>(std::clamp<int64_t>(a.y + minor, -1, H)), value);
        else bmp.set(static_cast<int>(std::clamp<int64_t>(a.x + minor, -1, W)), static_cast<int>(a.y + t), value);
    }
}

} // namespace

void FillPolygon(IndexedBitmap& bitmap, std::span<const RasterPoint> polygon, uint8_t value) {
    if (polygon.empty() || bitmap.empty()) return;
    fillInterior(bitmap, polygon, value);
    for (size_t i = 0; i < polygon.size(); ++i) drawLine(bitmap, polygon[i], polygon[(i + 1) % polygon.size()], value);
    bitmap.touch();
}

} // namespace lc
