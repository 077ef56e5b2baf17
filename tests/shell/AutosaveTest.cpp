#include <gtest/gtest.h>

#include <cstring>

#include "TestFiles.h"
#include "core/Bytes.h"
#include "core/Errors.h"
#include "garment/GarmentFile.h"
#include "garment/GarmentOutline.h"
#include "shell/Autosave.h"

namespace {

lc::PatternRaster rasterOf(int width) {
    lc::PatternRaster r;
    r.SetSize(width, lc::kPatternRows);
    r.FillMask();
    return r;
}

// A drawing that tells rows and columns apart, and a mask with a garment in it.
void scribble(lc::PatternRaster& r) {
    for (int y = 0; y < r.Height; ++y)
        for (int x = 0; x < r.Width; ++x) r.Picture.line(y)[x] = static_cast<uint8_t>((x * 7 + y * 3) % 16);
    for (int y = 10; y < 300; ++y)
        for (int x = 20; x < r.Width - 20; ++x) r.Mask.line(y)[x] = lc::kMaskInside;
}

bool sameCells(const lc::IndexedBitmap& a, const lc::IndexedBitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.line(y), b.line(y), static_cast<size_t>(a.width())) != 0) return false;
    return true;
}

lc::AppState someState() {
    lc::AppState s;
    s.GarmentMode = false;
    s.ZoneOn = true;
    s.ZoneRow = 40;
    s.CarriageSide = 1;
    s.TechniqueName = "Fair Isle";
    s.RowCounter = 17;
    s.LeftCam = 12;
    s.RightCam = 130;
    s.GarmentRows = 290;
    s.GarmentWidth = 111;
    s.TechniqueKind = 1;
    return s;
}

} // namespace

TEST(Autosave, FileOfAnEmptyGarmentOn200NeedlesHasTheFixedLayout) {
    lc::PatternRaster r = rasterOf(200);
    lc::AppState s;
    s.GarmentMode = true;
    s.TechniqueName = "Tuck Stitch";
    const std::vector<uint8_t> bytes = lc::BuildAutosave(r, {}, s).SaveToBytes();
    ASSERT_EQ(bytes.size(), 410286u);
    // Author "Loopcrafter" as a length byte and text from offset 4; no preview.
    EXPECT_EQ(bytes[4], 11);
    EXPECT_EQ(std::string(bytes.begin() + 5, bytes.begin() + 16), "Loopcrafter");
    EXPECT_EQ(lc::GetU32LE(&bytes[76]), 0u);

    lc::ModelFile back;
    back.LoadFromBytes(bytes);
    ASSERT_EQ(back.Items.size(), 4u);
    const std::string names[] = {"Drawing", "Garment", std::string("Mask") + "a", "State"};
    const int kinds[] = {1, 2, 8, 8};
    const size_t sizes[] = {204800, 14, 204800, 356};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(back.Items[i].Name, names[i]);
        EXPECT_EQ(back.Items[i].Kind, kinds[i]);
        EXPECT_EQ(back.Items[i].ParentId, 0);
        EXPECT_EQ(back.Items[i].Data.size(), sizes[i]);
    }
    const std::vector<uint8_t>& st = back.Items[3].Data;
    EXPECT_EQ(st[4], 1);                          // garment mode
    EXPECT_EQ(lc::GetU32LE(&st[6]), 0xFFFFFFFFu); // no zone
    EXPECT_EQ(st[14], 11);                        // technique name length
    EXPECT_EQ(std::string(&st[15], &st[26]), "Tuck Stitch");
}

TEST(Autosave, A150NeedleDrawingSurvivesCloseAndRestart) {
    lc::test::TempDir dir;
    lc::PatternRaster before = rasterOf(150);
    scribble(before);
    lc::GarmentOutline garment;
    const std::vector<uint8_t> garmentItem = lc::GarmentItemBytes(garment);
    const std::string file = lc::AutosavePath(dir.folder());
    lc::WriteAutosave(file, before, garmentItem, someState());

    lc::PatternRaster after = rasterOf(150);
    lc::RestoredAutosave r;
    ASSERT_TRUE(lc::ReadAutosave(file, after, r));
    EXPECT_TRUE(sameCells(before.Picture, after.Picture));
    EXPECT_TRUE(sameCells(before.Mask, after.Mask));
    EXPECT_EQ(r.State, someState());
    EXPECT_EQ(after.GarmentRows, 290);
    EXPECT_EQ(after.GarmentWidth, 111);
    EXPECT_EQ(r.GarmentItem, garmentItem);

    // No file: nothing restored, nothing changed.
    lc::PatternRaster untouched = rasterOf(150);
    EXPECT_FALSE(lc::ReadAutosave(dir.file("none.lc"), untouched, r));
}

TEST(Autosave, RestoredStateIsKeptToThePattern) {
    lc::AppState s = someState();
    s.RightCam = 240; // written on a wider machine
    lc::ClampAppState(s, 200, 1024);
    EXPECT_EQ(s.RightCam, 200);
    EXPECT_EQ(s.LeftCam, 12);

    s.LeftCam = -30;
    s.RightCam = -5;
    lc::ClampAppState(s, 200, 1024);
    EXPECT_EQ(s.LeftCam, 0);
    EXPECT_EQ(s.RightCam, 0);

    s.LeftCam = 150;
    s.RightCam = 20;
    s.ZoneRow = 5000;
    s.ZoneOn = true;
    s.GarmentRows = 99999;
    s.GarmentWidth = -4;
    s.CarriageSide = 7;
    lc::ClampAppState(s, 200, 1024);
    EXPECT_LE(s.LeftCam, s.RightCam);
    EXPECT_EQ(s.ZoneRow, -1);
    EXPECT_FALSE(s.ZoneOn);
    EXPECT_EQ(s.GarmentRows, 1024);
    EXPECT_EQ(s.GarmentWidth, 0);
    EXPECT_EQ(s.CarriageSide, 1);
}

TEST(Autosave, StateRecordReadsItsFirst356BytesAndKeepsTheKind) {
    std::vector<uint8_t> longer(400, 0);
    const auto packed = lc::PackAppState(someState());
    std::copy(packed.begin(), packed.end(), longer.begin());
    std::fill(longer.begin() + 356, longer.end(), 0xEE);
    EXPECT_EQ(lc::UnpackAppState(longer), someState());
    // An older file has zeros where the kind goes: no kind, the name decides.
    EXPECT_EQ(lc::GetU32LE(&packed[236]), 1u);
    std::vector<uint8_t> old(packed.begin(), packed.begin() + 236);
    EXPECT_EQ(lc::UnpackAppState(old).TechniqueKind, 0);
    EXPECT_EQ(lc::UnpackAppState(old).TechniqueName, "Fair Isle");
}

TEST(Autosave, DamagedAutosaveIsRefusedWholeAndChangesNothing) {
    lc::PatternRaster source = rasterOf(200);
    scribble(source);
    const lc::ModelFile good = lc::BuildAutosave(source, {}, someState());

    const lc::PatternRaster blank = rasterOf(200);
    auto refused = [&](const lc::ModelFile& m) {
        lc::PatternRaster r = blank;
        lc::RestoredAutosave out;
        EXPECT_THROW(lc::RestoreAutosave(m, r, out), lc::FormatError);
        EXPECT_TRUE(sameCells(r.Picture, blank.Picture));
        EXPECT_TRUE(sameCells(r.Mask, blank.Mask));
        EXPECT_EQ(r.GarmentRows, 0);
    };
    lc::ModelFile noState = good;
    noState.DeleteItem(3);
    refused(noState);
    lc::ModelFile badGarment = good;
    std::vector<uint8_t> garment = {0, 0, 0, 0, 0, 0, 100, 0, 0, 0}; // 100 points, no bytes for them
    badGarment.StoreGarment(1, garment);
    refused(badGarment);

    // A file cut short is refused by the reader; the raster stays blank.
    lc::test::TempDir dir;
    std::vector<uint8_t> bytes = good.SaveToBytes();
    bytes.resize(bytes.size() / 2);
    lc::test::writeFile(dir.file("autosave.lc"), bytes);
    lc::PatternRaster r = blank;
    lc::RestoredAutosave out;
    EXPECT_THROW(lc::ReadAutosave(dir.file("autosave.lc"), r, out), lc::Error);
    EXPECT_TRUE(sameCells(r.Picture, blank.Picture));
}

TEST(Autosave, AWriteCutShortLeavesThePreviousAutosave) {
    lc::test::TempDir dir;
    const std::string file = lc::AutosavePath(dir.path.string());
    lc::PatternRaster first = rasterOf(200);
    scribble(first);
    lc::WriteAutosave(file, first, {}, someState());
    const std::vector<uint8_t> kept = lc::test::readFile(file);
    ASSERT_EQ(kept.size(), 410286u);

    lc::PatternRaster second = rasterOf(200);
    for (long long limit : {0LL, 88LL, 4096LL, 205000LL, 410000LL}) {
        {
            lc::test::FileSizeLimit cut(limit);
            EXPECT_THROW(lc::WriteAutosave(file, second, {}, lc::AppState()), lc::IoError) << limit;
        }
        EXPECT_EQ(lc::test::readFile(file), kept) << limit;
    }
}
