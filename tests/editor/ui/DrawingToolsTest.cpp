// The drawing tools driven through the Drawing page with synthesised mouse
// and keyboard events; the cells are checked in the workspace's raster.
#include "DrawingPageTest.h"

#include <QLabel>

#include "editor/ui/FrameWidgets.h"

using namespace lc;
using namespace lc::test;

namespace {
constexpr int kTagRows = 1, kTagCopy = 12, kTagPaste = 14, kTagLine = 20, kTagBrush = 24, kTagFill = 26;
constexpr int kUndo = 203;

void rightClickPalette(ui::DrawingPage& f, int column) {
    QTest::mouseClick(f.paletteGrid(), Qt::RightButton, {}, QPoint(column * 21 + 5, 8));
}
} // namespace

TEST_F(DrawingPageTest, BrushPaintsWithTheButtonsColourAndTheChosenSize) {
    rightClickPalette(*frame, 5);
    ASSERT_EQ(ws.Editor.ColorB, 5);
    EXPECT_FALSE(button(kUndo)->isEnabled());

    clickCell(3, 4);
    EXPECT_EQ(cell(3, 4), 1);
    EXPECT_TRUE(button(kUndo)->isEnabled());
    EXPECT_EQ(shownAt(3, 4), rgbOf(gd.Colors[1]));

    // A right-button drag paints B in every cell it passes.
    press(at(10, 10), Qt::RightButton);
    move(at(11, 10), Qt::RightButton);
    move(at(12, 10), Qt::RightButton);
    release(at(12, 10), Qt::RightButton);
    for (int c = 10; c <= 12; ++c) EXPECT_EQ(cell(c, 10), 5) << c;
    EXPECT_EQ(cell(13, 10), 0);

    // 2 x 2 from the clicked cell up and to the right.
    QTest::mouseClick(button(1001), Qt::LeftButton);
    ASSERT_EQ(ws.Editor.BrushSize, 1);
    clickCell(20, 20);
    for (int r = 20; r <= 21; ++r)
        for (int c = 20; c <= 21; ++c) EXPECT_EQ(cell(c, r), 1);
    EXPECT_EQ(cell(22, 20), 0);
    EXPECT_EQ(cell(20, 22), 0);

    // Ctrl paints the whole row.
    clickCell(7, 30, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(cell(0, 30), 1);
    EXPECT_EQ(cell(199, 30), 1);
    EXPECT_EQ(cell(0, 31), 0);
}

TEST_F(DrawingPageTest, LineShowsARubberBandAndDrawsWithoutItsEndPoint) {
    chooseTool(kTagLine);
    ASSERT_EQ(canvas->engine().tool(), toolLine);
    EXPECT_TRUE(button(kTagLine)->isChecked());

    press(at(2, 3));
    move(at(7, 3));
    // The preview is in the back buffer only: the picture is untouched.
    EXPECT_FALSE(canvas->overlayRect().isEmpty());
    EXPECT_EQ(cell(4, 3), 0);
    EXPECT_NE(canvas->backBuffer().pixel(at(4, 3)), rgbOf(gd.Colors[0]));
    release(at(7, 3));
    EXPECT_TRUE(canvas->overlayRect().isEmpty());
    for (int c = 2; c <= 6; ++c) EXPECT_EQ(cell(c, 3), 1) << c;
    EXPECT_EQ(cell(7, 3), 0);
    EXPECT_EQ(cell(1, 3), 0);
    EXPECT_EQ(shownAt(5, 3), rgbOf(gd.Colors[1]));

    // Shift keeps the line on the diagonal through its press point.
    press(at(20, 20), Qt::LeftButton, Qt::ShiftModifier);
    move(at(30, 25), Qt::LeftButton, Qt::ShiftModifier);
    release(at(30, 25), Qt::LeftButton, Qt::ShiftModifier);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(cell(20 + i, 20 + i), 1) << i;
    EXPECT_EQ(cell(25, 25), 0);
    EXPECT_EQ(cell(29, 24), 0);
}

TEST_F(DrawingPageTest, FillFillsTheAreaAndShiftFillReplacesAColourEverywhere) {
    for (int i = 50; i <= 60; ++i) {
        set(i, 50, 3), set(i, 60, 3), set(50, i, 3), set(60, i, 3);
    }
    set(100, 100, 3);
    chooseTool(kTagFill);
    clickCell(55, 55);
    EXPECT_EQ(cell(51, 51), 1);
    EXPECT_EQ(cell(59, 59), 1);
    EXPECT_EQ(cell(50, 55), 3);
    EXPECT_EQ(cell(45, 45), 0);
    EXPECT_EQ(cell(61, 55), 0);

    // Shift: every cell of the clicked colour, joined or not, becomes chess A/B.
    rightClickPalette(*frame, 2);
    clickCell(50, 50, Qt::LeftButton, Qt::ShiftModifier);
    for (auto [c, r] : {std::pair{50, 50}, {51, 50}, {60, 57}, {100, 100}}) {
        const uint8_t expected = ((c + r) % 2 == 0) ? 1 : 2; // A where column + row is even
        EXPECT_EQ(cell(c, r), expected) << c << "," << r;
    }
    EXPECT_EQ(cell(55, 55), 1);
    EXPECT_EQ(cell(45, 45), 0);

    clickButton(kUndo);
    EXPECT_EQ(cell(100, 100), 3);
    EXPECT_EQ(cell(55, 55), 1);
}

TEST_F(DrawingPageTest, CopyShowsTheBlockSizeAndPasteCopiesItWhereClicked) {
    for (int r = 5; r <= 8; ++r)
        for (int c = 2; c <= 5; ++c) set(c, r, static_cast<uint8_t>((c * 3 + r) % 15 + 1));
    chooseTool(kTagCopy);
    dragCells(2, 5, 6, 9);
    EXPECT_EQ(frame->statusText(3), "4 x 4");
    EXPECT_EQ(ws.Editor.BlockRect, (CellRect{2, 1015, 6, 1019}));
    // The copied block's frame stays on screen until the next press.
    EXPECT_FALSE(canvas->overlayRect().isEmpty());
    EXPECT_FALSE(button(kUndo)->isEnabled()); // copying changes nothing

    chooseTool(kTagPaste);
    EXPECT_TRUE(canvas->overlayRect().isEmpty());
    clickCell(10, 20);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(cell(10 + c, 20 + r), cell(2 + c, 5 + r)) << c << "," << r;
    EXPECT_EQ(cell(14, 20), 0);
    EXPECT_EQ(cell(10, 24), 0);
    EXPECT_EQ(shownAt(10, 20), rgbOf(gd.Colors[cell(2, 5)]));

    // A drag stretches the block into the dragged one (here twice as wide).
    dragCells(40, 40, 48, 44);
    EXPECT_EQ(cell(40, 40), cell(2, 5));
    EXPECT_EQ(cell(41, 40), cell(2, 5));
    EXPECT_EQ(cell(47, 43), cell(5, 8));
}

TEST_F(DrawingPageTest, RowsAreInsertedWithColourBAndDeletedAgain) {
    for (int r = 0; r <= 40; ++r) set(r % 7, r, static_cast<uint8_t>(r % 15 + 1));
    rightClickPalette(*frame, 3);
    QTest::mouseClick(button(1001), Qt::LeftButton); // k = 2
    chooseTool(kTagRows);

    clickCell(0, 10);
    EXPECT_EQ(cell(9 % 7, 9), 9 % 15 + 1);
    for (int c : {0, 100, 199}) {
        EXPECT_EQ(cell(c, 10), 3);
        EXPECT_EQ(cell(c, 11), 3);
    }
    for (int r = 12; r <= 40; ++r) EXPECT_EQ(cell((r - 2) % 7, r), (r - 2) % 15 + 1) << r;

    clickCell(0, 10, Qt::RightButton);
    for (int r = 0; r <= 40; ++r) EXPECT_EQ(cell(r % 7, r), r % 15 + 1) << r;
    EXPECT_EQ(cell(5, 1023), 3);
    EXPECT_EQ(cell(5, 1022), 3);
}

TEST_F(DrawingPageTest, UndoTakesBackOneGestureAtATimeAndDisablesItselfWhenEmpty) {
    clickCell(1, 1);
    dragCells(5, 5, 8, 5);
    chooseTool(kTagLine);
    dragCells(0, 9, 6, 9);
    ASSERT_EQ(cell(3, 9), 1);
    ASSERT_EQ(cell(8, 5), 1);

    clickButton(kUndo);
    EXPECT_EQ(cell(3, 9), 0);
    EXPECT_EQ(cell(8, 5), 1);
    EXPECT_EQ(shownAt(3, 9), rgbOf(gd.Colors[0]));
    clickButton(kUndo);
    EXPECT_EQ(cell(8, 5), 0);
    EXPECT_EQ(cell(5, 5), 0);
    EXPECT_EQ(cell(1, 1), 1);
    EXPECT_TRUE(button(kUndo)->isEnabled());
    clickButton(kUndo);
    EXPECT_EQ(cell(1, 1), 0);
    EXPECT_FALSE(button(kUndo)->isEnabled());

    // "Clear All" is one step too.
    set(4, 4, 7);
    clickButton(204);
    EXPECT_EQ(cell(4, 4), 0);
    clickButton(kUndo);
    EXPECT_EQ(cell(4, 4), 7);
}

TEST_F(DrawingPageTest, ADragHeldBeyondTheCanvasKeepsMappingCellsAndStaysUndoable) {
    // Through the window system, so the canvas's hold on the mouse is real.
    const QPoint start = at(1, 5);
    QTest::mousePress(canvas, Qt::LeftButton, {}, start);
    QTest::mouseMove(canvas, QPoint(-30, start.y()));
    EXPECT_EQ(frame->statusText(1), QString::number(canvas->ColAtX(-30) + 1));
    // Far below the canvas: rows under the view, then below row 0.
    const QPoint below(at(3, 0).x(), canvas->height() + 3 * canvas->cellHeight() / 2);
    QTest::mouseMove(canvas, below);
    EXPECT_EQ(frame->statusText(2), QString::number(canvas->RowAtY(below.y()) + 1));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, below);
    EXPECT_EQ(cell(1, 5), 1);
    EXPECT_EQ(cell(0, 5), 1); // the stroke passed over it on its way off the canvas
    EXPECT_EQ(cell(2, 5), 0);

    // Ctrl rows held far outside write nothing outside the pattern.
    const std::vector<uint8_t> before(gd.Picture.data(), gd.Picture.data() + gd.Picture.sizeBytes());
    QTest::mousePress(canvas, Qt::LeftButton, Qt::ControlModifier, at(0, 0));
    QTest::mouseMove(canvas, QPoint(10, canvas->height() + 40));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::ControlModifier, QPoint(10, canvas->height() + 40));
    EXPECT_EQ(cell(150, 0), 1); // the pressed row
    clickButton(kUndo);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), gd.Picture.data()));

    // A line released beyond the left edge is drawn up to the pattern's edge.
    chooseTool(kTagLine);
    QTest::mousePress(canvas, Qt::LeftButton, {}, at(4, 12));
    QTest::mouseMove(canvas, QPoint(-50, at(4, 12).y()));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(-50, at(4, 12).y()));
    for (int c = 0; c <= 4; ++c) EXPECT_EQ(cell(c, 12), 1) << c;
    clickButton(kUndo);
    for (int c = 0; c <= 4; ++c) EXPECT_EQ(cell(c, 12), 0) << c;
}

TEST_F(DrawingPageTest, ProtectedZoneKeepsItsRowsAndShowsTinted) {
    for (int c = 0; c < 200; ++c) set(c, 2, 6);
    clickButton(201);
    ASSERT_TRUE(ws.Editor.ZoneOn);
    ASSERT_TRUE(button(0)->isEnabled());
    chooseTool(0);
    clickCell(3, 4);
    EXPECT_EQ(ws.Editor.ZoneRow, 4);
    EXPECT_EQ(shownAt(0, 2), rgbOf(gd.ZoneColors[6]));
    EXPECT_EQ(shownAt(0, 5), rgbOf(gd.Colors[0]));

    chooseTool(kTagBrush);
    clickCell(3, 4);
    clickCell(3, 5);
    EXPECT_EQ(cell(3, 4), 0);
    EXPECT_EQ(cell(3, 5), 1);
    chooseTool(kTagFill);
    clickCell(50, 50);
    EXPECT_EQ(cell(50, 50), 1);
    EXPECT_EQ(cell(50, 3), 0);
    EXPECT_EQ(cell(50, 2), 6);

    // Switching the zone off goes back to the brush.
    clickButton(201);
    EXPECT_FALSE(ws.Editor.ZoneOn);
    EXPECT_EQ(canvas->engine().tool(), toolBrush);
    EXPECT_TRUE(button(kTagBrush)->isChecked());
    EXPECT_FALSE(button(0)->isEnabled());
}

TEST_F(DrawingPageTest, GrabScrollsTheViewAndTheRulersFollow) {
    chooseTool(kTagLine);
    clickButton(103);
    EXPECT_EQ(canvas->engine().tool(), toolGrab);
    EXPECT_EQ(frame->canvasCursorId(), crHandGrab);
    const int cw = canvas->cellWidth(), ch = canvas->cellHeight();
    const QPoint p(300, 300);
    press(p);
    move(p + QPoint(-3 * cw, 2 * ch)); // content follows the mouse: 3 columns left, 2 rows down
    release(p + QPoint(-3 * cw, 2 * ch));
    EXPECT_EQ(canvas->geom().FirstCol, 3);
    EXPECT_EQ(canvas->geom().FirstRow, 2);
    EXPECT_EQ(frame->hScrollRuler()->ruler()->StartPosition(), 3);
    EXPECT_EQ(frame->vScrollRuler()->ruler()->StartPosition(), 2);
    EXPECT_EQ(cell(5, 5), 0); // nothing drawn

    clickButton(103);
    EXPECT_EQ(canvas->engine().tool(), toolLine);
    EXPECT_EQ(frame->canvasCursorId(), crLine);
    // The arrows step on from the grabbed position, not from where they stood.
    frame->hScrollRuler()->StepForward();
    EXPECT_EQ(canvas->geom().FirstCol, 23);
}

TEST_F(DrawingPageTest, PastePatternTakesTheSelectedGalleryPattern) {
    PatternLibrary lib;
    lib.CreateNew("/nonexistent/", "test");
    const uint8_t packed[] = {0x12, 0x30, 0x45, 0x60}; // rows 1 2 3 / 4 5 6
    ASSERT_TRUE(lib.AddPattern(3, 2, "p", packed, 1));
    LibraryPatternSource source(lib);
    frame->setPatternSource(&source);
    EXPECT_FALSE(button(15)->isEnabled());

    // Nothing selected: the tool leaves the picture alone.
    frame->EnablePatternInsert();
    EXPECT_TRUE(button(15)->isEnabled());
    EXPECT_TRUE(button(15)->isChecked());
    EXPECT_EQ(canvas->engine().tool(), toolPastePattern);
    clickCell(10, 10, Qt::RightButton);
    EXPECT_EQ(cell(10, 10), 0);

    source.SelectedPattern = 0;
    clickCell(10, 10); // placed with its bottom-left cell on the click
    EXPECT_EQ(cell(10, 10), 1);
    EXPECT_EQ(cell(12, 10), 3);
    EXPECT_EQ(cell(11, 11), 5);
    EXPECT_EQ(cell(13, 10), 0);
    clickCell(10, 10, Qt::RightButton); // tiles the whole pattern
    for (auto [c, r] : {std::pair{0, 0}, {1, 0}, {5, 1}, {199, 1023}, {100, 501}})
        EXPECT_EQ(cell(c, r), (r % 2) * 3 + c % 3 + 1) << c << "," << r;
}
