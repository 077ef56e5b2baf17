#include <gtest/gtest.h>

#include <algorithm>

#include "core/UIText.h"

using namespace lc;

namespace {

// The CR and LF bytes of a text, in order: translations keep the message
// boxes' line layout.
std::string lineBreaks(const std::string& s) {
    std::string out;
    std::copy_if(s.begin(), s.end(), std::back_inserter(out), [](char c) { return c == '\r' || c == '\n'; });
    return out;
}

bool isAscii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

UITextTable table(bool russian) {
    UITextTable texts;
    if (russian) SetRussianTexts(texts);
    else SetEnglishTexts(texts);
    return texts;
}

} // namespace

TEST(UIText, OnlyTheExactCodeRusChoosesRussian) {
    UITextTable texts;
    for (const char* code : {"ENG", "JPN", "", "rus", "RU", "RUSS"}) {
        SCOPED_TRACE(code);
        SetRussianTexts(texts);
        EXPECT_FALSE(SelectTextTable(texts, code));
        EXPECT_EQ(texts[33], "Your knitting was successfully finished");
        EXPECT_EQ(texts[utKnitFinished], texts[33]);
    }
    EXPECT_TRUE(SelectTextTable(texts, "RUS"));
    EXPECT_EQ(texts[38], "Seamless Rib");
    EXPECT_EQ(texts[28], "ОШИБКА!");
    EXPECT_EQ(texts[24], "В ряду &&1 встретилось более 5 подряд идущих петель одного цвета");
}

TEST(UIText, RussianFillsEverySlotTheRunEndAndPortBoxesIncluded) {
    const auto ru = table(true);
    for (int slot = 31; slot <= 34; ++slot) EXPECT_FALSE(ru[slot].empty()) << "slot " << slot;
    const auto en = table(false);
    for (int slot = 0; slot < kUITextSlots; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_FALSE(ru[slot].empty());
        // Only "Seamless Rib" is the same in both tables; anything else equal
        // to its English text was left untranslated.
        if (slot == utSeamlessRib) EXPECT_EQ(ru[slot], en[slot]);
        else EXPECT_NE(ru[slot], en[slot]);
        EXPECT_EQ(lineBreaks(ru[slot]), lineBreaks(en[slot]));
        EXPECT_EQ(ru[slot].find("&&1") != std::string::npos, en[slot].find("&&1") != std::string::npos);
        EXPECT_EQ(ru[slot].find("%s") != std::string::npos, en[slot].find("%s") != std::string::npos);
    }
}

TEST(UIText, EnglishTableIsEnglishAndKeepsItsByteLayout) {
    const auto en = table(false);
    for (int slot = 0; slot < kUITextSlots; ++slot) EXPECT_TRUE(isAscii(en[slot])) << "slot " << slot;
    EXPECT_NE(en[24].find("&&1"), std::string::npos);

    EXPECT_EQ(en[4], en[10]);
    EXPECT_EQ(en[4], en[13]);
    EXPECT_NE(en[4].find("\n\r  Reknitt"), std::string::npos);
    EXPECT_NE(en[11], en[4]);
    EXPECT_NE(en[11].find("\n\r Reknitt"), std::string::npos);
    EXPECT_EQ(en[61].substr(en[61].size() - 2), "\n\r"); // LF then CR, as always shown
    EXPECT_EQ(en[18].substr(en[18].size() - 2), "\r\n");
    EXPECT_EQ(en[46], "\"");
    EXPECT_EQ(en[34], "Selected communication port can not be open. Check your settings in the \"Edit Preferences\"");
    EXPECT_EQ(en[0], "Width  : ");
    EXPECT_EQ(en[73], "Gathered sleev");
}

TEST(UIText, UnitNamesAreTheLastTwoSlots) {
    const UITextTable en = EnglishTexts(), ru = RussianTexts();
    EXPECT_EQ(UnitNames(en)[0], "centimeters");
    EXPECT_EQ(UnitNames(en)[1], "inches");
    EXPECT_EQ(UnitNames(ru)[0], "сантиметры");
    EXPECT_EQ(UnitNames(ru)[1], "дюймы");
}

TEST(UIText, PlaceholdersTakeUserTextAsItIs) {
    UITextTable texts = EnglishTexts();
    // User text with format directives must come out unchanged, never interpreted.
    const std::string shown = FormatUIText(texts[128], "12%s%n%d");
    EXPECT_EQ(shown, "\"12%s%n%d\" is not a valid value.\r\nPlease use positive non-zero numbers only.");
    SetRussianTexts(texts);
    EXPECT_EQ(FormatUIText(texts[128], "x").rfind("\"x\" ", 0), 0u);

    SetEnglishTexts(texts);
    EXPECT_EQ(ReplaceRowMark(texts[23], 17), "Row 17 has more colors than you can use for this technique.");
    EXPECT_EQ(ReplaceRowMark(texts[25], 3), "Row  3 is missing");
    EXPECT_EQ(ReplaceRowMark("no mark", 3), "no mark");
}
