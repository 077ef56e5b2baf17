#include <gtest/gtest.h>

#include <set>

#include "shell/PictureConverter.h"

using namespace lc;

namespace {

RgbImage halves(int w, int h, Color left, Color right) {
    RgbImage img{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Color c = x < w / 2 ? left : right;
            uint8_t* p = img.Rgb.data() + (static_cast<size_t>(y) * w + x) * 3;
            p[0] = RedOf(c), p[1] = GreenOf(c), p[2] = BlueOf(c);
        }
    return img;
}

} // namespace

TEST(PictureConverter, ToleranceIsTheRootOfTheChannelSum) {
    EXPECT_DOUBLE_EQ(ColorDistance(RGB(0, 0, 0), RGB(1, 0, 0)), 1.0);
    EXPECT_TRUE(ColorsMatch(RGB(0, 0, 0), RGB(1, 0, 0), 1));
    EXPECT_FALSE(ColorsMatch(RGB(0, 0, 0), RGB(1, 1, 0), 1));
    EXPECT_TRUE(ColorsMatch(RGB(0, 0, 0), RGB(200, 200, 0), 20));
    EXPECT_FALSE(ColorsMatch(RGB(0, 0, 0), RGB(200, 200, 1), 20));
}

// Red and blue halves, 20 x 10 stitches, 2 colours: two palette colours, the
// halves on two indices, the block (0,0,20,10); the editor's colours stay
// unless "Replace colors" is asked, and then every derived palette follows.
TEST(PictureConverter, TwoColourPictureConvertsAndInsertsAsIndices) {
    PictureConverter conv;
    conv.random().seed(7);
    conv.setPicture(halves(100, 50, RGB(255, 0, 0), RGB(0, 0, 255)));
    ASSERT_TRUE(conv.convert({20, 10, 2, 1}, 400, 200, 250));
    const std::set<Color> used(conv.cells().begin(), conv.cells().end());
    EXPECT_EQ(used, (std::set<Color>{RGB(255, 0, 0), RGB(0, 0, 255)}));

    PatternRaster raster;
    raster.SetSize(250, kPatternRows);
    const ColorTable17 before = raster.Colors;
    EXPECT_EQ(conv.insertInto(raster, false), (CellRect{0, 0, 20, 10}));
    EXPECT_EQ(raster.Colors, before);
    const uint8_t left = raster.Backup.at(0, 0), right = raster.Backup.at(19, 9);
    EXPECT_NE(left, right);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 20; ++c) ASSERT_EQ(raster.Backup.at(c, r), c < 10 ? left : right) << c << "," << r;

    conv.insertInto(raster, true);
    EXPECT_EQ(raster.Colors[left], RGB(255, 2, 2)); // channels below 2 are raised
    EXPECT_EQ(raster.Backup.palette()[left], RGB(255, 2, 2));
    EXPECT_EQ(raster.GreyColors[left], GreyOf(RGB(255, 2, 2)));
}

// Nothing is inserted before a conversion; once made, the conversion stays
// insertable through "Undo convertion" and a new picture.
TEST(PictureConverter, TheLastConversionStaysReadyToInsert) {
    PictureConverter conv;
    PatternRaster raster;
    raster.SetSize(200, kPatternRows);
    conv.setPicture(halves(60, 30, RGB(0, 0, 0), RGB(255, 255, 255)));
    EXPECT_TRUE(conv.insertInto(raster, false).isEmpty());
    ASSERT_TRUE(conv.convert({12, 10, 2, 1}, 60, 30, 200));
    conv.undoConversion();
    conv.setPicture(halves(8, 8, RGB(9, 9, 9), RGB(9, 9, 9)));
    raster.Backup.fill(9);
    EXPECT_EQ(conv.insertInto(raster, false), (CellRect{0, 0, 12, 10}));
    EXPECT_NE(raster.Backup.at(0, 0), raster.Backup.at(11, 9)); // the black and the white half
    EXPECT_LT(std::max(raster.Backup.at(0, 0), raster.Backup.at(11, 9)), 2);
}

// On the 150-needle machine 200 stitches are kept to 150: nothing is written past the raster.
TEST(PictureConverter, StitchesAreKeptToTheRasterWidth) {
    PictureConverter conv;
    conv.setPicture(halves(300, 100, RGB(0, 0, 0), RGB(255, 255, 255)));
    ASSERT_TRUE(conv.convert({200, 20, 2, 1}, 600, 200, 150));
    EXPECT_EQ(conv.lastSettings().Stitches, 150);
    PatternRaster raster;
    raster.SetSize(150, kPatternRows);
    EXPECT_EQ(conv.insertInto(raster, false), (CellRect{0, 0, 150, 20}));
}

// A colour only in the last column is still found by the census and the mapping.
TEST(PictureConverter, TheLastColumnTakesPart) {
    RgbImage img = halves(20, 10, RGB(0, 0, 0), RGB(0, 0, 0));
    for (int y = 0; y < 10; ++y) img.Rgb[(static_cast<size_t>(y) * 20 + 19) * 3] = 255;
    PictureConverter conv;
    conv.random().seed(1);
    conv.setPicture(img);
    ASSERT_TRUE(conv.convert({10, 10, 3, 1}, 20, 10, 250));
    EXPECT_EQ(conv.cells()[9], RGB(255, 0, 0));
    EXPECT_EQ(conv.cells()[0], RGB(0, 0, 0));
}

TEST(PictureConverter, PicksStayWithinTheDesiredColours) {
    PictureConverter conv;
    conv.addPicked(RGB(1, 1, 1), 2);
    conv.addPicked(RGB(2, 2, 2), 2);
    conv.addPicked(RGB(3, 3, 3), 2);
    EXPECT_EQ(conv.pickedCount(), 2);
    EXPECT_EQ(conv.palette()[2], RGB(3, 3, 3));
    conv.addPicked(RGB(4, 4, 4), 3);
    conv.limitPicked(2);
    EXPECT_EQ(conv.pickedCount(), 2);
}

TEST(PictureConverter, ZoomNeedsASourcePixelAndHistoryGoesBack) {
    PictureConverter conv;
    EXPECT_FALSE(conv.zoomBack());
    conv.setPicture(halves(100, 50, RGB(0, 0, 0), RGB(255, 255, 255)));
    const ViewArea all = conv.view();
    EXPECT_FALSE(conv.zoomTo(10, 10, 10, 40, 200));
    EXPECT_EQ(conv.historySize(), 0);
    ASSERT_TRUE(conv.zoomTo(100, 0, 199, 99, 200)); // the right half at scale 2
    EXPECT_EQ(conv.view(), (ViewArea{50, 0, 99, 49}));
    EXPECT_EQ(conv.colorAt(0, 0, 50, 50), RGB(255, 255, 255));
    ASSERT_TRUE(conv.zoomBack());
    EXPECT_EQ(conv.view(), all);

    // A one-pixel picture is shown and converts.
    conv.setPicture(halves(1, 1, RGB(9, 9, 9), RGB(9, 9, 9)));
    int w = 0, h = 0;
    conv.fitBox(300, 200, w, h);
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 200);
    ASSERT_TRUE(conv.convert({10, 10, 2, 1}, w, h, 250));
}
