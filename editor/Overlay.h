#pragma once
// The preview shape the canvas draws over the picture while a tool is in use,
// in widget pixels.
#include <cstdint>
#include <vector>

#include "editor/ViewGeometry.h"

namespace lc {

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

} // namespace lc
