#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/StitchBitmaps.h"
#include "core/Workspace.h"
#include "shell/PictureFiles.h"
#include "TestFiles.h"

using namespace lc;
using namespace lc::test;

namespace {

std::vector<uint8_t> header(uint16_t mark, uint16_t w, uint16_t h, uint16_t type) {
    std::vector<uint8_t> b = {'Z',           'T',
                              uint8_t(mark), uint8_t(mark >> 8),
                              uint8_t(w),    uint8_t(w >> 8),
                              uint8_t(h),    uint8_t(h >> 8),
                              uint8_t(type), uint8_t(type >> 8)};
    b.resize(66, 0);
    return b;
}

// A picture file built by hand: row i holds bytes f(i, k).
std::vector<uint8_t> pictureFile(int w, int h, uint8_t (*f)(int, int)) {
    auto b = header(0, uint16_t(w), uint16_t(h), 2);
    for (int i = 0; i < h; ++i)
        for (int k = 0; k < w / 2; ++k) b.push_back(f(i, k));
    return b;
}

void fill(IndexedBitmap& bmp, int seed) {
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x) bmp.line(y)[x] = static_cast<uint8_t>((x * 5 + y * 3 + seed) % 17);
}
std::vector<uint8_t> cells(const IndexedBitmap& bmp) {
    std::vector<uint8_t> out;
    for (int y = 0; y < bmp.height(); ++y) out.insert(out.end(), bmp.line(y), bmp.line(y) + bmp.width());
    return out;
}

struct CountingView : IDrawingView {
    int stitch = 0, bobbins = 0, picture = 0, grid = 0;
    void BuildStitchBitmaps() override { ++stitch; }
    void MakeBobbins() override { ++bobbins; }
    void RepaintPicture() override { ++picture; }
    void RepaintPaletteGrid() override { ++grid; }
};

class PictureFilesTest : public ::testing::Test {
protected:
    void SetUp() override { g.SetSize(200, 1024); }
    TempDir dir;
    PatternRaster g;
};

} // namespace

TEST_F(PictureFilesTest, PictureOfTheWholeRasterIsWrittenTopLineFirst) {
    fill(g.Picture, 0);
    g.Picture.line(0)[0] = 16; // background stored as 0, its neighbour untouched
    g.Picture.line(0)[1] = 9;
    const std::string f = dir.file("p.LCW");
    SavePicture(f, g);
    const auto bytes = readFile(f);
    ASSERT_EQ(bytes.size(), 102466u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 10),
              (std::vector<uint8_t>{0x5A, 0x54, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x04, 0x02, 0x00}));
    for (size_t i = 10; i < 66; ++i) ASSERT_EQ(bytes[i], 0);
    EXPECT_EQ(bytes[66], 0x09);
    for (int y = 0; y < 1024; y += 41)
        for (int k = 1; k < 100; k += 9) {
            auto nib = [](uint8_t c) { return c == 16 ? 0 : c; };
            const uint8_t want = uint8_t(nib(g.Picture.line(y)[2 * k]) << 4 | nib(g.Picture.line(y)[2 * k + 1]));
            ASSERT_EQ(bytes[66 + size_t(y) * 100 + k], want) << y << "," << k;
        }

    PatternRaster back;
    back.SetSize(200, 1024);
    CountingView view;
    EXPECT_EQ(OpenPicture(f, back, &view), PictureResult::Picture);
    EXPECT_EQ(view.picture, 1);
    auto expected = cells(g.Picture);
    for (auto& c : expected) c = c == 16 ? 0 : c;
    EXPECT_EQ(cells(back.Picture), expected);
}

TEST_F(PictureFilesTest, ShortPictureFillsTheBottomRowsOnly) {
    fill(g.Picture, 4);
    const auto before = cells(g.Picture);
    const auto file = pictureFile(200, 512, [](int i, int k) { return uint8_t((i + k) & 0xFF); });
    ASSERT_EQ(OpenPictureBytes(file, g), PictureResult::Picture);
    const auto after = cells(g.Picture);
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 512 * 200, before.begin())); // rows 512..1023 kept
    // The first stored row became pattern row 511 (line 512).
    EXPECT_EQ(g.CellAt(0, 511), 0);
    EXPECT_EQ(g.CellAt(2, 511), 0);
    EXPECT_EQ(g.CellAt(3, 511), 1);
    EXPECT_EQ(g.CellAt(2, 1), 15); // stored row 510 (byte 1 = 0xFF) is pattern row 1
}

TEST_F(PictureFilesTest, OddWidthLosesItsLastStitchAsTheFormatSays) {
    PatternRaster seven;
    seven.SetSize(7, 1024);
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 7; ++x) seven.Picture.line(y)[x] = uint8_t(x + 1);
    const auto bytes = BuildPictureFile(seven);
    EXPECT_EQ(bytes.size(), 66u + 3u * 1024u);
    EXPECT_EQ(bytes[66], 0x12);
    EXPECT_EQ(bytes[68], 0x56);
    ASSERT_EQ(OpenPictureBytes(bytes, seven), PictureResult::Picture);
    EXPECT_EQ(seven.Picture.line(5)[5], 6);
    EXPECT_EQ(seven.Picture.line(5)[6], 0);
}

TEST_F(PictureFilesTest, WiderPicturesAreCutAndNarrowerOnesLeaveTheRest) {
    fill(g.Picture, 1);
    const auto wide = pictureFile(250, 1024, [](int, int) { return uint8_t(0x77); });
    ASSERT_EQ(OpenPictureBytes(wide, g), PictureResult::Picture);
    for (int x = 0; x < 200; ++x) ASSERT_EQ(g.Picture.line(100)[x], 7);

    fill(g.Picture, 1);
    const auto before = cells(g.Picture);
    const auto narrow = pictureFile(150, 1024, [](int, int) { return uint8_t(0x33); });
    ASSERT_EQ(OpenPictureBytes(narrow, g), PictureResult::Picture);
    for (int y = 0; y < 1024; y += 100) {
        for (int x = 0; x < 150; ++x) ASSERT_EQ(g.Picture.line(y)[x], 3);
        for (int x = 150; x < 200; ++x) ASSERT_EQ(g.Picture.line(y)[x], before[size_t(y) * 200 + x]);
    }

    // 1000 rows land from the top; lines below keep their content.
    fill(g.Picture, 2);
    const auto before2 = cells(g.Picture);
    const auto tall = pictureFile(200, 1000, [](int, int) { return uint8_t(0x88); });
    ASSERT_EQ(OpenPictureBytes(tall, g), PictureResult::Picture);
    EXPECT_EQ(g.Picture.line(999)[0], 8);
    EXPECT_EQ(g.Picture.line(1000)[0], before2[1000 * 200]);
}

TEST_F(PictureFilesTest, PicturesThatDoNotFitAreRefusedWithoutTouchingTheRaster) {
    fill(g.Picture, 3);
    const auto before = cells(g.Picture);
    auto refused = [&](const std::vector<uint8_t>& file, const char* what) {
        EXPECT_THROW(OpenPictureBytes(file, g), FormatError) << what;
        EXPECT_EQ(cells(g.Picture), before) << what;
    };
    auto zero = [](int, int) { return uint8_t(0x11); };
    refused(pictureFile(200, 700, zero), "height between 513 and 999");
    refused(pictureFile(200, 513, zero), "height 513");
    refused(pictureFile(200, 999, zero), "height 999");
    refused(pictureFile(200, 1100, zero), "taller than the raster");
    refused(header(0, 200, 0, 2), "no rows");
    refused(pictureFile(1, 10, zero), "one stitch");
    refused(pictureFile(402, 10, zero), "wider than any machine");
    auto huge = header(0, 60000, 1024, 2);
    huge.resize(huge.size() + 1000, 0x11);
    refused(huge, "60000 wide");
    auto cut = pictureFile(200, 1024, zero);
    cut.resize(cut.size() - 1);
    refused(cut, "cut short");
    refused({'Z', 'T', 0, 0}, "header cut short");
    // Too short for the header is a failed read even without the mark; only a
    // whole header without it is merely not recognised.
    refused({}, "empty file");
    refused(std::vector<uint8_t>(23, 'x'), "23 bytes without the mark");
    refused(std::vector<uint8_t>(65, 'x'), "one byte short of the header");

    PatternRaster small; // a raster too low for a 512-row picture at line 512
    small.SetSize(200, 600);
    EXPECT_THROW(OpenPictureBytes(pictureFile(200, 100, zero), small), FormatError);
}

TEST_F(PictureFilesTest, UnknownHeadersOnlyRepaint) {
    fill(g.Picture, 3);
    const auto before = cells(g.Picture);
    CountingView view;
    EXPECT_EQ(OpenPictureBytes(std::vector<uint8_t>(100, 'x'), g, &view), PictureResult::NotRecognised);
    EXPECT_EQ(OpenPictureBytes(header(0, 200, 1024, 3), g, &view), PictureResult::NotRecognised);
    EXPECT_EQ(view.picture, 2);
    EXPECT_EQ(cells(g.Picture), before);
}

TEST_F(PictureFilesTest, PaletteFileIs134BytesOfHeaderAndColours) {
    g.Colors.fill(0);
    g.Colors[0] = RGB(96, 124, 108);
    g.Colors[16] = RGB(1, 2, 3) | 0xFF000000u; // a stray high byte is never written
    const std::string f = dir.file("p.LCP");
    SavePalette(f, g.Colors);
    const auto bytes = readFile(f);
    ASSERT_EQ(bytes.size(), 134u);
    auto expected = header(339, 0, 0, 1);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 66), expected);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 66, bytes.begin() + 70),
              (std::vector<uint8_t>{0x60, 0x7C, 0x6C, 0x00}));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 130, bytes.end()), (std::vector<uint8_t>{1, 2, 3, 0}));

    PatternRaster back;
    back.SetSize(4, 4);
    CountingView view;
    EXPECT_TRUE(LoadPalette(f, true, &view, back));
    EXPECT_EQ(back.Colors[0], RGB(96, 124, 108));
    EXPECT_EQ(back.Colors[16], RGB(1, 2, 3));
    EXPECT_EQ(back.Picture.palette()[0], RGB(96, 124, 108)); // re-applied to the bitmaps
    EXPECT_EQ(view.stitch, 1);
    EXPECT_EQ(view.bobbins, 1);
    EXPECT_EQ(view.grid, 1);

    // Through the picture opener ("Load Stich Pattern"), a palette loads too.
    PatternRaster other;
    other.SetSize(4, 4);
    EXPECT_EQ(OpenPicture(f, other, &view), PictureResult::Palette);
    EXPECT_EQ(other.Colors[0], RGB(96, 124, 108));
}

TEST_F(PictureFilesTest, PaletteWithTheWrongMarkChangesNoColourButStillRebuilds) {
    auto bytes = header(338, 0, 0, 1);
    for (int i = 0; i < 17; ++i) bytes.insert(bytes.end(), {0x11, 0x22, 0x33, 0x00});
    const auto before = g.Colors;
    CountingView view;
    EXPECT_FALSE(LoadPaletteBytes(bytes, false, &view, g));
    EXPECT_EQ(g.Colors, before);
    EXPECT_EQ(view.stitch, 1);
    EXPECT_EQ(view.picture, 0); // no repaint asked for

    auto cut = header(339, 0, 0, 1);
    cut.resize(100, 0x44);
    EXPECT_THROW(LoadPaletteBytes(cut, true, &view, g), FormatError);
    EXPECT_EQ(g.Colors, before);
}

TEST_F(PictureFilesTest, ShippedStartPaletteHasDistinctYarnsAndItsOwnBackground) {
    const char* src = std::getenv("LC_SOURCE_DIR");
    ASSERT_NE(src, nullptr);
    PatternRaster s;
    s.SetSize(4, 4);
    ASSERT_TRUE(LoadStartPalette(std::string(src) + "/resources/program/", nullptr, s));
    auto dist = [](Color a, Color b) {
        return std::hypot(RedOf(a) - RedOf(b), GreenOf(a) - GreenOf(b), BlueOf(a) - BlueOf(b));
    };
    for (int i = 0; i < 17; ++i)
        for (int j = i + 1; j < 17; ++j) EXPECT_GT(dist(s.Colors[i], s.Colors[j]), 45.0) << i << " " << j;
    EXPECT_FALSE(LoadStartPalette(dir.path.string(), nullptr, s)); // none there: nothing changes
}

// Start-up tints the stitch pictures while the colours are still black; the
// start palette, loaded afterwards without a view, must tint them again.
TEST_F(PictureFilesTest, StartPaletteRetintsTheStitchPictures) {
    const char* src = std::getenv("LC_SOURCE_DIR");
    ASSERT_NE(src, nullptr);
    Workspace ws;
    ws.Paths.AppDir = std::string(src) + "/resources/program/";
    ws.Raster.SetSize(4, 4);
    LoadStitchSource(ws.Stitches);
    BuildStitchBitmaps(ws);
    ASSERT_TRUE(LoadStartPalette(ws));

    const StitchPictures& got = ws.Stitches;
    const int zoom = ws.Editor.ZoomIndex;
    std::array<StitchRgb, 16> want;
    BuildStitchBitmaps(got.Source, ws.Raster.Colors, CellWidths[zoom], ws.Editor.CellHeights[zoom], want);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(got.Bitmaps[i].rgb, want[i].rgb) << i;
    EXPECT_NE(got.Bitmaps[1].rgb, std::vector<uint8_t>(got.Bitmaps[1].rgb.size(), 0));
}

TEST_F(PictureFilesTest, InterruptedSaveLeavesTheOldFileIntact) {
    const std::string f = dir.file("p.LCW");
    SavePicture(f, g);
    const auto old = readFile(f);
    fill(g.Picture, 9);
    for (long long k : {0LL, 10LL, 66LL, 50000LL, 102465LL}) {
        {
            FileSizeLimit cut(k);
            EXPECT_THROW(SavePicture(f, g), IoError) << k;
        }
        EXPECT_EQ(readFile(f), old) << k;
    }
}
