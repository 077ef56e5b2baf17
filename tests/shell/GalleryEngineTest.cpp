#include <gtest/gtest.h>

#include "core/PatternLibrary.h"
#include "shell/GalleryBlock.h"
#include "shell/GalleryNames.h"
#include "shell/GridMaths.h"

using namespace lc;

// A 7-wide block whose bottom line is colour 1 and top line colour 2 goes into
// a library with 4 bytes a row, bottom line first, and comes back the same way
// up, as indices (two palette entries of the same colour stay apart).
TEST(GalleryBlock, AddPacksFromTheBottomLineAndCallBringsItBackUpright) {
    PatternRaster raster;
    raster.SetSize(250, kPatternRows);
    raster.Colors[3] = raster.Colors[1];
    const CellRect block{10, 20, 17, 23};
    for (int x = 10; x < 17; ++x) {
        raster.Backup.set(x, 20, 2);
        raster.Backup.set(x, 21, 3);
        raster.Backup.set(x, 22, 1);
    }
    const PackedBlock packed = PackBackupBlock(raster, block);
    ASSERT_EQ(packed.Width, 7);
    ASSERT_EQ(packed.Height, 3);
    ASSERT_EQ(packed.Bytes.size(), 12u);
    EXPECT_EQ(packed.Bytes[0], 0x11);
    EXPECT_EQ(packed.Bytes[3], 0x10); // the odd width's last low nibble is 0

    PatternLibrary lib;
    lib.CreateNew("/tmp/", "x");
    ASSERT_TRUE(lib.AddPattern(packed.Width, packed.Height, "p", packed.Bytes, 0));
    PatternInfo info;
    ASSERT_TRUE(lib.GetPattern(0, info));
    EXPECT_EQ(info.BytesPerRow, 4);

    raster.Backup.fill(0);
    const CellRect back = UnpackIntoBackup(raster, info.Width, info.Height, {info.Pixels, packed.Bytes.size()});
    EXPECT_EQ(back, (CellRect{0, 0, 7, 3}));
    EXPECT_EQ(raster.Backup.at(6, 2), 1); // lowest line of the block
    EXPECT_EQ(raster.Backup.at(0, 1), 3);
    EXPECT_EQ(raster.Backup.at(0, 0), 2);
    EXPECT_EQ(raster.Backup.at(7, 0), 0); // nothing right of the block
}

// A pattern claiming more than the raster (or than its bytes) is clipped.
TEST(GalleryBlock, CallClipsAPatternLargerThanTheRasterOrItsBytes) {
    PatternRaster raster;
    raster.SetSize(150, kPatternRows);
    std::vector<uint8_t> bytes(static_cast<size_t>(PatternBytesPerRow(300)) * 5, 0x77);
    EXPECT_EQ(UnpackIntoBackup(raster, 300, 2000, bytes), (CellRect{0, 0, 150, 5}));
    EXPECT_EQ(raster.Backup.at(149, 4), 7);
    EXPECT_TRUE(UnpackIntoBackup(raster, 0, 5, bytes).isEmpty());
    EXPECT_TRUE(PackBackupBlock(raster, CellRect{5, 5, 5, 9}).Bytes.empty());
}

TEST(GalleryNames, NewNamesAreCheckedAndNamesFromFilesStayInTheGalleriesFolder) {
    EXPECT_EQ(CheckGalleryName(""), GalleryNameProblem::Empty);
    for (const char* bad : {"a/b", "a\\b", "..", "x..y", "tab\there"})
        EXPECT_EQ(CheckGalleryName(bad), GalleryNameProblem::BadCharacters) << bad;
    EXPECT_EQ(CheckGalleryName("My Library"), GalleryNameProblem::None);

    EXPECT_EQ(PreviewPath("/g", "../../etc", "../passwd"), "/g/preview/_.._etc/_passwd");
    EXPECT_EQ(PreviewPath("/g/", "..", "."), "/g/preview/_/_");
    EXPECT_EQ(PreviewPath("/g", "Lace", "leaf.png"), "/g/preview/Lace/leaf.png");

    // The preview is saved under the name the library keeps (33 characters).
    const std::string longName(40, 'a');
    const std::string kept = PreviewNameOf("/home/k/pictures/" + longName + ".jpg");
    EXPECT_EQ(kept, std::string(33, 'a'));
    PatternLibrary lib;
    lib.CreateNew("/tmp/", "x");
    const uint8_t px[1] = {0};
    ASSERT_TRUE(lib.AddPattern(1, 1, longName + ".jpg", px, 0));
    EXPECT_EQ(lib.GetPatternName(0), kept);
}

TEST(GridMaths, SmallGridsKeepOneCellAndTheScrollRangeCountsThePage) {
    const GridShape tiny = ShapeGrid(60, 90, 120, 200);
    EXPECT_EQ(tiny.Columns, 1);
    EXPECT_EQ(tiny.Rows, 1);
    EXPECT_GE(tiny.CellWidth, 1);
    const GridShape g = ShapeGrid(600, 450, 120, 200);
    EXPECT_EQ(g.page(), 10);

    const ScrollRange three = GalleryScrollRange(3, 10);
    EXPECT_EQ(three.Page, 3);
    EXPECT_EQ(three.Maximum, 48); // positions 0..48 of a range of 50
    const ScrollRange many = GalleryScrollRange(120, 10);
    EXPECT_EQ(many.Page, 10);
    EXPECT_EQ(many.Maximum, 111);
    EXPECT_EQ(GalleryScrollRange(0, 10).Page, 1);
}

// The fashion grid: columns of (width - 20) div 120 sharing width - 20, rows
// one and a half columns high as many as fit in height - 8; never fewer than
// one of each.
TEST(GridMaths, FashionCellsAreOneAndAHalfColumnsHigh) {
    const GridShape g = FashionGridShape(520, 700);
    EXPECT_EQ(g.Columns, 4);       // 500 div 120
    EXPECT_EQ(g.ColumnWidth, 125); // 500 / 4
    EXPECT_EQ(g.RowHeight, 188);   // 187.5, to even
    EXPECT_EQ(g.Rows, 3);          // 692 div 188
    EXPECT_EQ(g.CellWidth, 117);   // less the gap between cells
    const GridShape narrow = FashionGridShape(100, 50);
    EXPECT_EQ(narrow.Columns, 1);
    EXPECT_EQ(narrow.ColumnWidth, 80);
    EXPECT_EQ(narrow.RowHeight, 120);
    EXPECT_EQ(narrow.Rows, 1);
    EXPECT_EQ(FashionGridShape(0, 0).page(), 1);
}
