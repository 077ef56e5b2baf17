#include <gtest/gtest.h>

#include <numeric>

#include "core/PatternRaster.h"

using namespace lc;

namespace {
// A raster with a recognisable picture: cell (x, line y) = (x + y) mod 17.
void fillPicture(PatternRaster& g) {
    for (int y = 0; y < g.Height; ++y)
        for (int x = 0; x < g.Width; ++x) g.Picture.line(y)[x] = static_cast<uint8_t>((x + y) % 17);
}
} // namespace

TEST(PatternRaster, SetSizeClearsPictureAndSizesAllBitmaps) {
    PatternRaster g;
    g.SetSize(10, 10);
    fillPicture(g);
    g.ClearMask();
    g.SetSize(200, 1024);
    for (const IndexedBitmap* b : {&g.Picture, &g.Mask, &g.Backup}) {
        EXPECT_EQ(b->width(), 200);
        EXPECT_EQ(b->height(), 1024);
    }
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 200; ++x) {
            ASSERT_EQ(g.Picture.line(y)[x], 0);
            // Nothing stale survives a resize: the mask comes back all inside.
            ASSERT_FALSE(g.IsMaskCellSet(x, y));
        }
}

TEST(PatternRaster, SetSizeBelowOneKeepsFieldsAndBitmapsInStep) {
    PatternRaster g;
    g.SetSize(-5, 0);
    EXPECT_EQ(g.Width, g.Picture.width());
    EXPECT_EQ(g.Height, g.Picture.height());
    EXPECT_TRUE(g.IsMaskCellSet(0, 0));
}

TEST(PatternRaster, FilledMaskIsInsideEverywhereAndOutsideBeyondTheLines) {
    PatternRaster g;
    g.SetSize(200, 64);
    g.FillMask();
    for (int y = 0; y < g.Height; ++y)
        for (int x = 0; x < g.Width; ++x) ASSERT_FALSE(g.IsMaskCellSet(x, y)) << x << "," << y;
    EXPECT_TRUE(g.IsMaskCellSet(0, -1));
    EXPECT_TRUE(g.IsMaskCellSet(0, g.Height));
    EXPECT_TRUE(g.IsMaskCellSet(-1, 0));
    EXPECT_TRUE(g.IsMaskCellSet(g.Width, 0));
}

// A yarn colour equal to the background must not turn the garment "outside".
TEST(PatternRaster, FillMaskIgnoresAYarnColourEqualToTheBackground) {
    PatternRaster g;
    g.SetSize(30, 20);
    for (int i = 0; i < 17; ++i) g.Colors[i] = RGB(10 * i, 5 * i, 3 * i);
    g.Colors[3] = g.Colors[16] = RGB(255, 255, 255);
    g.Colors[15] = RGB(255, 255, 255);
    g.UpdatePalette(0);
    g.ClearMask();
    g.FillMask();
    for (int y = 0; y < g.Height; ++y)
        for (int x = 0; x < g.Width; ++x) ASSERT_FALSE(g.IsMaskCellSet(x, y));
    g.ClearMask();
    for (int y = 0; y < g.Height; ++y)
        for (int x = 0; x < g.Width; ++x) ASSERT_TRUE(g.IsMaskCellSet(x, y));
}

// The mask is stored upside down: design row 0 is mask line 0 but picture line Height-1.
TEST(PatternRaster, MaskLineZeroIsTheBottomPictureLine) {
    PatternRaster g;
    g.SetSize(8, 5);
    g.FillMask();
    std::fill(g.Mask.line(0), g.Mask.line(0) + g.Width, kMaskOutside);
    for (int x = 0; x < g.Width; ++x) {
        EXPECT_TRUE(g.IsMaskCellSet(x, g.Height - 1));
        EXPECT_FALSE(g.IsMaskCellSet(x, 0));
    }
    // The edge queries read mask lines by design row, unflipped.
    EXPECT_EQ(g.MaskRowRightEdge(0), -1);
    EXPECT_EQ(g.MaskRowRightEdge(g.Height - 1), g.Width - 1);
}

TEST(PatternRaster, MaskEdgesCountFromTheRightHandEnd) {
    PatternRaster g;
    g.SetSize(200, 10);
    g.ClearMask();
    std::fill(g.Mask.line(3) + 40, g.Mask.line(3) + 160, kMaskInside);
    EXPECT_EQ(g.MaskRowRightEdge(3), 159);
    EXPECT_EQ(g.MaskRowLeftEdge(3), 40);
    // A line without inside cells.
    EXPECT_EQ(g.MaskRowRightEdge(4), -1);
    EXPECT_EQ(g.MaskRowLeftEdge(4), 200);
    // A negative row.
    EXPECT_EQ(g.MaskRowRightEdge(-1), 0);
    EXPECT_EQ(g.MaskRowLeftEdge(-1), 199);
    // A row past the raster reads no other row.
    std::fill(g.Mask.line(0), g.Mask.line(0) + 200, kMaskInside);
    EXPECT_EQ(g.MaskRowRightEdge(10), -1);
    EXPECT_EQ(g.MaskRowLeftEdge(10), 200);
}

TEST(PatternRaster, MirrorMaskReversesEveryLineAtAnyWidth) {
    PatternRaster g;
    g.SetSize(5, 2);
    for (int x = 0; x < 5; ++x) g.Mask.line(0)[x] = static_cast<uint8_t>(x);
    g.MirrorMask();
    for (int x = 0; x < 5; ++x) EXPECT_EQ(g.Mask.line(0)[x], 4 - x);

    // Wider than an 8-bit column counter reaches.
    g.SetSize(600, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 600; ++x) g.Mask.line(y)[x] = static_cast<uint8_t>((x * 7 + y) & 0xFF);
    g.MirrorMask();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 600; ++x) ASSERT_EQ(g.Mask.line(y)[x], static_cast<uint8_t>(((599 - x) * 7 + y) & 0xFF));
}

TEST(PatternRaster, ColourFormulas) {
    EXPECT_EQ(GreyOf(RGB(255, 255, 255)), RGB(213, 213, 213));
    EXPECT_EQ(TintOf(RGB(255, 255, 255)), RGB(245, 213, 213));
    EXPECT_EQ(GreyOf(RGB(0, 0, 0)), RGB(150, 150, 150));
    EXPECT_EQ(TintOf(RGB(0, 0, 0)), RGB(182, 150, 150));
    // l = 0.3*100 + 0.59*40 + 0.11*200 = 75.6 -> 76, q = 19.
    EXPECT_EQ(GreyOf(RGB(100, 40, 200)), RGB(169, 169, 169));
    EXPECT_EQ(ClampColor(RGB(0, 0, 0)), RGB(2, 2, 2));
    EXPECT_EQ(ClampColor(RGB(1, 2, 3)), RGB(2, 2, 3));
    EXPECT_EQ(ContrastColor(RGB(128, 129, 0)), RGB(255, 1, 255));
}

// The bitmaps start with the built-in palette; the colours themselves start black
// until the start palette is loaded.
TEST(PatternRaster, BitmapsStartWithTheBuiltInPalette) {
    const PatternRaster g;
    for (const IndexedBitmap* b : {&g.Picture, &g.Backup, &g.Mask}) {
        EXPECT_EQ(b->palette()[0], RGB(96, 124, 108));
        EXPECT_EQ(b->palette()[8], RGB(104, 36, 56));
        EXPECT_EQ(b->palette()[9], RGB(255, 20, 0));
        EXPECT_EQ(b->palette()[14], RGB(255, 188, 188));
        EXPECT_EQ(b->palette()[15], RGB(255, 255, 255));
        EXPECT_EQ(b->palette()[16], RGB(16, 16, 16));
        EXPECT_EQ(b->palette()[254], RGB(254, 254, 254));
    }
    for (Color c : g.Colors) EXPECT_EQ(c, RGB(0, 0, 0));
}

TEST(PatternRaster, ApplyPaletteClampsColorsAndIgnoresUnknownModes) {
    PatternRaster g;
    g.SetSize(4, 4);
    g.Colors.fill(RGB(0, 0, 0));
    g.ApplyPalette(7);
    EXPECT_EQ(g.Colors[0], RGB(0, 0, 0));
    g.ApplyPalette(2);
    for (Color c : g.Colors) EXPECT_EQ(c, RGB(2, 2, 2));
    EXPECT_EQ(g.Picture.palette()[16], RGB(2, 2, 2));
}

TEST(PatternRaster, UpdatePaletteKeepsEveryCellIndex) {
    PatternRaster g;
    g.SetSize(40, 30);
    fillPicture(g);
    std::vector<uint8_t> before(g.Picture.data(), g.Picture.data() + g.Picture.sizeBytes());
    for (int i = 0; i < 17; ++i) g.Colors[i] = RGB(i * 15, 255 - i * 15, 7 * i);
    g.UpdatePalette(0);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), g.Picture.data()));
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(g.GreyColors[i], GreyOf(g.Colors[i]));
        EXPECT_EQ(g.ZoneColors[i], TintOf(g.Colors[i]));
        EXPECT_EQ(g.Mask.palette()[i], g.Colors[i]);
    }
}

TEST(PatternRaster, UpdatePaletteLeavesTheCopiedBlockInTheBackupAlone) {
    PatternRaster g;
    g.SetSize(40, 30);
    fillPicture(g);
    g.Backup.fill(7);
    g.UpdatePalette(0);
    for (int y = 0; y < g.Height; ++y)
        for (int x = 0; x < g.Width; ++x) ASSERT_EQ(g.Backup.line(y)[x], 7);
}
