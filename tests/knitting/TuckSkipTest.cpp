#include <gtest/gtest.h>

#include "KnitTestUtil.h"
#include "knitting/MultiColorSkipStitch.h"
#include "knitting/MultiColorTuckStitch.h"
#include "knitting/TuckStitch.h"

using namespace lc;
using namespace lc::test;

namespace {

std::vector<uint8_t> scanline(const PatternRaster& g, int row) {
    const uint8_t* l = g.Picture.line(g.LineOfRow(row));
    return {l, l + g.Width};
}

} // namespace

TEST(TuckSkip, TuckRuleCountsRunsOfTheLowerColourOnly) {
    PatternFixture p(200, 10, 4);
    p.setSpan(0, 0, 1, 0); // two lower-colour cells: fine
    p.setSpan(0, 3, 4, 0);
    p.setSpan(1, 197, 199, 0); // three at the very end
    p.setSpan(2, 0, 199, 9);
    p.setSpan(2, 50, 51, 4); // {4,9}: the higher colour may run on
    p.prepare();
    for (auto* t : std::initializer_list<Technique*>{new TuckStitch(p.context()),
                                                     new TuckOrSkipStitch(p.context(), TechniqueId::SkipStitch),
                                                     new TuckStitch(p.context(), TechniqueId::DoubleTuckStitch)}) {
        std::unique_ptr<Technique> own(t);
        EXPECT_EQ(t->CheckRow(scanline(p.g, 0), 0), 0) << t->Name;
        EXPECT_EQ(t->CheckRow(scanline(p.g, 1), 1), 1024) << t->Name;
        EXPECT_EQ(t->CheckRow(scanline(p.g, 2), 2), 0) << t->Name;
        // A short scanline is read only as far as it goes.
        EXPECT_EQ(t->CheckRow(std::span<const uint8_t>(scanline(p.g, 1)).first(150), 1), 0) << t->Name;
    }
}

TEST(TuckSkip, PairRuleComparesWholeRows) {
    PatternFixture p(200, 10, 5);
    for (int r = 0; r < 6; ++r) p.set(0, r, 1);
    p.set(150, 3, 1); // row 3 differs from row 2 only far along the row
    p.set(9, 5, 6);   // row 5: three colours and different
    p.prepare();
    for (auto* t : std::initializer_list<Technique*>{new MultiColorTuckStitch(p.context()),
                                                     new MultiColorSkipStitch(p.context())}) {
        std::unique_ptr<Technique> own(t);
        std::vector<int> got;
        for (int r = 0; r < 6; ++r) got.push_back(t->CheckRow(scanline(p.g, r), r));
        EXPECT_EQ(got, (std::vector<int>{0, 0, 0, 2048, 0, 2048})) << t->Name;
    }
    // The single-row techniques know no pair rule.
    TuckStitch tuck(p.context());
    EXPECT_EQ(tuck.CheckRow(scanline(p.g, 3), 3), 0);
}

TEST(TuckSkip, AllNeedleRowsStopAtThePatternWidth) {
    // 150 wide, one colour: needles 0..149, never 150 and 151, whichever side is sent.
    PatternFixture p(150, 4, 0);
    p.prepare();
    TuckStitch t(p.context());
    uint8_t bits[kNeedleRowBytes] = {};
    t.GetPassNeedles(1, bits);
    EXPECT_EQ(needlesOf(bits), span(0, 149));
    EXPECT_EQ(bits[18], 0xFC);
    MirrorNeedleRow(bits, 150);
    EXPECT_EQ(needlesOf(bits), span(0, 149));
}

TEST(TuckSkip, RowsWithoutColourSelectNothing) {
    PatternFixture p(60, 4, 16); // background only (as outside a garment)
    p.prepare();
    // Multicolour skip selects every needle on such a row (LinkPageTest shows its bytes).
    for (auto* t : std::initializer_list<Technique*>{new TuckStitch(p.context()),
                                                     new TuckOrSkipStitch(p.context(), TechniqueId::SkipStitch)}) {
        std::unique_ptr<Technique> own(t);
        uint8_t bits[kNeedleRowBytes] = {};
        t->GetPassNeedles(0, bits);
        EXPECT_TRUE(needlesOf(bits).empty()) << t->Name;
    }
}

TEST(TuckSkip, YarnsOfAnEmptyRow) {
    PatternFixture p(60, 4, 16);
    p.setRow(1, 3);
    p.prepare();
    TuckStitch tuck(p.context());
    TuckOrSkipStitch skip(p.context(), TechniqueId::SkipStitch);
    tuck.UpdateColors(1);
    skip.UpdateColors(1);
    tuck.UpdateColors(0);
    skip.UpdateColors(0);
    EXPECT_EQ(tuck.RowYarns, 0);           // the whole (empty) mask
    EXPECT_EQ(skip.RowYarns, colors({3})); // kept
}

TEST(TuckSkip, DoubleTuckSetupLines) {
    PatternFixture fixture;
    TuckStitch t(fixture.context(), TechniqueId::DoubleTuckStitch);
    const auto lines = setupSheet(t);
    ASSERT_EQ(lines.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(lines[static_cast<size_t>(i)].label, i + 1);
        EXPECT_EQ(lines[static_cast<size_t>(i)].labelColor, 0x0000FFu);
    }
    EXPECT_EQ(lines[0].glyph, "i");
    EXPECT_EQ(lines[0].glyphSize, 48);
    EXPECT_EQ(lines[5].cells, " 0   3 !      <");
    EXPECT_EQ(lines[6].cells, "mTm  33!      >");
}
