#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "core/Environment.h"
#include "core/PatternRaster.h"
#include "editor/CanvasRenderer.h"
#include "editor/PrintLayout.h"

namespace lc::test {

TEST(PrintLayout, PatternPageAtThreeHundredDpi) {
    PrinterResolution dpi;
    dpi.Set(300, 300);
    const PatternPageLayout l = LayoutPatternPage(2400, 3300, dpi, 200, 1024, 1.0);
    EXPECT_EQ(l.textHeight, 35);
    EXPECT_EQ(l.versionY, 40);
    EXPECT_EQ(l.printedOnY, 99);
    ASSERT_TRUE(l.hasImage);
    EXPECT_DOUBLE_EQ(l.factor, 2.7490234375);
    EXPECT_EQ(l.image, (PageRect{20, 465, 550, 2815}));

    const PatternPageLayout half = LayoutPatternPage(2400, 3300, dpi, 200, 1024, 0.5);
    EXPECT_EQ(half.image, (PageRect{20, 465, 275, 1408})); // 1407.5 to the even neighbour
    // A scale of 0 is taken as fitting the page.
    EXPECT_EQ(LayoutPatternPage(2400, 3300, dpi, 200, 1024, 0).image, l.image);
}

TEST(PrintLayout, NothingToPrintOrNoRoomLeavesTheHeaderOnly) {
    PrinterResolution dpi;
    dpi.Set(300, 300);
    EXPECT_FALSE(LayoutPatternPage(2400, 3300, dpi, 0, 40, 1.0).hasImage);
    EXPECT_FALSE(LayoutPatternPage(2400, 3300, dpi, 41, 0, 1.0).hasImage);
    EXPECT_FALSE(LayoutPatternPage(30, 400, dpi, 200, 1024, 1.0).hasImage);
}

TEST(PrintLayout, PreviewPlacesThePageWithItsShadow) {
    const PreviewLayout l = LayoutPreview(300, 400, 2400, 3300);
    EXPECT_EQ(l.shadow, (PageRect{14, 12, 279, 384}));
    EXPECT_EQ(l.page, (PageRect{12, 10, 279, 384}));
    EXPECT_NEAR(l.contentScale, 384.0 / 3300, 1e-3);
    EXPECT_EQ(LayoutPreview(300, 400, 0, 3300).contentScale, 0);
}

TEST(PrintLayout, SelectionIsNormalisedAndClipped) {
    const CellRect r = NormalisedRect({10, 50, 4, 20});
    EXPECT_EQ(r, (CellRect{4, 20, 10, 50}));
    EXPECT_EQ(r.width(), 6);
    EXPECT_EQ(r.height(), 30);

    PatternRaster gd;
    gd.SetSize(200, 1024);
    EXPECT_EQ(PatternPrintSource(gd, {190, 1000, 230, 1100}, PrintRange::Selection, false).lines,
              (CellRect{190, 1000, 200, 1024}));
    EXPECT_TRUE(PatternPrintSource(gd, {5, 5, 5, 9}, PrintRange::Selection, false).lines.isEmpty());
    EXPECT_EQ(PatternPrintSource(gd, {}, PrintRange::WholeImage, false).lines, (CellRect{0, 0, 200, 1024}));
}

TEST(PrintLayout, GarmentPrintsTheMaskExtentWithPictureColoursInsideAndWhiteOutside) {
    PatternRaster gd;
    gd.SetSize(200, 1024);
    for (size_t i = 0; i < 16; ++i) gd.Colors[i] = P256()[i];
    // A light background: composing by bitwise OR would print the garment blank.
    gd.Colors[16] = RGB(250, 250, 250);
    gd.UpdatePalette(0);
    gd.Mask.fill(kMaskOutside);
    for (int line = 0; line <= 40; ++line)
        for (int x = 80; x <= 120; ++x)
            if (!(line == 40 && x == 80)) gd.Mask.line(line)[x] = kMaskInside; // one corner cut off
    for (int y = 0; y < 1024; ++y) std::fill(gd.Picture.line(y), gd.Picture.line(y) + 200, uint8_t(3));

    const PrintSource s = PatternPrintSource(gd, {}, PrintRange::WholeImage, true);
    EXPECT_EQ(s.lines, (CellRect{80, 983, 121, 1024})); // 41 x 41, standing on the bottom row
    const std::vector<uint32_t> img = ComposePrintImage(gd, s);
    ASSERT_EQ(img.size(), 41u * 41u);
    const uint32_t yarn = ArgbOf(gd.Picture.palette()[3]);
    EXPECT_EQ(img[0], 0xFFFFFFFFu);    // top left: the cut-off corner, outside
    EXPECT_EQ(img[1], yarn);           // its neighbour inside
    EXPECT_EQ(img[41 * 41 - 1], yarn); // bottom right
    gd.Mask.fill(kMaskOutside);
    EXPECT_TRUE(PatternPrintSource(gd, {}, PrintRange::WholeImage, true).lines.isEmpty());
}

using PrintedBlock = EditorTest;

TEST_F(PrintedBlock, SelectionPrintsTheBlockAsItWasCutNotTheHoleLeft) {
    fillMarkers();
    state.ColorB = 9;
    use(toolCutBlock);
    drag(10, 10, 13, 13); // columns 10..12, rows 10..12
    ASSERT_EQ(cell(11, 11), 9);
    const PrintSource s = PatternPrintSource(gd, state.BlockRect, PrintRange::Selection, false);
    ASSERT_EQ(s.lines.width(), 3);
    ASSERT_EQ(s.lines.height(), 3);
    const std::vector<uint32_t> img = ComposePrintImage(gd, s);
    ASSERT_EQ(img.size(), 9u);
    // Top line first: the image's row y is pattern row 12 - y.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(img[size_t(y * 3 + x)], ArgbOf(gd.Picture.palette()[marker(10 + x, 12 - y)])) << x << "," << y;
        }
}

} // namespace lc::test
