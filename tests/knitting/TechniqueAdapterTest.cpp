// The binding of the run to the machine's current technique, the row table,
// the separation and the needle bed.
#include <gtest/gtest.h>

#include <climits>

#include "KnitTestUtil.h"
#include "knitting/FineLace.h"
#include "knitting/KnitMachine.h"
#include "knitting/NeedleBedModel.h"
#include "knitting/TechniqueAdapter.h"

using namespace lc;
using namespace lc::test;

namespace {
struct AdapterFixture : ::testing::Test {
    PatternFixture pattern{200, 100, 0};
    SilverReedMachine machine{pattern.context()};
    TechniqueAdapter source{machine, pattern.knitting, pattern.g, pattern.ws.Editor};
};
} // namespace

TEST_F(AdapterFixture, FollowsTheCurrentTechnique) {
    pattern.prepare();
    EXPECT_EQ(source.Kind(), tkFairisle);
    EXPECT_EQ(source.EdgeMode(), 1);
    EXPECT_EQ(source.EdgeValue(), 1);
    EXPECT_EQ(source.PassCount(), -1);
    EXPECT_EQ(source.RowCount(), 100);
    machine.SelectTechniqueByKind(tkJacquard2C);
    EXPECT_EQ(source.Kind(), tkJacquard2C);
    EXPECT_EQ(source.StartSide(), 1);
    EXPECT_EQ(source.RowToPass(4), 8u);
    EXPECT_EQ(source.RowToPass(-3), 0u);
    // A pass number past the technique's int range maps like the last one.
    EXPECT_EQ(source.PassToRow(0xFFFFFFF0u), machine.CurrentTechnique->PassToRow(INT_MAX));
}

TEST_F(AdapterFixture, JudgesEachPictureRowAndAcceptsRowsOutsideIt) {
    pattern.setSpan(7, 0, 9, 1);
    pattern.setSpan(7, 10, 19, 2);
    pattern.prepare();
    EXPECT_EQ(source.CheckRow(7), kRowTooManyColors);
    EXPECT_EQ(source.CheckRow(6), 0);
    EXPECT_EQ(source.CheckRow(-1), 0);
    EXPECT_EQ(source.CheckRow(100), 0);
    machine.SelectTechniqueByKind(tkIntarsia);
    EXPECT_EQ(source.CheckRow(7), 0);

    // Multi-colour tuck: an odd row unlike the row below answers the pair rule
    // first, yet one with three colours is refused all the same.
    pattern.setSpan(11, 0, 1, 1);
    pattern.set(5, 11, 2);
    pattern.set(50, 13, 1);
    pattern.prepare();
    machine.SelectTechniqueByKind(tkMultiColorTuckStitch);
    std::vector<int> verdicts;
    for (int row = 10; row <= 13; ++row) verdicts.push_back(source.CheckRow(row));
    EXPECT_EQ(verdicts, (std::vector<int>{0, kRowTooManyColors, 0, kRowPairBroken}));
}

TEST_F(AdapterFixture, PreparesTheRunByKind) {
    pattern.setRow(0, 1);
    pattern.prepare();
    machine.SelectTechniqueByKind(tkJacquard3C);
    source.PrepareRun(0);
    EXPECT_EQ(pattern.knitting.Separation.GetRowColors(0).ColorCount, 3);
    EXPECT_EQ(pattern.knitting.Separation.GetRowColors(50).ColorCount, 3);

    // Fine lace: the pass table of this pattern, entries copied as needle rows.
    pattern.setSpan(0, 10, 12, 14);
    pattern.prepare();
    machine.SelectTechniqueByKind(tkFineLace);
    source.PrepareRun(0);
    ASSERT_GT(source.PassCount(), 0);
    uint8_t bits[kNeedleRowBytes] = {};
    ASSERT_TRUE(source.GetPassEntry(0, bits));
    EXPECT_EQ(needlesOf(bits), std::set<int>{10});
    EXPECT_FALSE(source.GetPassEntry(static_cast<uint32_t>(source.PassCount()), bits));
    EXPECT_FALSE(source.GetPassEntry(0xFFFFFFFFu, bits));
}

TEST_F(AdapterFixture, PassNeedlesComeFromTheTechnique) {
    pattern.setSpan(3, 5, 8, 4);
    pattern.prepare();
    uint8_t bits[kNeedleRowBytes] = {};
    source.GetPassNeedles(3, bits);
    EXPECT_EQ(needlesOf(bits), span(5, 8));
}

TEST(NeedleBedCamsTest, ReadAndSetTheBedsCams) {
    PatternFixture pattern(200, 10);
    NeedleBedModel bed(pattern.g, pattern.ws.Editor);
    NeedleBedCams cams(bed);
    cams.SetCams(49, 148);
    EXPECT_EQ(cams.LSPos(), 49);
    EXPECT_EQ(cams.RSPos(), 149);
}
