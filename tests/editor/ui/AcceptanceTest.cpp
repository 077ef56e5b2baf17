// A knitter's session on the Drawing page: a two-colour motif drawn with the
// brush, copied, pasted three times, two pastes undone. The page is saved as
// /tmp/drawing.png for a look at what the screen shows.
#include "DrawingPageTest.h"

#include <QStatusBar>

using namespace lc;
using namespace lc::test;

namespace {
// The motif, top row first: 'A' colour A, 'B' colour B, '.' background.
constexpr const char* kMotif[] = {
    "..A..", ".ABA.", "ABBBA", ".ABA.", "..A..",
};
constexpr int kLeft = 5, kBottom = 5, kSize = 5;

char motifAt(int dc, int dr) { return kMotif[kSize - 1 - dr][dc]; }
} // namespace

TEST_F(DrawingPageTest, UserDrawsCopiesPastesThreeTimesAndUndoesTwo) {
    // Colours: A = 1 from a left click in the palette, B = 6 from a right click.
    QTest::mouseClick(frame->paletteGrid(), Qt::LeftButton, {}, QPoint(1 * 21 + 8, 8));
    QTest::mouseClick(frame->paletteGrid(), Qt::RightButton, {}, QPoint(6 * 21 + 8, 8));
    ASSERT_EQ(ws.Editor.ColorA, 1);
    ASSERT_EQ(ws.Editor.ColorB, 6);

    // The motif with the brush: A with the left button, the middle row of B in one right-button drag.
    for (int dr = 0; dr < kSize; ++dr)
        for (int dc = 0; dc < kSize; ++dc)
            if (motifAt(dc, dr) == 'A') clickCell(kLeft + dc, kBottom + dr);
    clickCell(kLeft + 2, kBottom + 1, Qt::RightButton);
    clickCell(kLeft + 2, kBottom + 3, Qt::RightButton);
    press(at(kLeft + 1, kBottom + 2), Qt::RightButton);
    move(at(kLeft + 2, kBottom + 2), Qt::RightButton);
    move(at(kLeft + 3, kBottom + 2), Qt::RightButton);
    release(at(kLeft + 3, kBottom + 2), Qt::RightButton);

    auto motifCellsAt = [&](int left) {
        for (int dr = 0; dr < kSize; ++dr)
            for (int dc = 0; dc < kSize; ++dc) {
                const char m = motifAt(dc, dr);
                const uint8_t expected = m == 'A' ? 1 : (m == 'B' ? 6 : 0);
                if (cell(left + dc, kBottom + dr) != expected) return false;
            }
        return true;
    };
    auto emptyAt = [&](int left) {
        for (int dr = 0; dr < kSize; ++dr)
            for (int dc = 0; dc < kSize; ++dc)
                if (cell(left + dc, kBottom + dr) != 0) return false;
        return true;
    };
    ASSERT_TRUE(motifCellsAt(kLeft));

    // Copy the 5 x 5 block, then paste it three times along the row.
    QTest::mouseClick(button(12), Qt::LeftButton);
    dragCells(kLeft, kBottom, kLeft + kSize, kBottom + kSize);
    EXPECT_EQ(frame->statusText(3), "5 x 5");
    QTest::mouseClick(button(14), Qt::LeftButton);
    for (int left : {12, 19, 26}) clickCell(left, kBottom);
    EXPECT_TRUE(motifCellsAt(12));
    EXPECT_TRUE(motifCellsAt(19));
    EXPECT_TRUE(motifCellsAt(26));

    // Undo twice: the last two pastes go, the first stays, the motif stays.
    QTest::mouseClick(button(203), Qt::LeftButton);
    QTest::mouseClick(button(203), Qt::LeftButton);
    EXPECT_TRUE(motifCellsAt(kLeft));
    EXPECT_TRUE(motifCellsAt(12));
    EXPECT_TRUE(emptyAt(19));
    EXPECT_TRUE(emptyAt(26));
    EXPECT_TRUE(button(203)->isEnabled()); // the drawing steps and the first paste remain
    // Nothing else on the pattern was touched.
    int inked = 0;
    for (int r = 0; r < 1024; ++r)
        for (int c = 0; c < 200; ++c) inked += cell(c, r) != 0;
    EXPECT_EQ(inked, 2 * 13);

    // What the screen shows agrees with the cells.
    EXPECT_EQ(shownAt(14, 7), rgbOf(gd.Colors[6]));
    EXPECT_EQ(shownAt(14, 9), rgbOf(gd.Colors[1]));
    EXPECT_EQ(shownAt(21, 7), rgbOf(gd.Colors[0]));
    frame->ShowPosition(15, 8);
    const QPixmap shot = frame->grab();
    EXPECT_TRUE(shot.save("/tmp/drawing.png"));
}
