#include "editor/TextLayout.h"

#include <cmath>
#include <numbers>

namespace lc {

std::vector<ArcGlyph> LayoutArc(const std::vector<int>& widths, int cx, int cy, int radius, int angleTenths,
                                bool rightToLeft) {
    std::vector<ArcGlyph> out;
    if (radius < 1 || widths.empty()) return out; // no circle to stand on
    const double pi = std::numbers::pi;
    const double circumference = std::round(2 * pi * radius);
    double arc = std::round(radius * static_cast<double>(angleTenths) / 1800.0 * pi);
    const int n = static_cast<int>(widths.size());
    out.reserve(widths.size());
    for (int i = 0; i < n; ++i) {
        const int k = rightToLeft ? n - 1 - i : i;
        const int w = widths[static_cast<size_t>(k)];
        const double theta = (arc - w / 2.0) * 2 * pi / circumference;
        ArcGlyph g;
        g.index = k;
        g.escapement = static_cast<int>(std::round(theta / pi * 1800 - 900));
        g.x = cx + static_cast<int>(std::round(std::cos(theta) * radius));
        g.y = cy - static_cast<int>(std::round(std::sin(theta) * radius));
        out.push_back(g);
        arc -= w;
    }
    return out;
}

} // namespace lc
