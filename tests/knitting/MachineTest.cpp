#include <gtest/gtest.h>

#include "KnitTestUtil.h"
#include "knitting/FineLace.h"
#include "knitting/KnitMachine.h"

using namespace lc;
using namespace lc::test;

namespace {

// The machine panel reports only its up-down.
struct RecordingListener : LinkPanelEvents {
    std::vector<int> rows;
    void camGrabbed(bool, int) override { ADD_FAILURE(); }
    void camStepped(bool, int) override { ADD_FAILURE(); }
    void camDropped(bool) override { ADD_FAILURE(); }
    void bedScrolled(int, int) override { ADD_FAILURE(); }
    void rowCounterChanged(int position) override { rows.push_back(position); }
};

} // namespace

TEST(Machine, CreatesTheSeventeenTechniquesInKindOrder) {
    PatternFixture fixture;
    SilverReedMachine m(fixture.context());
    EXPECT_EQ(m.Name, "Silver SK840");
    const auto lines = TechniqueListLines(m);
    const std::vector<int> kinds = {1,    2,    4,    16,   32,    64,    128,   256,   512,
                                    1024, 2048, 4096, 8192, 16384, 32768, 65536, 131072};
    ASSERT_EQ(lines.size(), 17u);
    for (size_t i = 0; i < kinds.size(); ++i) {
        std::string name;
        EXPECT_EQ(m.GetTechnique(static_cast<int>(i), name), kinds[i]);
        EXPECT_EQ(lines[i], name + "=" + std::to_string(kinds[i]));
        EXPECT_EQ(m.FindTechnique(kinds[i]), m.Techniques[i].get());
    }
    EXPECT_EQ(lines.front(), "Fair Isle=1");
    EXPECT_EQ(lines.back(), "Intarsia=131072");
    EXPECT_EQ(m.FindTechnique(8), nullptr);
    EXPECT_EQ(m.CurrentTechnique->Kind, tkFairisle);
    EXPECT_EQ(m.GetCurrentTechniqueName(), "Fair Isle");
    std::string untouched = "x";
    EXPECT_EQ(m.GetTechnique(17, untouched), -1);
    EXPECT_EQ(m.GetTechnique(-1, untouched), -1);
    EXPECT_EQ(untouched, "x");
    EXPECT_EQ(m.LineScroll.Left, 365);
    EXPECT_EQ(m.RowUpDown.Width, 60);
}

TEST(Machine, SelectionIsByKindAndSurvivesEqualNames) {
    PatternFixture fixture;
    // A language file without the keys: every name comes out the same.
    TechniqueContext context = fixture.context();
    context.Names = [](std::string_view) { return std::string("?"); };
    SilverReedMachine m(context);
    EXPECT_TRUE(m.SelectTechniqueByKind(tkPinTuckStitch));
    EXPECT_EQ(m.CurrentTechnique->Kind, tkPinTuckStitch);
    EXPECT_EQ(m.LineScroll.Max, 6);
    EXPECT_EQ(m.LineScroll.Left, m.CurrentTechnique->ControlsEnd);
    // By name the first match wins, never the last.
    EXPECT_TRUE(m.SelectTechnique("?"));
    EXPECT_EQ(m.CurrentTechnique->Kind, tkFairisle);
    EXPECT_FALSE(m.SelectTechniqueByKind(8));
    EXPECT_EQ(m.CurrentTechnique->Kind, tkFairisle);
}

TEST(Machine, UnknownNameKeepsTheTechniqueAndResetsTheScrollBar) {
    PatternFixture fixture;
    SilverReedMachine m(fixture.context());
    m.SelectTechniqueByKind(tkTerryWeave);
    m.ScrollBarChange(5);
    EXPECT_EQ(m.CurrentTechnique->FirstShownLine, 5);
    EXPECT_FALSE(m.SelectTechnique("nonexistent"));
    EXPECT_EQ(m.CurrentTechnique->Kind, tkTerryWeave);
    EXPECT_EQ(m.LineScroll.Position, 0);
    EXPECT_EQ(m.LineScroll.Max, 12);
    EXPECT_EQ(m.CurrentTechnique->FirstShownLine, 0);
    m.ScrollBarChange(99); // past the last set-up line
    EXPECT_EQ(m.LineScroll.Position, 12);
}

TEST(Machine, UpDownReportsTheRowAndPaintsThatRow) {
    PatternFixture p(200, 1024, 0);
    p.prepare();
    SilverReedMachine m(p.context());
    RecordingListener listener;
    m.SetListener(&listener);
    int repaints = 0;
    m.OnInvalidate = [&] { ++repaints; };
    m.SelectTechniqueByKind(tkPinTuckStitch);
    m.UpDownClick(7);
    EXPECT_EQ(listener.rows, std::vector<int>{7});
    EXPECT_EQ(repaints, 2);

    RecordingCanvas cv;
    m.Paint(cv);
    ASSERT_FALSE(cv.fills.empty());
    EXPECT_EQ(cv.fills[0].r, 600);
    EXPECT_EQ(cv.fills[0].color, 0xC0C0C0u);
    auto lines = sheetLines(cv);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].label, 7);
    EXPECT_EQ(m.CurrentTechnique->Canvas, nullptr); // not kept past the paint

    m.UpDownClick(0);
    EXPECT_EQ(listener.rows, (std::vector<int>{7, 0}));
    cv.clear();
    m.Paint(cv);
    EXPECT_EQ(sheetLines(cv).size(), 7u); // the whole sheet: the set-up lines
}

TEST(Machine, UpDownRangeFollowsTheRowCounter) {
    PatternFixture fixture;
    SilverReedMachine m(fixture.context());
    m.UpDownClick(5000);
    EXPECT_EQ(m.RowUpDown.Position, 2047);
    m.SetRowRange(4096);
    m.UpDownClick(4000);
    EXPECT_EQ(m.RowUpDown.Position, 4000);
    m.SetRowRange(100);
    EXPECT_EQ(m.RowUpDown.Position, 100);
    m.UpDownClick(-3);
    EXPECT_EQ(m.RowUpDown.Position, 0);
}

TEST(Machine, PaintingFineLaceAtRowZeroDoesNotBuildItsTable) {
    PatternFixture p(100, 20, 0);
    p.setSpan(0, 10, 12, 14);
    p.prepare();
    SilverReedMachine m(p.context());
    m.SelectTechniqueByKind(tkFineLace);
    RecordingCanvas cv;
    m.Paint(cv);
    EXPECT_EQ(m.CurrentTechnique->PassCount(), 0);
    m.CurrentTechnique->Prepare(); // the Link page's preparation builds it
    EXPECT_EQ(m.CurrentTechnique->PassCount(), 26);
}
