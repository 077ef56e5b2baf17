#include "garment/GarmentOutline.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Errors.h"

namespace lc {

namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "curve shapes and arcs are rounded in 80-bit extended precision");

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// cos and sin of 15, 30, 45, 60 and 75 degrees, computed once in extended precision.
struct ArcTrig {
    long double cosv[5];
    long double sinv[5];
};
const ArcTrig& Trig() {
    static const ArcTrig t = [] {
        ArcTrig r{};
        for (int k = 0; k < 5; ++k) {
            const long double a = static_cast<long double>(15 * (k + 1)) * kPi / 180.0L;
            r.cosv[k] = std::cos(a);
            r.sinv[k] = std::sin(a);
        }
        return r;
    }();
    return t;
}

inline int64_t rnd(long double v) { return static_cast<int64_t>(std::nearbyint(v)); }
// r(num * v / den), the fraction taken of the integer product.
inline int64_t frac(int64_t num, int64_t v, int64_t den) {
    return rnd(static_cast<long double>(num * v) / static_cast<long double>(den));
}

bool fitsInt32(int64_t v) {
    return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// The AddSegment step of each kind: signs applied to (dx, dy).
struct Step {
    int8_t sx, sy;
};
// clang-format off
constexpr std::array<Step, 32> kSteps = {{
    {1, 0},  {-1, 0}, {0, 1},  {0, -1}, {1, -1}, {-1, 1}, {-1, -1}, {1, 1},   // 0-7 straight
    {1, -1}, {-1, 1}, {1, 1},  {-1, -1}, {1, -1}, {-1, 1}, {-1, -1}, {1, 1},  // 8-15 arcs
    {1, -1}, {-1, 1}, {1, 1},  {-1, -1}, {1, -1}, {-1, 1}, {1, 1},  {-1, -1}, // 16-23
    {1, 1},  {-1, -1}, {1, -1}, {-1, 1}, {1, 1},  {-1, -1}, {1, -1}, {-1, 1}, // 24-31
}};
// clang-format on

} // namespace

// ---------------------------------------------------------------- access

const GarmentPoint& GarmentOutline::Point(int i) const {
    if (i < 0 || i >= PointCount()) throw RangeError("point index out of range");
    return points_[static_cast<size_t>(i)];
}

const GarmentCurve& GarmentOutline::Curve(int i) const {
    if (i < 0 || i >= CurveCount()) throw RangeError("curve index out of range");
    return curves_[static_cast<size_t>(i)];
}

GarmentPoint& GarmentOutline::GetPoint(int i) {
    (void)Point(i);
    invalidate();
    return points_[static_cast<size_t>(i)];
}

void GarmentOutline::SetCurve(int i, const GarmentCurve& curve) {
    (void)Curve(i);
    if (curve.StartPoint >= points_.size() || curve.EndPoint >= points_.size())
        throw RangeError("a curve must join two existing points");
    curves_[static_cast<size_t>(i)] = curve;
}

void GarmentOutline::ensureGrid() const {
    if (gridValid_) return;
    grid_.clear();
    grid_.reserve(points_.size());
    for (size_t i = 0; i < points_.size(); ++i) grid_.insert(points_[i].X, points_[i].Y, static_cast<int32_t>(i));
    gridValid_ = true;
}

// ---------------------------------------------------------------- adding

int GarmentOutline::AddPoint(int32_t x, int32_t y) {
    ensureGrid();
    const int32_t picked = grid_.nearest(x, y);
    if (picked < 0 && PointCount() >= kMaxGarmentPoints) throw RangeError("the outline holds at most 65535 points");

    if (selectionKnown_) {
        for (int32_t s : selection_)
            if (static_cast<size_t>(s) < points_.size()) points_[static_cast<size_t>(s)].Selected = 0;
    } else {
        for (GarmentPoint& p : points_) p.Selected = 0;
    }
    selection_.clear();

    int result = picked;
    if (picked >= 0) {
        points_[static_cast<size_t>(picked)].Selected = 1;
    } else {
        GarmentPoint p;
        p.X = x;
        p.Y = y;
        p.Number = static_cast<uint16_t>(points_.size() + 1);
        p.Selected = 1;
        points_.push_back(p);
        result = PointCount() - 1;
        grid_.insert(x, y, result);
    }
    selection_.push_back(result);
    selectionKnown_ = true;
    return result;
}

int GarmentOutline::AppendPointRaw(int32_t x, int32_t y, bool selected) {
    if (PointCount() >= kMaxGarmentPoints) throw RangeError("the outline holds at most 65535 points");
    GarmentPoint p;
    p.X = x;
    p.Y = y;
    p.Number = static_cast<uint16_t>(points_.size() + 1);
    p.Selected = selected ? 1 : 0;
    points_.push_back(p);
    const int idx = PointCount() - 1;
    if (gridValid_) grid_.insert(x, y, idx);
    if (selected && selectionKnown_) selection_.push_back(idx);
    return idx;
}

void GarmentOutline::AddCurve(int startPoint, int endPoint, uint8_t kind) {
    if (startPoint < 0 || startPoint >= PointCount() || endPoint < 0 || endPoint >= PointCount())
        throw RangeError("a curve must join two existing points");
    GarmentCurve c;
    c.Kind = kind;
    c.StartPoint = static_cast<uint16_t>(startPoint);
    c.EndPoint = static_cast<uint16_t>(endPoint);
    curves_.push_back(c);
}

void GarmentOutline::DuplicateCurve(int i) { curves_.push_back(Curve(i)); }

void GarmentOutline::AddSegment(int32_t dx, int32_t dy, uint8_t kind) {
    const int f = FirstSelected();
    if (f < 0) return;
    int n = NextSelected(f);
    if (n < 0) {
        if (kind <= kMaxCurveKind) {
            const GarmentPoint& p = points_[static_cast<size_t>(f)];
            const int64_t nx = static_cast<int64_t>(p.X) + static_cast<int64_t>(kSteps[kind].sx) * dx;
            const int64_t ny = static_cast<int64_t>(p.Y) + static_cast<int64_t>(kSteps[kind].sy) * dy;
            if (!fitsInt32(nx) || !fitsInt32(ny)) throw RangeError("the point would lie outside the drawing");
            AddPoint(static_cast<int32_t>(nx), static_cast<int32_t>(ny));
        }
        n = FirstSelected();
    }
    if (n == f) return;
    for (GarmentCurve& c : curves_) {
        if ((c.StartPoint == f && c.EndPoint == n) || (c.StartPoint == n && c.EndPoint == f)) {
            c.Kind = kind;
            return;
        }
    }
    AddCurve(f, n, kind);
}

// ---------------------------------------------------------------- selection

void GarmentOutline::SelectPoint(int i, bool state) {
    if (points_.empty()) return;
    if (i < 0) {
        for (GarmentPoint& p : points_) p.Selected = state ? 1 : 0;
    } else if (i < PointCount()) {
        points_[static_cast<size_t>(i)].Selected = state ? 1 : 0;
    } else {
        return;
    }
    selectionKnown_ = false;
}

bool GarmentOutline::SelectInRect(int32_t xA, int32_t yA, int32_t xB, int32_t yB, bool add) {
    const int32_t x0 = std::min(xA, xB), x1 = std::max(xA, xB);
    const int32_t y0 = std::min(yA, yB), y1 = std::max(yA, yB);
    bool any = false;
    for (GarmentPoint& p : points_) {
        if (p.X >= x0 && p.X <= x1 && p.Y >= y0 && p.Y <= y1) {
            p.Selected = 1;
            any = true;
        } else if (!add) {
            p.Selected = 0;
        }
    }
    selectionKnown_ = false;
    return any;
}

int GarmentOutline::FirstSelected() const { return NextSelected(-1); }

int GarmentOutline::NextSelected(int i) const {
    if (i >= PointCount()) return -1;
    for (int k = std::max(i + 1, 0); k < PointCount(); ++k)
        if (points_[static_cast<size_t>(k)].Selected) return k;
    return -1;
}

// ---------------------------------------------------------------- measuring

double GarmentOutline::PointDistance(int i, int j) const {
    if (i < 0 || j < 0 || i >= PointCount() || j >= PointCount()) return -1.0;
    const long double dx =
        static_cast<long double>(points_[static_cast<size_t>(i)].X) - points_[static_cast<size_t>(j)].X;
    const long double dy =
        static_cast<long double>(points_[static_cast<size_t>(i)].Y) - points_[static_cast<size_t>(j)].Y;
    return static_cast<double>(std::sqrt(dx * dx + dy * dy));
}

double GarmentOutline::SelectedLength() const {
    long double sum = 0;
    for (int c = 0; c < CurveCount(); ++c) {
        const GarmentCurve& cv = curves_[static_cast<size_t>(c)];
        if (cv.StartPoint >= points_.size() || cv.EndPoint >= points_.size()) continue;
        if (!points_[cv.StartPoint].Selected || !points_[cv.EndPoint].Selected) continue;
        const CurvePolyline pl = BuildCurvePoints(c);
        for (int k = 1; k < pl.Count; ++k) {
            const long double dx = static_cast<long double>(pl.Points[k].x - pl.Points[k - 1].x);
            const long double dy = static_cast<long double>(pl.Points[k].y - pl.Points[k - 1].y);
            sum += std::sqrt(dx * dx + dy * dy);
        }
    }
    return static_cast<double>(sum);
}

namespace {
// Extent of the points (all, or the selected ones) along one coordinate; 0
// unless at least two points count.
int64_t pointSpan(const std::vector<GarmentPoint>& points, bool all, int32_t GarmentPoint::*coord) {
    if (points.size() < 2) return 0;
    int count = 0;
    int32_t lo = 0, hi = 0;
    for (const GarmentPoint& p : points) {
        if (!all && !p.Selected) continue;
        const int32_t v = p.*coord;
        if (count++ == 0) lo = hi = v;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    return count < 2 ? 0 : static_cast<int64_t>(hi) - lo;
}
} // namespace

int64_t GarmentOutline::SelectionWidth(bool all) const { return pointSpan(points_, all, &GarmentPoint::X); }

int64_t GarmentOutline::SelectionHeight(bool all) const { return pointSpan(points_, all, &GarmentPoint::Y); }

GarmentBounds GarmentOutline::Bounds() const {
    GarmentBounds b;
    if (points_.size() < 2) return b;
    b.MinX = b.MaxX = points_[0].X;
    b.MinY = b.MaxY = points_[0].Y;
    for (const GarmentPoint& p : points_) {
        b.MinX = std::min(b.MinX, p.X);
        b.MaxX = std::max(b.MaxX, p.X);
        b.MinY = std::min(b.MinY, p.Y);
        b.MaxY = std::max(b.MaxY, p.Y);
    }
    return b;
}

// ---------------------------------------------------------------- moving

void GarmentOutline::MoveSelected(int32_t dx, int32_t dy) {
    for (const GarmentPoint& p : points_)
        if (p.Selected && (!fitsInt32(static_cast<int64_t>(p.X) + dx) || !fitsInt32(static_cast<int64_t>(p.Y) + dy)))
            throw RangeError("the points would leave the drawing");
    bool moved = false;
    for (GarmentPoint& p : points_) {
        if (!p.Selected) continue;
        p.X += dx;
        p.Y += dy;
        moved = true;
    }
    if (moved && (dx || dy)) gridValid_ = false;
}

void GarmentOutline::MoveAll(int32_t dx, int32_t dy) {
    for (const GarmentPoint& p : points_)
        if (!fitsInt32(static_cast<int64_t>(p.X) + dx) || !fitsInt32(static_cast<int64_t>(p.Y) + dy))
            throw RangeError("the points would leave the drawing");
    for (GarmentPoint& p : points_) {
        p.X += dx;
        p.Y += dy;
    }
    if (dx || dy) gridValid_ = false;
}

void GarmentOutline::AlignSelected(int mode) {
    if (mode < 1 || mode > 4) return;
    int count = 0;
    int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const GarmentPoint& p : points_) {
        if (!p.Selected) continue;
        if (count++ == 0) {
            minX = maxX = p.X;
            minY = maxY = p.Y;
        }
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    if (count == 0) return;
    for (GarmentPoint& p : points_) {
        if (!p.Selected) continue;
        switch (mode) {
        case 1: p.X = minX; break;
        case 2: p.X = maxX; break;
        case 3: p.Y = minY; break;
        case 4: p.Y = maxY; break;
        }
    }
    gridValid_ = false;
}

// Every arc and fixed shape becomes straight kind-7 pieces along its polyline.
// The polyline's inner points are appended as they are rather than through
// AddPoint: snapping them within 5 mm collapsed small curves and lost them.
void GarmentOutline::straighten() {
    int lastEnd = -1;
    for (int c = CurveCount() - 1; c >= 0; --c) {
        const GarmentCurve cv = curves_[static_cast<size_t>(c)];
        if (cv.Kind <= 7) continue;
        const CurvePolyline pl = BuildCurvePoints(c);
        if (pl.Count < 2) continue; // no shape: kept as it is rather than lost
        const GarmentPoint& s = points_[cv.StartPoint];
        // The polyline runs from the end with the larger x for arcs, from the
        // start for the fixed shapes: match its ends to the curve's points.
        const bool fromStart = pl.Points[0].x == s.X && pl.Points[0].y == s.Y;
        const int first = fromStart ? cv.StartPoint : cv.EndPoint;
        const int last = fromStart ? cv.EndPoint : cv.StartPoint;
        curves_.erase(curves_.begin() + c);

        int prevIdx = first;
        PolyPoint prev = pl.Points[0];
        for (int k = 1; k < pl.Count; ++k) {
            const PolyPoint& q = pl.Points[k];
            int idx;
            if (k == pl.Count - 1) {
                idx = last;
            } else {
                if (q == prev) continue;
                const PolyPoint& end = pl.Points[pl.Count - 1];
                if (q == end) continue; // merges into the end point below
                if (!fitsInt32(q.x) || !fitsInt32(q.y)) throw RangeError("the points would leave the drawing");
                idx = AppendPointRaw(static_cast<int32_t>(q.x), static_cast<int32_t>(q.y), false);
            }
            if (idx != prevIdx) {
                if (prevIdx == first && idx == last) // both ends existed before: join as AddSegment would
                    joinStraight(prevIdx, idx);
                else AddCurve(prevIdx, idx, 7);
            }
            prevIdx = idx;
            prev = q;
        }
        lastEnd = last;
    }
    if (lastEnd >= 0) {
        for (GarmentPoint& p : points_) p.Selected = 0;
        points_[static_cast<size_t>(lastEnd)].Selected = 1;
        selectionKnown_ = false;
    }
}

// A kind-7 join between two points that may already be joined: the first
// joining curve takes kind 7, as AddSegment does, instead of a second curve.
void GarmentOutline::joinStraight(int a, int b) {
    for (GarmentCurve& c : curves_) {
        if ((c.StartPoint == a && c.EndPoint == b) || (c.StartPoint == b && c.EndPoint == a)) {
            c.Kind = 7;
            return;
        }
    }
    AddCurve(a, b, 7);
}

void GarmentOutline::Rotate(double degrees) {
    if (!std::isfinite(degrees)) throw RangeError("the angle is not a number");
    // Worked on a copy, so a result outside the coordinate range changes nothing.
    GarmentOutline t(*this);
    t.straighten();
    const long double a = static_cast<long double>(degrees) * kPi / 180.0L;
    const long double ca = std::cos(a), sa = std::sin(a);
    for (GarmentPoint& p : t.points_) {
        const long double x = p.X, y = p.Y;
        const long double nx = std::nearbyint(x * ca + y * sa);
        const long double ny = std::nearbyint(y * ca - x * sa);
        if (!(nx >= std::numeric_limits<int32_t>::min() && nx <= std::numeric_limits<int32_t>::max() &&
              ny >= std::numeric_limits<int32_t>::min() && ny <= std::numeric_limits<int32_t>::max()))
            throw RangeError("the points would leave the drawing");
        p.X = static_cast<int32_t>(nx);
        p.Y = static_cast<int32_t>(ny);
    }
    t.gridValid_ = false;
    *this = std::move(t);
}

// ---------------------------------------------------------------- deleting

// Deletes the marked points with the curves that touch them; curve indexes and
// the axis move down past each deleted point. Same result as deleting them one
// by one from the highest index down, in one pass.
void GarmentOutline::removePoints(const std::vector<uint8_t>& doomed) {
    std::vector<int32_t> newIndex(points_.size(), -1);
    int32_t next = 0;
    for (size_t i = 0; i < points_.size(); ++i)
        if (!doomed[i]) newIndex[i] = next++;
    if (next == PointCount()) return;

    size_t out = 0;
    for (const GarmentCurve& c : curves_) {
        const int32_t s = newIndex[c.StartPoint], e = newIndex[c.EndPoint];
        if (s < 0 || e < 0) continue;
        GarmentCurve k = c;
        k.StartPoint = static_cast<uint16_t>(s);
        k.EndPoint = static_cast<uint16_t>(e);
        curves_[out++] = k;
    }
    curves_.resize(out);
    if (symmetryAxis_ >= 0) symmetryAxis_ = newIndex[static_cast<size_t>(symmetryAxis_)];

    out = 0;
    for (size_t i = 0; i < points_.size(); ++i)
        if (!doomed[i]) points_[out++] = points_[i];
    points_.resize(out);
    invalidate();
}

void GarmentOutline::DeletePoint(int i) {
    if (i < 0 || i >= PointCount()) return;
    std::vector<uint8_t> doomed(points_.size(), 0);
    doomed[static_cast<size_t>(i)] = 1;
    removePoints(doomed);
}

void GarmentOutline::DeleteSelectedPoints() {
    std::vector<uint8_t> doomed(points_.size(), 0);
    for (size_t i = 0; i < points_.size(); ++i) doomed[i] = points_[i].Selected ? 1 : 0;
    removePoints(doomed);
}

void GarmentOutline::DeleteSelectedCurves() {
    std::erase_if(
        curves_, [&](const GarmentCurve& c) { return points_[c.StartPoint].Selected && points_[c.EndPoint].Selected; });
}

void GarmentOutline::DeleteSnappedSelected() {
    PointGrid unselected;
    unselected.reserve(points_.size());
    bool anySelected = false;
    for (size_t i = 0; i < points_.size(); ++i) {
        if (points_[i].Selected) anySelected = true;
        else unselected.insert(points_[i].X, points_[i].Y, static_cast<int32_t>(i));
    }
    if (!anySelected || unselected.empty()) return;
    std::vector<uint8_t> doomed(points_.size(), 0);
    for (size_t i = 0; i < points_.size(); ++i)
        if (points_[i].Selected && unselected.nearest(points_[i].X, points_[i].Y) >= 0) doomed[i] = 1;
    removePoints(doomed);
}

void GarmentOutline::Clear() {
    points_.clear();
    curves_.clear();
    symmetryAxis_ = -1;
    selection_.clear();
    selectionKnown_ = true;
    grid_.clear();
    gridValid_ = true;
}

// ---------------------------------------------------------------- symmetry

void GarmentOutline::SetSymmetryAxis(int axis) {
    if (axis < -1 || axis >= PointCount()) throw RangeError("the symmetry axis names a point that does not exist");
    symmetryAxis_ = axis;
}

void GarmentOutline::MakeSymmetric() {
    int axis = -1;
    for (int i = PointCount() - 1; i >= 0; --i)
        if (points_[static_cast<size_t>(i)].Selected) {
            axis = i;
            break;
        }
    if (axis < 0 || curves_.empty()) {
        symmetryAxis_ = axis;
        return;
    }

    const int n = PointCount();
    std::vector<uint32_t> touching(static_cast<size_t>(n), 0);
    for (const GarmentCurve& c : curves_) {
        ++touching[c.StartPoint];
        if (c.EndPoint != c.StartPoint) ++touching[c.EndPoint];
    }
    // Worked on a copy, so a refusal (the closing points would overflow the
    // outline) changes nothing.
    GarmentOutline t(*this);
    t.symmetryAxis_ = axis;
    const int32_t ax = points_[static_cast<size_t>(axis)].X;
    for (int j = 0; j < n; ++j) {
        if (j == axis || touching[static_cast<size_t>(j)] != 1) continue;
        const GarmentPoint pj = t.points_[static_cast<size_t>(j)];
        if (pj.X == ax) continue;
        const int q = t.AddPoint(ax, pj.Y);
        if (q != j) t.AddCurve(q, j, 1);
    }
    *this = std::move(t);
}

uint8_t GarmentOutline::FlipArcType(uint8_t kind) {
    switch (kind) {
    case 8:
    case 9:
    case 14:
    case 15: return 10;
    case 10:
    case 11:
    case 12:
    case 13: return 8;
    default: return kind;
    }
}

void GarmentOutline::AddMirrorCopy() {
    if (curves_.empty() || points_.empty()) return;
    const int first = FirstSelected();
    if (first < 0) return;
    const int64_t ax = points_[static_cast<size_t>(first)].X;

    GarmentOutline t(*this);
    const size_t m = t.curves_.size();
    for (size_t c = 0; c < m; ++c) t.curves_.push_back(t.curves_[c]);
    auto mirrored = [&](int idx) {
        const GarmentPoint p = t.points_[static_cast<size_t>(idx)];
        const int64_t x = 2 * ax - p.X;
        if (!fitsInt32(x)) throw RangeError("the mirror image would leave the drawing");
        return t.AddPoint(static_cast<int32_t>(x), p.Y);
    };
    for (size_t c = m; c < 2 * m; ++c) {
        t.curves_[c].Kind = FlipArcType(t.curves_[c].Kind);
        t.curves_[c].StartPoint = static_cast<uint16_t>(mirrored(t.curves_[c].StartPoint));
        t.curves_[c].EndPoint = static_cast<uint16_t>(mirrored(t.curves_[c].EndPoint));
    }
    *this = std::move(t);
}

// ---------------------------------------------------------------- queries

int GarmentOutline::FirstCurveStart() const {
    if (points_.empty() || curves_.empty()) return -1;
    if (symmetryAxis_ >= 0) return symmetryAxis_;
    return curves_[0].StartPoint;
}

int GarmentOutline::OtherEnd(int point, int skipCurve) const {
    for (int c = CurveCount() - 1; c >= 0; --c) {
        if (c == skipCurve) continue;
        const GarmentCurve& cv = curves_[static_cast<size_t>(c)];
        int other;
        if (cv.StartPoint == point) other = cv.EndPoint;
        else if (cv.EndPoint == point) other = cv.StartPoint;
        else continue;
        return other < PointCount() ? other : -1;
    }
    return -1;
}

int GarmentOutline::FindCurve(int p1, int p2) const {
    for (int c = CurveCount() - 1; c >= 0; --c) {
        const GarmentCurve& cv = curves_[static_cast<size_t>(c)];
        if ((cv.StartPoint == p1 && cv.EndPoint == p2) || (cv.StartPoint == p2 && cv.EndPoint == p1)) return c;
    }
    return -1;
}

int GarmentOutline::FindPoint(int32_t x, int32_t y) const {
    ensureGrid();
    return grid_.exact(x, y);
}

CurvePolyline GarmentOutline::BuildCurvePoints(int i) const {
    CurvePolyline pl;
    if (i < 0 || i >= CurveCount()) return pl;
    const GarmentCurve& c = curves_[static_cast<size_t>(i)];
    if (c.StartPoint >= points_.size() || c.EndPoint >= points_.size() || c.Kind > kMaxCurveKind) return pl;
    const int64_t x1 = points_[c.StartPoint].X, y1 = points_[c.StartPoint].Y;
    const int64_t x2 = points_[c.EndPoint].X, y2 = points_[c.EndPoint].Y;
    const int64_t dx = x1 - x2, dy = y1 - y2;
    const bool sameSign = (dx > 0 && dy > 0) || (dx < 0 && dy < 0);
    auto& P = pl.Points;
    const ArcTrig& tr = Trig();

    auto shape = [&](std::initializer_list<PolyPoint> inner) {
        P[0] = {x1, y1};
        int k = 1;
        for (const PolyPoint& q : inner) P[static_cast<size_t>(k++)] = q;
        P[static_cast<size_t>(k++)] = {x2, y2};
        pl.Count = k;
    };

    switch (c.Kind) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7: shape({}); break;
    case 8:
    case 9:
    case 14:
    case 15: { // arc A
        const int64_t a = dx < 0 ? -dx : dx;
        const int64_t cx = std::max(x1, x2);
        const int64_t cy = sameSign ? std::min(y1, y2) : std::max(y1, y2);
        const int64_t b = sameSign ? (dy < 0 ? -dy : dy) : -(dy < 0 ? -dy : dy);
        P[0] = {cx, cy + b};
        for (int k = 0; k < 5; ++k) {
            const int t = 4 - k; // 75, 60, 45, 30, 15 degrees
            P[static_cast<size_t>(k + 1)] = {cx - rnd(a * tr.cosv[t]), cy + rnd(b * tr.sinv[t])};
        }
        P[6] = {cx - a, cy};
        pl.Count = 7;
        break;
    }
    case 10:
    case 11:
    case 12:
    case 13: { // arc B
        const int64_t a = dx < 0 ? -dx : dx;
        const int64_t cx = std::min(x1, x2);
        const int64_t cy = sameSign ? std::max(y1, y2) : std::min(y1, y2);
        const int64_t b = sameSign ? (dy < 0 ? -dy : dy) : -(dy < 0 ? -dy : dy);
        P[0] = {cx + a, cy};
        for (int k = 0; k < 5; ++k) // 15, 30, 45, 60, 75 degrees
            P[static_cast<size_t>(k + 1)] = {cx + rnd(a * tr.cosv[k]), cy - rnd(b * tr.sinv[k])};
        P[6] = {cx, cy - b};
        pl.Count = 7;
        break;
    }
    case 16:
    case 19: // S1
        shape({{x1 - frac(3, dx, 16), y1 - frac(5, dy, 8)}, {x1 - frac(1, dx, 2), y2}});
        break;
    case 17:
    case 18: // S2
        shape({{x1 - frac(1, dx, 2), y1}, {x1 - frac(13, dx, 16), y1 - frac(3, dy, 8)}});
        break;
    case 20:
    case 23: // S3
        shape({{x1, y1 - frac(1, dy, 3)}, {x1 - frac(3, dx, 16), y1 - frac(7, dy, 9)}, {x1 - frac(1, dx, 2), y2}});
        break;
    case 21:
    case 22: // S4
        shape({{x1 - frac(1, dx, 3), y1}, {x1 - frac(7, dx, 9), y1 - frac(2, dy, 9)}, {x2, y1 - frac(2, dy, 3)}});
        break;
    case 24:
    case 27: // S5
        shape({{x1, y1 - frac(2, dy, 3)}, {x1 - frac(2, dx, 5), y1 - frac(13, dy, 15)}});
        break;
    case 25:
    case 26: // S6
        shape({{x1 - frac(3, dx, 5), y1 - frac(2, dy, 15)}, {x2, y1 - frac(1, dy, 3)}});
        break;
    case 28:
    case 31: { // S7: the fixed offsets follow the sign of x2 - x1
        const long double s = static_cast<long double>((x2 > x1) - (x2 < x1));
        const long double fdx = static_cast<long double>(dx), fdy = static_cast<long double>(dy);
        shape({{x1 - rnd(4 * s + fdx / 6), y1 - rnd(fdy / 6 - 4)},
               {x1 - frac(1, dx, 3), y1 - frac(1, dy, 3)},
               {x1 - rnd(10 * s + 7 * fdx / 12), y1 - rnd(7 * fdy / 12 + 10)},
               {x1 - frac(5, dx, 6), y2}});
        break;
    }
    case 29:
    case 30: { // S8: the fixed offsets follow the sign of x1 - x2
        const long double t = static_cast<long double>((x1 > x2) - (x1 < x2));
        const long double fdx = static_cast<long double>(dx), fdy = static_cast<long double>(dy);
        shape({{x1 - frac(1, dx, 6), y1},
               {x1 - rnd(10 * t + 5 * fdx / 12), y1 - rnd(5 * fdy / 12 + 10)},
               {x1 - frac(2, dx, 3), y1 - frac(2, dy, 3)},
               {x1 - rnd(4 * t + 5 * fdx / 6), y1 - rnd(5 * fdy / 6 - 4)}});
        break;
    }
    }
    return pl;
}

// ---------------------------------------------------------------- bulk records

void GarmentOutline::Assign(std::span<const GarmentPoint> points, std::span<const GarmentCurve> curves,
                            uint16_t reserved, int32_t axis) {
    const size_t n = points.size();
    if (n > static_cast<size_t>(kMaxGarmentPoints)) throw RangeError("the outline holds at most 65535 points");
    for (const GarmentCurve& c : curves)
        if (c.StartPoint >= n || c.EndPoint >= n) throw RangeError("a curve names a point that does not exist");
    if (axis < -1 || axis >= static_cast<int64_t>(n))
        throw RangeError("the symmetry axis names a point that does not exist");
    points_.assign(points.begin(), points.end());
    curves_.assign(curves.begin(), curves.end());
    Reserved = reserved;
    symmetryAxis_ = axis;
    invalidate();
}

void GarmentOutline::AppendRecords(std::span<const GarmentPoint> points, std::span<const GarmentCurve> curves) {
    const size_t base = points_.size();
    const size_t n = points.size();
    if (base + n > static_cast<size_t>(kMaxGarmentPoints)) throw RangeError("the outline holds at most 65535 points");
    for (const GarmentCurve& c : curves)
        if (c.StartPoint >= n || c.EndPoint >= n) throw RangeError("a curve names a point that does not exist");
    points_.insert(points_.end(), points.begin(), points.end());
    curves_.reserve(curves_.size() + curves.size());
    for (GarmentCurve c : curves) {
        c.StartPoint = static_cast<uint16_t>(c.StartPoint + base);
        c.EndPoint = static_cast<uint16_t>(c.EndPoint + base);
        curves_.push_back(c);
    }
    invalidate();
}

} // namespace lc
