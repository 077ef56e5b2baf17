// The undo stack and the selection block.
#include "EditorFixture.h"

namespace lc::test {
namespace {

using UndoStack = EditorTest;

TEST_F(UndoStack, ElevenStepsAreKept) {
    use(toolBrush);
    for (int i = 0; i < 12; ++i) click(i, i * 3);
    EXPECT_EQ(model->undo().count(), 11);
    for (int i = 0; i < 11; ++i) model->UndoLast();
    for (int i = 1; i < 12; ++i) EXPECT_EQ(cell(i, i * 3), 0);
    EXPECT_EQ(cell(0, 0), 1);
    EXPECT_EQ(events.undoDisables, 1);
    model->UndoLast();
    EXPECT_EQ(cell(0, 0), 1);
    EXPECT_EQ(events.undoDisables, 1);
    EXPECT_EQ(events.undoEnables, 12);
}

TEST_F(UndoStack, PushClampsItsRows) {
    PatternUndoStack& u = model->undo();
    u.Push(5, 2);
    EXPECT_EQ(u.newest()->rows(), (std::vector<int>{2, 3, 4, 5}));
    fillAll(4);
    u.Push(-3, H() + 10);
    EXPECT_EQ(u.newest()->rows().size(), 1024u);
    u.CloseStep();
    model->ClearPattern(false);
    model->UndoLast();
    EXPECT_EQ(cell(0, 0), 4);
    EXPECT_EQ(cell(199, 1023), 4);
}

TEST_F(UndoStack, PartialRestoreKeepsTheStep) {
    fillAll(1);
    model->undo().Push(10, 20);
    fillAll(2);
    model->undo().UndoRows(30, 40); // none of its rows
    EXPECT_EQ(cell(0, 15), 2);
    model->undo().UndoRows(20, 10); // inverted
    EXPECT_EQ(cell(0, 15), 2);
    model->undo().UndoRows(12, 14);
    EXPECT_EQ(cell(0, 12), 1);
    EXPECT_EQ(cell(0, 15), 2);
    EXPECT_EQ(model->undo().count(), 1);
}

TEST_F(UndoStack, StepsHoldOnlyTheRowsWritten) {
    use(toolFill);
    set(0, 500, 3);
    state.ColorA = 3;
    click(0, 500); // fills one cell: one row saved
    EXPECT_EQ(model->undo().newest()->rows(), (std::vector<int>{500}));
    EXPECT_EQ(model->undo().memoryBytes(), 200u);
    // A later gesture with no step of its own does not extend a closed one.
    model->SetCellColor(0, 700, 4);
    EXPECT_EQ(model->undo().newest()->rows().size(), 1u);
}

TEST_F(UndoStack, RestoringOntoAResizedRasterStaysInside) {
    fillAll(7);
    PatternUndoStep leaf(200);
    leaf.SaveRows(gd.Picture, 0, 1023);
    IndexedBitmap small(150, 100, 0);
    leaf.RestoreRows(small);
    EXPECT_EQ(small.at(149, 99), 7);
    IndexedBitmap wide(250, 1024, 0);
    leaf.RestoreRows(wide);
    EXPECT_EQ(wide.at(199, 0), 7);
    EXPECT_EQ(wide.at(200, 0), 0);
}

TEST(ActiveBlock, SetRectNormalisesAndClampsColumns) {
    ActiveBlock b;
    b.SetRect(7, 3, 2, 9, 200);
    EXPECT_EQ(b.current, (CellBlock{2, 9, 7, 3}));
    b.SetRect(-4, -2, 300, 2000, 200);
    EXPECT_EQ(b.current.Left, 0);
    EXPECT_EQ(b.current.Right, 200);
    EXPECT_EQ(b.current.Bottom, -2); // rows are not clamped
    b.SetRect(5, 5, 5, 5, 200);
    EXPECT_TRUE(b.current.isEmpty());
    EXPECT_TRUE(b.ToBitmapRect(1024).isEmpty());
    b.SetRect(2, 5, 6, 9, 200);
    EXPECT_EQ(b.ToBitmapRect(1024), (CellRect{2, 1015, 6, 1019}));
    b.SavePrevious();
    b.Reset();
    EXPECT_EQ(b.previous, (CellBlock{2, 9, 6, 5}));
    EXPECT_EQ(b.current, CellBlock{});
}

} // namespace
} // namespace lc::test
