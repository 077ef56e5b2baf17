#include <gtest/gtest.h>

#include "KnitTestUtil.h"

using namespace lc;
using namespace lc::test;

namespace {

// Lays a garment: design row r spans columns from[r]..to[r] (both inclusive);
// from > to leaves the row without inside cells.
void layGarment(PatternFixture& p, const std::vector<std::pair<int, int>>& spans) {
    p.g.Mask.fill(kMaskOutside);
    for (size_t r = 0; r < spans.size(); ++r)
        for (int x = spans[r].first; x <= spans[r].second; ++x) p.g.Mask.line(static_cast<int>(r))[x] = kMaskInside;
    p.g.GarmentRows = static_cast<int>(spans.size());
}

// Needles are counted from the right-hand end: columns a..b are needles w-1-b .. w-1-a.
std::pair<int, int> needles(const RowInfo& r) { return {r.LeftNeedle, r.RightNeedle}; }

void prepareGarment(PatternFixture& p, bool correction = false, int startSide = 0, bool mirrored = true) {
    PreparationOptions o;
    o.GarmentMode = true;
    o.DiscretCorrection = correction;
    o.StartSide = startSide;
    o.Mirrored = mirrored;
    Preparation(p.knitting.Rows, p.g, o);
}

} // namespace

TEST(RowTable, WithoutGarmentEveryRowIsTheWholeWidth) {
    PatternFixture p(200, 1024, 0);
    p.setSpan(7, 0, 3, 5);
    p.prepare();
    EXPECT_EQ(p.knitting.Rows.RowCount, 1024);
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(needles(p.knitting.Rows[i]), (std::pair<int, int>{0, 199}));
        ASSERT_EQ(p.knitting.Rows[i].RowsWithoutChange, 1024 - i);
    }
    EXPECT_EQ(p.knitting.Rows.GarmentLeft, 0);
    EXPECT_EQ(p.knitting.Rows.GarmentRight, 199);
    EXPECT_EQ(p.knitting.Rows[7].ColorMask, 0x8400);
    EXPECT_EQ(p.knitting.Rows[7].ColorCount, 2);
    EXPECT_EQ(p.knitting.Rows.AllColorsInPic, colors({0, 5}));
}

TEST(RowTable, IndicesOutsideTheTableReadTheNearestRecord) {
    PatternFixture p(50, 10, 3);
    p.prepare();
    EXPECT_EQ(&p.knitting.Rows[-5], &p.knitting.Rows[0]);
    EXPECT_EQ(&p.knitting.Rows[2047], &p.knitting.Rows[1024]);
    EXPECT_EQ(p.knitting.Rows[2047].ColorCount, 0);
}

TEST(RowTable, GarmentEdgesAndRowsWithoutChange) {
    PatternFixture p(100, 40, 0);
    std::vector<std::pair<int, int>> spans;
    for (int r = 0; r < 30; ++r)
        spans.push_back(r < 10 ? std::pair{20, 79} : r < 20 ? std::pair{25, 74} : std::pair{30, 69});
    layGarment(p, spans);
    prepareGarment(p);
    EXPECT_EQ(p.knitting.Rows.RowCount, 30);
    EXPECT_EQ(needles(p.knitting.Rows[0]), (std::pair<int, int>{20, 79})); // symmetric spans read the same either way
    EXPECT_EQ(needles(p.knitting.Rows[15]), (std::pair<int, int>{25, 74}));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(p.knitting.Rows[i].RowsWithoutChange, 10 - i);
    EXPECT_EQ(p.knitting.Rows[29].RowsWithoutChange, 1);
    EXPECT_EQ(p.knitting.Rows[30].RowsWithoutChange, 0);
    EXPECT_EQ(needles(p.knitting.Rows[30]), needles(p.knitting.Rows[29]));
    EXPECT_EQ(p.knitting.Rows.GarmentLeft, 20);
    EXPECT_EQ(p.knitting.Rows.GarmentRight, 79);
}

TEST(RowTable, GarmentNeedlesCountFromTheRightHandEnd) {
    PatternFixture p(100, 5, 0);
    layGarment(p, {{10, 29}, {10, 29}});
    prepareGarment(p);
    EXPECT_EQ(needles(p.knitting.Rows[0]), (std::pair<int, int>{70, 89}));
}

TEST(RowTable, GarmentRowsWithoutInsideCellsStayOnTheBed) {
    PatternFixture p(100, 10, 0);
    // Rows 0 and 1 empty, 2-3 inside, 4 empty, 5 inside, 6 empty (the top row).
    layGarment(p, {{1, 0}, {1, 0}, {40, 59}, {40, 59}, {1, 0}, {30, 69}, {1, 0}});
    prepareGarment(p);
    for (int i = 0; i <= 7; ++i) {
        ASSERT_LE(p.knitting.Rows[i].LeftNeedle, p.knitting.Rows[i].RightNeedle) << i;
        ASSERT_LT(p.knitting.Rows[i].RightNeedle, 100) << i;
    }
    EXPECT_EQ(needles(p.knitting.Rows[0]), (std::pair<int, int>{40, 59})); // from the first row above with stitches
    EXPECT_EQ(needles(p.knitting.Rows[4]), (std::pair<int, int>{40, 59})); // keeps the row below
    EXPECT_EQ(needles(p.knitting.Rows[6]), (std::pair<int, int>{30, 69}));
    EXPECT_EQ(p.knitting.Rows.GarmentLeft, 30);
    EXPECT_EQ(p.knitting.Rows.GarmentRight, 69);
    EXPECT_EQ(p.knitting.Rows[0].RowsWithoutChange, 5); // rows 0..4 keep 40..59

    layGarment(p, {{1, 0}, {1, 0}, {1, 0}});
    prepareGarment(p);
    EXPECT_EQ(needles(p.knitting.Rows[1]), (std::pair<int, int>{0, 99}));
    EXPECT_EQ(p.knitting.Rows.GarmentRight, 99);
    int l = -7, r = -7;
    EXPECT_FALSE(MaskRowEdges(p.g, 1, l, r));
    EXPECT_EQ(l, -7);
}

TEST(RowTable, GarmentRowCountIsBounded) {
    PatternFixture p(60, 1024, 0);
    p.g.GarmentRows = 0;
    prepareGarment(p);
    EXPECT_EQ(p.knitting.Rows.RowCount, 0);
    p.g.GarmentRows = 5000;
    prepareGarment(p);
    EXPECT_EQ(p.knitting.Rows.RowCount, 1024);
    EXPECT_LE(p.knitting.Rows[1024].RightNeedle, 59);
}

TEST(RowTable, CorrectionMovesEachEdgeOnItsOwnSideOnly) {
    PatternFixture p(100, 20, 0);
    std::vector<std::pair<int, int>> spans;
    // Needles count from the right: a left-needle step is a change of the right column.
    for (int r = 0; r < 12; ++r) spans.push_back({20, r < 5 ? 89 : 87});
    layGarment(p, spans);
    prepareGarment(p, false);
    EXPECT_EQ(p.knitting.Rows[4].LeftNeedle, 10);
    EXPECT_EQ(p.knitting.Rows[5].LeftNeedle, 12);

    prepareGarment(p, true, 0, true); // first way
    EXPECT_EQ(p.knitting.Rows[5].LeftNeedle, 10);
    EXPECT_EQ(p.knitting.Rows[6].LeftNeedle, 12);
    EXPECT_EQ(p.knitting.Rows[0].RowsWithoutChange, 6);
    EXPECT_EQ(p.knitting.Rows[6].RowsWithoutChange, 6);
    EXPECT_EQ(p.knitting.Rows[12].RowsWithoutChange, 0);
    EXPECT_EQ(p.knitting.Rows.GarmentLeft, 10);

    prepareGarment(p, true, 1, true); // the other way: a left step waits for an even row
    EXPECT_EQ(p.knitting.Rows[5].LeftNeedle, 12);
    spans.assign(12, {20, 89});
    for (int r = 6; r < 12; ++r) spans[static_cast<size_t>(r)].second = 87;
    layGarment(p, spans);
    prepareGarment(p, true, 1, true);
    EXPECT_EQ(p.knitting.Rows[6].LeftNeedle, 10);
    EXPECT_EQ(p.knitting.Rows[7].LeftNeedle, 12);
}

TEST(RowTable, GarmentColoursCountOnlyInsideCells) {
    PatternFixture p(40, 10, 9);
    layGarment(p, {{10, 19}, {10, 19}, {10, 19}});
    p.setSpan(0, 10, 19, 0);
    p.setSpan(0, 12, 14, 5);
    prepareGarment(p);
    EXPECT_EQ(p.knitting.Rows[0].ColorMask, colors({0, 5}));
    EXPECT_EQ(p.knitting.Rows[0].ColorCount, 2);
    EXPECT_EQ(p.knitting.Rows[5].ColorMask, 0); // above the garment
    EXPECT_EQ(p.knitting.Rows.AllColorsInPic, colors({0, 5, 9}));
}
