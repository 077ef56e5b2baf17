#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "KnitTestUtil.h"
#include "knitting/FairIsle.h"
#include "knitting/Intarsia.h"
#include "knitting/Lace.h"
#include "knitting/MultiColorSkipStitch.h"
#include "knitting/MultiColorTuckStitch.h"
#include "knitting/TechniqueFactory.h"
#include "knitting/TerryWeave.h"
#include "knitting/ThreadLace.h"
#include "knitting/TuckStitch.h"
#include "knitting/Weaving.h"

using namespace lc;
using namespace lc::test;

namespace {

const std::string B14(14, ' ');

struct Span {
    int color, from, to;
};

// One design row under one technique: what it is made of, what comes out.
struct Case {
    const char* name;
    std::function<std::unique_ptr<Technique>(const TechniqueContext&)> make;
    int base;                // colour of every cell of the row
    std::vector<Span> spans; // then these cells
    int check;               // CheckRow
    int selects;             // needles = the cells of this colour; -1 none
    std::string settingEven, settingOdd;
    std::vector<std::string> linesEven, linesOdd; // cells of settings lines, "#glyph" for number lines
    uint16_t rowYarns, passYarns, markedYarns;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

template <class T>
std::function<std::unique_ptr<Technique>(const TechniqueContext&)> make() {
    return [](const TechniqueContext& context) { return std::make_unique<T>(context); };
}

// A technique that shares its class with others, made as the machine makes it.
std::function<std::unique_ptr<Technique>(const TechniqueContext&)> make(TechniqueId id) {
    return [id](const TechniqueContext& context) { return MakeTechnique(context, id); };
}

class SinglePass : public ::testing::TestWithParam<Case> {};

TEST_P(SinglePass, RowInPassOut) {
    const Case& c = GetParam();
    PatternFixture p(200, 20, 0);
    for (int row : {6, 7}) {
        p.setRow(row, static_cast<uint8_t>(c.base));
        for (const Span& s : c.spans) p.setSpan(row, s.from, s.to, static_cast<uint8_t>(s.color));
    }
    p.prepare();
    auto t = c.make(p.context());
    const uint8_t* cells = p.g.Picture.line(p.g.LineOfRow(6));
    std::vector<uint8_t> line(cells, cells + 200);
    EXPECT_EQ(t->CheckRow(line, 6), c.check);

    for (int row : {6, 7}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(t->PassToRow(row), row);
        uint8_t bits[kNeedleRowBytes] = {};
        t->GetPassNeedles(row, bits);
        std::set<int> want;
        for (int x = 0; x < 200; ++x)
            if (p.g.CellAt(x, row) == c.selects) want.insert(x);
        EXPECT_EQ(needlesOf(bits), want);
        EXPECT_EQ(t->GetCarriageSetting(row), row % 2 ? c.settingOdd : c.settingEven);
        EXPECT_EQ(rowLines(*t, row), row % 2 ? c.linesOdd : c.linesEven);
        t->UpdateColors(row);
        EXPECT_EQ(t->RowYarns, c.rowYarns);
        EXPECT_EQ(t->PassYarns, c.passYarns);
        EXPECT_EQ(t->MarkedYarns, c.markedYarns);
    }
}

const char kTerryOdd[] = "\x60\x53\x3C\x4A\x3D\x49";
const char kTerryEven[] = "\x60\x53\x3E\x4A";
const char kLaceEffectOdd[] = "\x60\x53\x3C\x68\x3D\x67";
const char kLaceEffectEven[] = "\x60\x53\x3E\x68";

// One technique a row reads better than one field a line.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Techniques, SinglePass,
    ::testing::Values(
        Case{"FairIsleTwoColours", make<FairIsle>(), 3, {{7, 20, 29}, {7, 150, 150}}, 0, 7, "Z F", "Z F",
             {" m F m ?\?>"}, {" m F m ?\?<"}, colors({3, 7}), colors({3, 7}), 0},
        Case{"FairIsleColourZeroOnly", make<FairIsle>(), 0, {}, 0, -1, "Z O ", "Z O ", {" m O m ? >"}, {" m O m ? <"},
             colors({0}), colors({0}), 0},
        Case{"FairIsleThreeColours", make<FairIsle>(), 0, {{1, 0, 0}, {2, 5, 5}}, 256, 2, "Z O ", "Z O ",
             {" m O m ? >"}, {" m O m ? <"}, colors({0, 2}), colors({0, 2}), 0},
        Case{"ThreadLaceOneColour", make<ThreadLace>(), 5, {}, 0, 5, "Z L", "Z L", {" l L m ?\?>"}, {" l L m ?\?<"},
             colors({5, 6}), colors({5, 6}), colors({5})},
        Case{"ThreadLaceLowestFifteen", make<ThreadLace>(), 15, {}, 0, 15, "Z L", "Z L", {" l L m ?\?>"},
             {" l L m ?\?<"}, colors({15, 0}), colors({15, 0}), colors({15})},
        Case{"WeavingTwoColours", make<Weaving>(), 2, {{9, 40, 60}}, 0, 9, "Z W", "Z W", {" moWom ?\?="},
             {" moWom ?\?="}, colors({2, 9}), colors({2, 9}), colors({9})},
        Case{"WeavingOneColour", make<Weaving>(), 4, {}, 0, 4, "Z W", "Z W", {" moWom ?\?="}, {" moWom ?\?="},
             colors({4}), colors({4}), 0},
        Case{"LaceOneColourSelectsNothing", make<Lace>(), 6, {}, 0, -1, "} L", "} L", {" L ? ="}, {" L ? ="},
             colors({6}), colors({6}), 0},
        Case{"LaceTwoColours", make<Lace>(), 0, {{3, 100, 120}}, 0, 3, "} L", "} L", {" L ? ="}, {" L ? ="},
             colors({0}), colors({0}), 0},
        Case{"PinTuck", make(TechniqueId::PinTuckStitch), 1, {{4, 0, 9}}, 0, 4, "` Y", "` Y", {" S   34!      <"},
             {" S   34!      <"}, colors({1}), colors({1}), 0},
        Case{"TerryWeave", make<TerryWeave>(), 2, {{5, 10, 12}}, 0, 5, kTerryEven, kTerryOdd,
             {"#J>N", B14 + ">"}, {"#J>N", B14 + "<", "#M=I"}, colors({2, 3}), colors({2, 3}), colors({2})},
        Case{"LaceEffect", make(TechniqueId::LaceEffect), 2, {{5, 10, 12}}, 0, 5, kLaceEffectEven, kLaceEffectOdd,
             {"#h>N", B14 + ">"}, {"#h>N", B14 + "<", "#M=g"}, colors({2}), colors({2}), 0},
        Case{"IntarsiaSixteenColours", make<Intarsia>(), 0,
             {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, {6, 6, 6}, {7, 7, 7}, {8, 8, 8}, {9, 9, 9},
              {10, 10, 10}, {11, 11, 11}, {12, 12, 12}, {13, 13, 13}, {14, 14, 14}, {15, 15, 15}},
             0, -1, "  =", "  =", {"  ="}, {"  ="}, colors({0}), colors({0}), 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The tuck and skip family: a one-colour row selects every needle, the yarn is
// the row's highest colour, and two-colour rows obey the tuck rule.
// One technique a row reads better than one field a line.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    TuckAndSkip, SinglePass,
    ::testing::Values(
        Case{"TuckTwoColours", make<TuckStitch>(), 4, {{0, 10, 11}, {0, 20, 21}}, 0, 4, "Z T", "Z T", {" m T m ? >"},
             {" m T m ? <"}, colors({4}), colors({4}), 0},
        Case{"TuckThreeAdjacentLowerCells", make<TuckStitch>(), 4, {{0, 10, 12}}, 1024, 4, "Z T", "Z T",
             {" m T m ? >"}, {" m T m ? <"}, colors({4}), colors({4}), 0},
        Case{"TuckColourZeroAloneSelectsAll", make<TuckStitch>(), 0, {}, 0, 0, "Z T", "Z T", {" m T m ? >"},
             {" m T m ? <"}, colors({0}), colors({0}), 0},
        Case{"TuckThreeColours", make<TuckStitch>(), 0, {{3, 0, 0}, {9, 50, 50}}, 256, 9, "Z T", "Z T",
             {" m T m ? >"}, {" m T m ? <"}, colors({9}), colors({9}), 0},
        Case{"MultiColourTuck", make<MultiColorTuckStitch>(), 7, {{1, 5, 6}}, 0, 7, "Z T", "Z T", {" m T m ? >"},
             {" m T m ? <"}, colors({7}), colors({7}), 0},
        Case{"DoubleTuck", make(TechniqueId::DoubleTuckStitch), 3, {{1, 0, 0}}, 0, 3, "` T", "` T", {" Tm  3 !      >"},
             {" Tm  3 !      <"}, colors({3}), colors({3}), 0},
        Case{"SkipTwoColours", make(TechniqueId::SkipStitch), 5, {{2, 30, 31}}, 0, 5, "Z Y", "Z Y", {" m Y m ? >"},
             {" m Y m ? <"}, colors({5}), colors({5}), 0},
        Case{"SkipColourZeroAloneSelectsAll", make(TechniqueId::SkipStitch), 0, {}, 0, 0, "Z Y", "Z Y", {" m Y m ? >"},
             {" m Y m ? <"}, colors({0}), colors({0}), 0},
        Case{"MultiColourSkipOneColourSelectsAll", make<MultiColorSkipStitch>(), 6, {}, 0, 6, "Z Y", "Z Y",
             {" m Y m ? >"}, {" m Y m ? <"}, colors({6}), colors({6}), 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct Constants {
    std::function<std::unique_ptr<Technique>(const TechniqueContext&)> make;
    int kind, maxColors, otherSide, edgeMode, edgeValue, setupLines, startSide;
};

} // namespace

TEST(SinglePassConstants, KindsSidesEdgesAndSetupLines) {
    PatternFixture fixture;
    const std::vector<Constants> table = {
        {make<FairIsle>(), 1, 2, 0, 1, 1, 0, 0},
        {make<ThreadLace>(), 2, 2, 0, 2, 0, 0, 0},
        {make<Weaving>(), 256, 2, 1, 1, 1, 0, 0},
        {make<Lace>(), 512, 2, 0, 2, 0, 0, 0},
        {make(TechniqueId::PinTuckStitch), 16384, 2, 1, 1, 0, 6, 0},
        {make<TerryWeave>(), 32768, 2, 0, 0, 0, 12, 0},
        {make(TechniqueId::LaceEffect), 65536, 2, 0, 0, 0, 12, 0},
        {make<Intarsia>(), 131072, 16, 0, 0, 0, 0, 0},
        {make<TuckStitch>(), 4, 2, 0, 1, 1, 0, 0},
        {make<MultiColorTuckStitch>(), 16, 2, 0, 1, 1, 0, 0},
        {make(TechniqueId::DoubleTuckStitch), 32, 2, 0, 1, 1, 7, 0},
        {make(TechniqueId::SkipStitch), 64, 2, 0, 1, 1, 0, 0},
        {make<MultiColorSkipStitch>(), 128, 2, 0, 1, 1, 0, 0},
    };
    for (const auto& c : table) {
        auto t = c.make(fixture.context());
        SCOPED_TRACE(t->Name);
        EXPECT_EQ(t->Kind, c.kind);
        EXPECT_EQ(t->MaxColors, c.maxColors);
        EXPECT_EQ(t->OtherSide, c.otherSide);
        EXPECT_EQ(t->EdgeMode, c.edgeMode);
        EXPECT_EQ(t->EdgeValue, c.edgeValue);
        EXPECT_EQ(t->SetupLines, c.setupLines);
        EXPECT_EQ(t->StartSide, c.startSide);
        EXPECT_EQ(t->PassesPerRow, 1);
        int cells = 0;
        for (const auto& col : t->Controls) cells += col->CellCount;
        EXPECT_EQ(cells, c.kind == 512 ? 6 : c.kind == 131072 ? 3 : c.setupLines ? 15 : 10);
        if (c.setupLines) {
            EXPECT_EQ(t->Controls.size(), 9u);
            EXPECT_EQ(t->Controls[0]->Symbol, 'B');
            EXPECT_EQ(t->Controls[8]->Symbol, 's');
        }
    }
    EXPECT_EQ(Weaving(fixture.context()).ThreadType, 1);
}

TEST(SinglePassEvents, ColourEventFiresOnlyWhenTheYarnsChange) {
    PatternFixture p(50, 10, 2);
    p.setSpan(1, 0, 4, 9);
    p.setSpan(2, 0, 4, 9);
    p.setSpan(3, 0, 4, 10);
    p.prepare();
    FairIsle f(p.context());
    int fired = 0;
    f.OnColorChanged = [&](Technique& sender) {
        EXPECT_EQ(&sender, &f);
        ++fired;
    };
    f.UpdateColors(1);
    EXPECT_EQ(fired, 1); // from nothing to {2,9}
    f.UpdateColors(2);
    EXPECT_EQ(fired, 1);
    f.UpdateColors(3);
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(f.LastYarns, colors({2, 10}));
}

TEST(SinglePassEvents, OnlyFairIsleReportsSettingChanges) {
    PatternFixture p(50, 10, 0);
    p.setSpan(2, 0, 4, 9);
    p.setSpan(3, 0, 4, 9);
    p.prepare();
    FairIsle f(p.context());
    std::vector<std::string> seen;
    f.OnMachineSettingChanged = [&](Technique& t) { seen.push_back(t.LastSetting); };
    for (int row : {0, 1, 2, 3, 4}) f.GetCarriageSetting(row);
    // "" -> "Z O " -> "Z F" -> "Z O ": the event sees the previous setting.
    EXPECT_EQ(seen, (std::vector<std::string>{"", "Z O ", "Z F"}));
    EXPECT_EQ(f.LastSetting, "Z O ");

    Weaving w(p.context());
    int fired = 0;
    w.OnMachineSettingChanged = [&](Technique&) { ++fired; };
    w.GetCarriageSetting(0);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(w.LastSetting, "");
}

TEST(SinglePassColours, EmptyRowKeepsThePreviousYarnsAndColourOrderFollowsTheRule) {
    PatternFixture p(50, 10, 16); // background only: no colour in any row
    p.setSpan(1, 0, 49, 15);
    p.prepare();
    ThreadLace t(p.context());
    t.UpdateColors(1);
    EXPECT_EQ(p.knitting.ColorOrder[0], 15);
    EXPECT_EQ(p.knitting.ColorOrder[1], 15);
    EXPECT_EQ(p.knitting.ColorOrder[2], -1);
    t.UpdateColors(0); // an empty row: the lace yarns 14 and 15, no colour order change
    EXPECT_EQ(t.RowYarns, colors({14, 15}));
    EXPECT_EQ(t.MarkedYarns, 0);
    EXPECT_EQ(p.knitting.ColorOrder[0], 15);

    FairIsle f(p.context());
    f.UpdateColors(1);
    EXPECT_EQ(p.knitting.ColorOrder[0], -1);
    f.UpdateColors(0);
    EXPECT_EQ(f.RowYarns, colors({15}));
}

TEST(SinglePassNeedles, NothingPastThePatternWidth) {
    // 150 wide: the last plane byte covers needles 144..151; 150 and 151 are no needles.
    PatternFixture p(150, 4, 0);
    p.setRow(1, 4);
    p.prepare();
    for (const auto& mk : {make<FairIsle>(), make<ThreadLace>()}) {
        auto t = mk(p.context());
        uint8_t bits[kNeedleRowBytes] = {};
        t->GetPassNeedles(1, bits);
        EXPECT_EQ(needlesOf(bits), span(0, 149));
        EXPECT_EQ(bits[18], 0xFC);
    }
    // A pass past the separated rows reads the last (empty) row.
    uint8_t bits[kNeedleRowBytes] = {};
    FairIsle(p.context()).GetPassNeedles(5000, bits);
    EXPECT_TRUE(needlesOf(bits).empty());
}

TEST(SinglePassNeedles, FairIsleWorkedExampleBeforeAndAfterTheRun) {
    // Row 0: columns 0-3 and 196 colour 5, the rest colour 0.
    PatternFixture p(200, 1024, 0);
    p.setSpan(0, 0, 3, 5);
    p.set(196, 0, 5);
    p.prepare();
    EXPECT_EQ(p.knitting.Rows[0].ColorMask, 0x8400);
    EXPECT_EQ(p.knitting.Rows[0].ColorCount, 2);
    uint8_t bits[kNeedleRowBytes] = {};
    FairIsle f(p.context());
    f.GetPassNeedles(0, bits);
    EXPECT_EQ(bits[0], 0xF0);
    EXPECT_EQ(bits[24], 0x08);
    for (int i = 1; i < 24; ++i) EXPECT_EQ(bits[i], 0) << i;
    // The run forces the cam needles 0 and 199 (edge mode 1, value 1) and mirrors.
    SetNeedleBit(bits, 0);
    SetNeedleBit(bits, 199);
    MirrorNeedleRow(bits, 200);
    EXPECT_EQ(bits[0], 0x90);
    EXPECT_EQ(bits[24], 0x0F);
    EXPECT_EQ(f.GetCarriageSetting(0), "Z F");
    EXPECT_EQ(rowLines(f, 0), (std::vector<std::string>{" m F m ?\?>", "#d$"}));
}

TEST(SinglePassSheet, PinTuckSetupLines) {
    PatternFixture fixture;
    SinglePassTechnique t(fixture.context(), TechniqueId::PinTuckStitch);
    const auto lines = setupSheet(t);
    ASSERT_EQ(lines.size(), 7u);
    std::vector<int> labels;
    for (const auto& l : lines) {
        labels.push_back(l.label);
        EXPECT_EQ(l.labelColor, 0x0000FFu);
    }
    EXPECT_EQ(labels, (std::vector<int>{1, 2, 3, 4, 4, 5, 6}));
    EXPECT_EQ(lines[0].glyph, "j");
    EXPECT_EQ(lines[0].glyphSize, 48);
    EXPECT_EQ(lines[0].cells, " "); // the last column's cell, carried on the line
    EXPECT_EQ(lines[1].glyph, "d$");
    EXPECT_EQ(lines[1].cells, "");
    EXPECT_EQ(lines[2].cells, " C   13)      >");
    EXPECT_EQ(lines[6].cells, "mSm.\"34!*1!fH5>");
    // The heads show the set-up state.
    EXPECT_EQ(t.Controls[0]->Cells, "m0m");
}

TEST(SinglePassSheet, TerryWeaveAndLaceEffectSetupLines) {
    PatternFixture fixture;
    for (bool lace : {false, true}) {
        std::unique_ptr<Technique> t =
            lace ? std::unique_ptr<Technique>(new SinglePassTechnique(fixture.context(), TechniqueId::LaceEffect))
                 : std::make_unique<TerryWeave>(fixture.context());
        const std::vector<std::string> got = setupLines(*t);
        const std::vector<std::string> want = {lace ? "#v" : "#j",
                                               "#dc",
                                               lace ? "#M=g $" : "#M=I $",
                                               " S            <",
                                               B14 + ">",
                                               B14 + "<",
                                               lace ? "#h>N" : "#J>N",
                                               lace ? B14 + ">" : "   P       a  >",
                                               lace ? "#h>N" : "#J>N",
                                               B14 + "<",
                                               lace ? "#j" : "#t",
                                               "mSm.\"53!*1!fH5>"};
        EXPECT_EQ(got, want);
    }
}
