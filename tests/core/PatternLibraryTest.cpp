#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/PatternLibrary.h"
#include "TestFiles.h"

using namespace lc;
using namespace lc::test;
namespace fs = std::filesystem;

namespace {

void put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8;
}
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A library file built byte by byte: header, 1000-entry index, data.
struct HandLibrary {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(52196, 0);
    HandLibrary(int count, uint32_t flags = 0) {
        std::memcpy(bytes.data(), "LCL5", 4);
        bytes[85] = 3;
        std::memcpy(bytes.data() + 86, "Old", 3);
        put32(bytes, 168, 2);
        put32(bytes, 172, static_cast<uint32_t>(count));
        put32(bytes, 176, flags);
    }
    void entry(int i, const char* name, int bpr, int h, int w, uint32_t off, uint32_t cat) {
        const size_t e = 196 + static_cast<size_t>(i) * 52;
        bytes[e] = static_cast<uint8_t>(std::strlen(name));
        std::memcpy(bytes.data() + e + 1, name, std::strlen(name));
        put16(bytes, e + 34, static_cast<uint16_t>(bpr));
        put16(bytes, e + 36, static_cast<uint16_t>(h));
        put16(bytes, e + 38, static_cast<uint16_t>(w));
        put32(bytes, e + 40, off);
        put32(bytes, e + 44, cat);
    }
    void data(std::initializer_list<uint8_t> d) { bytes.insert(bytes.end(), d); }
};

std::vector<uint8_t> packed(std::initializer_list<std::initializer_list<uint8_t>> rows, int width) {
    std::vector<uint8_t> out;
    for (auto r : rows) {
        std::vector<uint8_t> cells(r);
        std::vector<uint8_t> b(static_cast<size_t>(PatternBytesPerRow(width)));
        PackPatternRow(cells.data(), width, b.data());
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

std::vector<uint8_t> patternBytes(const PatternLibrary& lib, int index) {
    PatternInfo p;
    if (!lib.GetPattern(index, p)) return {};
    return {p.Pixels, p.Pixels + static_cast<size_t>(p.BytesPerRow) * p.Height};
}

class PatternLibraryTest : public ::testing::Test {
protected:
    TempDir dir;
};

} // namespace

TEST_F(PatternLibraryTest, NewLibrarySavesAsABare196ByteHeader) {
    PatternLibrary lib;
    lib.CreateNew(dir.folder(), "Lace");
    EXPECT_EQ(lib.FileName, dir.folder() + "Lace.lcl");
    lib.SaveToFile();

    std::vector<uint8_t> expected(196, 0);
    std::memcpy(expected.data(), "LCL5", 4);
    expected[85] = 4;
    std::memcpy(expected.data() + 86, "Lace", 4);
    put32(expected, 168, 2);
    put32(expected, 172, 0xFFFFFFFF);
    EXPECT_EQ(readFile(lib.FileName), expected);

    PatternLibrary back;
    back.LoadFromFile(lib.FileName);
    EXPECT_EQ(back.Count(), -1);
    EXPECT_EQ(back.DataSize(), -1);
    EXPECT_EQ(back.LibraryName(), "Lace");
    PatternInfo none;
    EXPECT_FALSE(back.GetPattern(0, none));
    EXPECT_FALSE(back.GetPattern(-1, none));
}

TEST_F(PatternLibraryTest, SevenByTwoPatternIsStoredAsTheFormatSays) {
    PatternLibrary lib;
    lib.CreateNew(dir.folder(), "Lace");
    const auto px = packed({{1, 2, 3, 4, 5, 6, 7}, {15, 16, 0, 9, 10, 11, 12}}, 7);
    ASSERT_TRUE(lib.AddPattern(7, 2, "Tiny", px, 0x24));
    lib.SaveToFile();

    HandLibrary hand(1);
    std::memset(hand.bytes.data() + 85, 0, 81);
    hand.bytes[85] = 4;
    std::memcpy(hand.bytes.data() + 86, "Lace", 4);
    hand.entry(0, "Tiny", 4, 2, 7, 0, 0x24);
    hand.data({0x12, 0x34, 0x56, 0x70, 0xF0, 0x09, 0xAB, 0xC0}); // 16 is stored as 0
    const auto file = readFile(lib.FileName);
    ASSERT_EQ(file.size(), 52196u + 8u);
    EXPECT_EQ(file, hand.bytes);
    // bytes 34..39 of entry 0: bytes per row, height, width
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 196 + 34, file.begin() + 196 + 40),
              (std::vector<uint8_t>{4, 0, 2, 0, 7, 0}));

    PatternLibrary back;
    back.LoadFromFile(lib.FileName);
    PatternInfo p;
    ASSERT_TRUE(back.GetPattern(0, p));
    EXPECT_EQ(p.Width, 7);
    EXPECT_EQ(p.Height, 2);
    EXPECT_EQ(PackedCell(p.Pixels, 6), 7);
    EXPECT_EQ(PackedCell(p.Pixels + 4, 1), 0);
    EXPECT_EQ(back.GetPatternName(0), "Tiny");
    EXPECT_EQ(back.GetCategory(0), 0x24u);
}

TEST_F(PatternLibraryTest, PackingNeverSpillsIntoTheNeighbour) {
    const uint8_t cells[5] = {16, 1, 17, 2, 3};
    uint8_t out[3] = {0xEE, 0xEE, 0xEE};
    PackPatternRow(cells, 5, out);
    EXPECT_EQ(out[0], 0x01);
    EXPECT_EQ(out[1], 0x12);
    EXPECT_EQ(out[2], 0x30);
}

TEST_F(PatternLibraryTest, ReaderTakesTheWidthFromBytesPerRowWhenTheyDisagree) {
    HandLibrary hand(3);
    hand.entry(0, "a", 4, 1, 20, 0, 0); // stored 20 with 4 bytes per row: 8 wide
    hand.entry(1, "b", 4, 1, 7, 4, 0);
    hand.entry(2, "c", 4, 1, 8, 8, 0);
    hand.data({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const fs::path f = dir.path / "w.lcl";
    writeFile(f, hand.bytes);
    PatternLibrary lib;
    lib.LoadFromFile(f.string());
    int w = 0, h = 0;
    const uint8_t* px = nullptr;
    ASSERT_TRUE(lib.GetPattern(0, w, h, px));
    EXPECT_EQ(w, 8);
    ASSERT_TRUE(lib.GetPattern(1, w, h, px));
    EXPECT_EQ(w, 7);
    EXPECT_EQ(px[0], 5);
    ASSERT_TRUE(lib.GetPattern(2, w, h, px));
    EXPECT_EQ(w, 8);
    EXPECT_FALSE(lib.GetPattern(3, w, h, px));
}

TEST_F(PatternLibraryTest, TheThousandAndFirstAddIsRefusedAndChangesNothing) {
    PatternLibrary lib;
    lib.CreateNew(dir.folder(), "Full");
    const uint8_t px[2] = {0x12, 0x34};
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(lib.AddPattern(2, 2, "p" + std::to_string(i), px, 1)) << i;
    lib.SaveToFile();
    const auto before = readFile(lib.FileName);
    EXPECT_EQ(before.size(), 52196u + 2000u);
    EXPECT_FALSE(lib.AddPattern(2, 2, "extra", px, 1));
    EXPECT_EQ(lib.Count(), 1000);
    lib.SaveToFile();
    EXPECT_EQ(readFile(lib.FileName), before);
}

TEST_F(PatternLibraryTest, DeletingMovesLaterPatternsDownAndClearsTheFreedSlot) {
    PatternLibrary lib;
    lib.CreateNew(dir.folder(), "Del");
    const auto a = packed({{1, 1, 1}, {1, 1, 1}}, 3);                              // 4 bytes
    const auto b = packed({{2, 2, 2, 2, 2}, {2, 2, 2, 2, 2}, {2, 2, 2, 2, 2}}, 5); // 9 bytes
    const auto c = packed({{3, 4, 5, 6}}, 4);                                      // 2 bytes
    ASSERT_TRUE(lib.AddPattern(3, 2, "A", a, 1));
    ASSERT_TRUE(lib.AddPattern(5, 3, "B", b, 2));
    ASSERT_TRUE(lib.AddPattern(4, 1, "C", c, 4));
    lib.DeletePattern(1);
    EXPECT_EQ(lib.Count(), 2);
    EXPECT_EQ(lib.DataSize(), 6);
    EXPECT_EQ(lib.GetPatternName(1), "C");
    EXPECT_EQ(lib.GetCategory(1), 4u);
    EXPECT_EQ(patternBytes(lib, 1), c);
    EXPECT_EQ(patternBytes(lib, 0), a);
    lib.SaveToFile();
    const auto file = readFile(lib.FileName);
    EXPECT_EQ(file[196 + 52 + 40], 4); // C's offset dropped by B's 9 bytes (13 -> 4)
    for (size_t i = 196 + 2 * 52; i < 196 + 3 * 52; ++i) ASSERT_EQ(file[i], 0) << i; // freed slot cleared

    // A pattern added without a name does not inherit the deleted one's.
    ASSERT_TRUE(lib.AddPattern(4, 1, "", c, 1));
    EXPECT_EQ(lib.GetPatternName(2), "");

    // Deleting the last pattern only shortens the block.
    lib.DeletePattern(2);
    lib.DeletePattern(1);
    EXPECT_EQ(lib.DataSize(), 4);
    EXPECT_EQ(patternBytes(lib, 0), a);
    lib.DeletePattern(5); // out of range: nothing
    lib.DeletePattern(-1);
    EXPECT_EQ(lib.Count(), 1);
}

TEST_F(PatternLibraryTest, ReplacingMovesOnlyWhatTheSizeChangeRequires) {
    PatternLibrary lib;
    lib.CreateNew(dir.folder(), "Rep");
    std::vector<uint8_t> ten(5 * 20, 0x11), twenty(10 * 10, 0x22), tail(3, 0x33);
    ASSERT_TRUE(lib.AddPattern(10, 20, "ten", ten, 1));
    ASSERT_TRUE(lib.AddPattern(5, 1, "tail", tail, 2));
    const auto dataBefore = lib.DataSize();

    lib.ReplacePattern(20, 10, "", twenty, 0); // same data size
    PatternInfo p;
    ASSERT_TRUE(lib.GetPattern(0, p));
    EXPECT_EQ(p.Width, 20);
    EXPECT_EQ(p.Height, 10);
    EXPECT_EQ(p.BytesPerRow, 10);
    EXPECT_EQ(lib.DataSize(), dataBefore);
    EXPECT_EQ(lib.GetPatternName(0), "ten"); // no name given: the old one stays
    EXPECT_EQ(lib.GetCategory(0), 1u);
    EXPECT_EQ(patternBytes(lib, 1), tail);

    std::vector<uint8_t> small(2 * 3, 0x44);
    lib.ReplacePattern(3, 3, "small", small, 0);
    EXPECT_EQ(lib.DataSize(), 6 + 3);
    EXPECT_EQ(lib.GetPatternName(0), "small");
    EXPECT_EQ(patternBytes(lib, 0), small);
    EXPECT_EQ(patternBytes(lib, 1), tail);

    std::vector<uint8_t> big(40 * 40, 0x55);
    lib.ReplacePattern(80, 40, "", big, 0);
    EXPECT_EQ(patternBytes(lib, 1), tail);
    lib.ReplacePattern(4, 4, "", small, 1); // too few pixels: nothing
    EXPECT_EQ(patternBytes(lib, 1), tail);
    lib.ReplacePattern(4, 1, "", small, 2); // not a pattern: nothing
    EXPECT_EQ(lib.Count(), 2);
}

TEST_F(PatternLibraryTest, FilterCountsOnlyPatternsSharingACategoryBit) {
    PatternLibrary lib;
    lib.CreateNew(dir.folder(), "F");
    const uint8_t px[1] = {0x10};
    for (uint32_t cat : {1u, 4u, 5u}) ASSERT_TRUE(lib.AddPattern(1, 1, "", px, cat));
    EXPECT_EQ(lib.FilteredIndex(7), 7); // filter off: the number itself
    lib.FilterOn = true;
    lib.FilterMask = 4;
    EXPECT_EQ(lib.FilteredIndex(0), 1);
    EXPECT_EQ(lib.FilteredIndex(1), 2);
    EXPECT_EQ(lib.FilteredIndex(2), -1);
    lib.FilterMask = 64;
    EXPECT_EQ(lib.FilteredIndex(0), -1);
}

TEST_F(PatternLibraryTest, ProtectedLibraryRefusesEveryChangeUnlessSuperUser) {
    HandLibrary hand(1, 1);
    hand.entry(0, "keep", 1, 1, 2, 0, 8);
    hand.data({0x12});
    const fs::path f = dir.path / "p.lcl";
    writeFile(f, hand.bytes);
    PatternLibrary lib;
    lib.LoadFromFile(f.string());
    ASSERT_TRUE(lib.IsProtected());
    const uint8_t px[1] = {0x34};
    EXPECT_FALSE(lib.AddPattern(2, 1, "new", px, 1));
    lib.DeletePattern(0);
    lib.ReplacePattern(2, 1, "x", px, 0);
    lib.SetPatternName(0, "renamed");
    lib.SetCategory(0, 1);
    EXPECT_EQ(lib.Count(), 1);
    EXPECT_EQ(lib.GetPatternName(0), "keep");
    EXPECT_EQ(lib.GetCategory(0), 8u);
    EXPECT_EQ(patternBytes(lib, 0), std::vector<uint8_t>{0x12});

    lib.SuperUser = true;
    EXPECT_FALSE(lib.IsProtected());
    EXPECT_TRUE(lib.AddPattern(2, 1, "new", px, 1));
    lib.SetPatternName(0, "renamed");
    EXPECT_EQ(lib.GetPatternName(0), "renamed");
}

TEST_F(PatternLibraryTest, CreateNewForgetsEverythingOfTheLibraryBefore) {
    PatternLibrary lib;
    lib.CreateNew(dir.folder(), "First");
    const uint8_t px[2] = {0x12, 0x34};
    ASSERT_TRUE(lib.AddPattern(4, 1, "oldname", px, 3));
    ASSERT_TRUE(lib.AddPattern(4, 1, "second", px, 3));
    lib.FilterOn = true;
    lib.CreateNew(dir.folder(), "Second");
    EXPECT_FALSE(lib.FilterOn);
    lib.SetPatternName(0, "gone"); // no pattern 0 any more: nothing
    EXPECT_EQ(lib.Count(), -1);
    ASSERT_TRUE(lib.AddPattern(4, 1, "", px, 0));
    EXPECT_EQ(lib.GetPatternName(0), "");
    lib.SetPatternName(0, std::string(40, 'x')); // names are cut to their 33-character field
    EXPECT_EQ(lib.GetPatternName(0), std::string(33, 'x'));
    lib.SaveToFile();
    const auto file = readFile(lib.FileName);
    ASSERT_EQ(file.size(), 52196u + 2u);
    for (size_t i = 196 + 52; i < 52196; ++i) ASSERT_EQ(file[i], 0) << i;
}

TEST_F(PatternLibraryTest, DamagedOrForeignFilesAreRefusedAndChangeNothing) {
    PatternLibrary lib;
    lib.CreateNew(dir.folder(), "Mine");
    const uint8_t px[2] = {0x12, 0x34};
    ASSERT_TRUE(lib.AddPattern(4, 1, "kept", px, 1));
    const auto before = lib.SaveToBytes();
    const std::string name = lib.FileName;

    auto refused = [&](const std::vector<uint8_t>& bytes, const char* what) {
        const fs::path f = dir.path / "bad.lcl";
        writeFile(f, bytes);
        EXPECT_THROW(lib.LoadFromFile(f.string()), FormatError) << what;
        EXPECT_EQ(lib.FileName, name) << what;
        EXPECT_EQ(lib.SaveToBytes(), before) << what;
    };

    refused({'G', 'I', 'F', '8', '9', 'a'}, "not a library");
    refused({'L', 'C'}, "two bytes");
    {
        HandLibrary h(0);
        refused(std::vector<uint8_t>(h.bytes.begin(), h.bytes.begin() + 100), "short header");
    }
    {
        HandLibrary h(1001);
        refused(h.bytes, "count over 1000");
    }
    {
        HandLibrary h(-2);
        refused(std::vector<uint8_t>(h.bytes.begin(), h.bytes.begin() + 196), "count below -1");
    }
    {
        HandLibrary h(0);
        refused(std::vector<uint8_t>(h.bytes.begin(), h.bytes.begin() + 30000), "index cut short");
    }
    {
        HandLibrary h(1);
        h.entry(0, "x", 4, 3, 8, 0, 0);
        h.data({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}); // needs 12
        refused(h.bytes, "pattern past the data block");
    }
    {
        HandLibrary h(1);
        h.entry(0, "x", 1, 1, 2, 0xFFFFFFFF, 0);
        h.data({1});
        refused(h.bytes, "offset beyond 32 bits of data");
    }
    {
        HandLibrary h(2);
        h.entry(0, "x", 2, 2, 4, 0, 0);
        h.entry(1, "y", 2, 1, 4, 2, 0); // overlaps the first
        h.data({1, 2, 3, 4, 5, 6});
        refused(h.bytes, "overlapping patterns");
    }
    EXPECT_THROW(lib.LoadFromFile((dir.path / "missing.lcl").string()), IoError);
    EXPECT_EQ(lib.SaveToBytes(), before);
}

TEST_F(PatternLibraryTest, HeaderOnlyFileWithTrailingBytesHasNoPatterns) {
    HandLibrary h(-1);
    const fs::path f = dir.path / "h.lcl";
    writeFile(f, h.bytes); // 52196 bytes, but the count says header only
    PatternLibrary lib;
    lib.LoadFromFile(f.string());
    EXPECT_EQ(lib.Count(), -1);
    EXPECT_EQ(lib.DataSize(), -1);
    EXPECT_EQ(lib.SaveToBytes().size(), 196u);
}

TEST_F(PatternLibraryTest, SavingWithoutAFileNameIsAnError) {
    PatternLibrary lib;
    EXPECT_THROW(lib.SaveToFile(), Error);
}

TEST_F(PatternLibraryTest, InterruptedSaveLeavesTheOldFileIntact) {
    PatternLibrary lib;
    lib.CreateNew(dir.folder(), "Safe");
    const uint8_t px[2] = {0x12, 0x34};
    ASSERT_TRUE(lib.AddPattern(4, 1, "one", px, 1));
    lib.SaveToFile();
    const auto old = readFile(lib.FileName);
    ASSERT_TRUE(lib.AddPattern(4, 1, "two", px, 1));
    for (long long k : {0LL, 1LL, 195LL, 196LL, 30000LL, 52196LL, 52199LL}) {
        {
            FileSizeLimit cut(k);
            EXPECT_THROW(lib.SaveToFile(), IoError) << k;
        }
        EXPECT_EQ(readFile(lib.FileName), old) << k;
    }
    size_t files = 0;
    for (const auto& e : fs::directory_iterator(dir.path)) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u); // no temporary left behind
    lib.SaveToFile();
    EXPECT_EQ(readFile(lib.FileName).size(), 52196u + 4u);
}
