#pragma once
// The ticks and labels of the scroll rulers beside the canvas, as plain data:
// the ruler widgets only draw what this computes.
#include <string>
#include <vector>

namespace lc {

enum class MeasureUnit { muSm = 0, muStitch = 1, muInch = 2 };
enum class StitchNumbering { smNormal = 0, smCenter = 1 };

struct RulerParams {
    MeasureUnit Units = MeasureUnit::muSm;
    StitchNumbering StitchMode = StitchNumbering::smNormal; // horizontal ruler only
    int Scale = 960;                                        // px per stitch (muStitch); 100 x px per mm (muSm, muInch)
    int MaxStitch = 200;                                    // horizontal ruler only
    int StartPosition = 0;                                  // stitch or row at the left or bottom edge
    int ZeroPosition = 0;                                   // stitch or row where lengths count 0
    double StitchSize = 0.25;                               // one stitch (or row) in cm
    int Length = 200;                                       // ruler width (horizontal) or height (vertical), px
};

struct RulerTick {
    int pos = 0;       // x of the tick line (vertical ruler: y)
    int length = 0;    // the tick runs from 1 to length across the ruler
    std::string label; // empty for none
    int labelX = 0, labelY = 0;
};

// Horizontal ruler: ticks left to right.
std::vector<RulerTick> LayoutHRuler(const RulerParams& p);
// Vertical ruler: positions measured upward from the bottom edge.
std::vector<RulerTick> LayoutVRuler(const RulerParams& p);

} // namespace lc
