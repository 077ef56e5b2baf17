#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>
#include <string>

#include "core/Environment.h"
#include "core/Globals.h"
#include "lc/Version.h"

using namespace lc;

namespace {
struct GaugeGuard {
    ~GaugeGuard() { ResetGlobals(); }
};
} // namespace

TEST(CellHeights, FollowTheGaugeRatio) {
    GaugeGuard g;
    PixByX = 0.25;
    PixByY = 0.5;
    ComputeCellHeights();
    for (int i = 0; i < kZoomLevels; ++i) EXPECT_EQ(CellHeights[i], 2 * CellWidths[i]) << i;
    EXPECT_EQ(CellHeights[0], 6);
    EXPECT_EQ(CellHeights[10], 46);

    PixByY = 0.25;
    ComputeCellHeights();
    EXPECT_EQ(CellHeights, CellWidths);
}

TEST(CellHeights, NeverBelowTwo) {
    GaugeGuard g;
    PixByX = 0.25;
    PixByY = 0.05;
    ComputeCellHeights();
    EXPECT_EQ(CellHeights[0], 2);  // 0.6 rounds to 1, raised to 2
    EXPECT_EQ(CellHeights[10], 5); // 4.6
    for (uint8_t h : CellHeights) EXPECT_GE(h, 2);
}

TEST(CellHeights, SurviveGaugesNoCellCanBeMadeOf) {
    GaugeGuard g;
    const double bad[] = {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity()};
    for (double x : bad) {
        PixByX = x;
        PixByY = 0.5;
        ComputeCellHeights();
        EXPECT_EQ(CellHeights[0], 6) << x; // counted as 0.25
    }
    PixByX = 1e-9;
    PixByY = 1.0;
    ComputeCellHeights();
    for (uint8_t h : CellHeights) EXPECT_EQ(h, 255);
}

TEST(PrinterUnits, MillimetresToPixelsUseTheDpiSetByTheUi) {
    SetPrinterDpi(600, 300);
    EXPECT_EQ(MmToPixelsX(25.4), 600);
    EXPECT_EQ(MmToPixelsY(25.4), 300);
    EXPECT_EQ(MmToPixelsX(10), 236); // 236.22
    EXPECT_EQ(MmToPixelsY(-10), -118);
    SetPrinterDpi(0, std::nan("")); // ignored
    EXPECT_EQ(PrinterDpiX(), 600);
    EXPECT_EQ(PrinterDpiY(), 300);
    EXPECT_EQ(MmToPixelsX(std::nan("")), 0);
    EXPECT_EQ(MmToPixelsX(1e300), std::numeric_limits<int>::max());
}

TEST(VersionText, NamesTheFourPartsOfTheProgramVersion) {
    const std::string t = GetVersionText();
    EXPECT_TRUE(std::regex_match(t, std::regex(R"(Loopcrafter Pro V\.\d+\.\d+ Release \d+\.\d+)"))) << t;
    EXPECT_NE(t.find(" Release " + std::to_string(version::Release) + "." + std::to_string(version::Build)),
              std::string::npos);
}
