// Brush, magic eraser, dropper, zone position and grab: the tools that act while tracking.
#include <set>

#include "EditorFixture.h"

namespace lc::test {
namespace {

using BrushTools = EditorTest;

TEST_F(BrushTools, BrushFootprintsBySize) {
    use(toolBrush);
    state.BrushSize = 1;
    click(10, 10);
    state.BrushSize = 2;
    click(20, 20);
    auto count = [&](int c0, int r0, int n, uint8_t v) {
        int k = 0;
        for (int r = r0 - 1; r <= r0 + n; ++r)
            for (int c = c0 - 1; c <= c0 + n; ++c) k += cell(c, r) == v;
        return k;
    };
    EXPECT_EQ(count(10, 10, 2, 1), 4);
    EXPECT_EQ(cell(11, 11), 1);
    EXPECT_EQ(count(20, 20, 3, 1), 9);
    EXPECT_EQ(cell(22, 22), 1);
    // Chess: the left button sets A on even column + row, another button B on odd.
    state.BrushSize = 3;
    fillAll(9);
    state.ColorB = 2;
    click(30, 30);
    click(30, 30, kRight);
    for (int r = 30; r <= 32; ++r)
        for (int c = 30; c <= 32; ++c) EXPECT_EQ(cell(c, r), (c + r) % 2 == 0 ? 1 : 2);
    EXPECT_EQ(cell(33, 30), 9);
}

TEST_F(BrushTools, CtrlBrushPaintsTheRowAndNothingOutsideThePattern) {
    state.ZoneOn = true;
    state.ZoneRow = 3;
    use(toolBrush);
    click(5, 2, kRight, kCtrl); // the row form ignores the zone
    state.ColorB = 0;
    fillAll(4);
    click(5, 2, kLeft, kCtrl);
    for (int c = 0; c < W(); ++c) ASSERT_EQ(cell(c, 2), 1);
    // Dragged below the canvas (row -1) and above the top row: the rows on the
    // way are painted down to row 0 and up to the top row, nothing beyond.
    fillAll(4);
    const auto before = snapshot();
    drag(5, 10, 5, -1, kLeft, kCtrl);
    engine->dragCells(kLeft, kCtrl, 5, 1023, 5, 1024);
    auto changed = changedCells(before);
    EXPECT_EQ(changed.size(), 12u * 200u);
    for (auto [c, r] : changed) EXPECT_TRUE(r <= 10 || r == 1023) << r;
}

TEST_F(BrushTools, CtrlRowStrokesFillEveryRowBetweenTwoPositionsInOneStep) {
    setUpPattern(20, 30);
    fillAll(7);
    state.ColorA = 3;
    state.ColorB = 7;
    state.ZoneOn = true;
    state.ZoneRow = 14; // the row forms write through the zone
    use(toolBrush);
    engine->pressCell(kLeft, kCtrl, 3, 12);
    engine->moveCell(kCtrl, 3, 25);
    engine->releaseCell(kLeft, kCtrl, 3, 25);
    for (int r = 0; r < H(); ++r)
        for (int c = 0; c < W(); ++c) ASSERT_EQ(cell(c, r), r >= 12 && r <= 25 ? 3 : 7) << c << "," << r;
    EXPECT_EQ(model->undo().count(), 1);
    model->UndoLast();
    for (int r = 0; r < H(); ++r) ASSERT_EQ(cell(0, r), 7) << r;

    // The eraser's row form downward, with a jump back up in the same stroke:
    // A becomes B (right button) in every row passed, other colours stay.
    for (int r = 0; r < H(); ++r) set(r % W(), r, 3);
    set(5, 2, 3);
    use(toolMagicEraser);
    engine->pressCell(kRight, kCtrl, 0, 20);
    engine->moveCell(kCtrl, 0, 4);
    engine->moveCell(kCtrl, 0, 8);
    engine->releaseCell(kRight, kCtrl, 0, 8);
    for (int r = 0; r < H(); ++r) EXPECT_EQ(cell(r % W(), r), r >= 4 && r <= 20 ? 7 : 3) << r;
    EXPECT_EQ(cell(5, 2), 3);
    EXPECT_EQ(model->undo().count(), 1);
}

TEST_F(BrushTools, DragOutsideTheVisibleRowsIsUndoneWhole) {
    fillAll(3);
    use(toolBrush);
    engine->pressCell(kLeft, kNone, 5, 5);
    for (int r = 6; r < 900; r += 7) engine->moveCell(kNone, 5 + r % 50, r);
    engine->releaseCell(kLeft, kNone, 5, 893);
    EXPECT_EQ(cell(5, 5), 1);
    EXPECT_EQ(cell(5 + 888 % 50, 888), 1);
    EXPECT_EQ(model->undo().count(), 1);
    model->UndoLast();
    for (int r = 0; r < H(); ++r)
        for (int c = 0; c < W(); ++c) ASSERT_EQ(cell(c, r), 3) << c << "," << r;
}

TEST_F(BrushTools, BrushStepCoversRowsPaintedAboveTheView) {
    model->RecalcGrid(800, 41 * 11, true); // rows 0..40 visible
    use(toolBrush);
    state.BrushSize = 2;
    click(7, 40);
    for (int r = 40; r <= 42; ++r) EXPECT_EQ(cell(8, r), 1);
    model->UndoLast();
    for (int r = 40; r <= 42; ++r) EXPECT_EQ(cell(8, r), 0);
    // The step holds only the rows the brush wrote.
    click(7, 40);
    EXPECT_EQ(model->undo().newest()->rows().size(), 3u);
}

TEST_F(BrushTools, QuickStrokesPaintEveryCellBetweenTwoPositionsInOneStep) {
    setUpPattern(40, 40);
    fillAll(3);
    state.ColorA = 1;
    state.ColorB = 3;
    // Brush: from (2,2) the mouse jumps to (20,9), then to (20,30).
    use(toolBrush);
    engine->pressCell(kLeft, kNone, 2, 2);
    engine->moveCell(kNone, 20, 9);
    engine->moveCell(kNone, 20, 30);
    engine->releaseCell(kLeft, kNone, 20, 30);
    // Every column 2..20 holds a painted cell near the line, and each painted
    // cell touches the next (8-connected): no dots.
    std::set<std::pair<int, int>> painted;
    for (int r = 0; r < H(); ++r)
        for (int c = 0; c < W(); ++c)
            if (cell(c, r) == 1) painted.insert({c, r});
    for (int c = 2; c <= 20; ++c) {
        const int r = 2 + (c - 2) * 7 / 18;
        EXPECT_TRUE(painted.count({c, r}) || painted.count({c, r + 1})) << c;
    }
    for (int r = 9; r <= 30; ++r) EXPECT_TRUE(painted.count({20, r})) << r;
    EXPECT_EQ(painted.size(), 19u + 21u);
    EXPECT_EQ(model->undo().count(), 1);
    model->UndoLast();
    for (int r = 0; r < H(); ++r)
        for (int c = 0; c < W(); ++c) ASSERT_EQ(cell(c, r), 3);
    // Magic eraser: a quick stroke over a row of colour B turns every cell on
    // its way into A.
    for (int c = 0; c < W(); ++c) set(c, 5, 3);
    use(toolMagicEraser);
    engine->pressCell(kLeft, kNone, 1, 5);
    engine->moveCell(kNone, 30, 5);
    engine->releaseCell(kLeft, kNone, 30, 5);
    for (int c = 0; c < W(); ++c) EXPECT_EQ(cell(c, 5), c >= 1 && c <= 30 ? 1 : 3) << c;
}

TEST_F(BrushTools, MagicEraserSwapsAAndB) {
    state.ColorA = 1;
    state.ColorB = 2;
    use(toolMagicEraser);
    for (int c = 0; c < 6; ++c) set(c, 0, static_cast<uint8_t>(c % 3)); // 0 1 2 0 1 2
    click(2, 0);                                                        // left: B -> A
    click(1, 0, kRight);                                                // right: A -> B
    click(0, 0);                                                        // neither: unchanged
    EXPECT_EQ(cell(2, 0), 1);
    EXPECT_EQ(cell(1, 0), 2);
    EXPECT_EQ(cell(0, 0), 0);
    // 3x3 is centred; the chess size does nothing.
    fillAll(2);
    state.BrushSize = 2;
    click(10, 10);
    EXPECT_EQ(cell(9, 9), 1);
    EXPECT_EQ(cell(11, 11), 1);
    EXPECT_EQ(cell(12, 11), 2);
    state.BrushSize = 3;
    const auto before = snapshot();
    click(50, 50);
    EXPECT_TRUE(changedCells(before).empty());
}

TEST_F(BrushTools, MagicEraserRowAndWholePatternForms) {
    state.ColorA = 1;
    state.ColorB = 2;
    use(toolMagicEraser);
    fillAll(2);
    state.ZoneOn = true;
    state.ZoneRow = 1;
    click(0, 1, kLeft, kCtrl); // the row form: B -> A, zone ignored
    EXPECT_EQ(cell(150, 1), 1);
    EXPECT_EQ(cell(150, 2), 2);
    click(0, 500, kRight, kShift); // whole pattern, reversed: right turns B into A above the zone
    EXPECT_EQ(cell(3, 2), 1);
    EXPECT_EQ(cell(3, 1023), 1);
    EXPECT_EQ(cell(3, 0), 2);
    click(0, 500, kLeft, kShift); // left turns A into B
    EXPECT_EQ(cell(3, 1023), 2);
    EXPECT_EQ(cell(3, 1), 1); // the zone keeps its cells
    model->UndoLast();
    EXPECT_EQ(cell(3, 1023), 1);
    // A Ctrl drag far below the canvas swaps every row on the way down to
    // row 0 (row 0 holds no A) and writes nothing beyond.
    const auto before = snapshot();
    drag(0, 900, 0, -3, kRight, kCtrl);
    const auto changed = changedCells(before);
    EXPECT_EQ(changed.size(), 900u * 200u);
    for (auto [c, r] : changed) EXPECT_TRUE(r >= 1 && r <= 900) << r;
}

TEST_F(BrushTools, DropperPicksColoursAndAnnounces) {
    set(4, 4, 7);
    use(toolDropper);
    click(4, 4, kRight);
    EXPECT_EQ(state.ColorB, 7);
    EXPECT_EQ(state.ColorA, 1);
    EXPECT_EQ(events.bobbins, 1);
    EXPECT_EQ(events.posCol, 0);
    EXPECT_EQ(events.posRow, 7);
    // Hovering reports the colour under the mouse; a move always reports the position.
    engine->moveCell(kNone, 4, 4);
    EXPECT_EQ(events.paletteIndex, 7);
    EXPECT_EQ(events.posCol, 5);
    EXPECT_EQ(events.posRow, 5);
    // A byte that is no palette colour is not taken.
    set(5, 5, 200);
    click(5, 5);
    EXPECT_EQ(state.ColorA, 1);
}

TEST_F(BrushTools, ZonePositionTool) {
    use(toolZonePosition);
    const int paints = screen.paints;
    click(5, 12); // zone hidden: nothing but a repaint
    EXPECT_EQ(state.ZoneRow, -1);
    EXPECT_GT(screen.paints, paints);
    state.ZoneOn = true;
    click(5, 12);
    EXPECT_EQ(state.ZoneRow, 12);
    click(5, 3000); // above the pattern: held to the top row
    EXPECT_EQ(state.ZoneRow, 1023);
    click(5, 12, kRight);
    EXPECT_EQ(state.ZoneRow, -1);
}

TEST_F(BrushTools, GrabScrollsByWholeCells) {
    model->SetOrigin(50, 100);
    use(toolGrab);
    engine->MouseDown(kLeft, kNone, 400, 300);
    engine->MouseMove(kNone, 408, 303); // another cell, under one cell of travel
    EXPECT_EQ(model->geom.FirstCol, 50);
    EXPECT_EQ(screen.scrolls, 0);
    engine->MouseMove(kNone, 408 + 33, 303 + 22);
    EXPECT_EQ(model->geom.FirstCol, 47);
    EXPECT_EQ(model->geom.FirstRow, 102);
    EXPECT_EQ(screen.scrolls, 1);
    engine->MouseUp(kLeft, kNone, 441, 325);
}

TEST_F(BrushTools, SecondButtonAndLostReleaseKeepTheGestureSound) {
    use(toolBrush);
    engine->pressCell(kLeft, kNone, 1, 1);
    engine->pressCell(kRight, kNone, 2, 2); // ignored: one gesture at a time
    engine->releaseCell(kRight, kNone, 2, 2);
    EXPECT_TRUE(engine->pressed());
    engine->cancelGesture();
    EXPECT_FALSE(engine->pressed());
    EXPECT_EQ(cell(1, 1), 1);
    EXPECT_EQ(cell(2, 2), 0);
    EXPECT_EQ(model->undo().count(), 1);
}

} // namespace
} // namespace lc::test

namespace lc::test {
namespace {

using BrushStrokes = EditorTest;

TEST_F(BrushStrokes, AStrokeThroughWhereTheLastEndedLeavesNoGap) {
    use(toolBrush);
    drag(10, 10, 20, 20);
    fillAll(0);
    engine->pressCell(kLeft, kNone, 30, 30);
    engine->moveCell(kNone, 20, 20);
    engine->releaseCell(kLeft, kNone, 20, 20);
    EXPECT_EQ(cell(20, 20), 1);
    EXPECT_EQ(cell(30, 30), 1);
}

} // namespace
} // namespace lc::test
