#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>
#include <string>

#include "core/EditorState.h"
#include "core/Environment.h"
#include "lc/Version.h"

using namespace lc;

TEST(CellHeights, FollowTheGaugeRatio) {
    CellHeightTable heights = CellHeightsFor(0.25, 0.5);
    for (int i = 0; i < kZoomLevels; ++i) EXPECT_EQ(heights[i], 2 * CellWidths[i]) << i;
    EXPECT_EQ(heights[0], 6);
    EXPECT_EQ(heights[10], 46);

    EXPECT_EQ(CellHeightsFor(0.25, 0.25), CellWidths);
}

TEST(CellHeights, NeverBelowTwo) {
    const CellHeightTable heights = CellHeightsFor(0.25, 0.05);
    EXPECT_EQ(heights[0], 2);  // 0.6 rounds to 1, raised to 2
    EXPECT_EQ(heights[10], 5); // 4.6
    for (uint8_t h : heights) EXPECT_GE(h, 2);
}

TEST(CellHeights, SurviveGaugesNoCellCanBeMadeOf) {
    const double bad[] = {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};
    for (double x : bad) EXPECT_EQ(CellHeightsFor(x, 0.5)[0], 6) << x; // counted as 0.25
    for (uint8_t h : CellHeightsFor(1e-9, 1.0)) EXPECT_EQ(h, 255);
}

TEST(PrinterUnits, MillimetresToPixelsUseTheDpiSetByTheUi) {
    PrinterResolution printer;
    printer.Set(600, 300);
    EXPECT_EQ(printer.MmToPixelsX(25.4), 600);
    EXPECT_EQ(printer.MmToPixelsY(25.4), 300);
    EXPECT_EQ(printer.MmToPixelsX(10), 236); // 236.22
    EXPECT_EQ(printer.MmToPixelsY(-10), -118);
    printer.Set(0, std::nan("")); // ignored
    EXPECT_EQ(printer.DpiX, 600);
    EXPECT_EQ(printer.DpiY, 300);
    EXPECT_EQ(printer.MmToPixelsX(std::nan("")), 0);
    EXPECT_EQ(printer.MmToPixelsX(1e300), std::numeric_limits<int>::max());
}

TEST(VersionText, NamesTheFourPartsOfTheProgramVersion) {
    const std::string t = GetVersionText();
    EXPECT_TRUE(std::regex_match(t, std::regex(R"(Loopcrafter Pro V\.\d+\.\d+ Release \d+\.\d+)"))) << t;
    EXPECT_NE(t.find(" Release " + std::to_string(version::Release) + "." + std::to_string(version::Build)),
              std::string::npos);
}
