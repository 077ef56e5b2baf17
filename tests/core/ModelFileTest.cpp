#include <gtest/gtest.h>

#include <cstring>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/PatternRaster.h"
#include "core/ModelFile.h"
#include "TestFiles.h"

using namespace lc;
using namespace lc::test;

namespace {

// Little-endian helpers for building files by hand.
struct Bytes {
    std::vector<uint8_t> b;
    Bytes& u8(uint8_t v) {
        b.push_back(v);
        return *this;
    }
    Bytes& u16(uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& i32(int32_t v) {
        for (int i = 0; i < 4; ++i) u8((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
        return *this;
    }
    Bytes& zeros(size_t n) {
        b.insert(b.end(), n, 0);
        return *this;
    }
    Bytes& str(size_t field, const char* s) {
        const size_t n = std::strlen(s);
        u8(static_cast<uint8_t>(n));
        b.insert(b.end(), s, s + n);
        return zeros(field - 1 - n);
    }
    Bytes& raw(const std::vector<uint8_t>& d) {
        b.insert(b.end(), d.begin(), d.end());
        return *this;
    }
    Bytes& header(int32_t previewSize = 0) {
        zeros(76);
        i32(previewSize);
        return zeros(8);
    }
    Bytes& record(const char* name, int32_t kind, int32_t offset, int32_t size, uint16_t id = 0, uint16_t parent = 0,
                  uint16_t lineWidth = 0) {
        str(34, name);
        u16(lineWidth);
        i32(kind).i32(offset).i32(size).i32(0);
        return u16(id).u16(parent);
    }
};

void fillPattern(IndexedBitmap& bmp, int seed) {
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x) bmp.line(y)[x] = static_cast<uint8_t>((x * 7 + y * 3 + seed) % 17);
}
bool sameCells(const IndexedBitmap& a, const IndexedBitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.line(y), b.line(y), a.width()) != 0) return false;
    return true;
}

ModelFile loaded(const std::vector<uint8_t>& bytes) {
    ModelFile m;
    m.LoadFromBytes(bytes);
    return m;
}

class ModelTest : public ::testing::Test {
protected:
    TempDir dir;
};

} // namespace

TEST_F(ModelTest, EmptyModelIsHeaderPreviewAndAZeroCount) {
    ModelFile m;
    m.SaveToFile(dir.file("e.lcm"));
    EXPECT_EQ(readFile(dir.file("e.lcm")), std::vector<uint8_t>(92, 0));

    m.SetPreview({0xFF, 0xD8, 0xFF, 0xD9, 0x00});
    const auto bytes = m.SaveToBytes();
    EXPECT_EQ(bytes, Bytes().header(5).raw({0xFF, 0xD8, 0xFF, 0xD9, 0x00}).i32(0).b);

    ModelFile back;
    ASSERT_TRUE(back.LoadFromFile(dir.file("e.lcm")));
    EXPECT_TRUE(back.Items.empty());
    EXPECT_TRUE(back.Preview().empty());
}

TEST_F(ModelTest, RecordsAreWrittenByteForByte) {
    ModelFile m;
    m.Header.SetAuthor("Ann");
    m.Header.SetModelName("Winter");
    m.Header.SetReadOnly(true);
    EXPECT_EQ(m.AddFolder("Set"), 0);
    const std::vector<uint8_t> rtf = {'{', '\\', 'r', 't', 'f', '}'};
    EXPECT_EQ(m.AddNote(1, "Note", rtf), 1);

    Bytes expected;
    expected.zeros(4).str(33, "Ann").str(33, "Winter").zeros(2).zeros(4).i32(0).zeros(4).i32(1);
    expected.i32(2);
    expected.record("Set", 4, 0, 0, 1, 0);
    expected.record("Note", 3, 0, 6, 0, 1).raw(rtf);
    EXPECT_EQ(m.SaveToBytes(), expected.b);

    const ModelFile back = loaded(expected.b);
    EXPECT_EQ(back.Header.Author(), "Ann");
    EXPECT_EQ(back.Header.ModelName(), "Winter");
    EXPECT_TRUE(back.Header.ReadOnly());
    ASSERT_EQ(back.Items.size(), 2u);
    EXPECT_EQ(back.Items[1].ParentId, 1);
    EXPECT_TRUE(std::ranges::equal(back.NoteData(1), rtf));
    EXPECT_TRUE(back.NoteData(0).empty());
    EXPECT_EQ(back.SaveToBytes(), expected.b);
}

TEST_F(ModelTest, FolderIdsAndOffsetsFollowTheItemsAddedBefore) {
    PatternRaster g;
    g.SetSize(4, 3);
    ModelFile m;
    m.AddFolder("A");
    m.AddDrawing(1, "D", g);
    m.AddFolder("B");
    m.AddState(2, "State", std::vector<uint8_t>(kAppStateSize, 7));
    EXPECT_EQ(m.Items[0].Id, 1);
    EXPECT_EQ(m.Items[2].Id, 2);
    EXPECT_EQ(m.NextId(), 3);

    const auto bytes = m.SaveToBytes();
    auto recordAt = [&](int n) {
        size_t at = 92;
        for (int i = 0; i < n; ++i) at += 56 + m.Items[i].Data.size();
        return at;
    };
    auto i32at = [&](size_t at) {
        return int32_t(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24);
    };
    EXPECT_EQ(i32at(recordAt(0) + 40), 0);
    EXPECT_EQ(i32at(recordAt(1) + 40), 0);
    EXPECT_EQ(i32at(recordAt(2) + 40), 12);
    EXPECT_EQ(i32at(recordAt(3) + 40), 12);
    EXPECT_EQ(bytes[recordAt(2) + 52], 2); // Id
    EXPECT_EQ(bytes[recordAt(3) + 54], 2); // ParentId
    EXPECT_EQ(bytes[recordAt(1) + 34], 4); // the drawing's line width

    m.DeleteItem(1);
    EXPECT_EQ(m.Items[1].Offset, 12); // offsets stay as they were
    EXPECT_EQ(m.NextOffset(), 12 + 356);
    m.DeleteItem(9);
    EXPECT_EQ(m.Items.size(), 3u);

    // A file whose items already use Id 65535 has no Id left for a new set
    // (it would wrap to 0, "top level"): refused with a message.
    m.Items[0].Id = 0xFFFF;
    EXPECT_THROW(m.AddFolder("C"), RangeError);
    EXPECT_EQ(m.Items.size(), 3u);
}

TEST_F(ModelTest, StateItemsRestoreAtMost356Bytes) {
    ModelFile m;
    m.Items.push_back({"State", 0, kItemMaskOrState, 0, 0, 0, std::vector<uint8_t>(400, 9)});
    std::vector<uint8_t> state(kAppStateSize, 1);
    m.RestoreState("State", state);
    EXPECT_EQ(state, std::vector<uint8_t>(kAppStateSize, 9));

    ModelFile s;
    s.Items.push_back({"State", 0, kItemMaskOrState, 0, 0, 0, std::vector<uint8_t>(100, 5)});
    std::fill(state.begin(), state.end(), 1);
    s.RestoreState("State", state);
    EXPECT_EQ(std::count(state.begin(), state.begin() + 100, 5), 100);
    EXPECT_EQ(std::count(state.begin() + 100, state.end(), 1), 256);
    s.RestoreState("state", state); // names are compared exactly
    EXPECT_EQ(state[0], 5);
}

TEST_F(ModelTest, DrawingsRoundTripLineForLineOnEveryMachineWidth) {
    for (int width : {150, 200, 250}) {
        PatternRaster g;
        g.SetSize(width, 1024);
        fillPattern(g.Picture, width);
        ModelFile m;
        m.AddDrawing(0, "Drawing", g);
        const std::string f = dir.file("d.lc");
        m.SaveToFile(f);

        PatternRaster back;
        back.SetSize(width, 1024);
        ModelFile r;
        ASSERT_TRUE(r.LoadFromFile(f));
        r.RestoreDrawing("Drawing", back);
        EXPECT_TRUE(sameCells(back.Picture, g.Picture)) << width; // 150 x 1024 used to come back half-height
    }
}

TEST_F(ModelTest, DrawingsWithoutALineWidthFollowTheOldSizeRule) {
    PatternRaster g;
    g.SetSize(200, 1024);
    fillPattern(g.Picture, 3);
    IndexedBitmap original = g.Picture;

    // A full 200 x 1024 drawing (over 200000 bytes) is read line for line.
    std::vector<uint8_t> full(200 * 1024);
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 200; ++x) full[y * 200 + x] = static_cast<uint8_t>((x + 2 * y) % 17);
    ModelFile a;
    a.Items.push_back({"Drawing", 0, kItemDrawing, 0, 0, 0, full});
    a.ShowDrawing(0, g);
    for (int y = 0; y < 1024; y += 97)
        for (int x = 0; x < 200; x += 13) ASSERT_EQ(g.Picture.line(y)[x], (x + 2 * y) % 17);

    // A 200-wide 512-line item fills pattern rows 0..511 (lines 512..1023) only.
    g.Picture = original;
    std::vector<uint8_t> half(200 * 512);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 200; ++x) half[y * 200 + x] = static_cast<uint8_t>((3 * x + y) % 16);
    ModelFile b;
    b.Items.push_back({"Drawing", 0, kItemDrawing, 0, 0, 0, half});
    b.RestoreDrawing("Drawing", g);
    for (int y = 0; y < 512; ++y) ASSERT_EQ(std::memcmp(g.Picture.line(y), original.line(y), 200), 0) << y;
    for (int y = 512; y < 1024; y += 31)
        for (int x = 0; x < 200; x += 7) ASSERT_EQ(g.Picture.line(y)[x], (3 * x + (y - 512)) % 16);
}

TEST_F(ModelTest, AStoredLineWidthThatCannotBeOneIsNotTrusted) {
    // A 200 x 1024 drawing written with another value in record bytes 34-35:
    // one that does not cut the item into lines the raster holds (100: 2048
    // lines), one above any machine (400), one that does not divide the size
    // (333) and a width that leaves lines over (0xFFFF) all fall back to the
    // size rule and restore line for line.
    PatternRaster g;
    g.SetSize(200, 1024);
    fillPattern(g.Picture, 200);
    ModelFile m;
    m.AddDrawing(0, "Drawing", g);
    const std::string f = dir.file("d.lcm");
    for (uint16_t stored : {uint16_t{100}, uint16_t{400}, uint16_t{333}, uint16_t{0xFFFF}, uint16_t{200}}) {
        m.SaveToFile(f);
        std::vector<uint8_t> bytes = readFile(f);
        const size_t record = 88 + 4; // no preview, then the item count
        ASSERT_EQ(bytes[record + 34] | bytes[record + 35] << 8, 200);
        bytes[record + 34] = static_cast<uint8_t>(stored & 0xFF);
        bytes[record + 35] = static_cast<uint8_t>(stored >> 8);
        writeFile(f, bytes);
        PatternRaster back;
        back.SetSize(200, 1024);
        ModelFile r;
        ASSERT_TRUE(r.LoadFromFile(f));
        r.RestoreDrawing("Drawing", back);
        EXPECT_TRUE(sameCells(back.Picture, g.Picture)) << stored;
    }
    // A trusted width still tells a narrow full drawing from a 512-line item.
    PatternRaster narrow;
    narrow.SetSize(150, 1024);
    fillPattern(narrow.Picture, 150);
    ModelFile n;
    n.AddDrawing(0, "Drawing", narrow);
    PatternRaster back;
    back.SetSize(150, 1024);
    n.RestoreDrawing("Drawing", back);
    EXPECT_TRUE(sameCells(back.Picture, narrow.Picture));
}

TEST_F(ModelTest, RestoredCellsStayInsideThePalette) {
    PatternRaster g;
    g.SetSize(4, 2);
    ModelFile m;
    m.Items.push_back({"Drawing", 4, kItemDrawing, 0, 0, 0, {16, 17, 200, 3, 255, 0, 15, 16}});
    m.Items.push_back({"Mask", 0, kItemMaskOrState, 0, 0, 0, {16, 255, 0, 16, 3, 16, 16, 200}});
    m.RestoreDrawing("Drawing", g);
    m.RestoreMask("Mask", g);
    EXPECT_EQ(std::vector<uint8_t>(g.Picture.line(0), g.Picture.line(0) + 4), (std::vector<uint8_t>{16, 0, 0, 3}));
    EXPECT_EQ(std::vector<uint8_t>(g.Picture.line(1), g.Picture.line(1) + 4), (std::vector<uint8_t>{0, 0, 15, 16}));
    EXPECT_EQ(std::vector<uint8_t>(g.Mask.line(0), g.Mask.line(0) + 4), (std::vector<uint8_t>{16, 255, 255, 16}));
    EXPECT_EQ(std::vector<uint8_t>(g.Mask.line(1), g.Mask.line(1) + 4), (std::vector<uint8_t>{255, 16, 16, 255}));
}

TEST_F(ModelTest, MaskRoundTripsAndTheFrontItemOfANamePrevails) {
    PatternRaster g;
    g.SetSize(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) g.Mask.line(y)[x] = ((x + y) & 1) ? kMaskInside : kMaskOutside;
    ModelFile m;
    m.AddMask(0, "Mask", g);
    fillPattern(g.Picture, 1);
    m.AddDrawing(0, "Drawing", g);
    fillPattern(g.Picture, 5);
    m.AddDrawing(0, "Drawing", g);
    const ModelFile r = loaded(m.SaveToBytes());
    PatternRaster back;
    back.SetSize(6, 4);
    r.RestoreMask("Mask", back);
    r.RestoreDrawing("Drawing", back);
    EXPECT_TRUE(sameCells(back.Mask, g.Mask));
    PatternRaster first;
    first.SetSize(6, 4);
    fillPattern(first.Picture, 1);
    EXPECT_TRUE(sameCells(back.Picture, first.Picture));

    // Names are compared exactly: "drawing" is not "Drawing".
    PatternRaster other;
    other.SetSize(6, 4);
    r.RestoreDrawing("drawing", other);
    r.RestoreMask("maska", other);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(other.Picture.line(y)[x], 0);
            ASSERT_EQ(other.Mask.line(y)[x], kMaskInside);
        }
}

TEST_F(ModelTest, ShowDrawingActsOnDrawingsOnly) {
    PatternRaster g;
    g.SetSize(4, 2);
    fillPattern(g.Picture, 0);
    const IndexedBitmap before = g.Picture;
    ModelFile m;
    m.AddNote(0, "Drawing", std::vector<uint8_t>(8, 1));
    m.AddFolder("f");
    m.ShowDrawing(0, g);
    m.ShowDrawing(1, g);
    m.ShowDrawing(7, g);
    m.RestoreDrawing("Drawing", g);
    EXPECT_TRUE(sameCells(g.Picture, before));
}

TEST_F(ModelTest, GarmentItemsAreCarriedAsTheyAre) {
    ModelFile m;
    m.AddDrawing(0, "Drawing", [] {
        PatternRaster g;
        g.SetSize(2, 2);
        return g;
    }());
    const int gi = m.AddGarment(0, "Garment");
    EXPECT_EQ(m.Items[gi].Size(), 0);
    const std::vector<uint8_t> a = {1, 2, 3}, b = {4, 5}, c = {6};
    EXPECT_TRUE(m.StoreGarment(gi, a));
    EXPECT_FALSE(m.StoreGarment(0, b)); // a drawing is not a garment
    EXPECT_FALSE(m.StoreGarment(9, b));
    m.AddGarment(0, "Garment", b);
    EXPECT_TRUE(m.StoreGarment("Garment", c)); // the first of the name
    EXPECT_FALSE(m.StoreGarment("Nothing", c));

    const ModelFile r = loaded(m.SaveToBytes());
    EXPECT_TRUE(std::ranges::equal(r.GarmentData(gi), c));
    const auto all = r.GarmentData("Garment");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_TRUE(std::ranges::equal(all[0], b)); // last item first
    EXPECT_TRUE(std::ranges::equal(all[1], c));
    EXPECT_TRUE(r.GarmentData(0).empty());
}

TEST_F(ModelTest, DamagedFilesAreRefusedAndChangeNothing) {
    ModelFile m;
    m.Header.SetModelName("Mine");
    m.AddFolder("kept");
    const auto before = m.SaveToBytes();

    auto refused = [&](const std::vector<uint8_t>& bytes, const char* what) {
        EXPECT_THROW(m.LoadFromBytes(bytes), FormatError) << what;
        EXPECT_EQ(m.SaveToBytes(), before) << what;
    };
    refused(Bytes().zeros(50).b, "short header");
    refused(Bytes().header(-1).i32(0).b, "negative preview size");
    refused(Bytes().header(1000).zeros(10).i32(0).b, "preview past the end");
    refused(Bytes().header().b, "no count");
    refused(Bytes().header().i32(0x7FFFFFFF).b, "huge count");
    refused(Bytes().header().i32(2).record("a", 4, 0, 0).b, "second record missing");
    refused(Bytes().header().i32(1).record("a", 1, 0, -5).b, "negative item size");
    refused(Bytes().header().i32(1).record("a", 1, 0, 0x7FFFFFF0).zeros(10).b, "item size past the end");
    refused(Bytes().header().i32(1).zeros(30).b, "record cut short");

    // A negative count reads no items; bytes after the last item are ignored.
    const ModelFile neg = loaded(Bytes().header().i32(-3).zeros(7).b);
    EXPECT_TRUE(neg.Items.empty());

    const std::string f = dir.file("bad.lcm");
    writeFile(f, Bytes().header().i32(5).b);
    EXPECT_THROW(m.LoadFromFile(f), FormatError);
    EXPECT_FALSE(m.LoadFromFile(dir.file("missing.lcm")));
    EXPECT_EQ(m.SaveToBytes(), before);
}

TEST_F(ModelTest, PeekReadsHeaderAndPreviewAndNeverThrows) {
    ModelFile m;
    m.Header.SetModelName("Peeked");
    m.SetPreview({0xFF, 0xD8, 0xFF, 1, 2});
    m.AddFolder("x");
    const std::string f = dir.file("p.lcm");
    m.SaveToFile(f);

    ModelFile viewer;
    ASSERT_TRUE(viewer.PeekFile(f));
    EXPECT_EQ(viewer.PeekHeader.ModelName(), "Peeked");
    EXPECT_EQ(viewer.PeekPreview().size(), 5u);
    EXPECT_TRUE(viewer.Items.empty());

    EXPECT_FALSE(viewer.PeekFile(dir.file("gone.lcm")));
    writeFile(dir.file("short.lcm"), Bytes().header(50).zeros(10).b);
    EXPECT_FALSE(viewer.PeekFile(dir.file("short.lcm")));
    writeFile(dir.file("neg.lcm"), Bytes().header(-7).b);
    EXPECT_FALSE(viewer.PeekFile(dir.file("neg.lcm")));
    EXPECT_EQ(viewer.PeekHeader.ModelName(), "Peeked"); // a failed peek keeps the last one
}

TEST_F(ModelTest, InterruptedSaveLeavesTheOldFileIntact) {
    PatternRaster g;
    g.SetSize(150, 1024);
    ModelFile m;
    m.AddDrawing(0, "Drawing", g);
    const std::string f = dir.file("autosave.lc");
    m.SaveToFile(f);
    const auto old = readFile(f);
    m.AddFolder("more");
    for (long long k : {0LL, 50LL, 88LL, 92LL, 148LL, 100000LL}) {
        {
            FileSizeLimit cut(k);
            EXPECT_THROW(m.SaveToFile(f), IoError) << k;
        }
        EXPECT_EQ(readFile(f), old) << k;
    }
}
