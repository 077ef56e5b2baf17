#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/Errors.h"
#include "garment/GarmentUndoStack.h"

using namespace lc;

namespace {

struct RecordingListener : GarmentUndoListener {
    int enables = 0, disables = 0;
    void undoEnable() override { ++enables; }
    void undoDisable() override { ++disables; }
};

GarmentOutline triangle(int x0) {
    GarmentOutline g;
    g.AddPoint(x0, 0);
    g.AddPoint(x0 + 100, 0);
    g.AddPoint(x0, 100);
    g.AddCurve(0, 1, 0);
    g.AddCurve(1, 2, 5);
    g.AddCurve(2, 0, 3);
    return g;
}

} // namespace

TEST(GarmentUndo, KeepsElevenStepsAndSignalsEmptyOnce) {
    RecordingListener listener;
    GarmentUndoStack undo(&listener);
    GarmentOutline g;
    for (int i = 1; i <= 12; ++i) {
        g.AddPoint(i * 10, 0); // snapshot i holds i points
        undo.Push(g);
    }
    EXPECT_EQ(undo.StepCount(), 11);
    EXPECT_EQ(listener.enables, 12);
    for (int i = 12; i >= 2; --i) {
        undo.Undo(g);
        EXPECT_EQ(g.PointCount(), i) << "undo restores snapshot " << i;
        EXPECT_EQ(listener.disables, i == 2 ? 1 : 0);
    }
    const GarmentOutline after = g;
    undo.Undo(g); // the twelfth does nothing
    EXPECT_EQ(g, after);
    EXPECT_EQ(listener.disables, 1);
}

TEST(GarmentUndo, RestoresTheWholeOutlineAndAnEmptySnapshotIsEmpty) {
    GarmentUndoStack undo;
    GarmentOutline g;
    undo.Push(g); // empty
    g = triangle(0);
    g.Reserved = 3;
    g.SetSymmetryAxis(1);
    undo.Push(g);
    const GarmentOutline saved = g;
    g.DeleteSelectedPoints();
    g.ClearSymmetry();
    undo.Undo(g);
    EXPECT_EQ(g, saved);
    undo.Undo(g);
    EXPECT_EQ(g.PointCount(), 0);
    EXPECT_EQ(g.CurveCount(), 0);
    EXPECT_FALSE(g.IsSymmetric());

    undo.Push(g);
    undo.Clear();
    EXPECT_EQ(undo.StepCount(), 0);
}

TEST(GarmentClipboard, PasteAfterMovingBringsTheCopiedPartBack) {
    GarmentUndoStack undo;
    GarmentOutline g = triangle(0);
    g.SelectPoint(-1, true);
    undo.Copy(g);
    g.MoveSelected(50, 0);
    undo.Paste(g);
    EXPECT_EQ(g.PointCount(), 6);
    EXPECT_EQ(g.CurveCount(), 6);
    // The pasted part stands at the copied place with its own curves.
    const int a = g.FindPoint(0, 0), b = g.FindPoint(100, 0), c = g.FindPoint(0, 100);
    ASSERT_GE(a, 3);
    ASSERT_GE(b, 3);
    ASSERT_GE(c, 3);
    EXPECT_GE(g.FindCurve(a, b), 3);
    EXPECT_GE(g.FindCurve(b, c), 3);
    EXPECT_EQ(g.Point(g.FindPoint(50, 0)).Number, 1) << "the moved points stay";
}

TEST(GarmentClipboard, PasteInPlaceDoublesCurvesAndDropsCurvesOfMergedPoints) {
    GarmentUndoStack undo;
    GarmentOutline g = triangle(0);
    g.SelectPoint(-1, true);
    undo.Copy(g);
    undo.Paste(g);
    EXPECT_EQ(g.PointCount(), 3);
    EXPECT_EQ(g.CurveCount(), 6);

    // Moved by 3 mm the copied points merge with the moved ones at other
    // coordinates, so no curve finds its ends.
    GarmentOutline h = triangle(0);
    h.SelectPoint(-1, true);
    undo.Copy(h);
    h.MoveSelected(3, 0);
    undo.Paste(h);
    EXPECT_EQ(h.PointCount(), 3);
    EXPECT_EQ(h.CurveCount(), 3);
}

TEST(GarmentClipboard, AnEmptySelectionPastesNothingAndASecondCopyReplacesTheFirst) {
    GarmentUndoStack undo;
    GarmentOutline g = triangle(0);
    g.SelectPoint(-1, false);
    g.SelectPoint(1, true);
    g.SelectPoint(1, false);
    undo.Copy(g);
    ASSERT_TRUE(undo.HasClipboard());
    const GarmentOutline before = g;
    undo.Paste(g);
    EXPECT_EQ(g, before) << "not even the selection flags change";

    GarmentOutline other = triangle(500);
    other.SelectPoint(-1, true);
    undo.Copy(other);
    undo.Copy(g); // nothing selected again
    EXPECT_TRUE(undo.Clipboard()->Points.empty());

    undo.Copy(other);
    ASSERT_EQ(undo.Clipboard()->Points.size(), 3u);
    ASSERT_EQ(undo.Clipboard()->ClipCurves.size(), 3u);
    EXPECT_EQ(undo.Clipboard()->ClipCurves[1], (ClipCurve{5, 0, 1, 2, 600, 0, 500, 100}));
    undo.Clear();
    EXPECT_TRUE(undo.HasClipboard()) << "clearing the steps keeps the clipboard";
}

TEST(GarmentClipboard, PasteIntoAFullOutlineChangesNothing) {
    GarmentOutline g;
    for (int i = 0; i < kMaxGarmentPoints - 1; ++i) g.AppendPointRaw((i % 256) * 10, 1000 + (i / 256) * 10, false);
    GarmentOutline src = triangle(-5000);
    src.SelectPoint(-1, true);
    GarmentUndoStack undo;
    undo.Copy(src);
    const GarmentOutline before = g;
    EXPECT_THROW(undo.Paste(g), RangeError);
    EXPECT_EQ(g, before);
}
