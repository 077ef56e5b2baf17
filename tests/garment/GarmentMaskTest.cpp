#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "core/Errors.h"
#include "core/Globals.h"
#include "garment/GarmentMask.h"
#include "garment/GarmentUndoStack.h"
#include "garment/PolygonRaster.h"

using namespace lc;

namespace {

struct Messages : IGarmentMaskMessages {
    std::vector<int> shown;
    int released = 0;
    void ShowGarmentSizeError(int result) override { shown.push_back(result); }
    void GarmentModeReleased() override { ++released; }
};

// A closed outline through the given corners, straight lines.
GarmentOutline polygonOutline(std::initializer_list<std::pair<int, int>> corners) {
    GarmentOutline g;
    for (auto [x, y] : corners) g.AppendPointRaw(x, y, false);
    const int n = g.PointCount();
    for (int i = 0; i < n; ++i) g.AddCurve(i, (i + 1) % n, 7);
    return g;
}

GarmentOutline squareAt(int x, int y, int size) {
    return polygonOutline({{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}});
}

// The set of inside cells, mask line by line.
std::vector<std::vector<uint8_t>> maskRows(const PatternRaster& gd) {
    std::vector<std::vector<uint8_t>> rows;
    for (int y = 0; y < gd.Mask.height(); ++y) rows.emplace_back(gd.Mask.line(y), gd.Mask.line(y) + gd.Mask.width());
    return rows;
}

// Checks that exactly the cells of the rectangle are inside (16) and every other is 255.
void expectInsideExactly(const PatternRaster& gd, int c0, int c1, int l0, int l1) {
    int wrong = 0;
    for (int y = 0; y < gd.Mask.height(); ++y)
        for (int x = 0; x < gd.Mask.width(); ++x) {
            const bool in = x >= c0 && x <= c1 && y >= l0 && y <= l1;
            const uint8_t v = gd.Mask.line(y)[x];
            if (v != (in ? kMaskInside : kMaskOutside) && wrong++ < 5)
                ADD_FAILURE() << "cell column " << x << " line " << y << " is " << int(v);
        }
    EXPECT_EQ(wrong, 0);
}

bool allInside(const PatternRaster& gd) {
    for (int y = 0; y < gd.Mask.height(); ++y)
        for (int x = 0; x < gd.Mask.width(); ++x)
            if (gd.Mask.line(y)[x] != kMaskInside) return false;
    return true;
}

class GarmentMask : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        gd.SetSize(200, 1024);
        GarmentMode = true;
    }
    PatternRaster gd;
    Messages messages;
};

} // namespace

TEST_F(GarmentMask, ClosedSquareLiesCentredWithItsLowestPointOnLineZero) {
    EXPECT_EQ(MakeMask(squareAt(0, 0, 100), gd, 0.25, 0.25, &messages), kMaskBuilt);
    expectInsideExactly(gd, 80, 120, 0, 40); // 41 x 41 = 1681 cells
    EXPECT_EQ(gd.GarmentWidth, 41);
    EXPECT_EQ(gd.GarmentRows, 40);
    EXPECT_TRUE(GarmentMode);
    EXPECT_EQ(messages.released, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GarmentMask, OutlinesFarFromTheOriginGetTheirOwnBox) {
    for (auto [x, y] : {std::pair{50000, 70000}, std::pair{-20000, -30000}, std::pair{2000000000, -2000000000}}) {
        ASSERT_EQ(MakeMask(squareAt(x, y, 100), gd, 0.25, 0.25, &messages), kMaskBuilt) << x;
        expectInsideExactly(gd, 80, 120, 0, 40);
    }
}

TEST_F(GarmentMask, TheMaskIsStoredUpsideDown) {
    // A triangle with its flat side at the bottom: mask line 0 is its widest row.
    const GarmentOutline g = polygonOutline({{0, 0}, {100, 0}, {0, 100}});
    ASSERT_EQ(MakeMask(g, gd, 0.25, 0.25, &messages), kMaskBuilt);
    const auto rows = maskRows(gd);
    auto insideCount = [&](int line) { return std::count(rows[line].begin(), rows[line].end(), kMaskInside); };
    EXPECT_EQ(insideCount(0), 41);
    EXPECT_EQ(insideCount(40), 1);
    EXPECT_EQ(rows[40][80], kMaskInside);
    EXPECT_EQ(insideCount(41), 0);
    for (int line = 1; line <= 40; ++line) EXPECT_LE(insideCount(line), insideCount(line - 1));
}

TEST_F(GarmentMask, SymmetricHalfIsMirroredAboutTheAxisColumn) {
    GarmentOutline g;
    g.AddPoint(0, 100);   // A, the axis point
    g.AddPoint(100, 100); // B
    g.AddPoint(100, 0);   // C
    g.AddCurve(0, 1, 0);
    g.AddCurve(1, 2, 3);
    g.SelectPoint(-1, false);
    g.SelectPoint(0, true);
    g.MakeSymmetric(); // adds D (0, 0) and D-C
    ASSERT_EQ(MakeMask(g, gd, 0.25, 0.25, &messages), kMaskBuilt);
    expectInsideExactly(gd, 60, 140, 0, 40); // 81 x 41 = 3321 cells
    EXPECT_EQ(gd.GarmentWidth, 81);
    EXPECT_EQ(gd.GarmentRows, 40);
}

TEST_F(GarmentMask, SizeFailuresLeaveTheMaskWithoutRestriction) {
    EXPECT_EQ(MakeMask(squareAt(0, 0, 497), gd, 0.25, 0.25, &messages), kMaskBuilt) << "r(198.8) + 1 = 200 fits";

    EXPECT_EQ(MakeMask(polygonOutline({{0, 0}, {500, 0}, {500, 10}}), gd, 0.25, 0.25, &messages), kMaskTooWide);
    EXPECT_TRUE(allInside(gd));
    EXPECT_EQ(gd.GarmentWidth, 199);
    EXPECT_EQ(gd.GarmentRows, 1023);
    EXPECT_FALSE(GarmentMode);
    EXPECT_EQ(messages.released, 1);
    ASSERT_EQ(messages.shown, std::vector<int>{kMaskTooWide});
    EXPECT_STREQ(GarmentSizeErrorText(messages.shown[0]), "Garment is too wide!");

    // A symmetrical half 250 mm wide counts as 500 mm.
    GarmentOutline half = polygonOutline({{0, 0}, {250, 0}, {250, 10}});
    half.SetSymmetryAxis(0);
    EXPECT_EQ(RasterizeMask(half, gd, 0.25, 0.25), kMaskTooWide);

    EXPECT_EQ(RasterizeMask(polygonOutline({{0, 0}, {10, 0}, {10, 2560}}), gd, 0.25, 0.25), kMaskTooLong);
    messages.shown.clear();
    EXPECT_EQ(MakeMask(polygonOutline({{0, 0}, {900, 0}, {900, 9000}}), gd, 0.25, 0.25, &messages), kMaskTooBig);
    ASSERT_EQ(messages.shown, std::vector<int>{kMaskTooBig}) << "only the one message";
    EXPECT_STREQ(GarmentSizeErrorText(kMaskTooBig), "Garment is too big!");
    EXPECT_STREQ(GarmentSizeErrorText(kMaskTooLong), "Garment is too long!");
}

TEST_F(GarmentMask, BadGaugesAreRefusedNotDividedBy) {
    const double bad[] = {0.0, -0.25, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity()};
    for (double g : bad) {
        for (auto [gx, gy] : {std::pair{g, 0.25}, std::pair{0.25, g}}) {
            messages.shown.clear();
            GarmentMode = true;
            EXPECT_EQ(MakeMask(squareAt(0, 0, 100), gd, gx, gy, &messages), kMaskTooBig) << g;
            EXPECT_TRUE(allInside(gd));
            EXPECT_FALSE(GarmentMode);
            EXPECT_EQ(messages.shown, std::vector<int>{kMaskTooBig});
        }
        EXPECT_THROW(MmToStitches(100, g), RangeError);
    }
    // A gauge so fine that the garment is billions of stitches wide is simply too wide.
    EXPECT_EQ(RasterizeMask(squareAt(0, 0, 100), gd, 1e-300, 0.25), kMaskTooWide);
}

TEST_F(GarmentMask, EmptyOutlinesSwitchGarmentModeOffWithoutAMessage) {
    EXPECT_EQ(MakeMask(GarmentOutline{}, gd, 0.25, 0.25, &messages), kMaskNoPoints);
    EXPECT_EQ(gd.GarmentWidth, 199);
    EXPECT_FALSE(GarmentMode);
    EXPECT_EQ(messages.released, 1);

    GarmentMode = true;
    GarmentOutline dots;
    dots.AddPoint(0, 0);
    dots.AddPoint(100, 100);
    gd.ClearMask();
    EXPECT_EQ(MakeMask(dots, gd, 0.25, 0.25, &messages), kMaskNoCurves);
    EXPECT_TRUE(allInside(gd));
    EXPECT_EQ(gd.GarmentWidth, 41) << "the garment's size is kept after the no-curves failure";
    EXPECT_EQ(gd.GarmentRows, 40);
    EXPECT_FALSE(GarmentMode);
    EXPECT_EQ(messages.released, 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GarmentMask, ConversionsRoundHalvesToEven) {
    EXPECT_EQ(MmToStitches(5, 1.0), 0);
    EXPECT_EQ(MmToStitches(15, 1.0), 2);
    EXPECT_EQ(MmToStitches(25, 1.0), 2);
    EXPECT_EQ(MmToRows(-25, 1.0), -2);
    EXPECT_EQ(MmToRows(497, 0.25), 199);
}

TEST_F(GarmentMask, DoubledCurvesDoNotFoldThePolygon) {
    // Paste in place doubles every curve; the walk must still go round.
    GarmentOutline g = squareAt(0, 0, 100);
    g.SelectPoint(-1, true);
    GarmentUndoStack undo;
    undo.Copy(g);
    undo.Paste(g);
    ASSERT_EQ(g.CurveCount(), 8);
    ASSERT_EQ(MakeMask(g, gd, 0.25, 0.25, &messages), kMaskBuilt);
    expectInsideExactly(gd, 80, 120, 0, 40);
}

TEST_F(GarmentMask, ArcsAreWalkedFromEitherEnd) {
    // The arc's polyline runs from its right end, against the walk: it is
    // walked backwards and the rounded corner stays outside.
    const GarmentOutline g = polygonOutline({{0, 0}, {200, 0}, {400, 200}, {0, 200}});
    GarmentOutline r = g;
    r.SetCurve(1, GarmentCurve{8, 0, 1, 2});
    gd.SetSize(250, 1024);
    ASSERT_EQ(MakeMask(r, gd, 0.25, 0.25, &messages), kMaskBuilt);
    const int o = (250 - 160) / 2;
    EXPECT_EQ(gd.Mask.line(40)[o + 40], kMaskInside);
    EXPECT_EQ(gd.Mask.line(79)[o + 159], kMaskOutside);
    EXPECT_EQ(gd.Mask.line(80)[o + 160], kMaskInside) << "the arc's end";
    EXPECT_EQ(gd.Mask.line(0)[o + 80], kMaskInside) << "the arc's start";
    EXPECT_EQ(gd.Mask.line(80)[o], kMaskInside);
}

TEST_F(GarmentMask, ACurveWithoutAShapeEndsTheWalk) {
    // Kinds above 31 have no polyline; the walk stops there instead of reading
    // points that are not there. Only the part walked before it, the left side
    // from (0, 0) to (0, 100), is laid.
    GarmentOutline g = squareAt(0, 0, 100);
    g.SetCurve(2, GarmentCurve{40, 0, 2, 3});
    ASSERT_EQ(MakeMask(g, gd, 0.25, 0.25, &messages), kMaskBuilt);
    expectInsideExactly(gd, 80, 80, 0, 40);
    EXPECT_EQ(gd.GarmentWidth, 41);
}

TEST(PolygonFill, AlternateFillingLeavesTwiceCoveredAreasOutAndClips) {
    IndexedBitmap bmp(30, 30, 0);
    const std::vector<RasterPoint> twice = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 10}, {0, 10}};
    FillPolygon(bmp, twice, 1);
    EXPECT_EQ(bmp.at(5, 5), 0) << "covered twice: outside under the even-odd rule";
    EXPECT_EQ(bmp.at(0, 5), 1) << "the outline itself is drawn";
    EXPECT_EQ(bmp.at(10, 10), 1);

    IndexedBitmap clip(20, 20, 0);
    const std::vector<RasterPoint> big = {{-100, -50}, {1000000000000LL, -50}, {10, 60}};
    FillPolygon(clip, big, 7);
    int filled = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) filled += clip.at(x, y) == 7;
    EXPECT_GT(filled, 0);

    IndexedBitmap dot(5, 5, 0);
    FillPolygon(dot, std::vector<RasterPoint>{{2, 3}}, 9);
    EXPECT_EQ(dot.at(2, 3), 9);
}
