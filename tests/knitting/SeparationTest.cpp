#include <gtest/gtest.h>

#include "KnitTestUtil.h"

using namespace lc;
using namespace lc::test;

namespace {

uint32_t maskOf(const PatternFixture& p, int row) { return p.knitting.Separation.GetRowColors(row).ColorMask; }

} // namespace

TEST(Separation, OneColourRowFillsPlaneZeroOnly) {
    PatternFixture p(200, 1024, 0);
    p.prepare();
    const SeparatedRow& r = p.knitting.Separation.GetRow(0);
    for (int i = 0; i < 25; ++i) ASSERT_EQ(r.Plane(0)[i], 0xFF) << i;
    for (int i = 25; i < 40; ++i) ASSERT_EQ(r.Plane(0)[i], 0) << i;
    EXPECT_TRUE(r.Used(0));
    for (int c = 1; c < 16; ++c) {
        EXPECT_FALSE(r.Used(c));
        EXPECT_EQ(needlesOf(r.Plane(c)).size(), 0u);
    }
    EXPECT_EQ(maskOf(p, 0), 0x8000u);
    EXPECT_EQ(p.knitting.Separation.GetRowColors(0).ColorCount, 1);
}

TEST(Separation, PlanesHoldEachColoursColumnsUnmirrored) {
    PatternFixture p(150, 8, 0);
    p.set(0, 3, 5);
    p.set(149, 3, 5);
    p.set(70, 3, 12);
    p.set(71, 3, 16); // background cell: no plane, no colour
    p.prepare();
    const SeparatedRow& r = p.knitting.Separation.GetRow(3);
    EXPECT_EQ(needlesOf(r.Plane(5)), (std::set<int>{0, 149}));
    EXPECT_EQ(needlesOf(r.Plane(12)), (std::set<int>{70}));
    std::set<int> zero = span(0, 149);
    for (int n : {0, 149, 70, 71}) zero.erase(n);
    EXPECT_EQ(needlesOf(r.Plane(0)), zero);
    EXPECT_EQ(maskOf(p, 3), colors({0, 5, 12}));
    EXPECT_EQ(p.knitting.Separation.GetRowColors(3).ColorCount, 3);
}

TEST(Separation, RowsPastTheEndGiveTheLastEmptyRow) {
    PatternFixture p(200, 1024, 7);
    p.prepare();
    EXPECT_EQ(p.knitting.Separation.RowCount(), 1027);
    const SeparatedRow& last = p.knitting.Separation.GetRow(5000);
    EXPECT_EQ(&last, &p.knitting.Separation.GetRow(1026));
    for (uint8_t b : last.Data) ASSERT_EQ(b, 0);
    EXPECT_EQ(p.knitting.Separation.GetRowColors(5000).ColorMask, 0u);
    EXPECT_EQ(maskOf(p, 1023), colors({7}));
}

TEST(Separation, EmptyObjectAnswersAZeroRow) {
    ColourSeparation s;
    for (int row : {-1, 0, 7, 100000}) {
        for (uint8_t b : s.GetRow(row).Data) ASSERT_EQ(b, 0);
        EXPECT_EQ(s.GetRowColors(row).ColorCount, 0);
    }
}

TEST(Separation, GarmentModeSkipsCellsOutsideTheMask) {
    PatternFixture p(40, 30, 9); // colour 9 everywhere
    p.g.GarmentRows = 12;
    p.g.Mask.fill(kMaskOutside);
    for (int r = 0; r < 12; ++r)
        for (int x = 10; x < 20; ++x) p.g.Mask.line(r)[x] = kMaskInside; // mask line r = design row r
    p.setSpan(4, 10, 19, 2);                                             // inside the garment row 4 is colour 2
    p.prepare(true);
    EXPECT_EQ(p.knitting.Separation.RowCount(), 15);
    EXPECT_EQ(needlesOf(p.knitting.Separation.GetRow(4).Plane(2)), span(10, 19));
    EXPECT_FALSE(p.knitting.Separation.GetRow(4).Used(9));
    EXPECT_EQ(maskOf(p, 4), colors({2}));
    EXPECT_EQ(needlesOf(p.knitting.Separation.GetRow(5).Plane(9)), span(10, 19));
    EXPECT_EQ(maskOf(p, 5), colors({9}));
    // The row table judges the row by the same cells.
    EXPECT_EQ(p.knitting.Rows[4].ColorMask, colors({2}));
    EXPECT_EQ(p.knitting.Rows[4].ColorCount, 1);
}

// SpreadColors: masks before -> masks after, rows in order (the three empty
// rows the build appends come after these).
struct SpreadCase {
    const char* name;
    int n;
    std::vector<std::vector<int>> before;
    std::vector<std::vector<int>> after;
};

void PrintTo(const SpreadCase& c, std::ostream* os) { *os << c.name; }

class SpreadColorsTest : public ::testing::TestWithParam<SpreadCase> {};

TEST_P(SpreadColorsTest, GivesEveryRowNColours) {
    const SpreadCase& c = GetParam();
    const int rows = static_cast<int>(c.before.size());
    PatternFixture p(16, rows, 16);
    for (int r = 0; r < rows; ++r) {
        int x = 0;
        for (int col : c.before[static_cast<size_t>(r)]) p.set(x++, r, static_cast<uint8_t>(col));
    }
    p.prepare();
    p.knitting.Separation.SpreadColors(c.n);
    for (size_t r = 0; r < c.after.size(); ++r) {
        uint16_t want = 0;
        for (int col : c.after[r]) want |= colors({col});
        EXPECT_EQ(maskOf(p, static_cast<int>(r)), want) << "row " << r;
        EXPECT_EQ(p.knitting.Separation.GetRowColors(static_cast<int>(r)).ColorCount, c.n) << "row " << r;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Separation, SpreadColorsTest,
    ::testing::Values(SpreadCase{"HighestDroppedAndBorrowed", 2, {{0}, {1}, {0, 2, 3}}, {{0, 1}, {0, 1}, {0, 2}}},
                      SpreadCase{
                          "FirstRowBorrowsFromLaterRows", 2, {{5}, {5}, {5}, {5, 7}}, {{5, 7}, {5, 7}, {5, 7}, {5, 7}}},
                      // Rows 2.. borrow from the row below; the empty tail rows too.
                      SpreadCase{"LaterRowsBorrowFromBelow",
                                 2,
                                 {{1, 4}, {1, 4}, {0}, {0}},
                                 {{1, 4}, {1, 4}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}}},
                      // Too few colours in the whole pattern: the count is n all the same.
                      SpreadCase{"OneColourPatternKeepsItsColour", 2, {{3}, {3}, {3}}, {{3}, {3}, {3}}},
                      SpreadCase{"FourColourRowDropsTwo", 2, {{2, 6, 9, 11}}, {{2, 6}}},
                      SpreadCase{"ThreeColours", 3, {{0, 1}, {4}, {0, 1, 2, 3}}, {{0, 1, 4}, {1, 4, 0}, {0, 1, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Separation, ARasterShorterThanItsHeightIsReadSafely) {
    PatternFixture p(20, 5, 3);
    p.g.Height = 9; // the field and the bitmap disagree
    p.prepare();
    EXPECT_EQ(p.knitting.Separation.RowCount(), 12);
    EXPECT_EQ(p.knitting.Separation.GetRowColors(0).ColorMask, 0u); // picture line 8 does not exist
    EXPECT_EQ(p.knitting.Separation.GetRowColors(4).ColorMask, colors({3}));
    EXPECT_EQ(p.knitting.Rows[4].ColorMask, colors({3}));
    EXPECT_EQ(p.knitting.Rows[0].ColorMask, 0);
    p.g.Height = 5;
}
