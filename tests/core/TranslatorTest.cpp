#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "core/Translator.h"
#include "TestFiles.h"

using namespace lc;
namespace fs = std::filesystem;

namespace {

// Builds language files byte by byte, with directory sizes that may lie.
struct MldFile {
    struct DirEntry {
        std::string code;
        std::uint32_t size;
    };
    std::vector<DirEntry> dir;
    std::string body;    // plain section bytes, back to back
    std::string trailer; // raw bytes after the sections, not scrambled

    static std::uint8_t keyByte(std::size_t i) { return static_cast<std::uint8_t>((i * 73 + 29) ^ (i >> 3)); }

    void add(const std::string& code, const std::string& plain) {
        dir.push_back({code, static_cast<std::uint32_t>(plain.size())});
        body += plain;
    }

    std::string bytes() const {
        std::string f(768, '\0');
        for (std::size_t i = 0; i < 256; ++i) f[256 + i] = static_cast<char>(keyByte(i));
        std::string d(256, '\0');
        for (std::size_t e = 0; e < dir.size(); ++e) {
            d.replace(e * 8, std::min<std::size_t>(3, dir[e].code.size()), dir[e].code.substr(0, 3));
            for (int k = 0; k < 4; ++k) d[e * 8 + 4 + k] = static_cast<char>((dir[e].size >> (8 * k)) & 0xFF);
        }
        for (std::size_t i = 0; i < 256; ++i) f[512 + i] = static_cast<char>(d[i] ^ keyByte(i));
        // Sections restart the key at their own first byte.
        std::size_t pos = 0;
        for (const DirEntry& e : dir) {
            for (std::uint32_t j = 0; j < e.size && pos < body.size(); ++j, ++pos)
                f.push_back(static_cast<char>(body[pos] ^ keyByte(j % 256)));
        }
        return f + trailer;
    }
};

class TranslatorFile : public ::testing::Test {
protected:
    lc::test::TempDir dir_;

    Translator translatorFor(const std::string& bytes) {
        const fs::path p = dir_.path / "Loopcrafter.mld";
        lc::test::writeText(p, bytes);
        Translator t;
        t.SetFileName(p.string());
        return t;
    }
};

std::string padTo(std::string s, std::size_t n, char fill = 'x') {
    s.resize(n, fill);
    return s;
}

} // namespace

TEST_F(TranslatorFile, FindsASectionBySummingTheSizesBeforeIt) {
    MldFile f;
    // ENG 100 bytes, RUS 80 bytes at 768 + 100 = 868, then bytes that belong to no section.
    f.add("ENG", padTo("S02000=english\r\n", 100));
    f.add("RUS", padTo("S02000=russian\r\nS02001=", 80));
    f.trailer = "=tail-that-must-not-be-read";
    ASSERT_EQ(f.bytes().size(), 868u + 80u + f.trailer.size());
    Translator t = translatorFor(f.bytes());

    EXPECT_EQ(t.LoadLanguage("RUS"), Translator::LoadResult::Loaded);
    ASSERT_EQ(t.Strings.size(), 2u);
    EXPECT_EQ(t.Translate("S02000"), "russian");
    EXPECT_EQ(t.Translate("S02001"), std::string(80 - 23, 'x'));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(t.Directory.data()), 3), "ENG");
    EXPECT_EQ(t.Directory[12], 80);
    EXPECT_EQ(t.Key[0], MldFile::keyByte(0));

    EXPECT_EQ(t.LoadLanguage("ENG"), Translator::LoadResult::Loaded);
    EXPECT_EQ(t.Translate("S02000"), "english");
}

TEST_F(TranslatorFile, KeyRestartsEvery256BytesOfASection) {
    std::string plain;
    for (int i = 0; plain.size() < 300; ++i) plain += "k" + std::to_string(i) + "=value" + std::to_string(i) + "\r\n";
    plain.resize(300);
    MldFile f;
    f.add("ENG", plain);
    Translator t = translatorFor(f.bytes());
    ASSERT_EQ(t.LoadLanguage("ENG"), Translator::LoadResult::Loaded);
    std::string joined;
    for (const auto& line : t.Strings) joined += line + "\r\n";
    EXPECT_EQ(joined.substr(0, 298), plain.substr(0, 298));
    EXPECT_EQ(t.Translate("k20"), "value20"); // lies past byte 256
}

TEST_F(TranslatorFile, AMissingSectionOrShortCodeLeavesStringsAsTheyWere) {
    MldFile f;
    f.add("ENG", "S02000=english\r\n");
    f.add(std::string("EN\0", 3), "S02000=two-letter entry\r\n");
    Translator t = translatorFor(f.bytes());
    ASSERT_EQ(t.LoadLanguage("ENG"), Translator::LoadResult::Loaded);
    const auto before = t.Strings;
    for (const char* code : {"JPN", "EN", "E", "", "eng"}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(t.LoadLanguage(code), Translator::LoadResult::NoSection);
        EXPECT_EQ(t.Strings, before);
        EXPECT_FALSE(t.LastError().empty());
    }
    // Only the first three letters of a longer code count.
    EXPECT_EQ(t.LoadLanguage("ENGLISH"), Translator::LoadResult::Loaded);
}

TEST_F(TranslatorFile, DamagedFilesFailWithoutTouchingStrings) {
    MldFile good;
    good.add("ENG", "S02000=english\r\n");
    good.add("RUS", "S02000=russian\r\n");
    const std::string goodBytes = good.bytes();

    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases;
    {
        MldFile f = good;
        f.dir[1].size = 0xFFFFFFFFu; // asks for 4 GiB
        cases.push_back({"huge size", f.bytes()});
    }
    {
        MldFile f = good;
        f.dir[1].size += 1; // one byte past the end
        cases.push_back({"section past the end", f.bytes()});
    }
    {
        // Sizes before RUS that wrap a 32-bit sum to 16: must not read at 768 + 16.
        MldFile f;
        f.dir = {{"AAA", 0xFFFFFFF0u}, {"BBB", 0x20u}, {"RUS", 16}};
        f.body = padTo("S02000=wrapped\r\n", 16 + 16);
        cases.push_back({"sizes that overflow", f.bytes()});
    }
    cases.push_back({"truncated in the directory", goodBytes.substr(0, 700)});
    cases.push_back({"truncated in the key", goodBytes.substr(0, 300)});
    cases.push_back({"empty file", ""});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Translator t = translatorFor(c.bytes);
        t.Strings = {"S02000=kept"};
        EXPECT_EQ(t.LoadLanguage("RUS"), Translator::LoadResult::Failed);
        EXPECT_EQ(t.Translate("S02000"), "kept");
        EXPECT_FALSE(t.LastError().empty());
    }

    Translator exact = translatorFor(goodBytes);
    EXPECT_EQ(exact.LoadLanguage("RUS"), Translator::LoadResult::Loaded) << exact.LastError();
    EXPECT_TRUE(exact.LastError().empty());

    Translator missing;
    missing.SetFileName((dir_.path / "nowhere.mld").string());
    missing.Strings = {"a=b"};
    EXPECT_EQ(missing.LoadLanguage("ENG"), Translator::LoadResult::Failed);
    EXPECT_NE(missing.LastError().find("nowhere.mld"), std::string::npos);
    EXPECT_EQ(missing.Strings, std::vector<std::string>{"a=b"});

    Translator folder;
    folder.SetFileName(dir_.path.string());
    EXPECT_EQ(folder.LoadLanguage("ENG"), Translator::LoadResult::Failed);
}

TEST_F(TranslatorFile, SectionsAreWindows1251AndAnyLineBreakCounts) {
    MldFile f;
    // "Просмотр" in Windows-1251, then LF-only and lone-CR breaks.
    f.add("RUS", "S03009=\xCF\xF0\xEE\xF1\xEC\xEE\xF2\xF0\nA=1\rB=\xAB\xB8\xBB\r\n\r\nC=3");
    Translator t = translatorFor(f.bytes());
    ASSERT_EQ(t.LoadLanguage("RUS"), Translator::LoadResult::Loaded);
    EXPECT_EQ(t.Translate("S03009"), "Просмотр");
    EXPECT_EQ(t.Translate("a"), "1");
    EXPECT_EQ(t.Translate("B"), "«ё»");
    EXPECT_EQ(t.Translate("C"), "3");
    EXPECT_EQ(t.Strings.size(), 5u); // the empty line is a line of its own
}

TEST(Translator, TranslateMatchesNamesIgnoringCaseFirstLineWins) {
    Translator t;
    EXPECT_EQ(t.FileName, "Loopcrafter.mld");
    EXPECT_EQ(t.Translate("S03000"), "");
    t.Strings = {"no equals sign", "s03000=first", "S03000=second", "a=b=c", "=nameless", "empty="};
    EXPECT_EQ(t.Translate("S03000"), "first");
    EXPECT_EQ(t.Translate("s03000"), "first");
    EXPECT_EQ(t.Translate("a"), "b=c");
    EXPECT_EQ(t.Translate(""), "nameless");
    EXPECT_EQ(t.Translate("empty"), "");
    EXPECT_EQ(t.Translate("no equals sign"), "");
    EXPECT_EQ(t.Translate("S0300"), "");
}

TEST(Translator, TechniqueNamesAreAlwaysSeventeenDistinctNames) {
    auto distinct = [](const std::array<std::string, 17>& names) {
        std::set<std::string> s(names.begin(), names.end());
        return s.size() == 17 && !s.count("");
    };

    Translator empty;
    const auto defaults = TechniqueNames(empty);
    EXPECT_TRUE(distinct(defaults));
    EXPECT_EQ(defaults[0], "Fair Isle");
    EXPECT_EQ(defaults[16], "Intarsia");
    EXPECT_EQ(TechniqueName("s02019", empty), "Intarsia");
    EXPECT_EQ(TechniqueName("s02005", empty), "");

    Translator partial;
    partial.Strings = {"s02002=Norwegian", "s02003=Bad=Name", "s02004="};
    const auto mixed = TechniqueNames(partial);
    EXPECT_EQ(mixed[0], "Norwegian");
    EXPECT_EQ(mixed[1], defaults[1]); // '=' would break the "name=kind" list
    EXPECT_EQ(mixed[2], defaults[2]);
    EXPECT_TRUE(distinct(mixed));

    Translator clash;
    clash.Strings = {"s02002=Same", "s02019=Same"};
    EXPECT_EQ(TechniqueNames(clash), defaults);
    Translator clashWithDefault;
    clashWithDefault.Strings = {"s02002=Intarsia"};
    EXPECT_TRUE(distinct(TechniqueNames(clashWithDefault)));
}

// The language file the build packs beside the program, read back through the
// program's own reader and compared with its readable sources.
TEST(Translator, ShippedLanguageFileHoldsEveryKeyInEnglishAndRussian) {
    const char* programDir = std::getenv("LC_PROGRAM_DIR");
    const char* sourceDir = std::getenv("LC_SOURCE_DIR");
    ASSERT_NE(programDir, nullptr) << "run through ctest";
    ASSERT_NE(sourceDir, nullptr) << "run through ctest";

    std::vector<std::string> keys(kTechniqueNameKeys.begin(), kTechniqueNameKeys.end());
    keys.push_back("S02000");
    keys.push_back("S02001");
    for (int i = 0; i <= 13; ++i) keys.push_back((i < 10 ? "S0300" : "S030") + std::to_string(i));

    std::array<std::string, 17> englishNames;
    for (const char* code : {"ENG", "RUS"}) {
        SCOPED_TRACE(code);
        std::map<std::string, std::string> source;
        std::ifstream in(fs::path(sourceDir) / "resources/lang" / (std::string(code) + ".txt"));
        ASSERT_TRUE(in);
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#') continue;
            const auto eq = line.find('=');
            source.emplace(line.substr(0, eq), line.substr(eq + 1));
        }

        Translator t;
        t.SetFileName((fs::path(programDir) / kLanguageFileName).string());
        ASSERT_EQ(t.LoadLanguage(code), Translator::LoadResult::Loaded) << t.LastError();
        EXPECT_EQ(t.Strings.size(), source.size());
        for (const std::string& key : keys) {
            ASSERT_TRUE(source.count(key)) << key;
            EXPECT_EQ(t.Translate(key), source[key]) << key;
        }
        const auto names = TechniqueNames(t);
        for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i], source[std::string(kTechniqueNameKeys[i])]);
        if (std::string(code) == "ENG") englishNames = names;
        else EXPECT_NE(names, englishNames);
    }
}
