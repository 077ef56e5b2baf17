#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "editor/TextLayout.h"
#include "editor/TextTool.h"

namespace lc::test {

TEST(TextLayout, CharactersRunClockwiseFromTheStartAngle) {
    const std::vector<ArcGlyph> g = LayoutArc({10, 10}, 100, 100, 50, 900, false);
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0].index, 0);
    EXPECT_EQ(g[0].x, 104);
    EXPECT_EQ(g[0].y, 50);
    EXPECT_EQ(g[0].escapement, -52);
    EXPECT_EQ(g[1].x, 114);
    EXPECT_EQ(g[1].y, 52);
    EXPECT_EQ(g[1].escapement, -166);

    // Reversed: the same path, the characters taken from the end.
    const std::vector<ArcGlyph> r = LayoutArc({6, 10}, 100, 100, 50, 900, true);
    EXPECT_EQ(r[0].index, 1);
    EXPECT_EQ(r[0].x, 104);
    EXPECT_EQ(r[1].index, 0);
    // A radius below 1 has no circle to stand on.
    EXPECT_TRUE(LayoutArc({10}, 100, 100, 0, 900, false).empty());
}

class TextToolTest : public EditorTest {
protected:
    // A stamp of w x h cells at (column, line): glyph cells on the top line, the box below.
    static TextStamp stamp(int column, int line, int w, int h) {
        TextStamp s{w, h, std::vector<uint8_t>(size_t(w * h), TextStamp::Box), column, line};
        for (int x = 0; x < w; x += 2) s.cells[size_t(x)] = TextStamp::Glyph;
        s.cells[size_t(w * h - 1)] = TextStamp::Keep;
        return s;
    }
};

TEST_F(TextToolTest, PutWritesIndicesOfAAndBAsOneUndoStep) {
    fillAll(15);
    const std::vector<uint8_t> before = snapshot();
    // Index 7 has the same colour as index 3: the text writes the lowest index of that colour.
    gd.Colors[7] = gd.Colors[3];
    state.ColorA = 7;
    state.ColorB = 5;
    ASSERT_TRUE(engine->putText(stamp(10, 1020, 6, 3)));
    // Lines 1020..1022 are rows 3..1; the last line stops at the raster's last line.
    EXPECT_EQ(cell(10, 3), 3);
    EXPECT_EQ(cell(11, 3), 5);
    EXPECT_EQ(cell(10, 1), 5);
    EXPECT_EQ(cell(15, 1), 15); // a Keep cell
    EXPECT_EQ(changedCells(before).size(), 17u);
    model->UndoLast();
    EXPECT_TRUE(changedCells(before).empty());
}

TEST_F(TextToolTest, PutKeepsOutOfTheZoneAndOffTheEdges) {
    fillMarkers();
    state.ZoneOn = true;
    state.ZoneRow = 10;
    state.ColorA = 1;
    state.ColorB = 2;
    const std::vector<uint8_t> before = snapshot();
    // Rows 14..0 at columns 195..204: rows 10..0 are protected, columns from 200 do not exist.
    ASSERT_TRUE(engine->putText(stamp(195, 1009, 10, 15)));
    for (auto [c, r] : changedCells(before)) {
        EXPECT_GT(r, 10);
        EXPECT_LT(c, 200);
    }
    EXPECT_EQ(cell(196, 11), 2);
    // Entirely in the zone or beyond the raster: nothing, and no undo step.
    const int steps = model->undo().count();
    EXPECT_FALSE(engine->putText(stamp(50, 1015, 4, 4)));
    EXPECT_FALSE(engine->putText(stamp(-20, 0, 10, 4)));
    EXPECT_EQ(model->undo().count(), steps);
}

} // namespace lc::test
