#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "core/Errors.h"
#include "core/ModelFile.h"
#include "core/RichText.h"

using namespace lc;

namespace {

RichRun run(std::string text, std::string font = "Arial", double size = 12) {
    RichRun r;
    r.Text = std::move(text);
    r.Font = std::move(font);
    r.Size = size;
    return r;
}

RichParagraph para(std::vector<RichRun> runs, RichAlign align = RichAlign::Left) {
    RichParagraph p;
    p.Align = align;
    p.Runs = std::move(runs);
    return p;
}

// A note using everything a note can hold.
RichDocument sampleNote() {
    RichRun bold = run("Петли: ", "Times New Roman", 14);
    bold.Bold = true;
    RichRun red = run("красные {12}\\", "Arial", 10.5);
    red.Color = 0x0000FF;
    red.Italic = true;
    RichRun under = run("Café 😀\tend\nnext line", "Courier New", 8);
    under.Underline = true;
    under.Color = 0x804020;
    RichRun plain = run("Жакард", "Arial", 10.5);
    RichDocument d;
    d.Paragraphs.push_back(para({bold, red}));
    d.Paragraphs.push_back(para({}, RichAlign::Center));
    d.Paragraphs.push_back(para({under, plain}, RichAlign::Right));
    d.Paragraphs.push_back(para({run("Ёё №5 — «ок»", "")}));
    return d;
}

bool balancedAscii(const std::string& rtf) {
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        const auto c = static_cast<unsigned char>(rtf[i]);
        if (c >= 0x80) return false;
        if (c == '\\') ++i;
        else if (c == '{') ++depth;
        else if (c == '}' && --depth < 0) return false;
    }
    return depth == 0;
}

std::string text(const RichDocument& d) { return d.PlainText(); }

} // namespace

TEST(RichText, WrittenNoteReadsBackIdentical) {
    const RichDocument note = sampleNote();
    const std::string rtf = WriteRtf(note);
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl")) << rtf;
    EXPECT_TRUE(balancedAscii(rtf)) << rtf;
    // Russian as Windows-1251 bytes, what the code page lacks as \uN with a '?' stand-in.
    EXPECT_NE(rtf.find("\\'cf\\'e5\\'f2\\'eb\\'e8"), std::string::npos) << rtf; // Петли
    EXPECT_NE(rtf.find("Caf\\u233?"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\u-10179?\\u-8704?"), std::string::npos) << rtf; // one emoji, two halves
    EXPECT_NE(rtf.find("\\{12\\}\\\\"), std::string::npos) << rtf;
    EXPECT_EQ(ReadRtf(rtf), note);
    EXPECT_EQ(WriteRtf(ReadRtf(rtf)), rtf);
}

TEST(RichText, WriterLeavesOutWhatCannotBeReadBack) {
    RichDocument d;
    RichRun odd = run("a\x01"
                      "b\xff"
                      "c",
                      "Bad;{Name}", 0);
    odd.Color = 0xFF00FF00; // the high byte is not part of a colour
    RichRun huge = run("x", "Arial", 1e9);
    RichRun nan = run("y", "Arial", std::numeric_limits<double>::quiet_NaN());
    d.Paragraphs.push_back(para({run("", "Unused"), odd, huge, nan}));
    const RichDocument back = ReadRtf(WriteRtf(d));
    ASSERT_EQ(back.Paragraphs.size(), 1u);
    const auto& runs = back.Paragraphs[0].Runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].Text, "ab\xEF\xBF\xBD"
                            "c"); // the control character goes, a broken byte becomes U+FFFD
    EXPECT_EQ(runs[0].Font, "Bad{Name}");
    EXPECT_EQ(runs[0].Size, 12);
    EXPECT_EQ(runs[0].Color, 0x00FF00u);
    EXPECT_EQ(runs[1].Size, 1638);
    EXPECT_EQ(runs[2].Size, 12);
    EXPECT_EQ(WriteRtf(d).find("Unused"), std::string::npos);

    EXPECT_TRUE(ReadRtf(WriteRtf(RichDocument{})).Paragraphs.empty());
    RichDocument blank;
    blank.Paragraphs.resize(2);
    EXPECT_EQ(ReadRtf(WriteRtf(blank)), blank);
}

TEST(RichText, ReadsRussianWordPadNote) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset204{\\*\\fname Arial;}Arial "
        "CYR;}"
        "{\\f1\\fnil\\fcharset0 Courier New;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
        "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\lang1049\\f0\\fs20\\'cf\\'e5\\'f2\\'eb\\'e8: "
        "\\b 12\\b0  \\cf1\\i\\'ea\\'f0\\'e0\\'f1\\'ed\\'fb\\'e5\\cf0\\i0\\par\r\n"
        "\\pard\\qc\\ul\\f1\\fs28 Center\\ulnone\\par\r\n"
        "\\pard\\f0\\fs20\\par\r\n}\r\n";
    const RichDocument d = ReadRtf(rtf);
    ASSERT_EQ(d.Paragraphs.size(), 3u);
    const auto& p0 = d.Paragraphs[0].Runs;
    ASSERT_EQ(p0.size(), 4u);
    EXPECT_EQ(p0[0].Text, "Петли: ");
    EXPECT_EQ(p0[0].Font, "Arial CYR");
    EXPECT_EQ(p0[0].Size, 10);
    EXPECT_FALSE(p0[0].Bold);
    EXPECT_EQ(p0[1].Text, "12");
    EXPECT_TRUE(p0[1].Bold);
    EXPECT_EQ(p0[2].Text, " ");
    EXPECT_TRUE(p0[2].SameFormat(p0[0]));
    EXPECT_EQ(p0[3].Text, "красные");
    EXPECT_EQ(p0[3].Color, 0x0000FFu);
    EXPECT_TRUE(p0[3].Italic);
    EXPECT_EQ(d.Paragraphs[1].Align, RichAlign::Center);
    ASSERT_EQ(d.Paragraphs[1].Runs.size(), 1u);
    EXPECT_EQ(d.Paragraphs[1].Runs[0].Font, "Courier New");
    EXPECT_EQ(d.Paragraphs[1].Runs[0].Size, 14);
    EXPECT_TRUE(d.Paragraphs[1].Runs[0].Underline);
    EXPECT_EQ(d.Paragraphs[2].Align, RichAlign::Left);
    EXPECT_TRUE(d.Paragraphs[2].Runs.empty());
}

TEST(RichText, BytesFollowTheFontsCharacterSet) {
    // A Western WordPad writes Russian in a font of the Cyrillic character set.
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
        "{\\f1\\fnil\\fcharset204 Calibri;}}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Caf\\'e9 \\'80 "
        "\\f1\\lang1049\\'e2\\'ff\\'e7\\'e0\\'ed\\'e8\\'e5"
        "\\f0\\lang9\\par\r\n}";
    const RichDocument d = ReadRtf(rtf);
    ASSERT_EQ(d.Paragraphs.size(), 1u);
    ASSERT_EQ(d.Paragraphs[0].Runs.size(), 1u); // one font name, one format
    EXPECT_EQ(d.Paragraphs[0].Runs[0].Text, "Café € вязание");
    EXPECT_EQ(d.Paragraphs[0].Runs[0].Size, 11);
    // Without \ansicpg the code page is Windows-1251.
    EXPECT_EQ(text(ReadRtf("{\\rtf1\\ansi \\'cf\\'f0\\'e8}")), "При");
}

TEST(RichText, ReadsUnicodeAndSkipsWhatANoteDoesNotShow) {
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}{\\info{\\title Secret}}{\\stylesheet{\\s0 Hidden;}}\n"
        "\\pard\\plain \\u1055\\'3f\\u1088?{\\uc2\\u1080\\'e8\\'e8}\\uc0\\u1074 {\\*\\bkmkstart x}{\\pict\\pngblip "
        "89504e47}"
        "{\\object{\\objdata 0102}}\n{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}} "
        "\\emdash\\~{\\*\\unknown junk}\\bin3 {}}end\\par}";
    const RichDocument d = ReadRtf(rtf);
    ASSERT_EQ(d.Paragraphs.size(), 1u);
    ASSERT_EQ(d.Paragraphs[0].Runs.size(), 1u);
    EXPECT_EQ(d.Paragraphs[0].Runs[0].Text, "Привlink —\u00A0end");
    EXPECT_EQ(d.Paragraphs[0].Runs[0].Font, "Times New Roman");

    // Surrogate halves join; a lone half is replaced; larger code points are taken as written.
    EXPECT_EQ(text(ReadRtf("{\\rtf1\\uc1\\u-10179?\\u-8704?|\\u-8704?|\\u-10179?x|\\u128512?}")), "😀|\xEF\xBF\xBD|x|😀");
    // Character formatting is scoped by groups, \plain resets it, \line and \tab stay in the paragraph.
    const RichDocument g = ReadRtf("{\\rtf1{\\b\\i b{\\ul u}}n\\b\\fs30 x\\plain y\\line\\tab z\\par}");
    ASSERT_EQ(g.Paragraphs.size(), 1u);
    const auto& r = g.Paragraphs[0].Runs;
    ASSERT_EQ(r.size(), 5u);
    EXPECT_TRUE(r[0].Bold && r[0].Italic && !r[0].Underline);
    EXPECT_TRUE(r[1].Underline && r[1].Bold);
    EXPECT_EQ(r[2].Text, "n");
    EXPECT_FALSE(r[2].Bold);
    EXPECT_EQ(r[3].Size, 15);
    EXPECT_EQ(r[4].Text, "y\n\tz");
    EXPECT_TRUE(r[4].SameFormat(r[2]));
}

TEST(RichText, ReadsTablesWithoutGroupsAndColourZero) {
    const RichDocument d = ReadRtf(
        "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2639 {\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1 Courier;}\n"
        "{\\colortbl;\\red255\\green255\\blue255;\\red200\\green0\\blue0;}\n\\pard\\f0\\fs24 \\cf0 Plain \\cf2 red\\\n"
        "\\f1\\cf7 more}");
    ASSERT_EQ(d.Paragraphs.size(), 2u);
    const auto& r = d.Paragraphs[0].Runs;
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Font, "Helvetica");
    EXPECT_EQ(r[0].Color, 0u);
    EXPECT_EQ(r[1].Color, 0x0000C8u);
    EXPECT_EQ(r[1].Text, "red");
    ASSERT_EQ(d.Paragraphs[1].Runs.size(), 1u);
    EXPECT_EQ(d.Paragraphs[1].Runs[0].Font, "Courier");
    EXPECT_EQ(d.Paragraphs[1].Runs[0].Color, 0u); // no such colour
}

TEST(RichText, PlainTextBecomesParagraphs) {
    const RichDocument d = ReadRtf("\xEF\xBB\xBFRow 1\r\nRow\x02 2\n\nRow\t4");
    ASSERT_EQ(d.Paragraphs.size(), 4u);
    EXPECT_EQ(text(d), "Row 1\nRow 2\n\nRow\t4");
    EXPECT_TRUE(d.Paragraphs[2].Runs.empty());
    EXPECT_EQ(d.Paragraphs[0].Runs[0].Size, 12);
    EXPECT_EQ(text(ReadRtf("\xcf\xf0\xe8\xe2\xe5\xf2\r")), "Привет"); // not UTF-8: Windows-1251
    EXPECT_EQ(text(ReadRtf("Привет")), "Привет");
    EXPECT_TRUE(ReadRtf("").Paragraphs.empty());
    EXPECT_TRUE(ReadRtf(" \r\n").Paragraphs.size() == 1 && ReadRtf(" \r\n").Paragraphs[0].Runs[0].Text == " ");
    EXPECT_EQ(ReadRtf(WriteRtf(d)), d);
}

TEST(RichText, DamagedInputGivesWhatCanBeRead) {
    const std::string note = WriteRtf(sampleNote());
    for (size_t n = 0; n <= note.size(); ++n) {
        const RichDocument d = ReadRtf(note.substr(0, n));
        EXPECT_EQ(ReadRtf(WriteRtf(d)), d) << n;
    }
    // Unclosed groups, extra closing braces, text after the end.
    EXPECT_EQ(text(ReadRtf("{\\rtf1 {\\b bold")), "bold");
    EXPECT_EQ(text(ReadRtf("{\\rtf1 a}}}b{c")), "a");
    // Nesting far past any real document does not exhaust the stack; text around it stays.
    const std::string deep = "{\\rtf1 a" + std::string(200000, '{') + "x" + std::string(200000, '}') + "b}";
    EXPECT_EQ(text(ReadRtf(deep)), "ab");
    // Parameters beyond every range.
    const RichDocument big = ReadRtf(
        "{\\rtf1\\fs99999999999999999 \\f-5\\cf999\\uc99999 a\\u99999999 bcdefghijklmnopqrstu\\bin99999999999 x}");
    ASSERT_EQ(big.Paragraphs.size(), 1u);
    EXPECT_EQ(big.Paragraphs[0].Runs[0].Size, 1638);
    EXPECT_EQ(big.Paragraphs[0].Runs[0].Text, "a\xEF\xBF\xBDrstu"); // at most 16 stand-ins are dropped
    EXPECT_EQ(text(ReadRtf("{\\rtf1 a\\'4")), "a");
    EXPECT_EQ(text(ReadRtf("{\\rtf1 \\u x}")), "x"); // no number, no character and nothing to skip
    EXPECT_EQ(text(ReadRtf("{\\rtf1 a\\'zz\\")), "azz");
    // A font name cannot grow without bound.
    const RichDocument named = ReadRtf("{\\rtf1{\\fonttbl{\\f0 " + std::string(100000, 'N') + ";}}x}");
    EXPECT_EQ(named.Paragraphs[0].Runs[0].Font.size(), kMaxRtfFontName);

    // Random token soup: never throws, and what is read writes back to the same note.
    const char* tokens[] = {"{",        "}",      "\\",    "\\b",       "\\b0",       "\\i ",    "\\ul",
                            "\\ulnone", "\\f1",   "\\fs",  "\\cf2",     "\\par",      "\\pard",  "\\qc",
                            "\\qr",     "\\line", "\\tab", "\\u1046?",  "\\u-10179?", "\\uc0",   "\\uc2",
                            "\\'e9",    "\\'",    "\\*",   "\\fonttbl", "\\colortbl", "\\red9;", "\\fcharset204",
                            ";",        "x",      "Ж",     " ",         "\\plain",    "\\bin2",  "\\pict",
                            "\\\\",     "\\{",    "\\~",   "\r\n",      "\xff"};
    std::mt19937 rng(5);
    for (int i = 0; i < 3000; ++i) {
        std::string s = i % 3 ? "{\\rtf1" : "";
        const int n = static_cast<int>(rng() % 60);
        for (int k = 0; k < n; ++k) s += tokens[rng() % std::size(tokens)];
        const RichDocument d = ReadRtf(s);
        for (const auto& p : d.Paragraphs)
            for (const auto& r : p.Runs) ASSERT_FALSE(r.Text.empty()) << s;
        ASSERT_EQ(ReadRtf(WriteRtf(d)), d) << s;
    }
}

TEST(RichText, OversizedNotesAreRefused) {
    EXPECT_THROW(ReadRtf(std::string(kMaxRtfBytes + 1, 'a')), FormatError);
    RichDocument d;
    d.Paragraphs.push_back(para({run(std::string(kMaxRtfBytes / 4, 'x')), run(std::string(kMaxRtfBytes / 4, 'y'))}));
    EXPECT_NO_THROW(WriteRtf(d));
    for (RichRun& r : d.Paragraphs[0].Runs) r.Text.assign(kMaxRtfBytes / 4, '{'); // doubled by their escapes
    EXPECT_THROW(WriteRtf(d), RangeError);
}

TEST(RichText, ModelKeepsNotesAsRtf) {
    ModelFile m;
    m.AddFolder("Set");
    const RichDocument note = sampleNote();
    EXPECT_EQ(m.AddNote(1, "Instructions", note), 1);
    ASSERT_EQ(m.Items[1].Kind, kItemNote);
    const std::string stored(m.NoteData(1).begin(), m.NoteData(1).end());
    EXPECT_EQ(stored, WriteRtf(note));

    ModelFile back;
    back.LoadFromBytes(m.SaveToBytes());
    RichDocument loaded;
    ASSERT_TRUE(back.LoadNote(1, loaded));
    EXPECT_EQ(loaded, note);

    RichDocument untouched = note;
    EXPECT_FALSE(back.LoadNote(0, untouched)); // a folder
    EXPECT_FALSE(back.LoadNote(2, untouched));
    EXPECT_FALSE(back.LoadNote(-1, untouched));
    EXPECT_EQ(untouched, note);

    // A note item from another program, in plain text.
    const std::string other = "first\r\nsecond";
    back.AddNote(0, "Old", std::span(reinterpret_cast<const uint8_t*>(other.data()), other.size()));
    ASSERT_TRUE(back.LoadNote(2, loaded));
    EXPECT_EQ(text(loaded), "first\nsecond");
}
