#include <gtest/gtest.h>

#include "KnitTestUtil.h"
#include "knitting/Jacquard.h"

using namespace lc;
using namespace lc::test;

namespace {

std::vector<uint8_t> wire(int pass, Technique& t, bool mirror = true) {
    uint8_t bits[kNeedleRowBytes] = {};
    t.GetPassNeedles(pass, bits);
    if (mirror) MirrorNeedleRow(bits, t.PatternWidth());
    return {bits, bits + kWireRowBytes};
}

std::vector<uint8_t> bytes(std::initializer_list<std::pair<int, uint8_t>> runs) {
    std::vector<uint8_t> v;
    for (auto [n, b] : runs) v.insert(v.end(), static_cast<size_t>(n), b);
    return v;
}

// Two rows whose halves swap colours: row 0 is colour 1 on needles 0-99 and
// colour 4 on 100-199, row 1 the other way round. The cycle knits colours 1
// then 4 on row 0 and 4 then 1 on row 1, so the passes' needles alternate
// between the two halves.
void twoColourExample(PatternFixture& p) {
    p.setSpan(0, 0, 99, 1);
    p.setSpan(0, 100, 199, 4);
    p.setSpan(1, 0, 99, 4);
    p.setSpan(1, 100, 199, 1);
    p.prepare();
    p.knitting.Separation.SpreadColors(2);
}

} // namespace

TEST(Jacquard, TwoColourWorkedExample) {
    PatternFixture p(200, 1024, 0);
    twoColourExample(p);
    EXPECT_EQ(p.knitting.Separation.GetRowColors(2).ColorMask, colors({0, 1}));
    Jacquard j(p.context(), TechniqueId::Jacquard2C);
    EXPECT_EQ(j.StartSide, 1);
    const std::vector<int> rows = {j.PassToRow(0), j.PassToRow(1), j.PassToRow(2), j.PassToRow(3)};
    EXPECT_EQ(rows, (std::vector<int>{0, 0, 1, 1}));
    const auto right = bytes({{12, 0x00}, {1, 0x0F}, {12, 0xFF}, {7, 0x00}}); // needles 100..199
    const auto left = bytes({{12, 0xFF}, {1, 0xF0}, {19, 0x00}});             // needles 0..99
    EXPECT_EQ(wire(0, j), right);
    EXPECT_EQ(wire(1, j), left);
    EXPECT_EQ(wire(2, j), right);
    EXPECT_EQ(wire(3, j), left);
    uint8_t bits[kNeedleRowBytes] = {};
    j.GetPassNeedles(1, bits);
    EXPECT_EQ(needlesOf(bits), span(100, 199));

    j.UpdateColors(1);
    EXPECT_EQ(j.RowYarns, colors({1, 4}));
    EXPECT_EQ(j.PassYarns, colors({4}));
    EXPECT_EQ(j.MarkedYarns, 0);
    EXPECT_EQ(j.GetCarriageSetting(1), "` Y");
}

TEST(Jacquard, PassLayoutOfTheThreeTechniques) {
    PatternFixture p;
    Jacquard j2(p.context(), TechniqueId::Jacquard2C);
    Jacquard j3(p.context(), TechniqueId::Jacquard3C);
    Jacquard j4(p.context(), TechniqueId::Jacquard4C);
    std::vector<int> r3, r4, s3, s4;
    for (int p = 0; p < 12; ++p) {
        r3.push_back(j3.PassToRow(p));
        s3.push_back(j3.SlotOfPass(p));
    }
    for (int p = 0; p < 8; ++p) {
        r4.push_back(j4.PassToRow(p));
        s4.push_back(j4.SlotOfPass(p));
    }
    EXPECT_EQ(r3, (std::vector<int>{0, 0, 1, 0, 1, 1, 2, 2, 3, 2, 3, 3}));
    EXPECT_EQ(s3, (std::vector<int>{1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3, 1}));
    EXPECT_EQ(r4, (std::vector<int>{0, 0, 1, 0, 1, 0, 1, 1}));
    EXPECT_EQ(s4, (std::vector<int>{1, 2, 2, 3, 3, 4, 4, 1}));
    EXPECT_EQ(j2.RowToPass(5), 10);
    EXPECT_EQ(j3.RowToPass(5), 15);
    EXPECT_EQ(j4.RowToPass(5), 20);
    EXPECT_EQ(j2.TotalPasses(1024), 2048);
    EXPECT_EQ(j3.TotalPasses(1024), 3072);
}

TEST(Jacquard, RunEndsOnlyAfterTheLastRowsPasses) {
    // Five rows: the last cycle covers rows 4 and (nonexistent) 5.
    PatternFixture p;
    Jacquard j3(p.context(), TechniqueId::Jacquard3C);
    EXPECT_FALSE(j3.WorkDone(14, 5)); // pass 15 still knits row 4
    EXPECT_TRUE(j3.WorkDone(16, 5));
    Jacquard j4(p.context(), TechniqueId::Jacquard4C);
    EXPECT_FALSE(j4.WorkDone(18, 5)); // passes 19 and 21 knit row 4
    EXPECT_FALSE(j4.WorkDone(20, 5));
    EXPECT_TRUE(j4.WorkDone(22, 5));
    Jacquard j2(p.context(), TechniqueId::Jacquard2C);
    EXPECT_FALSE(j2.WorkDone(19, 10));
    EXPECT_TRUE(j2.WorkDone(20, 10));
}

TEST(Jacquard, CheckRowAllowsNColours) {
    PatternFixture p(30, 4, 0);
    p.set(1, 0, 3);
    p.set(2, 0, 9);
    p.prepare();
    const std::vector<uint8_t> none;
    EXPECT_EQ(Jacquard(p.context(), TechniqueId::Jacquard2C).CheckRow(none, 0), 256);
    EXPECT_EQ(Jacquard(p.context(), TechniqueId::Jacquard3C).CheckRow(none, 0), 0);
}

TEST(Jacquard, MissingColoursKnitNothingInsteadOfAnotherRowsColour) {
    // Three-colour jacquard on a pattern with only two colours in all: every
    // row's third slot has no colour.
    PatternFixture p(40, 6, 2);
    p.setSpan(0, 0, 9, 7);
    p.setSpan(1, 0, 9, 7);
    p.prepare();
    p.knitting.Separation.SpreadColors(3);
    Jacquard j(p.context(), TechniqueId::Jacquard3C);
    uint8_t bits[kNeedleRowBytes] = {};
    j.GetPassNeedles(0, bits); // row 0, slot 1: colour 2
    EXPECT_EQ(needlesOf(bits), span(10, 39));
    std::fill(std::begin(bits), std::end(bits), 0);
    j.GetPassNeedles(3, bits); // row 0, slot 3: none
    EXPECT_TRUE(needlesOf(bits).empty());
    EXPECT_EQ(j.ColorSlots[3], Jacquard::kNoColor);
    j.UpdateColors(3);
    EXPECT_EQ(j.PassYarns, 0);
    EXPECT_EQ(j.RowYarns, colors({2, 7}));
}

TEST(Jacquard, InstructionLines) {
    PatternFixture p(200, 1024, 0);
    twoColourExample(p);
    Jacquard j2(p.context(), TechniqueId::Jacquard2C);
    std::vector<int> labels;
    EXPECT_EQ(rowLines(j2, 0, &labels), (std::vector<std::string>{"mYm #    1    <", "#d$"}));
    EXPECT_EQ(labels, (std::vector<int>{0, 0}));
    labels.clear();
    EXPECT_EQ(rowLines(j2, 20, &labels), (std::vector<std::string>{"         1    <", "#d$"}));
    EXPECT_EQ(labels, (std::vector<int>{10, 20}));
    EXPECT_EQ(rowLines(j2, 1), (std::vector<std::string>{"         0    >"}));
    EXPECT_EQ(rowLines(j2, 2), (std::vector<std::string>{"         0    <"}));
    EXPECT_EQ(rowLines(j2, 3), (std::vector<std::string>{"         1    >"}));

    Jacquard j4(p.context(), TechniqueId::Jacquard4C);
    labels.clear();
    auto l6 = rowLines(j4, 6, &labels);
    auto l7 = rowLines(j4, 7, &labels);
    EXPECT_EQ(l6, (std::vector<std::string>{std::string(14, ' ') + "<"}));
    EXPECT_EQ(l7, (std::vector<std::string>{std::string(14, ' ') + ">"}));
    EXPECT_EQ(labels, (std::vector<int>{1, 1}));
    EXPECT_EQ(rowLines(j4, 80).size(), 2u);
    EXPECT_EQ(rowLines(j4, 20).size(), 1u);
    // The heads carry the row state.
    EXPECT_EQ(j4.Controls[0]->Cells, "mYm");
    EXPECT_EQ(j4.Controls[2]->Cells, "#");
}

TEST(Jacquard, SetupLines) {
    PatternFixture p;
    Jacquard j(p.context(), TechniqueId::Jacquard3C);
    EXPECT_EQ(setupLines(j), (std::vector<std::string>{"#i", "#d$", " C   11)      <", " C            >",
                                                       " C            <", " 0   44!      >", "mYm #44!      <"}));
}
