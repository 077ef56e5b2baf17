// Line, rectangles, circles and stars, and the rasteriser under them.
#include <set>

#include "EditorFixture.h"
#include "editor/Rasteriser.h"
#include "editor/ShapeTool.h"

namespace lc::test {
namespace {

using Cells = std::set<std::pair<int, int>>;

template <class F>
Cells collect(F&& draw) {
    Cells out;
    draw([&](int y, int x0, int x1) {
        for (int x = x0; x <= x1; ++x) out.insert({x, y});
    });
    return out;
}

TEST(Rasteriser, LineLeavesOutItsEndPoint) {
    EXPECT_EQ(collect([](auto s) { RasterLine(2, 3, 7, 3, 1, s); }), (Cells{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}));
    EXPECT_TRUE(collect([](auto s) { RasterLine(4, 4, 4, 4, 1, s); }).empty());
    const Cells diag = collect([](auto s) { RasterLine(0, 0, -4, 8, 1, s); });
    EXPECT_EQ(diag.size(), 8u); // one cell per step of the longer axis
    EXPECT_TRUE(diag.count({0, 0}));
    EXPECT_FALSE(diag.count({-4, 8}));
    // A thicker pen: 2 cells wide, reaching right and up.
    EXPECT_EQ(collect([](auto s) { RasterLine(0, 5, 2, 5, 2, s); }),
              (Cells{{0, 4}, {0, 5}, {1, 4}, {1, 5}, {2, 4}, {2, 5}}));
}

TEST(Rasteriser, PolygonFillTakesCellsWhoseCentresAreInside) {
    const CellPoint box[4] = {{5, 5}, {5, 9}, {10, 9}, {10, 5}};
    const Cells in = collect([&](auto s) { RasterPolygonFill(box, 4, s); });
    EXPECT_EQ(in.size(), 20u); // [5,10) x [5,9): right and bottom edges left out
    EXPECT_TRUE(in.count({9, 8}));
    EXPECT_FALSE(in.count({10, 8}));
    // Even-odd: a pentagram's centre is outside.
    const CellPoint star[5] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    const Cells s = collect([&](auto k) { RasterPolygonFill(star, 5, k); });
    EXPECT_FALSE(s.count({50, 50}));
    EXPECT_TRUE(s.count({50, 10}));
}

TEST(Rasteriser, EllipsesReachEverySideOfTheirBox) {
    for (auto size : std::vector<std::pair<int, int>>{{10, 2}, {1, 5}, {2, 2}, {7, 31}, {200, 3}, {40, 40}}) {
        const int w = size.first, h = size.second;
        const Cells f = collect([&](auto s) { RasterEllipseFill(3, 4, 3 + w, 4 + h, s); });
        int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
        for (auto [x, y] : f)
            minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
        EXPECT_EQ(minX, 3);
        EXPECT_EQ(maxX, 3 + w - 1);
        EXPECT_EQ(minY, 4);
        EXPECT_EQ(maxY, 4 + h - 1);
        // The outline is part of the shape, holds every line's ends, and is
        // symmetric left to right.
        const Cells o = collect([&](auto s) { RasterEllipseOutline(3 + w, 4 + h, 3, 4, 1, s); });
        for (auto c : o) EXPECT_TRUE(f.count(c));
        for (auto [x, y] : o) EXPECT_TRUE(o.count({3 + (3 + w - 1) - x, y}));
        for (int y = 4; y < 4 + h; ++y) {
            int lo = 1 << 30;
            for (auto [x, yy] : f)
                if (yy == y) lo = std::min(lo, x);
            EXPECT_TRUE(o.count({lo, y})) << w << "x" << h << " line " << y;
        }
    }
    EXPECT_TRUE(collect([](auto s) { RasterEllipseFill(3, 3, 3, 9, s); }).empty());
    // A 40 x 40 circle: a thin ring, its middle empty.
    const Cells ring = collect([](auto s) { RasterEllipseOutline(0, 0, 40, 40, 1, s); });
    EXPECT_FALSE(ring.count({20, 20}));
    EXPECT_LT(ring.size(), 200u);
}

TEST(Rasteriser, NearestMapDoublesAndMirrors) {
    std::vector<int> m;
    NearestMap(2, 4, false, m);
    EXPECT_EQ(m, (std::vector<int>{0, 0, 1, 1}));
    NearestMap(3, 3, true, m);
    EXPECT_EQ(m, (std::vector<int>{2, 1, 0}));
    NearestMap(100, 199, false, m);
    EXPECT_EQ(m.front(), 0);
    EXPECT_EQ(m.back(), 99);
}

using ShapeTools = EditorTest;

TEST_F(ShapeTools, LineLeavesOutTheReleaseCellAndAClickStillPushes) {
    use(toolLine);
    auto before = snapshot();
    drag(2, 3, 7, 3);
    auto changed = changedCells(before);
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(changed, (std::vector<std::pair<int, int>>{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}));
    before = snapshot();
    const int enables = events.undoEnables;
    click(20, 20);
    EXPECT_TRUE(changedCells(before).empty());
    EXPECT_EQ(events.undoEnables, enables + 1);
}

TEST_F(ShapeTools, RectangleOutlineSetsEveryCorner) {
    use(toolRectangle);
    const auto before = snapshot();
    drag(5, 5, 10, 8);
    const auto changed = changedCells(before);
    EXPECT_EQ(changed.size(), 16u);
    for (auto [c, r] : changed) EXPECT_TRUE(c == 5 || c == 10 || r == 5 || r == 8);
    for (auto [c, r] : std::vector<std::pair<int, int>>{{5, 5}, {10, 5}, {5, 8}, {10, 8}}) EXPECT_EQ(cell(c, r), 1);
}

TEST_F(ShapeTools, FilledShapesTakeTheOtherColourInside) {
    state.ColorA = 3;
    state.ColorB = 6;
    use(toolFilledRectangle);
    drag(5, 5, 10, 8);
    EXPECT_EQ(cell(5, 5), 3);
    EXPECT_EQ(cell(10, 8), 3);
    EXPECT_EQ(cell(7, 6), 6);
    EXPECT_EQ(cell(9, 7), 6);
    EXPECT_EQ(cell(11, 6), 0);
    use(toolFilledCircle);
    drag(40, 40, 60, 60, kRight); // right button: pen B, inside A
    EXPECT_EQ(cell(50, 50), 3);
    EXPECT_EQ(cell(40, 50), 6);
    EXPECT_EQ(cell(40, 40), 0);
    use(toolCircle);
    drag(100, 100, 120, 121);
    EXPECT_EQ(cell(110, 110), 0);
    EXPECT_EQ(cell(100, 110), 3);
}

TEST_F(ShapeTools, StarsNeedABoxOfThreeCells) {
    use(toolStar);
    auto before = snapshot();
    drag(10, 10, 12, 20);
    EXPECT_TRUE(changedCells(before).empty());
    state.StarVertices = 5;
    state.StarDepth = 5; // a plain pentagon
    drag(10, 10, 30, 30);
    StarPoints p{};
    ASSERT_TRUE(ShapeTool::DrawStar(10, H() - 11, 30, H() - 31, 0, 5, 5, p));
    for (int i = 0; i < 10; i += 2) EXPECT_EQ(cell(p[i].x, H() - 1 - p[i].y), 1) << i;
    EXPECT_EQ(p[10], p[0]);
    EXPECT_EQ(cell(20, 20), 0);
    use(toolFilledStar);
    state.ColorB = 4;
    drag(50, 10, 70, 30);
    EXPECT_EQ(cell(60, 20), 4); // B inside
    EXPECT_EQ(cell(60, 30), 1); // the outer point at angle 0: straight down the picture, the release row
}

TEST_F(ShapeTools, FilledStarsFillExactlyTheCellsTheirOutlineEncloses) {
    setUpPattern(16, 16);
    state.ColorA = 1;
    state.ColorB = 2;
    state.BrushSize = 0;
    auto star = [&](ToolCode tool, int c1, int r1, int c2, int r2) {
        fillAll(7);
        use(tool);
        drag(c1, r1, c2, r2);
        return snapshot();
    };
    // The reported case: five vertices, depth 3, from (2,2) to (10,10).
    state.StarVertices = 5;
    state.StarDepth = 3;
    star(toolFilledStar, 2, 2, 10, 10);
    EXPECT_EQ(cell(5, 9), 7);
    EXPECT_EQ(cell(3, 8), 7);
    EXPECT_EQ(cell(8, 6), 2);
    EXPECT_EQ(cell(5, 4), 2);

    // Every small star: the outline's cells in A, every cell outside it (those
    // a 4-connected walk from the border reaches without crossing it)
    // untouched, and the cells it encloses in B. (The outlines of a depth-1
    // star's thin spikes touch one another and may close off a cell between
    // two spikes, outside the star; only there an enclosed cell may stay.)
    int wrong = 0, stars = 0;
    for (int n = 3; n <= 8; ++n)
        for (int d = 1; d <= 9; d += 2)
            for (int w = 3; w <= 9; ++w)
                for (int h = 3; h <= 9; h += 2) {
                    state.StarVertices = n;
                    state.StarDepth = d;
                    const auto outline = star(toolStar, 3, 3, 3 + w, 3 + h);
                    const auto filled = star(toolFilledStar, 3, 3, 3 + w, 3 + h);
                    const int size = W() * H();
                    std::vector<uint8_t> outside(static_cast<size_t>(size), 0);
                    std::vector<int> todo;
                    for (int i = 0; i < size; ++i) {
                        const int x = i % W(), y = i / W();
                        if ((x == 0 || y == 0 || x == W() - 1 || y == H() - 1) &&
                            outline[static_cast<size_t>(i)] != 1) {
                            outside[static_cast<size_t>(i)] = 1;
                            todo.push_back(i);
                        }
                    }
                    while (!todo.empty()) {
                        const int i = todo.back();
                        todo.pop_back();
                        const int x = i % W(), y = i / W();
                        for (auto [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                            if (nx < 0 || ny < 0 || nx >= W() || ny >= H()) continue;
                            const size_t k = static_cast<size_t>(ny * W() + nx);
                            if (outside[k] || outline[k] == 1) continue;
                            outside[k] = 1;
                            todo.push_back(static_cast<int>(k));
                        }
                    }
                    bool ok = true;
                    for (int i = 0; i < size; ++i) {
                        const size_t k = static_cast<size_t>(i);
                        const uint8_t want = outline[k] == 1 ? 1 : outside[k] ? 7 : 2;
                        ok &= filled[k] == want || (d == 1 && want == 2 && filled[k] == 7);
                    }
                    ++stars;
                    if (!ok) {
                        ++wrong;
                        std::string grid;
                        for (int y = 0; y < H(); ++y, grid += '\n')
                            for (int x = 0; x < W(); ++x) {
                                const size_t k = static_cast<size_t>(y * W() + x);
                                grid += "0123456789"[filled[k]];
                                grid += outline[k] == 1 ? '*' : outside[k] ? ' ' : '.';
                            }
                        ADD_FAILURE() << "star " << n << "/" << d << " in " << w << " x " << h << "\n" << grid;
                    }
                }
    EXPECT_EQ(wrong, 0) << "of " << stars;
    // Filled rectangles keep their box: the right and bottom edges left out of the fill.
    fillAll(7);
    use(toolFilledRectangle);
    drag(2, 2, 8, 6);
    EXPECT_EQ(cell(5, 4), 2);
    EXPECT_EQ(cell(8, 4), 1);
}

TEST_F(ShapeTools, SymmetricStarsComeOutSymmetric) {
    // Unturned, every star is its own mirror image about the vertical through
    // its centre: vertex 2i mirrors vertex 2(N - i), inner vertex 2i + 1
    // mirrors 2(N - 1 - i) + 1, whatever rounding the halves get.
    int asymmetric = 0;
    for (int n = 3; n <= 12; ++n)
        for (int d = 1; d <= 9; ++d)
            for (int w = 3; w <= 24; ++w)
                for (int h = 3; h <= 24; ++h) {
                    StarPoints p{};
                    ASSERT_TRUE(ShapeTool::DrawStar(10, 40, 10 + w, 40 + h, 0, n, d, p));
                    const int cx = 10 + w / 2;
                    for (int i = 0; i < n; ++i) {
                        const PixelPoint a = p[static_cast<size_t>(2 * i)],
                                         b = p[static_cast<size_t>(2 * ((n - i) % n))];
                        const PixelPoint c = p[static_cast<size_t>(2 * i + 1)],
                                         e = p[static_cast<size_t>(2 * (n - 1 - i) + 1)];
                        if (a.x - cx != cx - b.x || a.y != b.y || c.x - cx != cx - e.x || c.y != e.y) {
                            ++asymmetric;
                            break;
                        }
                    }
                }
    EXPECT_EQ(asymmetric, 0);
    // The 4-vertex, depth-5 diamond in a 6 x 6 box: its inner vertices lie on
    // exact halves (1.5 cells from the centre) and all four round away from
    // it alike.
    StarPoints p{};
    ASSERT_TRUE(ShapeTool::DrawStar(0, 0, 6, 6, 0, 4, 5, p));
    const std::vector<PixelPoint> want = {{3, 6}, {5, 5}, {6, 3}, {5, 1}, {3, 0}, {1, 1}, {0, 3}, {1, 5}, {3, 6}};
    EXPECT_EQ(std::vector<PixelPoint>(p.begin(), p.begin() + 9), want);
}

TEST_F(ShapeTools, ShiftMakesASquareAroundThePressPoint) {
    use(toolRectangle);
    engine->pressCell(kLeft, kNone, 20, 20);
    engine->moveCell(kShift, 30, 24);
    engine->releaseCell(kLeft, kShift, 30, 24);
    EXPECT_EQ(cell(24, 24), 1); // a 4 x 4 square: (20,20)-(24,24)
    EXPECT_EQ(cell(24, 20), 1);
    EXPECT_EQ(cell(30, 24), 0);
    EXPECT_EQ(cell(25, 20), 0);
    // Towards the lower left too.
    use(toolLine);
    engine->pressCell(kLeft, kNone, 100, 100);
    engine->moveCell(kShift, 97, 80);
    engine->releaseCell(kLeft, kShift, 97, 80);
    EXPECT_EQ(cell(100, 100), 1);
    EXPECT_EQ(cell(98, 98), 1);
    EXPECT_EQ(cell(97, 97), 0); // the end point
    EXPECT_EQ(cell(97, 80), 0);
}

TEST_F(ShapeTools, ShapesKeepOutOfTheZoneAndUndoWhole) {
    fillAll(2);
    state.ZoneOn = true;
    state.ZoneRow = 10;
    state.ColorA = 5;
    state.ColorB = 6;
    use(toolFilledCircle);
    drag(0, 0, 100, 600);
    EXPECT_EQ(cell(50, 5), 2);
    EXPECT_EQ(cell(50, 10), 2);
    EXPECT_EQ(cell(50, 11), 6); // cut by the zone: the inside shows at its edge
    EXPECT_EQ(cell(50, 300), 6);
    EXPECT_EQ(cell(0, 300), 5);
    model->UndoLast();
    for (int r = 0; r < H(); r += 7)
        for (int c = 0; c < W(); c += 3) ASSERT_EQ(cell(c, r), 2);
}

} // namespace
} // namespace lc::test

namespace lc::test {
namespace {

using Previews = EditorTest;

TEST_F(Previews, RubberBandsFollowTheMouseAndGoAtTheRelease) {
    use(toolLine);
    engine->MouseDown(kLeft, kNone, 100, 500);
    EXPECT_TRUE(engine->overlay().empty()); // nothing until the mouse moves
    engine->MouseMove(kNone, 160, 430);
    Overlay o = engine->overlay();
    ASSERT_EQ(o.kind, Overlay::Kind::Line);
    EXPECT_EQ(o.points, (std::vector<PixelPoint>{{100, 500}, {160, 430}}));
    engine->MouseUp(kLeft, kNone, 160, 430);
    EXPECT_TRUE(engine->overlay().empty());

    use(toolFilledRectangle);
    engine->MouseDown(kLeft, kNone, 100, 500);
    engine->MouseMove(kShift, 160, 430); // square around the press point
    o = engine->overlay();
    ASSERT_EQ(o.kind, Overlay::Kind::FilledPolygon);
    EXPECT_EQ(o.points, (std::vector<PixelPoint>{{100, 500}, {100, 440}, {160, 440}, {160, 500}}));
    engine->cancelGesture();
    EXPECT_TRUE(engine->overlay().empty());

    use(toolRectangle); // the block frame along grid lines, with the size reported
    engine->pressCell(kLeft, kNone, 2, 5);
    engine->moveCell(kNone, 6, 9);
    o = engine->overlay();
    ASSERT_EQ(o.kind, Overlay::Kind::Frame);
    EXPECT_EQ(o.points[0], (PixelPoint{22, 501}));
    EXPECT_EQ(events.blockW, 4);
    engine->releaseCell(kLeft, kNone, 6, 9);
    EXPECT_TRUE(engine->overlay().empty());
}

TEST_F(Previews, CtrlTurnsTheStarWithoutResizingIt) {
    use(toolStar);
    state.StarVertices = 4;
    engine->MouseDown(kLeft, kNone, 100, 400);
    engine->MouseMove(kNone, 200, 300);
    const Overlay first = engine->overlay();
    ASSERT_EQ(first.kind, Overlay::Kind::Polyline);
    EXPECT_EQ(first.points.size(), 9u);
    EXPECT_EQ(first.points.front(), first.points.back());
    engine->MouseMove(kCtrl, 250, 300); // 50 px right: half a turn
    const Overlay turned = engine->overlay();
    StarPoints want{};
    ASSERT_TRUE(ShapeTool::DrawStar(100, 400, 200, 300, 50 * 3.14159265358979323846 / 100, 4, state.StarDepth, want));
    EXPECT_EQ(turned.points, (std::vector<PixelPoint>(want.begin(), want.begin() + 9)));
    engine->MouseUp(kLeft, kCtrl, 250, 300);
}

} // namespace
} // namespace lc::test
