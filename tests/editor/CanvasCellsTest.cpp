// View geometry, cell operations, the protected zone and clearing.
#include "EditorFixture.h"

namespace lc::test {
namespace {

TEST(ViewGeometry, HitMappingCountsRowsUpFromTheBottomEdge) {
    ViewGeometry g;
    g.Create(11, 11, 800, 600);
    g.SetOrigin(5, 10);
    EXPECT_EQ(g.RowAtY(599), 10);
    EXPECT_EQ(g.RowAtY(590), 10);
    EXPECT_EQ(g.RowAtY(589), 11); // the top pixel of row 10's rectangle maps to the row above
    EXPECT_EQ(g.ColAtX(21), 6);
    EXPECT_EQ(g.ColAtX(22), 7);
    // A captured mouse below or left of the control: truncation toward zero.
    EXPECT_EQ(g.RowAtY(600 + 10), 10);
    EXPECT_EQ(g.RowAtY(600 + 11), 9);
    EXPECT_EQ(g.ColAtX(-11), 4);
}

TEST(ViewGeometry, PixelOfCellMapsBackToTheCellEverywhere) {
    ViewGeometry g;
    g.Create(7, 9, 500, 400);
    g.SetOrigin(3, 20);
    for (int c : {-40, -1, 2, 3, 4, 70, 300})
        for (int r : {-30, 0, 19, 20, 21, 64, 1500}) {
            const PixelPoint p = g.pixelOfCell(c, r);
            EXPECT_EQ(g.ColAtX(p.x), c);
            EXPECT_EQ(g.RowAtY(p.y), r);
        }
}

TEST(ViewGeometry, ScrollByNeverLeavesTheOriginNegative) {
    ViewGeometry g;
    g.Create(3, 2, 800, 2200); // taller than 1024 rows of 2 px
    g.UpdateForPaint(150);     // 150 columns visible on a 150-wide pattern
    g.ScrollBy(-5, 7, 150, 1024);
    EXPECT_EQ(g.FirstCol, 0);
    EXPECT_EQ(g.FirstRow, 0);
    g.RecalcGrid(800, 600); // stale count of 180 columns > W
    g.ScrollBy(-5, 0, 150, 1024);
    EXPECT_EQ(g.FirstCol, 0);
    // Within range the content follows the drag.
    g.Create(11, 11, 220, 220);
    g.UpdateForPaint(200);
    g.ScrollBy(-30, 40, 200, 1024);
    EXPECT_EQ(g.FirstCol, 30);
    EXPECT_EQ(g.FirstRow, 40);
    g.ScrollBy(-500, 5000, 200, 1024);
    EXPECT_EQ(g.FirstCol, 180);
    EXPECT_EQ(g.FirstRow, 1004);
    // SetOrigin does not clamp.
    g.SetOrigin(-3, -1);
    EXPECT_EQ(g.FirstRow, -1);
}

TEST(ViewGeometry, ZeroCellSizeCannotDivideByZero) {
    ViewGeometry g;
    g.setCellSize(0, 0);
    g.RecalcGrid(100, 100);
    EXPECT_EQ(g.cellWidth(), 1);
    EXPECT_EQ(g.RowAtY(50), 50);
}

using CanvasCells = EditorTest;

TEST_F(CanvasCells, CellsOutsideThePatternReadZeroAndIgnoreWrites) {
    fillAll(5);
    for (auto [c, r] : std::vector<std::pair<int, int>>{{-1, 0}, {200, 0}, {0, -1}, {0, 1024}})
        EXPECT_EQ(model->GetCellColor(c, r), 0);
    const auto before = snapshot();
    for (auto [c, r] : std::vector<std::pair<int, int>>{{-1, 0}, {200, 0}, {0, -1}, {0, 1024}, {-5, 2000}})
        model->SetCellColor(c, r, 9);
    EXPECT_TRUE(changedCells(before).empty());
    model->SetCellColor(199, 1023, 9);
    EXPECT_EQ(cell(199, 1023), 9);
    EXPECT_EQ(gd.Picture.line(0)[199], 9); // row 1023 is the top picture line
}

TEST_F(CanvasCells, ZoneGuardsItsRowsFromTheBrush) {
    state.ZoneOn = true;
    state.ZoneRow = 4;
    use(toolBrush);
    click(10, 4);
    click(10, 5);
    EXPECT_EQ(cell(10, 4), 0);
    EXPECT_EQ(cell(10, 5), 1);
    state.ZoneRow = -1;
    click(10, 0);
    EXPECT_EQ(cell(10, 0), 1);
}

TEST_F(CanvasCells, ZoneRowBeyondThePatternProtectsEverythingConsistently) {
    fillAll(5);
    state.ZoneOn = true;
    state.ZoneRow = 5000;
    EXPECT_EQ(model->editFloor(), H());
    model->ClearPattern(true);
    click(3, 3);
    EXPECT_EQ(cell(3, 3), 5);
    EXPECT_EQ(cell(100, 1023), 5);
}

TEST_F(CanvasCells, ClearAllKeepsTheZoneAndOneUndoBringsEverythingBack) {
    fillAll(5);
    state.ZoneOn = true;
    state.ZoneRow = 9;
    model->ClearPattern(true);
    for (int r : {0, 9}) EXPECT_EQ(cell(17, r), 5);
    for (int r : {10, 500, 1023}) EXPECT_EQ(cell(17, r), 0);
    EXPECT_EQ(model->undo().count(), 1);
    EXPECT_EQ(model->undo().newest()->rows().size(), 1014u); // exactly the cleared rows
    model->UndoLast();
    for (int r : {0, 10, 1023}) EXPECT_EQ(cell(199, r), 5);
    EXPECT_EQ(events.undoDisables, 1);
    // Without saving undo nothing is pushed.
    model->ClearPattern(false);
    EXPECT_EQ(model->undo().count(), 0);
    EXPECT_EQ(cell(0, 10), 0);
}

TEST_F(CanvasCells, EditRectAndZoneRestore) {
    state.ZoneOn = true;
    state.ZoneRow = 9;
    const CellRect r = model->GetEditRect(200, 0);
    EXPECT_EQ(r.Bottom, H() - 11); // the line of row 10
    fillAll(2);
    model->undo().Push(0, 20);
    for (int row = 0; row <= 20; ++row)
        std::fill(gd.Picture.line(H() - 1 - row), gd.Picture.line(H() - 1 - row) + W(), 7);
    model->RestoreZoneRows(3);
    EXPECT_EQ(cell(0, 2), 7); // below the range asked
    EXPECT_EQ(cell(0, 3), 2);
    EXPECT_EQ(cell(0, 9), 2);
    EXPECT_EQ(cell(0, 10), 7);
    EXPECT_EQ(model->undo().count(), 1);
}

TEST_F(CanvasCells, CanonicalIndexJoinsDuplicateColours) {
    gd.Colors[7] = gd.Colors[3];
    gd.Colors[16] = gd.Colors[0];
    const ColourClasses cls = CanonicalIndex(gd);
    EXPECT_EQ(cls[7], 3);
    EXPECT_EQ(cls[3], 3);
    EXPECT_EQ(cls[16], 0);
    EXPECT_EQ(cls[8], 8);
    EXPECT_EQ(cls[200], 200);
}

TEST_F(CanvasCells, PatternReplacedEmptiesTheUndoStack) {
    use(toolBrush);
    click(1, 1);
    ASSERT_EQ(model->undo().count(), 1);
    gd.SetSize(150, 1024);
    model->PatternReplaced();
    EXPECT_EQ(model->undo().count(), 0);
    EXPECT_EQ(events.undoDisables, 1);
    model->UndoLast(); // nothing left to write into the new pattern
    EXPECT_EQ(cell(1, 1), 0);
}

} // namespace
} // namespace lc::test
