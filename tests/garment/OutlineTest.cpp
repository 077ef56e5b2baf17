#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/Errors.h"
#include "garment/GarmentOutline.h"

using namespace lc;

namespace {

std::vector<PolyPoint> polyline(const GarmentOutline& g, int curve) {
    const CurvePolyline pl = g.BuildCurvePoints(curve);
    return std::vector<PolyPoint>(pl.Points.begin(), pl.Points.begin() + pl.Count);
}

// An outline with the two points and one curve of the given kind between them.
GarmentOutline twoPointCurve(int x1, int y1, int x2, int y2, uint8_t kind) {
    GarmentOutline g;
    g.AppendPointRaw(x1, y1, false);
    g.AppendPointRaw(x2, y2, false);
    g.AddCurve(0, 1, kind);
    return g;
}

int selectedCount(const GarmentOutline& g) {
    int n = 0;
    for (const GarmentPoint& p : g.Points()) n += p.Selected;
    return n;
}

std::vector<std::pair<int, int>> coords(const GarmentOutline& g) {
    std::vector<std::pair<int, int>> v;
    for (const GarmentPoint& p : g.Points()) v.emplace_back(p.X, p.Y);
    return v;
}

// The snapping rule as written: scan every point, the last one closer than 5 mm wins.
int referenceSnap(const std::vector<std::pair<int, int>>& pts, int x, int y) {
    int found = -1;
    for (size_t i = 0; i < pts.size(); ++i) {
        const long long dx = pts[i].first - x, dy = pts[i].second - y;
        if (dx * dx + dy * dy < 25) found = static_cast<int>(i);
    }
    return found;
}

} // namespace

TEST(GarmentOutline, AddPointSnapsBelowFiveMillimetresAndTheLaterPointWins) {
    GarmentOutline g;
    EXPECT_EQ(g.AddPoint(0, 0), 0);
    EXPECT_EQ(g.AddPoint(4, 0), 0) << "4 mm away picks the existing point";
    EXPECT_EQ(g.PointCount(), 1);
    EXPECT_EQ(g.AddPoint(5, 0), 1) << "exactly 5 mm (distance squared 25) adds a point";
    EXPECT_EQ(g.AddPoint(3, 3), 1) << "both lie within 5 mm: the later one is picked";
    EXPECT_EQ(g.PointCount(), 2);
    EXPECT_EQ(selectedCount(g), 1);
    EXPECT_TRUE(g.IsPointSelected(1));

    GarmentOutline h;
    h.AddPoint(0, 0);
    h.AddPoint(4, 0); // snaps; only one point
    h.AddPoint(10, 0);
    h.AddPoint(0, 3); // squared distances 9 to point 0
    EXPECT_TRUE(h.IsPointSelected(0));
    EXPECT_EQ(selectedCount(h), 1);

    // Number is the point count plus one when appended; picking never renumbers.
    EXPECT_EQ(h.Point(0).Number, 1);
    EXPECT_EQ(h.Point(1).Number, 2);
}

TEST(GarmentOutline, AddPointMatchesTheFullScanOnRandomClusters) {
    // The 5 mm grid must give the same answers as scanning every point, also
    // across cell borders, at negative coordinates and after selection changes.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-40, 40);
    GarmentOutline g;
    std::vector<std::pair<int, int>> ref;
    for (int i = 0; i < 3000; ++i) {
        const int x = coord(rng), y = coord(rng);
        const int expect = referenceSnap(ref, x, y);
        const int got = g.AddPoint(x, y);
        if (expect >= 0) {
            ASSERT_EQ(got, expect) << "at (" << x << "," << y << ")";
        } else {
            ref.emplace_back(x, y);
            ASSERT_EQ(got, static_cast<int>(ref.size()) - 1);
        }
        ASSERT_EQ(selectedCount(g), 1);
        if (i % 500 == 0) {
            // Moving points invalidates the grid; the next add must see the new places.
            g.SelectPoint(-1, true);
            g.MoveSelected(1, -1);
            for (auto& p : ref) p = {p.first + 1, p.second - 1};
        }
    }
    EXPECT_EQ(coords(g), ref);
}

TEST(GarmentOutline, AddPointRefusesThe65536thPointButStillSnaps) {
    GarmentOutline g;
    for (int i = 0; i < kMaxGarmentPoints; ++i) g.AppendPointRaw((i % 256) * 10, (i / 256) * 10, false);
    const GarmentOutline before = g;
    EXPECT_THROW(g.AddPoint(-1000, -1000), RangeError);
    EXPECT_EQ(g, before);
    EXPECT_EQ(g.AddPoint(11, 1), 1) << "a point that snaps is still picked when the outline is full";

    // Closing a half to its axis needs a new point: refused, and nothing changes.
    g.GetPoint(kMaxGarmentPoints - 1) = GarmentPoint{100000, 5, 1, 0, 0};
    g.AddCurve(0, kMaxGarmentPoints - 1, 0);
    g.SelectPoint(-1, false);
    g.SelectPoint(0, true);
    const GarmentOutline half = g;
    EXPECT_THROW(g.MakeSymmetric(), RangeError);
    EXPECT_EQ(g, half);
}

TEST(GarmentOutline, AddSegmentStepsByKindWithSignedDeltas) {
    GarmentOutline g;
    g.AddPoint(100, 100);
    g.AddSegment(20, 30, 3);
    ASSERT_EQ(g.PointCount(), 2);
    EXPECT_EQ(g.Point(1).X, 100);
    EXPECT_EQ(g.Point(1).Y, 70);
    ASSERT_EQ(g.CurveCount(), 1);
    EXPECT_EQ(g.Curve(0), (GarmentCurve{3, 0, 0, 1}));
    EXPECT_TRUE(g.IsPointSelected(1));

    // Kind 9 steps (-dx, +dy); a negative delta is applied as given, not made positive.
    g.AddSegment(10, -20, 9);
    EXPECT_EQ(g.Point(2).X, 90);
    EXPECT_EQ(g.Point(2).Y, 50);

    GarmentOutline lone;
    lone.AddPoint(0, 0);
    lone.AddSegment(2, 2, 7);
    EXPECT_EQ(lone.PointCount(), 1) << "a step ending within 5 mm of the start adds nothing";
    EXPECT_EQ(lone.CurveCount(), 0);
    lone.AddSegment(50, 50, 40);
    EXPECT_EQ(lone.PointCount(), 1) << "kinds above 31 have no step";

    GarmentOutline none;
    none.AddSegment(10, 10, 0);
    EXPECT_EQ(none.PointCount(), 0);
}

TEST(GarmentOutline, AddSegmentBetweenJoinedSelectedPointsChangesTheFirstJoiningCurve) {
    GarmentOutline g = twoPointCurve(0, 0, 100, 0, 0);
    g.DuplicateCurve(0);
    g.SelectPoint(-1, true);
    g.AddSegment(0, 0, 12);
    ASSERT_EQ(g.CurveCount(), 2);
    EXPECT_EQ(g.Curve(0).Kind, 12) << "the first joining curve takes the kind";
    EXPECT_EQ(g.Curve(1).Kind, 0);
    EXPECT_EQ(g.FindCurve(0, 1), 1) << "while FindCurve answers the last one";

    // Two selected but not joined: a new curve between the first two selected.
    g.AddPoint(0, 100);
    g.SelectPoint(0, true);
    g.AddSegment(0, 0, 5);
    EXPECT_EQ(g.Curve(2), (GarmentCurve{5, 0, 0, 2}));
}

TEST(GarmentOutline, ArcPolylines) {
    const GarmentOutline a = twoPointCurve(0, 0, 10, 10, 8);
    EXPECT_EQ(polyline(a, 0), (std::vector<PolyPoint>{{10, 10}, {7, 10}, {5, 9}, {3, 7}, {1, 5}, {0, 3}, {0, 0}}));
    const GarmentOutline b = twoPointCurve(0, 0, 10, 10, 10);
    EXPECT_EQ(polyline(b, 0), (std::vector<PolyPoint>{{10, 10}, {10, 7}, {9, 5}, {7, 3}, {5, 1}, {3, 0}, {0, 0}}));
    // The same arc drawn from the other end gives the same polyline.
    const GarmentOutline back = twoPointCurve(10, 10, 0, 0, 8);
    EXPECT_EQ(polyline(back, 0), polyline(a, 0));

    // Falling arc (dx * dy < 0): from the right end vertically down to the left end.
    const GarmentOutline fall = twoPointCurve(0, 100, 100, 0, 8);
    const auto f = polyline(fall, 0);
    EXPECT_EQ(f.front(), (PolyPoint{100, 0}));
    EXPECT_EQ(f[1], (PolyPoint{74, -97 + 100}));
    EXPECT_EQ(f.back(), (PolyPoint{0, 100}));

    // Equal x: a vertical line of 7 points; equal y: a horizontal one.
    for (uint8_t kind : {8, 10}) {
        const auto v = polyline(twoPointCurve(5, 0, 5, 60, kind), 0);
        ASSERT_EQ(v.size(), 7u);
        for (const auto& p : v) EXPECT_EQ(p.x, 5);
        const auto h = polyline(twoPointCurve(0, 5, 60, 5, kind), 0);
        ASSERT_EQ(h.size(), 7u);
        for (const auto& p : h) EXPECT_EQ(p.y, 5);
    }
}

TEST(GarmentOutline, FixedShapePolylinesRoundHalvesToEven) {
    // S7: dx = -60, dy = -30, s = +1; the fourth point rounds -7.5 to -8.
    EXPECT_EQ(polyline(twoPointCurve(0, 0, 60, 30, 28), 0),
              (std::vector<PolyPoint>{{0, 0}, {6, 9}, {20, 10}, {25, 8}, {50, 30}, {60, 30}}));
    // S1.
    EXPECT_EQ(polyline(twoPointCurve(0, 0, 16, -16, 16), 0),
              (std::vector<PolyPoint>{{0, 0}, {3, -10}, {8, -16}, {16, -16}}));
    // S1 with dx = 8: 3 * 8 / 16 = 1.5 rounds to 2.
    EXPECT_EQ(polyline(twoPointCurve(8, 0, 0, 0, 19), 0)[1].x, 6);
    // S8 from (60, 30) back to (0, 0): t = +1, mirrored offsets.
    EXPECT_EQ(polyline(twoPointCurve(60, 30, 0, 0, 29), 0),
              (std::vector<PolyPoint>{{60, 30}, {50, 30}, {25, 8}, {20, 10}, {6, 9}, {0, 0}}));
    // Point counts per family.
    const int counts[] = {2, 7, 4, 4, 5, 5, 4, 4, 6, 6};
    const uint8_t kinds[] = {0, 12, 17, 19, 20, 22, 24, 26, 31, 30};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(twoPointCurve(0, 0, 90, 45, kinds[i]).BuildCurvePoints(0).Count, counts[i]) << int(kinds[i]);
    // No shape: kinds above 31 and negative indexes.
    EXPECT_EQ(twoPointCurve(0, 0, 90, 45, 32).BuildCurvePoints(0).Count, 0);
    EXPECT_EQ(twoPointCurve(0, 0, 90, 45, 0).BuildCurvePoints(-1).Count, 0);
}

TEST(GarmentOutline, ShapesAtTheEndsOfTheCoordinateRangeDoNotOverflow) {
    const int32_t lo = INT32_MIN, hi = INT32_MAX;
    for (int kind = 0; kind <= 31; ++kind) {
        const GarmentOutline g = twoPointCurve(lo, hi, hi, lo, static_cast<uint8_t>(kind));
        const CurvePolyline pl = g.BuildCurvePoints(0);
        ASSERT_GE(pl.Count, 2);
        EXPECT_TRUE((pl.Points[0] == PolyPoint{lo, hi}) || (pl.Points[0] == PolyPoint{hi, lo}));
    }
}

TEST(GarmentOutline, SelectionQueriesAndMeasures) {
    GarmentOutline g;
    g.AddPoint(0, 0);
    g.AddPoint(30, 40);
    g.AddPoint(100, -20);
    g.AddCurve(0, 1, 0);
    g.AddCurve(1, 2, 0);
    EXPECT_TRUE(g.SelectInRect(30, 40, -5, -5, false)) << "corners in any order, bounds included";
    EXPECT_EQ(g.NextSelected(g.FirstSelected()), 1);
    EXPECT_EQ(g.NextSelected(1), -1);
    EXPECT_DOUBLE_EQ(g.SelectedLength(), 50.0);
    EXPECT_EQ(g.SelectionWidth(false), 30);
    EXPECT_EQ(g.SelectionHeight(true), 60);
    EXPECT_DOUBLE_EQ(g.PointDistance(0, 3), -1.0);
    EXPECT_EQ(g.Bounds(), (GarmentBounds{0, -20, 100, 40}));
    EXPECT_FALSE(g.SelectInRect(200, 200, 300, 300, true));
    EXPECT_EQ(g.FirstSelected(), 0) << "adding keeps the others' flags";

    GarmentOutline one;
    one.AddPoint(5, 7);
    EXPECT_EQ(one.Bounds(), (GarmentBounds{0, 0, 0, 0}));
    g.SelectPoint(-1, false);
    g.SelectPoint(2, true);
    EXPECT_EQ(g.SelectionWidth(false), 0) << "one selected point has no width";
    EXPECT_EQ(g.SelectionHeight(false), 0);

    // Clear keeps Reserved and forgets the points.
    g.Reserved = 77;
    g.SetSymmetryAxis(1);
    g.Clear();
    EXPECT_EQ(g.Reserved, 77);
    EXPECT_FALSE(g.IsSymmetric());
    EXPECT_EQ(g.AddPoint(0, 0), 0);
}

TEST(GarmentOutline, AlignAndMoveRefuseToLeaveTheCoordinateRange) {
    GarmentOutline g;
    g.AppendPointRaw(0, 0, false);
    g.AppendPointRaw(100, 50, true);
    g.AppendPointRaw(30, 90, true);
    g.AlignSelected(1);
    g.AlignSelected(4);
    EXPECT_EQ(coords(g), (std::vector<std::pair<int, int>>{{0, 0}, {30, 90}, {30, 90}}));
    EXPECT_EQ(g.FindPoint(30, 90), 2) << "the last point at exactly those coordinates";

    GarmentOutline far;
    far.AddPoint(INT32_MAX - 1, 0);
    far.AddPoint(0, 0);
    const GarmentOutline before = far;
    EXPECT_THROW(far.MoveAll(2, 0), RangeError);
    EXPECT_EQ(far, before);
}

TEST(GarmentOutline, DeletingPointsLowersCurveIndexesAndTheAxis) {
    GarmentOutline g;
    for (int i = 0; i < 5; ++i) g.AddPoint(i * 100, 0);
    g.AddCurve(0, 1, 0);
    g.AddCurve(1, 2, 0);
    g.AddCurve(3, 4, 7);
    g.AddCurve(4, 2, 5);
    g.SetSymmetryAxis(3);
    g.DeletePoint(1);
    EXPECT_EQ(g.SymmetryAxis(), 2);
    ASSERT_EQ(g.CurveCount(), 2);
    EXPECT_EQ(g.Curve(0), (GarmentCurve{7, 0, 2, 3}));
    EXPECT_EQ(g.Curve(1), (GarmentCurve{5, 0, 3, 1}));
    g.DeletePoint(9); // nothing
    EXPECT_EQ(g.PointCount(), 4);
    g.DeletePoint(2);
    EXPECT_FALSE(g.IsSymmetric()) << "deleting the axis point ends the symmetry";

    // Deleting the selection at once gives the same as one by one from the top.
    GarmentOutline a, b;
    for (GarmentOutline* t : {&a, &b}) {
        for (int i = 0; i < 8; ++i) t->AppendPointRaw(i * 10, i, i % 3 == 1);
        for (int i = 0; i < 7; ++i) t->AddCurve(i, i + 1, static_cast<uint8_t>(i));
        t->AddCurve(7, 0, 3);
        t->SetSymmetryAxis(6);
    }
    a.DeleteSelectedPoints();
    for (int i = 7; i >= 0; --i)
        if (b.IsPointSelected(i)) b.DeletePoint(i);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.PointCount(), 5);
    EXPECT_EQ(a.SymmetryAxis(), 4);
}

TEST(GarmentOutline, DeleteSelectedCurvesKeepsThePoints) {
    GarmentOutline g;
    for (int i = 0; i < 3; ++i) g.AddPoint(i * 100, 0);
    g.AddCurve(0, 1, 0);
    g.AddCurve(1, 2, 0);
    g.AddCurve(1, 0, 2);
    g.SelectPoint(2, false);
    g.SelectPoint(0, true);
    g.SelectPoint(1, true);
    g.DeleteSelectedCurves();
    EXPECT_EQ(g.PointCount(), 3);
    ASSERT_EQ(g.CurveCount(), 1);
    EXPECT_EQ(g.Curve(0), (GarmentCurve{0, 0, 1, 2}));
}

TEST(GarmentOutline, DeleteSnappedSelectedRemovesOnlyPointsDroppedOnUnselectedOnes) {
    GarmentOutline g;
    g.AppendPointRaw(0, 0, false);
    g.AppendPointRaw(3, 4, true); // exactly 5 mm away: stays
    g.AppendPointRaw(100, 0, false);
    g.AppendPointRaw(102, 2, true); // dropped on point 2: removed with its curve
    g.AppendPointRaw(104, 2, true); // also within 5 mm of point 2: removed
    g.AppendPointRaw(300, 0, true);
    g.AppendPointRaw(301, 0, true); // near another selected point only: stays
    g.AddCurve(3, 0, 0);
    g.AddCurve(5, 6, 0);
    g.DeleteSnappedSelected();
    EXPECT_EQ(coords(g), (std::vector<std::pair<int, int>>{{0, 0}, {3, 4}, {100, 0}, {300, 0}, {301, 0}}));
    ASSERT_EQ(g.CurveCount(), 1);
    EXPECT_EQ(g.Curve(0), (GarmentCurve{0, 0, 3, 4}));
}

TEST(GarmentOutline, MakeSymmetricClosesDanglingEndsToTheAxis) {
    GarmentOutline g;
    g.AddPoint(0, 100);   // A
    g.AddPoint(100, 100); // B
    g.AddPoint(100, 0);   // C
    g.AddCurve(0, 1, 0);
    g.AddCurve(1, 2, 3);
    g.SelectPoint(-1, false);
    g.SelectPoint(0, true);
    g.MakeSymmetric();
    EXPECT_EQ(g.SymmetryAxis(), 0);
    ASSERT_EQ(g.PointCount(), 4);
    EXPECT_EQ(g.Point(3).X, 0);
    EXPECT_EQ(g.Point(3).Y, 0);
    ASSERT_EQ(g.CurveCount(), 3);
    EXPECT_EQ(g.Curve(2), (GarmentCurve{1, 0, 3, 2}));
    EXPECT_EQ(g.FirstCurveStart(), 0);

    GarmentOutline none = twoPointCurve(0, 0, 50, 50, 0);
    none.SelectPoint(-1, false);
    none.MakeSymmetric();
    EXPECT_FALSE(none.IsSymmetric());
    EXPECT_EQ(none.PointCount(), 2);
    EXPECT_EQ(none.CurveCount(), 1);
}

TEST(GarmentOutline, MirrorCopyFlipsArcsAndMergesOnTheAxis) {
    GarmentOutline g;
    g.AddPoint(0, 0);
    g.AddPoint(50, 100);
    g.AddPoint(0, 100);
    g.AddCurve(0, 1, 9);  // arc A
    g.AddCurve(1, 2, 20); // fixed shape
    g.SelectPoint(-1, false);
    g.SelectPoint(0, true);
    g.AddMirrorCopy();
    ASSERT_EQ(g.PointCount(), 4) << "points on the axis map onto themselves";
    EXPECT_EQ(g.Point(3).X, -50);
    EXPECT_EQ(g.Point(3).Y, 100);
    ASSERT_EQ(g.CurveCount(), 4);
    EXPECT_EQ(g.Curve(2), (GarmentCurve{10, 0, 0, 3}));
    EXPECT_EQ(g.Curve(3), (GarmentCurve{20, 0, 3, 2}));
    EXPECT_EQ(GarmentOutline::FlipArcType(14), 10);
    EXPECT_EQ(GarmentOutline::FlipArcType(13), 8);
    EXPECT_EQ(GarmentOutline::FlipArcType(16), 16);
}

TEST(GarmentOutline, RotateTurnsClockwiseAndStraightensArcsIntoKindSevenChains) {
    GarmentOutline line = twoPointCurve(10, 0, 20, 0, 0);
    line.Rotate(90);
    EXPECT_EQ(coords(line), (std::vector<std::pair<int, int>>{{0, -10}, {0, -20}}));

    GarmentOutline g = twoPointCurve(0, 0, 100, 100, 8);
    g.Rotate(0);
    EXPECT_EQ(coords(g),
              (std::vector<std::pair<int, int>>{{0, 0}, {100, 100}, {74, 97}, {50, 87}, {29, 71}, {13, 50}, {3, 26}}));
    ASSERT_EQ(g.CurveCount(), 6);
    const int chain[] = {1, 2, 3, 4, 5, 6, 0};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(g.Curve(k), (GarmentCurve{7, 0, uint16_t(chain[k]), uint16_t(chain[k + 1])}));
    EXPECT_EQ(selectedCount(g), 1);
    EXPECT_TRUE(g.IsPointSelected(0));
}

TEST(GarmentOutline, RotateKeepsSmallCurvesConnected) {
    // A 10 mm arc has polyline steps of 2-3 mm. Snapping them lost the arc
    // (two stray points and no curve); every piece must stay joined end to end.
    GarmentOutline g = twoPointCurve(0, 0, 10, 10, 8);
    g.Rotate(0);
    EXPECT_EQ(g.PointCount(), 7);
    ASSERT_EQ(g.CurveCount(), 6);
    int at = 1; // the walk from (10, 10) reaches (0, 0)
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(g.Curve(k).StartPoint, at);
        at = g.Curve(k).EndPoint;
    }
    EXPECT_EQ(at, 0);

    // A shape whose inner points coincide with its ends collapses to one straight curve.
    GarmentOutline flat = twoPointCurve(0, 0, 1, 0, 24);
    flat.Rotate(0);
    EXPECT_EQ(flat.PointCount(), 2);
    ASSERT_EQ(flat.CurveCount(), 1);
    EXPECT_EQ(flat.Curve(0).Kind, 7);

    // A curve without a shape is kept rather than silently deleted.
    GarmentOutline odd = twoPointCurve(0, 0, 50, 0, 40);
    odd.Rotate(0);
    EXPECT_EQ(odd.CurveCount(), 1);
    EXPECT_EQ(odd.Curve(0).Kind, 40);
}

TEST(GarmentOutline, RotateOutOfRangeChangesNothing) {
    GarmentOutline g = twoPointCurve(INT32_MAX - 10, INT32_MAX - 10, 0, 0, 10);
    const GarmentOutline before = g;
    EXPECT_THROW(g.Rotate(45), RangeError);
    EXPECT_EQ(g, before);
}
