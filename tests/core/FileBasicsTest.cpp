#include <gtest/gtest.h>

#include <iconv.h>

#include <filesystem>

#include "core/AtomicFile.h"
#include "core/Bytes.h"
#include "core/Cp1251.h"
#include "TestFiles.h"

using namespace lc;
using namespace lc::test;
namespace fs = std::filesystem;

namespace {
std::string viaIconv(const std::string& in, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    EXPECT_NE(cd, (iconv_t)-1);
    std::string out(in.size() * 4 + 4, '\0');
    char* ip = const_cast<char*>(in.data());
    size_t il = in.size();
    char* op = out.data();
    size_t ol = out.size();
    size_t r = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    if (r == (size_t)-1) return "<fail>";
    out.resize(out.size() - ol);
    return out;
}
} // namespace

TEST(Cp1251, EveryByteMatchesTheSystemCodec) {
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98) continue; // no character there
        std::string one(1, static_cast<char>(b));
        std::string expected = viaIconv(one, "CP1251", "UTF-8");
        ASSERT_EQ(Cp1251ToUtf8(one), expected) << "byte " << b;
        ASSERT_EQ(Utf8ToCp1251(expected), one) << "byte " << b;
    }
}

TEST(Cp1251, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a\xe4\xb8\xad"
                           "b"),
              "a?b"); // a CJK character
    EXPECT_EQ(Utf8ToCp1251("x\xff"
                           "y"),
              "x?y");                       // a stray byte
    EXPECT_EQ(Utf8ToCp1251("z\xd0"), "z?"); // cut in the middle
}

TEST(Cp1251, ShortStringFieldsCutAndDistrustTheLengthByte) {
    uint8_t field[5];
    WriteShortString(field, sizeof field, "Привет");
    EXPECT_EQ(field[0], 4);
    EXPECT_EQ(ReadShortString(field, sizeof field), "Прив");
    field[0] = 200; // a damaged length byte reads no further than the field
    EXPECT_EQ(ReadShortString(field, sizeof field), "Прив");
}

TEST(Bytes, ReaderRefusesReadsPastTheEnd) {
    const uint8_t data[] = {1, 2, 3};
    ByteReader r(data);
    EXPECT_EQ(r.u16(), 0x0201);
    EXPECT_THROW(r.u16(), FormatError);
    EXPECT_EQ(r.u8(), 3); // a refused read consumes nothing
    EXPECT_THROW(r.bytes(1), FormatError);
}

TEST(AtomicFile, InterruptedSaveLeavesTheOldFileIntact) {
    TempDir dir;
    const fs::path target = dir.path / "pattern.lcl";
    WriteFileAtomic(target, std::string_view("old contents"));
    const std::string replacement(1000, 'x');
    for (long long k : {0LL, 1LL, 500LL, 999LL}) {
        {
            FileSizeLimit cut(k);
            EXPECT_THROW(WriteFileAtomic(target, std::string_view(replacement)), IoError) << k;
        }
        EXPECT_EQ(readText(target), "old contents") << k;
    }
    // No temporary files are left behind.
    int files = 0;
    for (auto& e : fs::directory_iterator(dir.path)) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
    WriteFileAtomic(target, std::string_view(replacement));
    EXPECT_EQ(readText(target), replacement);
}

TEST(AtomicFile, SaveIntoAMissingFolderFailsWithAnIoError) {
    TempDir dir;
    EXPECT_THROW(WriteFileAtomic(dir.path / "no" / "such.lcw", std::string_view("a")), IoError);
}

TEST(AtomicFile, FindsFilesIgnoringCase) {
    TempDir dir;
    WriteFileAtomic(dir.path / "Start.LCP", std::string_view("p"));
    auto found = FindFileNoCase(dir.path, "start.Lcp");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename(), "Start.LCP");
    EXPECT_TRUE(HasExtensionNoCase("a/b.lcw", ".LCW"));
    EXPECT_FALSE(FindFileNoCase(dir.path, "other.lcp"));
}
