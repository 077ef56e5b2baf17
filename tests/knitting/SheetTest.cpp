#include <gtest/gtest.h>

#include "KnitTestUtil.h"
#include "knitting/CarriageControl.h"
#include "knitting/FairIsle.h"
#include "knitting/SinglePassTechnique.h"
#include "knitting/TerryWeave.h"
#include "knitting/Weaving.h"
#include "knitting/Technique.h"

using namespace lc;
using namespace lc::test;

// ------------------------------------------------------------ columns

TEST(CarriageControl, SizeComesFromItsLetters) {
    CarriageControl c(" m F m ", 'n');
    EXPECT_EQ(c.CellCount, 7);
    EXPECT_EQ(c.Width, 210);
    EXPECT_EQ(c.Height, 60);
    RowCounterControl rc;
    EXPECT_EQ(rc.Width, 60);
    EXPECT_EQ(rc.CellCount, 1);
}

TEST(CarriageControl, SetCellHighlightsAndClears) {
    CarriageControl c(" m F m ", 'n');
    c.SetCell(2, 'x');
    c.SetCell(4, 'y');
    EXPECT_EQ(c.Highlight, 0b10100u);
    EXPECT_EQ(c.Cells, " mxFym ");
    c.SetCell(-1, 'z');
    EXPECT_EQ(c.Highlight, 0u);
    EXPECT_EQ(c.Cells, " mxFym ");
    c.SetCell(7, 'q'); // past the cells: no letter written, no highlight aliasing
    c.SetCell(33, 'q');
    EXPECT_EQ(c.Highlight, 0u);
    EXPECT_EQ(c.Cells, " mxFym ");
}

TEST(CarriageControl, CellsAreFilledSkyBlueWhenHighlighted) {
    RecordingCanvas cv;
    CarriageControl c("abc", 'n');
    c.Left = 62;
    c.SetCanvas(&cv);
    c.SetCell(1, 'b');
    c.DrawCells();
    ASSERT_EQ(cv.fills.size(), 3u);
    const auto& f = cv.fills;
    EXPECT_EQ((std::vector<int>{f[1].l, f[1].t, f[1].r, f[1].b}), (std::vector<int>{92, 62, 122, 87}));
    EXPECT_EQ(f[1].color, RGB(166, 202, 240));
    EXPECT_EQ(f[0].color, kWhite);
    EXPECT_EQ(f[2].color, kWhite);
    ASSERT_EQ(cv.texts.size(), 3u);
    EXPECT_EQ(cv.texts[2].text, "c");
    // Centred: (30 - 8) / 2 across, (25 - 14) / 2 down with the 14-pixel stand-in font.
    EXPECT_EQ(cv.texts[2].x, 122 + 11);
    EXPECT_EQ(cv.texts[2].y, 62 + 5);
}

TEST(CarriageControl, TitleSymbolScalesToTheColumn) {
    RecordingCanvas cv;
    CarriageControl c("ab", 'n'); // 60 wide: 60*20 / (18 - 6) = 100, clamped to 72
    c.SetCanvas(&cv);
    cv.setFontSize(14);
    c.DrawSymbol();
    ASSERT_EQ(cv.texts.size(), 1u);
    EXPECT_EQ(cv.texts[0].size, 72);
    EXPECT_EQ(cv.fills[0].color, kCream);
    EXPECT_EQ(cv.size, 14); // restored

    // A font whose width does not grow with the size: drawn at 30.
    struct FlatCanvas : RecordingCanvas {
        TextExtent textSize(std::string_view) override { return {12, size}; }
    } flat;
    c.SetCanvas(&flat);
    c.DrawSymbol();
    EXPECT_EQ(flat.texts[0].size, 30);
    // A font that shrinks as it grows must not give a negative size.
    struct OddCanvas : RecordingCanvas {
        TextExtent textSize(std::string_view) override { return {100 - size, size}; }
    } odd;
    c.SetCanvas(&odd);
    c.DrawSymbol();
    EXPECT_EQ(odd.texts[0].size, 1);
}

TEST(CarriageControl, RowCounterDrawsItsValueInItsCellLine) {
    RecordingCanvas cv;
    RowCounterControl rc(37);
    rc.SetCanvas(&cv);
    rc.Paint();
    ASSERT_EQ(cv.texts.size(), 1u);
    EXPECT_EQ(cv.texts[0].text, "37");
    EXPECT_EQ(cv.texts[0].cell.t, 62);
    EXPECT_EQ(cv.texts[0].cell.b, 87);
    EXPECT_EQ(cv.texts[0].cell.r, 60);
}

// ------------------------------------------------------------ technique base

TEST(TechniqueBase, DefaultsMapPassesOneToOne) {
    PatternFixture fixture;
    Technique t(fixture.context());
    EXPECT_EQ(t.PassToRow(7), 7);
    t.PassesPerRow = 2;
    EXPECT_EQ(t.RowToPass(5), 10);
    EXPECT_EQ(t.PassCount(), -1);
    EXPECT_EQ(t.TotalPasses(100), 200);
    uint8_t row[4] = {};
    EXPECT_EQ(t.CheckRow(row, 0), 0);
    EXPECT_EQ(t.GetCarriageSetting(0), "");
    EXPECT_EQ(t.GetPassEntry(0), nullptr);
    EXPECT_EQ(t.GetPassEntry(-1), nullptr);
}

TEST(TechniqueBase, WorkDoneWhenNoPassAheadMapsBelowRowCount) {
    PatternFixture fixture;
    Technique t(fixture.context());
    EXPECT_FALSE(t.WorkDone(9, 10));
    EXPECT_TRUE(t.WorkDone(10, 10));
    EXPECT_TRUE(t.WorkDone(0, 0));
}

TEST(TechniqueBase, NameSourceSuppliesNamesWithEnglishFallback) {
    PatternFixture fixture;
    std::string fairIsle = "Fair-isle (test)";
    TechniqueContext context = fixture.context();
    context.Names = [&fairIsle](std::string_view key) { return key == "s02002" ? fairIsle : std::string(); };
    FairIsle f(context);
    Weaving w(context);
    EXPECT_EQ(f.Name, "Fair-isle (test)");
    EXPECT_EQ(w.Name, "Weaving");
    fairIsle.clear(); // the source no longer knows the name
    f.Retranslate();
    EXPECT_EQ(f.Name, "Fair Isle");
}

TEST(TechniqueBase, ColumnsAreLaidOutAfterTheRowNumbers) {
    PatternFixture fixture;
    RecordingCanvas cv;
    FairIsle f(fixture.context());
    f.SetCanvas(&cv);
    ASSERT_EQ(f.Controls.size(), 3u);
    EXPECT_EQ(f.Controls[0]->Left, 62);
    EXPECT_EQ(f.Controls[1]->Left, 273);
    EXPECT_EQ(f.Controls[2]->Left, 334);
    EXPECT_EQ(f.Controls[1]->Width, 60);
    EXPECT_EQ(f.ControlsEnd, 365);
    EXPECT_EQ(f.ResetLines(), f.Controls[2].get());
    EXPECT_EQ(f.LineTop, 89);
}

TEST(TechniqueBase, FairIsleRowLinesAndTheTenthRowMark) {
    PatternFixture p(200, 30, 0);
    p.setSpan(10, 0, 3, 5);
    p.setSpan(11, 0, 3, 5);
    p.prepare();
    RecordingCanvas cv;
    FairIsle f(p.context());
    f.SetCanvas(&cv);
    f.DrawInstructionRow(10);
    auto lines = sheetLines(cv);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].top, 89);
    EXPECT_EQ(lines[0].label, 10);
    EXPECT_EQ(lines[0].labelColor, 0x008000u);
    EXPECT_EQ(lines[0].cells, " m F m ?\?>");
    EXPECT_EQ(lines[1].top, 89 + 25 + 2);
    EXPECT_EQ(lines[1].glyph, "d$");
    EXPECT_EQ(lines[1].glyphSize, 24);
    EXPECT_EQ(lines[1].label, 10);
    EXPECT_EQ(f.LineTop, 116 + 24 + 4 + 2);

    cv.clear();
    f.DrawInstructionRow(11);
    lines = sheetLines(cv);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].cells, " m F m ?\?<");
}

TEST(TechniqueBase, LinesBeforeTheFirstShownLineOnlyCount) {
    PatternFixture fixture;
    RecordingCanvas cv;
    TerryWeave t(fixture.context());
    t.SetCanvas(&cv);
    t.FirstShownLine = 3;
    t.DrawInstructionSheet();
    EXPECT_EQ(t.LineCounter, 12);
    const auto lines = sheetLines(cv);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0].label, 4);
    EXPECT_EQ(lines[0].top, 89);

    RecordingCanvas all;
    TerryWeave t2(fixture.context());
    t2.SetCanvas(&all);
    t2.DrawInstructionSheet();
    EXPECT_EQ(sheetLines(all).size(), 12u);
    // Only the nine drawn lines moved LineTop.
    int advance = 0;
    for (const auto& l : lines) advance += l.glyph.empty() ? 27 : l.glyphSize + 4 + 2;
    EXPECT_EQ(t.LineTop, 89 + advance);
}

TEST(TechniqueBase, NoCanvasDrawsNothingAndStillCounts) {
    PatternFixture fixture;
    SinglePassTechnique t(fixture.context(), TechniqueId::PinTuckStitch);
    t.DrawInstructionSheet();
    EXPECT_EQ(t.LineCounter, 7);
}
