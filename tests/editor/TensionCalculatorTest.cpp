#include <gtest/gtest.h>

#include "core/PatternRaster.h"
#include "core/Settings.h"
#include "editor/TensionCalculator.h"

namespace lc::test {

TEST(TensionCalculator, GaugeFromASampleInCentimetresOrInches) {
    EXPECT_DOUBLE_EQ(GaugeOf(10, 0, 40), 0.25);
    EXPECT_NEAR(GaugeOf(3.937, 1, 40), 0.2499995, 1e-12);
    EXPECT_DOUBLE_EQ(GaugeOf(12, 0, 30), 0.4);
    // Gauges that would leave cell heights and rulers degenerate are out of bounds.
    EXPECT_TRUE(GaugeInBounds(0.01));
    EXPECT_TRUE(GaugeInBounds(10));
    EXPECT_FALSE(GaugeInBounds(0.009));
    EXPECT_FALSE(GaugeInBounds(GaugeOf(20, 0, 1.5)));
}

TEST(TensionCalculator, NumbersShowFifteenSignificantDigits) {
    // A shortest round-trip form would give 3.937007874015748 and 10.000000000000005.
    EXPECT_EQ(FormatCalculatorNumber(10 / 2.54), "3.93700787401575");
    EXPECT_EQ(FormatCalculatorNumber(3.93700787401575 * 2.54), "10");
    EXPECT_EQ(FormatCalculatorNumber(0.2499995, ','), "0,2499995");
    EXPECT_EQ(FormatCalculatorNumber(RoundHalfUp2(1.005)), "1.01");
    EXPECT_EQ(FormatCalculatorNumber(RoundHalfUp2(40 * 0.4)), "16");
}

TEST(TensionCalculator, OnlyPlainDecimalNumbersAreRead) {
    EXPECT_EQ(ParseCalculatorNumber("12.5"), 12.5);
    EXPECT_EQ(ParseCalculatorNumber("0"), 0.0); // a number, refused later for not being above 0
    EXPECT_EQ(ParseCalculatorNumber(".5"), 0.5);
    for (const char* bad : {"", "1.2.3", "-1", "1e5", "12a", ".", "1,5", "inf", " 1"})
        EXPECT_FALSE(ParseCalculatorNumber(bad).has_value()) << bad;
    EXPECT_EQ(ParseCalculatorNumber("1,5", ','), 1.5);
    // Stored presets are read with either separator, whatever the locale.
    EXPECT_EQ(ParseCalculatorNumber("1,5", '.', true), 1.5);
    EXPECT_EQ(ParseCalculatorNumber("1.5", ',', true), 1.5);
    EXPECT_FALSE(ParseCalculatorNumber("1.5,2", '.', true).has_value());
}

TEST(TensionCalculator, PresetsRoundTripThroughTheStoreAndAnEmptyListLeavesNoGroup) {
    MemorySettingsStore store;
    PresetStore templates(store, kTemplatesKey, "Template");
    EXPECT_FALSE(templates.load().has_value()); // no group: the caller keeps what it had

    const std::vector<Preset> list = {MakeTemplate("T1", "40", "60", 16.0, 15.0),
                                      MakeTemplate("Wool", "30", "", 10 / 2.54 * 2.54, std::nullopt)};
    templates.save(list);
    EXPECT_EQ(store.readString(kTemplatesKey, "Template0"), "T1=40|60|16|15");
    EXPECT_EQ(store.readString(kTemplatesKey, "Template1"), "Wool=30||10|");
    const auto back = templates.load();
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(back->size(), 2u);
    EXPECT_EQ((*back)[1].name, "Wool");
    EXPECT_EQ((*back)[1].fields, (std::vector<std::string>{"30", "", "10", ""}));

    templates.save({list[0]});
    EXPECT_FALSE(store.hasValue(kTemplatesKey, "Template1")); // a shorter list leaves no stale value
    templates.save({});
    EXPECT_FALSE(store.keyExists(kTemplatesKey));
}

TEST(TensionCalculator, DamagedPresetLinesAndStaleIndicesGiveSoundValues) {
    Preset p = ParsePresetLine("no separators at all");
    EXPECT_EQ(p.name, "no separators at all");
    EXPECT_EQ(p.fields, std::vector<std::string>(4));
    p = ParsePresetLine("a=b=c|1|2|3|4|5");
    EXPECT_EQ(p.name, "a");
    EXPECT_EQ(p.fields, (std::vector<std::string>{"b=c", "1", "2", "3"}));
    EXPECT_EQ(CheckedPresetIndex(2, 2), -1);
    EXPECT_EQ(CheckedPresetIndex(-5, 2), -1);
    EXPECT_EQ(CheckedPresetIndex(1, 2), 1);
}

TEST(TensionCalculator, YarnEstimateCountsTheCellsInsideTheGarment) {
    // A 100-mm square at gauge 0.25 on a 200-stitch pattern: mask columns
    // 80..120 and lines 0..40 inside, outline included.
    PatternRaster gd;
    gd.SetSize(200, 1024);
    gd.Mask.fill(kMaskOutside);
    for (int line = 0; line <= 40; ++line)
        for (int x = 80; x <= 120; ++x) gd.Mask.line(line)[x] = kMaskInside;
    // A colour index that happens to share the background's colour is not inside.
    gd.Mask.line(500)[3] = 17;
    const long cells = CountGarmentCells(gd.Mask);
    EXPECT_EQ(cells, 1681);
    EXPECT_DOUBLE_EQ(YarnEstimate(cells, 10, 25, 20), 33.62);
}

} // namespace lc::test
