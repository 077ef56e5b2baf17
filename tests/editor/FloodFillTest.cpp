// The fill tool: area fill, chess fill, the global chess replacement, the zone.
#include "EditorFixture.h"

namespace lc::test {
namespace {

using FloodFill = EditorTest;

TEST_F(FloodFill, FillsTheFourConnectedAreaOnly) {
    // A ring of colour 3 around (10..12, 10..12); a diagonal gap at its corner.
    for (int c = 9; c <= 13; ++c) set(c, 9, 3), set(c, 13, 3);
    for (int r = 9; r <= 13; ++r) set(9, r, 3), set(13, r, 3);
    set(13, 13, 0); // the corner opened: only diagonally connected to the inside
    set(12, 12, 0);
    use(toolFill);
    state.ColorA = 4;
    click(11, 11);
    for (int c = 10; c <= 12; ++c)
        for (int r = 10; r <= 12; ++r) EXPECT_EQ(cell(c, r), 4) << c << "," << r;
    EXPECT_EQ(cell(14, 14), 0); // the outside stays: no leak through the diagonal
    EXPECT_EQ(cell(13, 13), 0);
    EXPECT_EQ(cell(9, 9), 3);
}

TEST_F(FloodFill, FillWithTheAreasOwnColourEnds) {
    fillAll(2);
    use(toolFill);
    state.ColorA = 2;
    const auto before = snapshot();
    click(50, 50);
    EXPECT_TRUE(changedCells(before).empty());
}

TEST_F(FloodFill, DuplicatePaletteColoursFormOneArea) {
    gd.Colors[7] = gd.Colors[3];
    fillAll(1);
    for (int c = 0; c < 200; ++c) set(c, 20, c < 100 ? 3 : 7); // one colour, two indices
    state.ColorA = 5;
    use(toolFill);
    click(10, 20);
    EXPECT_EQ(cell(0, 20), 5);
    EXPECT_EQ(cell(199, 20), 5);
    EXPECT_EQ(cell(0, 21), 1);
    // Filling with a colour another index shares writes the lowest such index.
    gd.Colors[9] = gd.Colors[5];
    state.ColorA = 9;
    click(10, 21);
    EXPECT_EQ(cell(10, 21), 5);
}

TEST_F(FloodFill, ChessFillFollowsTheBrushAnchoredAtThePictureOrigin) {
    state.BrushSize = 3;
    state.ColorA = 1;
    state.ColorB = 2;
    use(toolFill);
    click(40, 40);
    EXPECT_EQ(cell(0, 0), 1);
    EXPECT_EQ(cell(1, 0), 2);
    EXPECT_EQ(cell(0, 1), 2);
    EXPECT_EQ(cell(5, 7), 1);
    int ones = 0, twos = 0;
    for (int r = 0; r < H(); ++r)
        for (int c = 0; c < W(); ++c) (cell(c, r) == 1 ? ones : twos) += 1;
    EXPECT_EQ(ones + twos, W() * H());
    EXPECT_EQ(ones, twos);
    // The right button swaps the two colours; a chess brush holding the area's
    // own colour must still end.
    state.ColorA = 2;
    state.ColorB = 1;
    fillAll(1);
    click(3, 3, kRight);
    EXPECT_EQ(cell(0, 0), 1);
    EXPECT_EQ(cell(1, 0), 2);
}

TEST_F(FloodFill, ZoneIsABarrier) {
    // Two editable pockets of colour 0 joined only through the zone rows.
    fillAll(6);
    for (int r = 0; r <= 8; ++r) set(20, r, 0), set(40, r, 0);
    for (int c = 20; c <= 40; ++c) set(c, 0, 0);
    state.ZoneOn = true;
    state.ZoneRow = 4;
    state.ColorA = 9;
    use(toolFill);
    click(20, 8);
    for (int r = 5; r <= 8; ++r) EXPECT_EQ(cell(20, r), 9);
    for (int r = 5; r <= 8; ++r) EXPECT_EQ(cell(40, r), 0) << r;
    for (int r = 0; r <= 4; ++r) EXPECT_EQ(cell(20, r), 0);
    EXPECT_EQ(cell(30, 0), 0);
    // A click inside the zone fills nothing.
    const auto before = snapshot();
    click(30, 0);
    EXPECT_TRUE(changedCells(before).empty());
}

TEST_F(FloodFill, ShiftReplacesTheColourEverywhereAboveTheZoneAsChess) {
    for (int r = 0; r <= 6; ++r)
        for (int c : {3, 4, 30, 31}) set(c, r, 3);
    set(60, 60, 5);
    state.ZoneOn = true;
    state.ZoneRow = 2;
    state.ColorA = 1;
    state.ColorB = 2;
    use(toolFill);
    for (MouseButton b : {kLeft, kRight}) {
        for (int r = 0; r <= 6; ++r)
            for (int c : {3, 4, 30, 31}) set(c, r, 3);
        click(4, 5, b, kShift);
        for (int r = 3; r <= 6; ++r)
            for (int c : {3, 4, 30, 31}) EXPECT_EQ(cell(c, r), (c + r) % 2 == 0 ? 1 : 2) << c << "," << r;
        for (int r = 0; r <= 2; ++r) EXPECT_EQ(cell(30, r), 3);
        EXPECT_EQ(cell(60, 60), 5);
        EXPECT_EQ(cell(10, 10), 0);
    }
}

TEST_F(FloodFill, ClicksOutsideThePatternChangeNothing) {
    setUpPattern(150, 1024);
    use(toolFill);
    const auto before = snapshot();
    click(160, 5);                 // right of a narrow pattern
    click(160, 5, kLeft, kShift);  // the global replacement too
    click(5, 1030, kLeft, kShift); // above the top row
    EXPECT_TRUE(changedCells(before).empty());
}

TEST_F(FloodFill, WholePatternFillIsOneUndoStep) {
    fillAll(4);
    set(100, 500, 6);
    state.ColorA = 8;
    use(toolFill);
    click(0, 0);
    EXPECT_EQ(cell(199, 1023), 8);
    EXPECT_EQ(cell(100, 500), 6);
    model->UndoLast();
    EXPECT_EQ(cell(199, 1023), 4);
    EXPECT_EQ(cell(0, 0), 4);
}

} // namespace
} // namespace lc::test
