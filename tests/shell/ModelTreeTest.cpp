#include <gtest/gtest.h>

#include "core/ModelFile.h"
#include "shell/GridMaths.h"
#include "shell/ModelPreview.h"
#include "shell/ModelTree.h"

using namespace lc;

// A drawing filed under set "A" is its child after a reload; with "A" gone
// (deleted with its children, or lost from a file) nothing dangles.
TEST(ModelTree, ItemsSitUnderTheirSetAcrossSaveAndReload) {
    PatternRaster raster;
    raster.SetSize(200, kPatternRows);
    ModelFile m;
    m.AddFolder("Model");
    const int a = m.AddFolder("A");
    m.AddDrawing(m.Items[a].Id, "front", raster);
    m.AddNote(0, "loose", std::span<const uint8_t>{});
    ModelFile back;
    back.LoadFromBytes(m.SaveToBytes());
    const auto nodes = BuildModelTree(back);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[0].Image, kTreeImageFirstSet);
    EXPECT_EQ(nodes[1].Image, kTreeImageSet);
    EXPECT_EQ(nodes[2].Parent, 1);
    EXPECT_EQ(nodes[3].Parent, -1);

    // The set's item alone gone (as another program may leave it): the drawing is at the top.
    ModelFile orphan = back;
    orphan.DeleteItem(1);
    EXPECT_EQ(BuildModelTree(orphan)[1].Parent, -1);

    EXPECT_EQ(DeleteItemWithChildren(back, 1), 2);
    ASSERT_EQ(back.Items.size(), 2u);
    EXPECT_EQ(back.Items[1].Name, "loose");
    EXPECT_EQ(DeleteItemWithChildren(back, 7), 0);
}

// A 200-wide drawing previewed while the raster is 250 wide: read with its own
// line length, unsheared, nothing read past the item, values clamped to 16.
TEST(ModelPreview, DrawingUsesTheItemsOwnLineLength) {
    PatternRaster narrow;
    narrow.SetSize(200, kPatternRows);
    for (int x = 0; x < 200; ++x) narrow.Picture.set(x, kPatternRows - 1, static_cast<uint8_t>(x % 3));
    narrow.Picture.set(5, kPatternRows - 2, 200);
    ModelFile m;
    const int d = m.AddDrawing(0, "d", narrow);
    const DrawingCells cells = DrawingItemCells(m.Items[d], 160);
    ASSERT_EQ(cells.Width, 200);
    ASSERT_EQ(cells.Lines, 160);
    for (int x = 0; x < 200; ++x) ASSERT_EQ(cells.Cells[159 * 200 + x], x % 3) << x;
    EXPECT_EQ(cells.Cells[158 * 200 + 5], 16);

    // Written elsewhere, without a line width: a full-height item's length comes from its size.
    ModelItem old = m.Items[d];
    old.LineWidth = 0;
    EXPECT_EQ(DrawingItemCells(old, 10).Width, 200);
    old.Data.resize(7); // a short, damaged item shows nothing rather than reading on
    EXPECT_EQ(DrawingItemCells(old, 10).Lines, 0);
}

TEST(GridMaths, FashionScrollBarShowsOnlyWhenTheFilesOverflow) {
    bool visible = true;
    FashionScrollRange(6, 6, visible);
    EXPECT_FALSE(visible);
    const ScrollRange r = FashionScrollRange(7, 6, visible);
    EXPECT_TRUE(visible);
    EXPECT_EQ(r.Maximum + r.Page - 1, 6); // the last position 6 counts the page in
}
