#include <gtest/gtest.h>

#include "KnitTestUtil.h"
#include "knitting/FineLace.h"

using namespace lc;
using namespace lc::test;

namespace {

struct Pass {
    std::set<int> needles;
    int kind;
    int row;
    bool operator==(const Pass&) const = default;
};

void PrintTo(const Pass& p, std::ostream* os) {
    *os << "{row " << p.row << " kind " << p.kind << " needles";
    for (int n : p.needles) *os << ' ' << n;
    *os << '}';
}

std::vector<Pass> passesOfRow(const FineLace& t, int row) {
    std::vector<Pass> out;
    const int first = t.RowToPass(row);
    for (int p = first; p < t.PassCount() && t.PassToRow(p) == row; ++p) {
        const PassEntry* e = t.GetPassEntry(p);
        out.push_back({needlesOf(e->Bits.data()), e->Kind, e->Row});
    }
    return out;
}

std::vector<int> kinds(const std::vector<Pass>& ps) {
    std::vector<int> k;
    for (const auto& p : ps) k.push_back(p.kind);
    return k;
}

} // namespace

TEST(FineLace, RowsWithoutLaceTakeOneClosingPass) {
    PatternFixture p(200, 1024, 0);
    p.setSpan(5, 0, 50, 3);
    p.prepare();
    FineLace t(p.context());
    t.Prepare();
    EXPECT_EQ(t.PassCount(), 1024);
    for (int pass : {0, 1, 5, 1023}) {
        EXPECT_EQ(t.PassToRow(pass), pass);
        EXPECT_EQ(t.GetPassEntry(pass)->Kind, 2);
        EXPECT_TRUE(needlesOf(t.GetPassEntry(pass)->Bits.data()).empty());
    }
}

TEST(FineLace, WorkedExampleOneRunOfThree) {
    PatternFixture p(200, 1024, 0);
    p.setSpan(0, 10, 12, 14);
    p.set(10, 1, 14); // row 1 starts in direction 0
    p.prepare();
    FineLace t(p.context());
    t.Prepare();
    EXPECT_EQ(
        passesOfRow(t, 0),
        (std::vector<Pass>{{{10}, 0, 0}, {{}, 1, 0}, {{11}, 0, 0}, {{}, 1, 0}, {{12}, 0, 0}, {{}, 1, 0}, {{}, 2, 0}}));
    // Direction 0 first: an empty transfer pass, the take, then the closing pass.
    EXPECT_EQ(passesOfRow(t, 1), (std::vector<Pass>{{{}, 1, 1}, {{10}, 0, 1}, {{}, 2, 1}}));
    EXPECT_EQ(t.PassCount(), 7 + 3 + 1022);
    EXPECT_EQ(t.RowToPass(1), 7);
    EXPECT_EQ(t.PassToRow(6), 0);
    EXPECT_EQ(t.PassToRow(7), 1);
    EXPECT_EQ(t.RowToPass(1024), 0);
    EXPECT_EQ(t.PassToRow(t.PassCount()), 0);
    EXPECT_EQ(t.GetPassEntry(t.PassCount()), nullptr);
    EXPECT_TRUE(t.WorkDone(t.PassCount(), 1024)); // the run ends at the end of the table
    EXPECT_FALSE(t.WorkDone(t.PassCount() - 1, 1024));

    // On the wire (right side, edge needles 0, 1, 198, 199 cleared): 10 -> 189, 11 -> 188.
    uint8_t bits[kNeedleRowBytes] = {};
    t.GetPassNeedles(0, bits);
    MirrorNeedleRow(bits, 200);
    EXPECT_EQ(needlesOf(bits), (std::set<int>{189}));
    EXPECT_EQ(bits[23], 0x04);
    std::fill(std::begin(bits), std::end(bits), 0);
    t.GetPassNeedles(2, bits);
    MirrorNeedleRow(bits, 200);
    EXPECT_EQ(bits[23], 0x08);
}

TEST(FineLace, BothLaceColoursAlternate) {
    PatternFixture p(200, 4, 0);
    p.setSpan(0, 10, 12, 14);
    p.setSpan(0, 50, 51, 15);
    p.setSpan(1, 10, 11, 14); // LeftRuns 2
    p.set(60, 1, 15);         // RightRuns 1
    p.prepare();
    FineLace t(p.context());
    t.Prepare();
    EXPECT_EQ(passesOfRow(t, 0),
              (std::vector<Pass>{
                  {{10}, 0, 0}, {{51}, 1, 0}, {{11}, 0, 0}, {{50}, 1, 0}, {{12}, 0, 0}, {{}, 1, 0}, {{}, 2, 0}}));
    // Row 1 starts in direction 0: right end first, and closes in direction 0.
    EXPECT_EQ(passesOfRow(t, 1), (std::vector<Pass>{{{60}, 1, 1}, {{10}, 0, 1}, {{}, 1, 1}, {{11}, 0, 1}, {{}, 2, 1}}));
    // LeftRuns 2 with RightRuns 1, started in direction 1.
    p.setRow(2, 0);
    p.setSpan(2, 0, 1, 14);
    p.set(5, 2, 15);
    p.setRow(1, 0);
    p.prepare();
    t.Prepare();
    EXPECT_EQ(kinds(passesOfRow(t, 2)), (std::vector<int>{0, 1, 0, 1, 2}));
}

TEST(FineLace, RunsTouchingTheEdgesCount) {
    PatternFixture p(150, 2, 0);
    p.setSpan(0, 146, 149, 15);
    p.setSpan(0, 0, 2, 14);
    p.set(5, 0, 14);
    p.prepare();
    FineLace t(p.context());
    t.LoadRow(0);
    EXPECT_EQ(t.RightRuns, 4);
    EXPECT_EQ(t.LeftRuns, 3);
    uint8_t bits[kNeedleRowBytes] = {};
    EXPECT_EQ(t.MakePass(bits, 0, 1, 1), 0);
    EXPECT_EQ(needlesOf(bits), (std::set<int>{0, 5})); // the left end of each run
    EXPECT_EQ(t.MakePass(bits, 0, 0, 1), 0);
    EXPECT_EQ(needlesOf(bits), (std::set<int>{149}));
}

TEST(FineLace, SolidLaceRowTakesOnePassPerNeedle) {
    PatternFixture p(250, 3, 14);
    p.setRow(1, 0);
    p.setRow(2, 15);
    p.prepare();
    FineLace t(p.context());
    t.Prepare();
    const auto row0 = passesOfRow(t, 0);
    ASSERT_EQ(row0.size(), 501u);
    for (int i = 0; i < 250; ++i) {
        ASSERT_EQ(row0[static_cast<size_t>(2 * i)].needles, (std::set<int>{i})) << i;
        ASSERT_TRUE(row0[static_cast<size_t>(2 * i + 1)].needles.empty()) << i;
    }
    const auto row2 = passesOfRow(t, 2);
    ASSERT_EQ(row2.size(), 501u);
    // Row 1 closed in one pass, so row 2 starts in direction 1, where colour 15 has nothing due.
    EXPECT_TRUE(row2[0].needles.empty());
    EXPECT_EQ(row2[1].needles, (std::set<int>{249})); // right ends, walking down
    EXPECT_EQ(row2[499].needles, (std::set<int>{0}));
    EXPECT_EQ(row2[500].kind, 2);
}

TEST(FineLace, SettingsYarnsAndEvents) {
    PatternFixture p(200, 1024, 3);
    p.setSpan(0, 10, 12, 14);
    p.setRow(2, 14); // no ground colour in row 2
    p.prepare();
    FineLace t(p.context());
    t.Prepare();
    std::vector<int> fired;
    int pass = 0;
    t.OnMachineSettingChanged = [&](Technique&) { fired.push_back(pass); };
    std::vector<std::string> settings;
    for (pass = 0; pass < 8; ++pass) settings.push_back(t.GetCarriageSetting(pass));
    EXPECT_EQ(settings, (std::vector<std::string>{"} P", "} P", "} P", "} P", "} P", "} P", "} L", "} L"}));
    EXPECT_EQ(fired, (std::vector<int>{0, 6}));
    EXPECT_EQ(t.GetCarriageSetting(t.PassCount()), "");

    t.UpdateColors(0);
    EXPECT_EQ(t.RowYarns, colors({3}));
    EXPECT_EQ(t.PassYarns, 0); // underlined on the closing pass only
    t.UpdateColors(6);
    EXPECT_EQ(t.PassYarns, colors({3}));
    // Row 2 holds lace marks only: its closing pass knits the yarn of the rows
    // before, which stays shown, and no colour change is announced.
    int colourEvents = 0;
    t.OnColorChanged = [&](Technique&) { ++colourEvents; };
    const int closing2 = t.RowToPass(3) - 1;
    for (int pass = t.RowToPass(2); pass <= closing2; ++pass) {
        t.UpdateColors(pass);
        EXPECT_EQ(t.RowYarns, colors({3})) << pass;
        EXPECT_EQ(t.PassYarns, 0) << pass; // no ground yarn to underline
    }
    EXPECT_EQ(colourEvents, 0);
}

TEST(FineLace, InstructionLines) {
    PatternFixture p(200, 30, 0);
    p.setSpan(0, 10, 11, 14);
    p.prepare();
    FineLace t(p.context());
    t.Prepare();
    EXPECT_EQ(rowLines(t, 1), (std::vector<std::string>{" P ?  "}));
    EXPECT_EQ(rowLines(t, 4), (std::vector<std::string>{" L ?  "}));
    EXPECT_EQ(rowLines(t, 0), (std::vector<std::string>{" P ?  ", "#d$"}));
    EXPECT_EQ(rowLines(t, 1000), (std::vector<std::string>{"#d$"})); // no entry: only the mark
}

TEST(FineLace, TableIsBuiltOncePerPatternAndNeverFromTheSheet) {
    PatternFixture p(100, 50, 0);
    p.setSpan(3, 10, 12, 14);
    p.prepare();
    FineLace t(p.context());
    EXPECT_TRUE(t.BuildPassTable());
    EXPECT_FALSE(t.BuildPassTable());
    p.prepare(); // same pattern separated again
    EXPECT_FALSE(t.BuildPassTable());
    const int before = t.PassCount();

    p.set(40, 7, 15);
    p.prepare();
    RecordingCanvas cv;
    t.SetCanvas(&cv);
    t.DrawInstructionSheet(); // paints the head: no rebuild
    EXPECT_EQ(t.PassCount(), before);
    t.Prepare();
    EXPECT_EQ(t.PassCount(), before + 2);
}
