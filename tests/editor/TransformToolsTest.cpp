// Symmetry, scaling, rotation, cloning, reflections, rows, columns and move.
#include "EditorFixture.h"

namespace lc::test {
namespace {

using TransformTools = EditorTest;

TEST_F(TransformTools, RotateTurnsTheSquareClockwise) {
    set(2, 0, 1);
    use(toolRotate);
    click(3, 3);
    EXPECT_EQ(cell(0, 1), 1);
    EXPECT_EQ(cell(2, 0), 0);
    // Every cell of a marked square lands where (x, y) -> (y, n - x) says.
    fillMarkers();
    state.ZoneOn = true;
    state.ZoneRow = 4;
    click(9, 10); // n = max(9, 10 - 5) = 9, square at (0, 5)
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) EXPECT_EQ(cell(y, 5 + 9 - x), marker(x, 5 + y));
    EXPECT_EQ(cell(0, 4), marker(0, 4));
    EXPECT_EQ(cell(10, 5), marker(10, 5));
    const auto before = snapshot();
    state.ZoneOn = false;
    click(0, 0);
    EXPECT_TRUE(changedCells(before).empty());
}

TEST_F(TransformTools, RotateOfASquareReachingPastTheEdgesReadsZero) {
    fillAll(3);
    use(toolRotate);
    click(250, 0); // n = 250, the square runs past the right edge
    // new (X, Y) = old (n - Y, X): rows 0..50 read columns 250..200, outside: 0.
    EXPECT_EQ(cell(5, 0), 0);
    EXPECT_EQ(cell(5, 50), 0);
    EXPECT_EQ(cell(5, 51), 3);
    EXPECT_EQ(cell(5, 251), 3); // above the square
}

TEST_F(TransformTools, SymmetriesMirrorInPlace) {
    fillMarkers();
    use(toolVSymmetry);
    click(9, 3);
    for (int r = 0; r <= 3; ++r)
        for (int c = 0; c <= 9; ++c) EXPECT_EQ(cell(c, r), marker(9 - c, r));
    EXPECT_EQ(cell(10, 0), marker(10, 0));
    EXPECT_EQ(cell(0, 4), marker(0, 4));
    fillMarkers();
    use(toolHSymmetry);
    click(4, 3); // rows 0..4
    for (int r = 0; r <= 4; ++r)
        for (int c = 0; c <= 4; ++c) EXPECT_EQ(cell(c, r), marker(c, 4 - r));
    EXPECT_EQ(cell(0, 5), marker(0, 5));
    EXPECT_EQ(cell(5, 0), marker(5, 0));
}

TEST_F(TransformTools, ReleaseInTheZoneIsNoRegion) {
    fillMarkers();
    state.ZoneOn = true;
    state.ZoneRow = 10;
    const auto before = snapshot();
    for (ToolCode t :
         {toolVSymmetry, toolHSymmetry, toolHScale, toolVScale, toolCloning, toolVReflection, toolHReflection}) {
        use(t);
        click(5, 3);
        drag(5, 20, 5, 3);
        EXPECT_TRUE(changedCells(before).empty()) << t;
    }
}

TEST_F(TransformTools, Scales) {
    for (int c = 0; c < W(); ++c) set(c, 0, 1), set(c, 1, 2), set(c, 2, 3);
    use(toolVScale);
    click(0, 1);
    EXPECT_EQ(cell(0, 0), 1);
    EXPECT_EQ(cell(0, 1), 1);
    EXPECT_EQ(cell(0, 2), 2);
    EXPECT_EQ(cell(0, 3), 2);
    EXPECT_EQ(cell(1, 2), 3); // outside the region's columns
    // Horizontal: 100 columns onto 199, the last column keeps its cells.
    fillMarkers();
    use(toolHScale);
    click(99, 0);
    EXPECT_EQ(cell(199, 0), marker(199, 0));
    EXPECT_EQ(cell(0, 0), marker(0, 0));
    EXPECT_EQ(cell(198, 0), marker(99, 0));
    EXPECT_EQ(cell(0, 1), marker(0, 1));
    // A smaller block doubles exactly.
    fillMarkers();
    click(9, 2);
    for (int c = 0; c < 20; ++c) EXPECT_EQ(cell(c, 2), marker(c / 2, 2));
    EXPECT_EQ(cell(20, 2), marker(20, 2));
}

TEST_F(TransformTools, VerticalScaleSqueezesUnderTheTopRow) {
    fillMarkers();
    use(toolVScale);
    click(0, 1000); // 1001 rows onto the 1024 there are
    for (int r = 0; r < H(); ++r) {
        const int src = static_cast<int>((static_cast<long long>(2 * (H() - 1 - r) + 1) * 1001) / (2 * 1024));
        ASSERT_EQ(cell(0, r), marker(0, 1000 - src)) << r;
    }
}

TEST_F(TransformTools, Cloning) {
    for (int c = 0; c < W(); ++c) set(c, 0, static_cast<uint8_t>(c % 16 + 1));
    use(toolCloning);
    click(2, 0, kRight);
    for (int c = 0; c < W(); ++c) ASSERT_EQ(cell(c, 0), c % 3 + 1);
    EXPECT_EQ(cell(199, 0), 2);
    EXPECT_EQ(cell(0, 1), 0);
    click(2, 0); // left: the band repeats upward
    for (int r : {1, 500, 1023})
        for (int c = 0; c < W(); ++c) ASSERT_EQ(cell(c, r), c % 3 + 1);
}

TEST_F(TransformTools, CloningOnlyThePressRowWithCtrl) {
    fillMarkers();
    use(toolCloning);
    drag(7, 30, 3, 0, kLeft, kCtrl);
    for (int c = 0; c < W(); ++c) EXPECT_EQ(cell(c, 30), marker(c % 4, 30));
    EXPECT_EQ(cell(10, 0), marker(10, 0));
    // The press row in the zone is left alone; a release left of column 0 has no period.
    state.ZoneOn = true;
    state.ZoneRow = 30;
    fillMarkers();
    const auto before = snapshot();
    drag(7, 20, 3, 40, kLeft, kCtrl);
    drag(7, 40, -1, 40);
    EXPECT_TRUE(changedCells(before).empty());
}

TEST_F(TransformTools, Reflections) {
    for (int c = 0; c < 4; ++c) set(c, 0, static_cast<uint8_t>(c + 1));
    use(toolVReflection);
    drag(3, 5, 3, 0);
    const std::vector<uint8_t> want{1, 2, 3, 4, 4, 3, 2, 1, 0};
    for (int c = 0; c < 9; ++c) EXPECT_EQ(cell(c, 0), want[static_cast<size_t>(c)]);
    // An odd width: the mirror stops at the last column.
    setUpPattern(201, 1024);
    fillMarkers();
    use(toolVReflection);
    click(100, 0);
    EXPECT_EQ(cell(200, 0), marker(1, 0));
    EXPECT_EQ(cell(101, 0), marker(100, 0));
    const auto before = snapshot();
    click(200, 0); // the axis in the last column
    EXPECT_TRUE(changedCells(before).empty());

    fillMarkers();
    use(toolHReflection);
    click(4, 2);
    for (int i = 0; i < 3; ++i)
        for (int c = 0; c <= 4; ++c) EXPECT_EQ(cell(c, 3 + i), marker(c, 2 - i));
    EXPECT_EQ(cell(5, 3), marker(5, 3));
    EXPECT_EQ(cell(0, 6), marker(0, 6));
    fillMarkers();
    click(4, 1020); // the mirror stops at the top row
    EXPECT_EQ(cell(0, 1023), marker(0, 1018));
}

TEST_F(TransformTools, InsertAndDeleteRows) {
    fillMarkers();
    state.BrushSize = 1;
    state.ColorB = 3;
    use(toolRows);
    click(0, 10);
    for (int r = 12; r < H(); ++r) ASSERT_EQ(cell(5, r), marker(5, r - 2));
    EXPECT_EQ(cell(5, 10), 3);
    EXPECT_EQ(cell(5, 11), 3);
    EXPECT_EQ(cell(5, 9), marker(5, 9));
    model->UndoLast();
    click(0, 10, kRight); // delete rows 10, 11
    for (int r = 10; r < H() - 2; ++r) ASSERT_EQ(cell(5, r), marker(5, r + 2));
    EXPECT_EQ(cell(5, 1022), 3);
    EXPECT_EQ(cell(5, 9), marker(5, 9));
}

TEST_F(TransformTools, RowsNearAndBeyondTheTop) {
    fillMarkers();
    state.BrushSize = 2; // k = 3
    state.ColorB = 3;
    use(toolRows);
    auto before = snapshot();
    click(0, 1023);
    for (auto [c, r] : changedCells(before)) EXPECT_EQ(r, 1023);
    EXPECT_EQ(cell(0, 1023), 3);
    // Deleting at row 1022 deletes rows 1022 and 1023, never rows below.
    fillMarkers();
    before = snapshot();
    click(0, 1022, kRight);
    for (auto [c, r] : changedCells(before)) EXPECT_GE(r, 1022);
    EXPECT_EQ(cell(0, 1022), 3);
    // Above the pattern: no step, no change.
    const int steps = model->undo().count();
    click(0, 1024, kRight);
    click(0, 1030);
    EXPECT_EQ(model->undo().count(), steps);
}

TEST_F(TransformTools, RowsKeepTheZone) {
    fillMarkers();
    state.ZoneOn = true;
    state.ZoneRow = 5;
    state.ColorB = 3;
    use(toolRows);
    click(0, 3); // insert one row inside the zone
    for (int r = 0; r <= 5; ++r) EXPECT_EQ(cell(7, r), marker(7, r));
    EXPECT_EQ(cell(7, 6), marker(7, 5));
    EXPECT_EQ(cell(7, 100), marker(7, 99));
}

TEST_F(TransformTools, InsertAndDeleteColumns) {
    fillMarkers();
    state.BrushSize = 2;
    state.ColorB = 3;
    use(toolColumns);
    click(10, 0);
    for (int c = 13; c < W(); ++c) ASSERT_EQ(cell(c, 40), marker(c - 3, 40));
    for (int c = 10; c < 13; ++c) EXPECT_EQ(cell(c, 40), 3);
    EXPECT_EQ(cell(9, 40), marker(9, 40));
    fillMarkers();
    click(199, 0); // the last column only
    EXPECT_EQ(cell(199, 7), 3);
    EXPECT_EQ(cell(198, 7), marker(198, 7));
    fillMarkers();
    click(198, 0, kRight); // delete near the right edge: columns 198, 199 only
    EXPECT_EQ(cell(197, 7), marker(197, 7));
    EXPECT_EQ(cell(198, 7), 3);
    EXPECT_EQ(cell(199, 7), 3);
    fillMarkers();
    click(20, 0, kRight);
    EXPECT_EQ(cell(20, 7), marker(23, 7));
    EXPECT_EQ(cell(196, 7), marker(199, 7));
    EXPECT_EQ(cell(197, 7), 3);
    const auto before = snapshot();
    const int steps = model->undo().count();
    click(200, 0);
    click(-1, 0);
    EXPECT_TRUE(changedCells(before).empty());
    EXPECT_EQ(model->undo().count(), steps);
}

TEST_F(TransformTools, MoveShiftsCyclically) {
    set(0, 0, 5);
    use(toolMove);
    drag(5, 5, 3, 7);
    EXPECT_EQ(cell(198, 2), 5);
    EXPECT_EQ(cell(0, 0), 0);
    const auto before = snapshot();
    const int steps = model->undo().count();
    click(5, 5);
    EXPECT_TRUE(changedCells(before).empty());
    EXPECT_EQ(model->undo().count(), steps + 1);
    // Above a zone the area wraps within rows L..H-1.
    fillMarkers();
    state.ZoneOn = true;
    state.ZoneRow = 99;
    drag(10, 500, 10, 490);
    EXPECT_EQ(cell(3, 1014), marker(3, 100));
    EXPECT_EQ(cell(3, 100), marker(3, 110));
    EXPECT_EQ(cell(3, 99), marker(3, 99));
    model->UndoLast();
    EXPECT_EQ(cell(3, 100), marker(3, 100));
}

} // namespace
} // namespace lc::test
