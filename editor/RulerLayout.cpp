#include "editor/RulerLayout.h"

#include <cmath>

#include "core/Numbers.h"

namespace lc {

namespace {

// A tick position along the ruler (from the left, or up from the bottom) with
// its number, its height class t (tick length t x 6) and its label.
struct Mark {
    double pos;
    int t;
    std::string label;
    bool labelRight; // label 3 px right of the tick (centred numbering) instead of 6 px left
};

template <class Emit>
void stitchMarks(const RulerParams& p, bool vertical, Emit&& emit) {
    if (p.Scale < 1) return; // no step: nothing to lay out
    int x = -(p.Scale / 2);
    for (long long i = p.StartPosition; x < p.Length; ++i, x += p.Scale) {
        if (!vertical && p.StitchMode == StitchNumbering::smCenter) {
            const long long d = i - p.MaxStitch / 2;
            if (d < 0) {
                const long long e = 1 - d;
                const int t = 1 + (e % 5 == 0) + (e % 10 == 0);
                emit(Mark{double(x), t, e % 10 == 0 ? "L" + std::to_string(e) : std::string(), true});
            } else {
                const int t = 1 + (d % 5 == 0) + (d % 10 == 0) + (d == 1 ? 2 : 0);
                emit(Mark{double(x), t, (d % 10 == 0 && d != 0) ? "R" + std::to_string(d) : std::string(), true});
            }
            continue;
        }
        const int t = 1 + (i % 5 == 0) + (i % 10 == 0);
        const bool labelled = i > 0 && i % 10 == 0 && (vertical || i <= p.MaxStitch);
        emit(Mark{double(x), t, labelled ? std::to_string(i) : std::string(), false});
    }
}

// Lengths: ticks every `minor` units, the first at or right of the edge; the
// edge lies `offset` units from the zero point; a unit is `pxPerUnit` pixels.
template <class Emit>
void lengthMarks(const RulerParams& p, double offset, double unitsPerMinor, long long minor, long long middle,
                 long long major, long long labelDiv, Emit&& emit) {
    const double s = p.Scale / 100.0 * unitsPerMinor; // pixels per minor step
    if (!(s >= 1.0)) return;                          // a step under one pixel would never reach the end
    const double k0 = std::ceil(offset / unitsPerMinor - 1e-9);
    double x = (k0 * unitsPerMinor - offset) * (p.Scale / 100.0);
    long long v = static_cast<long long>(k0) * minor;
    for (; x < p.Length; x += s, v += minor) {
        const int t = 1 + (v % middle == 0) + (v % major == 0);
        emit(Mark{x, t, v % major == 0 ? std::to_string(v / labelDiv) : std::string(), false});
    }
}

template <class Emit>
void marks(const RulerParams& p, bool vertical, Emit&& emit) {
    if (p.Units == MeasureUnit::muStitch) {
        stitchMarks(p, vertical, emit);
        return;
    }
    // Millimetres of the edge and of the zero point.
    const long long a = roundToIntClamped<long long>(static_cast<long double>(p.StartPosition) * p.StitchSize * 10);
    const long long z = roundToIntClamped<long long>(static_cast<long double>(p.ZeroPosition) * p.StitchSize * 10);
    const double offset = static_cast<double>(a - z);
    const int sc = p.Scale;
    if (p.Units == MeasureUnit::muSm) {
        long long minor = 1, middle = 5, major = 10;
        if (sc >= 1 && sc <= 39) minor = 50, middle = 100, major = 500;
        else if (sc >= 40 && sc <= 79) minor = 10, middle = 50, major = 100;
        else if (sc >= 80 && sc <= 159) minor = 5, middle = 10, major = 50;
        else if (sc >= 160 && sc <= 300) minor = 2, middle = 10, major = 20;
        lengthMarks(p, offset, double(minor), minor, middle, major, 10, emit);
    } else {
        double d = 3.17;
        long long minor = 3, middle = 6, major = 24;
        if (sc >= 1 && sc <= 39) d = 25.4, minor = 24, middle = 96, major = 288;
        else if (sc >= 40 && sc <= 99) d = 25.4, minor = 24, middle = 48, major = 96;
        else if (sc >= 100 && sc <= 300) d = 12.7, minor = 12, middle = 24, major = 48;
        lengthMarks(p, offset, d, minor, middle, major, 24, emit);
    }
}

} // namespace

std::vector<RulerTick> LayoutHRuler(const RulerParams& p) {
    std::vector<RulerTick> out;
    marks(p, false, [&](const Mark& m) {
        const int x = static_cast<int>(roundHalfEven(m.pos));
        RulerTick t{x, m.t * 6, m.label, 0, 8};
        if (!m.label.empty()) t.labelX = p.Units == MeasureUnit::muStitch ? (m.labelRight ? x + 3 : x - 6) : x + 2;
        out.push_back(std::move(t));
    });
    return out;
}

std::vector<RulerTick> LayoutVRuler(const RulerParams& p) {
    RulerParams q = p;
    q.StitchMode = StitchNumbering::smNormal;
    std::vector<RulerTick> out;
    marks(q, true, [&](const Mark& m) {
        const int y = p.Length - static_cast<int>(roundHalfEven(m.pos));
        RulerTick t{y, m.t * 6, m.label, 6, y - 14};
        out.push_back(std::move(t));
    });
    return out;
}

} // namespace lc
