#include <gtest/gtest.h>

#include "core/PatternRaster.h"
#include "core/StitchBitmaps.h"
#include "core/StitchDefault.h"
#include "core/Workspace.h"

using namespace lc;

namespace {
GreyImage ramp(int w, int h) {
    GreyImage g{w, h, {}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) g.pixels.push_back(static_cast<uint8_t>(y * 16 + x));
    return g;
}
} // namespace

TEST(StitchBitmaps, TintEachColourFromTheGreyPicture) {
    ColorTable17 colors{};
    for (int i = 0; i < 16; ++i) colors[i] = RGB(i * 16, 255 - i * 16, 128);
    const GreyImage src = ramp(4, 6);
    std::array<StitchRgb, 16> out;
    BuildStitchBitmaps(src, colors, 4, 6, out); // 1:1, every source pixel once
    for (int i = 0; i < 16; ++i) {
        ASSERT_EQ(out[i].width, 4);
        ASSERT_EQ(out[i].height, 6);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 4; ++x) {
                const unsigned v = src.at(x, y);
                const uint8_t* p = out[i].pixel(x, y);
                ASSERT_EQ(p[0], (v * RedOf(colors[i])) >> 8);
                ASSERT_EQ(p[1], (v * GreenOf(colors[i])) >> 8);
                ASSERT_EQ(p[2], (v * 128u) >> 8);
            }
    }
}

TEST(StitchBitmaps, SampleAtRoundedSourcePositions) {
    ColorTable17 colors{};
    colors[0] = RGB(255, 255, 255);
    GreyImage src{21, 27, {}};
    for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 21; ++x) src.pixels.push_back(static_cast<uint8_t>(x * 10 + (y % 2)));
    std::array<StitchRgb, 16> out;
    BuildStitchBitmaps(src, colors, 3, 3, out);
    // sx = 7: columns 0, 7, 14; sy = 9: lines 0, 9, 18 (odd line 9 adds 1).
    EXPECT_EQ(out[0].pixel(1, 0)[0], (70u * 255) >> 8);
    EXPECT_EQ(out[0].pixel(2, 1)[0], (141u * 255) >> 8);
}

// A cell much taller than the picture would sample past its last line.
TEST(StitchBitmaps, TallCellsStayInsideThePicture) {
    ColorTable17 colors{};
    colors[5] = RGB(255, 255, 255);
    const GreyImage src = ramp(4, 6);
    std::array<StitchRgb, 16> out;
    BuildStitchBitmaps(src, colors, 23, 255, out);
    ASSERT_EQ(out[5].height, 255);
    // The last lines take the last source line, not what follows the picture.
    EXPECT_EQ(out[5].pixel(22, 254)[0], (unsigned(src.at(3, 5)) * 255) >> 8);

    // The same through a workspace, with the gauge that makes the tallest cells.
    Workspace ws;
    ws.Raster.Colors = colors;
    LoadStitchSource(ws.Stitches);
    ws.Editor.ZoomIndex = 10;
    ws.Editor.CellHeights[10] = 255;
    const uint64_t before = ws.Stitches.Revision;
    BuildStitchBitmaps(ws);
    EXPECT_EQ(ws.Stitches.Rect, (CellRect{0, 0, 22, 254}));
    EXPECT_EQ(ws.Stitches.Bitmaps[5].pixel(0, 254)[0], (unsigned(kStitchDefault[26][0]) * 255) >> 8);
    EXPECT_GT(ws.Stitches.Revision, before);
}

TEST(StitchBitmaps, AnEmptySourceGivesPlainColours) {
    ColorTable17 colors{};
    colors[2] = RGB(200, 100, 0);
    std::array<StitchRgb, 16> out;
    BuildStitchBitmaps(GreyImage{}, colors, 5, 0, out);
    ASSERT_EQ(out[2].height, 1);
    EXPECT_EQ(out[2].pixel(4, 0)[0], (255u * 200) >> 8);
    EXPECT_EQ(out[2].pixel(4, 0)[1], (255u * 100) >> 8);
}
