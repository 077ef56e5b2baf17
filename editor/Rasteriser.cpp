#include "editor/Rasteriser.h"

namespace lc {

EllipseSpans EllipseRows(int x1, int y1, int x2, int y2) {
    EllipseSpans e;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    const int w = x2 - x1, h = y2 - y1;
    if (w <= 0 || h <= 0) return e;
    e.top = y1;
    e.left.assign(static_cast<size_t>(h), x2);
    e.right.assign(static_cast<size_t>(h), x1 - 1);
    const double a = w / 2.0, b = h / 2.0;
    const double cx = x1 + a, cy = y1 + b;
    // Line by line: the cells whose centres lie inside, at least the middle cell(s).
    const int midL = static_cast<int>(std::floor(cx - 0.5)), midR = static_cast<int>(std::ceil(cx - 0.5));
    for (int i = 0; i < h; ++i) {
        const double t = (y1 + i + 0.5 - cy) / b;
        const double half = t * t < 1.0 ? a * std::sqrt(1.0 - t * t) : 0.0;
        const int l = static_cast<int>(std::ceil(cx - half - 0.5));
        const int r = static_cast<int>(std::floor(cx + half - 0.5));
        e.left[static_cast<size_t>(i)] = std::min(l, midL);
        e.right[static_cast<size_t>(i)] = std::max(r, midR);
    }
    // Column by column the same way, so flat ellipses reach the ends of their box.
    // Column spans grow toward the middle column, so walking each half from its
    // outer edge inward, a line takes the first (outermost) column that covers it.
    const int midT = static_cast<int>(std::floor(cy - 0.5)) - y1, midB = static_cast<int>(std::ceil(cy - 0.5)) - y1;
    auto columnSpan = [&](int x, int& t, int& bo) {
        const double s = (x + 0.5 - cx) / a;
        const double half = s * s < 1.0 ? b * std::sqrt(1.0 - s * s) : 0.0;
        t = std::max(0, std::min(static_cast<int>(std::ceil(cy - half - 0.5)) - y1, midT));
        bo = std::min(h - 1, std::max(static_cast<int>(std::floor(cy + half - 0.5)) - y1, midB));
    };
    for (int side = 0; side < 2; ++side) {
        int ct = h, cb = -1; // lines already covered by a column further out
        for (int k = 0; k < w; ++k) {
            const int x = side == 0 ? x1 + k : x2 - 1 - k;
            if (side == 0 ? x > midR : x < midL) break;
            int t, bo;
            columnSpan(x, t, bo);
            if (t > bo) continue;
            for (int i = t; i <= bo; ++i) {
                if (i >= ct && i <= cb) {
                    i = cb;
                    continue;
                }
                auto& edge = side == 0 ? e.left[static_cast<size_t>(i)] : e.right[static_cast<size_t>(i)];
                edge = side == 0 ? std::min(edge, x) : std::max(edge, x);
            }
            ct = std::min(ct, t);
            cb = std::max(cb, bo);
        }
    }
    return e;
}

} // namespace lc
