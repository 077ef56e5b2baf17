// Copy, cut, paste and scale of blocks, and pasting a gallery pattern.
#include "EditorFixture.h"

namespace lc::test {
namespace {

using BlockTools = EditorTest;

TEST_F(BlockTools, CopyThenPasteAClick) {
    fillMarkers();
    use(toolCopyBlock);
    drag(2, 5, 6, 9);
    EXPECT_EQ(events.blockW, 4);
    EXPECT_EQ(events.blockH, 4);
    EXPECT_EQ(state.BlockRect, (CellRect{2, 1015, 6, 1019}));
    EXPECT_EQ(model->undo().count(), 0);
    // The copied block's frame stays shown until the next press.
    Overlay o = engine->overlay();
    ASSERT_EQ(o.kind, Overlay::Kind::Frame);
    EXPECT_EQ(o.points[0], (PixelPoint{22, 600 - 99}));
    EXPECT_EQ(o.points[1], (PixelPoint{66, 600 - 55}));

    use(toolPasteBlock);
    click(10, 20);
    EXPECT_TRUE(engine->overlay().empty());
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_EQ(cell(10 + c, 20 + r), marker(2 + c, 5 + r));
    EXPECT_EQ(cell(14, 20), marker(14, 20));
    EXPECT_EQ(cell(10, 24), marker(10, 24));
    EXPECT_EQ(cell(10, 19), marker(10, 19));
}

TEST_F(BlockTools, EmptySelectionPastesNothing) {
    fillMarkers();
    use(toolPasteBlock);
    auto before = snapshot();
    click(10, 10); // before any copy
    drag(10, 10, 30, 30);
    EXPECT_TRUE(changedCells(before).empty());
    use(toolCopyBlock);
    engine->pressCell(kLeft, kNone, 4, 4);
    engine->moveCell(kNone, 8, 8);
    engine->moveCell(kNone, 4, 4);
    engine->releaseCell(kLeft, kNone, 4, 4);
    EXPECT_TRUE(state.BlockRect.isEmpty());
    use(toolPasteBlock);
    click(50, 50);
    EXPECT_TRUE(changedCells(before).empty());
}

TEST_F(BlockTools, PasteDraggedStretches) {
    fillMarkers();
    use(toolCopyBlock);
    drag(0, 0, 3, 2); // columns 0..2, rows 0..1
    use(toolPasteBlock);
    drag(50, 50, 56, 54); // 6 x 4: twice each way
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_EQ(cell(50 + c, 50 + r), marker(c / 2, r / 2)) << c << "," << r;
    EXPECT_EQ(cell(56, 50), marker(56, 50));
    model->UndoLast();
    EXPECT_EQ(cell(51, 51), marker(51, 51));
}

TEST_F(BlockTools, ToolsNoLongerAlterTheCopiedBlock) {
    fillMarkers();
    use(toolCopyBlock);
    drag(0, 0, 5, 5);
    const CellRect kept = state.BlockRect;
    std::vector<uint8_t> copied;
    for (int y = kept.Top; y < kept.Bottom; ++y)
        copied.insert(copied.end(), gd.Backup.line(y) + kept.Left, gd.Backup.line(y) + kept.Right);
    for (ToolCode t : {toolVSymmetry, toolHSymmetry, toolHScale, toolVScale, toolMove, toolRotate}) {
        use(t);
        drag(1, 1, 8, 9);
    }
    std::vector<uint8_t> after;
    for (int y = kept.Top; y < kept.Bottom; ++y)
        after.insert(after.end(), gd.Backup.line(y) + kept.Left, gd.Backup.line(y) + kept.Right);
    EXPECT_EQ(after, copied);
    EXPECT_EQ(state.BlockRect, kept);
}

TEST_F(BlockTools, CutFillsWithBAndKeepsTheBlock) {
    fillMarkers();
    state.ColorB = 9;
    use(toolCutBlock);
    drag(10, 10, 14, 13);
    EXPECT_EQ(state.BlockRect, (CellRect{10, 1011, 14, 1014}));
    for (int c = 10; c < 14; ++c)
        for (int r = 10; r < 13; ++r) EXPECT_EQ(cell(c, r), 9);
    EXPECT_EQ(cell(14, 10), marker(14, 10));
    EXPECT_EQ(gd.Backup.line(1013)[10], marker(10, 10));
    use(toolPasteBlock);
    click(100, 100);
    EXPECT_EQ(cell(100, 100), marker(10, 10));
    model->UndoLast();
    model->UndoLast();
    EXPECT_EQ(cell(12, 11), marker(12, 11));
}

TEST_F(BlockTools, PasteAndCutKeepOutOfTheZone) {
    fillMarkers();
    use(toolCopyBlock);
    drag(100, 100, 110, 110);
    state.ZoneOn = true;
    state.ZoneRow = 10;
    state.ColorB = 9;
    use(toolPasteBlock);
    click(0, 5);
    EXPECT_EQ(cell(0, 5), marker(0, 5));
    EXPECT_EQ(cell(0, 10), marker(0, 10));
    EXPECT_EQ(cell(0, 11), marker(100, 106));
    use(toolCutBlock);
    drag(50, 0, 60, 20);
    EXPECT_EQ(cell(55, 10), marker(55, 10));
    EXPECT_EQ(cell(55, 11), 9);
    EXPECT_EQ(gd.Backup.line(H() - 1 - 5)[55], marker(55, 5)); // the whole block is copied
}

TEST_F(BlockTools, MotifCopiedPastedThreeTimesAndUndoneTwice) {
    use(toolBrush);
    state.ColorA = 3;
    state.ColorB = 6;
    for (int i = 0; i < 4; ++i) click(i, i), click(3 - i, i, kRight); // a two-colour cross
    use(toolCopyBlock);
    drag(0, 0, 4, 4);
    use(toolPasteBlock);
    for (int k = 1; k <= 3; ++k) click(10 * k, 0);
    model->UndoLast();
    model->UndoLast();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(cell(10 + i, i), 3);
        EXPECT_EQ(cell(10 + 3 - i, i), 6);
        EXPECT_EQ(cell(20 + i, i), 0);
        EXPECT_EQ(cell(30 + 3 - i, i), 0);
        EXPECT_EQ(cell(i, i), 3);
    }
}

TEST_F(BlockTools, PastePatternTilesTheWholePattern) {
    patterns.set({{1, 2, 3}, {4, 5, 6}});
    use(toolPastePattern);
    click(70, 70, kRight);
    for (int r = 0; r < H(); r += 13)
        for (int c = 0; c < W(); ++c) ASSERT_EQ(cell(c, r), (r % 2 ? 4 : 1) + c % 3);
    model->UndoLast();
    EXPECT_EQ(cell(5, 5), 0);
    // With the zone on, the zone keeps its cells and the rest repeats from row 0.
    fillAll(9);
    state.ZoneOn = true;
    state.ZoneRow = 3;
    click(70, 70, kRight);
    EXPECT_EQ(cell(0, 3), 9);
    EXPECT_EQ(cell(0, 4), 1);
    EXPECT_EQ(cell(1, 5), 5);
}

TEST_F(BlockTools, PastePatternPlacesItAtTheClick) {
    patterns.set({{1, 2, 3}, {4, 5, 6}});
    use(toolPastePattern);
    drag(198, 20, 150, 1023); // press column, release row
    EXPECT_EQ(cell(198, 1023), 1);
    EXPECT_EQ(cell(199, 1023), 2);
    EXPECT_EQ(cell(198, 20), 0);
    EXPECT_EQ(cell(0, 1023), 0);
    model->UndoLast();
    EXPECT_EQ(cell(198, 1023), 0);
}

TEST_F(BlockTools, MalformedGalleryPatternsAreRefused) {
    use(toolPastePattern);
    const auto before = snapshot();
    click(5, 5, kRight); // nothing selected
    patterns.bytes.assign(8, 0x11);
    for (auto [w, h] : std::vector<std::pair<int, int>>{{0, 3}, {3, 0}, {-2, 2}, {4, 5}, {100000, 100000}}) {
        patterns.current = PackedPattern{w, h, patterns.bytes.data(), patterns.bytes.size()};
        click(5, 5, kRight);
        click(5, 5);
    }
    EXPECT_TRUE(changedCells(before).empty());
    patterns.current = PackedPattern{3, 4, patterns.bytes.data(), patterns.bytes.size()}; // exactly enough
    click(5, 5);
    EXPECT_EQ(cell(7, 8), 1);
}

} // namespace
} // namespace lc::test
