// The needle bed's model and the preview panels' geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "KnitTestUtil.h"
#include "knitting/NeedleBedModel.h"
#include "knitting/PreviewModel.h"
#include "knitting/Technique.h"
#include "core/UIText.h"

using namespace lc;
using namespace lc::test;

namespace {

// Every call of the bed's listener, as text: "grab left 20", "scroll 10 31".
struct Messages : LinkPanelEvents {
    std::vector<std::string> got;
    static const char* side(bool rightCam) { return rightCam ? "right" : "left"; }
    void camGrabbed(bool rightCam, int needle) override {
        got.push_back(std::string("grab ") + side(rightCam) + " " + std::to_string(needle));
    }
    void camStepped(bool rightCam, int needle) override {
        got.push_back(std::string("step ") + side(rightCam) + " " + std::to_string(needle));
    }
    void camDropped(bool rightCam) override { got.push_back(std::string("drop ") + side(rightCam)); }
    void bedScrolled(int first, int end) override {
        got.push_back("scroll " + std::to_string(first) + " " + std::to_string(end));
    }
    void rowCounterChanged(int position) override { got.push_back("row " + std::to_string(position)); }
    void clear() { got.clear(); }
};

struct BedFixture : ::testing::Test {
    PatternFixture pattern{200, 1024, 0};
    NeedleBedModel bed;
    Messages msgs;
    int invalidations = 0;
    void SetUp() override {
        bed.SetPatternWidth(200);
        bed.SetListener(&msgs);
        bed.OnInvalidate = [this] { ++invalidations; };
        bed.Resize(830, 300);
    }
};

} // namespace

TEST(NeedleNumbers, CountFromTheCentreWithTheLettersOfEachSide) {
    EXPECT_EQ(FormatNeedleNumber(0, 200), "L100");
    EXPECT_EQ(FormatNeedleNumber(99, 200), "L1");
    EXPECT_EQ(FormatNeedleNumber(100, 200), "R1");
    EXPECT_EQ(FormatNeedleNumber(199, 200), "R100");
    EXPECT_EQ(FormatNeedleNumberSwapped(180, 200), "L81");
    EXPECT_EQ(FormatNeedleNumberSwapped(20, 200), "R80");
    // An odd width: the centre needle is R1.
    EXPECT_EQ(FormatNeedleNumber(74, 149), "R1");
    EXPECT_EQ(FormatNeedleNumber(73, 149), "L1");
}

TEST_F(BedFixture, StepsKeepFiveNeedlesBetweenTheCamsAndReportEachStep) {
    bed.LSPos = 0;
    bed.RSPos = 10;
    EXPECT_FALSE(bed.StepLeftCam(5));
    EXPECT_EQ(bed.LSPos, 0);
    EXPECT_TRUE(msgs.got.empty());
    EXPECT_TRUE(bed.StepLeftCam(4));
    EXPECT_EQ(bed.LSPos, 4);
    EXPECT_EQ(msgs.got.back(), "step left 4");
    EXPECT_FALSE(bed.StepLeftCam(-5)); // below MinPos
    bed.LSPos = 0;
    EXPECT_FALSE(bed.StepRightCam(-5)); // RSPos 5 is not above LSPos + 5
    EXPECT_TRUE(bed.StepRightCam(-4));
    EXPECT_EQ(bed.RSPos, 6);
    EXPECT_EQ(msgs.got.back(), "step right 5");
    bed.RSPos = 200;
    EXPECT_FALSE(bed.StepRightCam(1)); // beyond MaxPos
    EXPECT_FALSE(bed.StepLeftCam(0));
}

TEST_F(BedFixture, SetCamsTakesTheLastNeedleAndRepaintsOnlyOnChange) {
    bed.SetCams(49, 148);
    EXPECT_EQ(bed.LSPos, 49);
    EXPECT_EQ(bed.RSPos, 149);
    const int before = invalidations;
    msgs.clear();
    bed.SetCams(49, 148);
    EXPECT_EQ(invalidations, before);
    EXPECT_TRUE(msgs.got.empty());
    // Cams outside the visible range make the bed fit them.
    bed.ZoomToCount(50);
    msgs.clear();
    bed.SetCams(10, 30);
    EXPECT_EQ(bed.FirstVisible(), 10);
    EXPECT_EQ(bed.EndVisible(), 31);
    EXPECT_EQ(msgs.got.back(), "scroll 10 31");
}

TEST_F(BedFixture, CamsFromOutsideTheBedAreKeptOnIt) {
    // A garment row without inside cells once gave 65535 as its right needle.
    bed.SetCams(0, 65535);
    EXPECT_EQ(bed.RSPos, 200);
    bed.SetCams(-7, 20);
    EXPECT_EQ(bed.LSPos, 0);
    EXPECT_EQ(bed.RSPos, 21);
    bed.SetCams(150, 100); // out of order: one needle in work at the left cam
    EXPECT_EQ(bed.LSPos, 150);
    EXPECT_EQ(bed.RSPos, 151);
    // A narrower pattern takes the cams and the view with it.
    bed.SetCams(20, 180);
    bed.SetPatternWidth(120);
    EXPECT_EQ(bed.MaxPos, 120);
    EXPECT_LE(bed.RSPos, 120);
    EXPECT_LT(bed.LSPos, bed.RSPos);
    EXPECT_LE(bed.EndVisible(), 120);
}

TEST_F(BedFixture, FitAndZoomReportTheVisibleRange) {
    bed.LSPos = bed.RSPos = 30;
    msgs.clear();
    bed.FitCams();
    EXPECT_EQ(bed.LSPos, 0);
    EXPECT_EQ(bed.RSPos, 200);
    EXPECT_EQ(msgs.got.back(), "scroll 0 200");

    bed.ZoomToCount(50);
    EXPECT_EQ(bed.FirstVisible(), 75);
    EXPECT_EQ(bed.EndVisible(), 125);
    EXPECT_EQ(msgs.got.back(), "scroll 75 125");
    bed.ZoomToCount(200);
    EXPECT_EQ(msgs.got.back(), "scroll 0 200");
    // More needles than the pattern has: the whole bed, never a negative first needle.
    bed.ZoomToCount(250);
    EXPECT_EQ(msgs.got.back(), "scroll 0 200");
    bed.ZoomToCount(0);
    EXPECT_EQ(bed.VisibleCount(), 1);

    bed.SetVisibleRange(20, 69);
    EXPECT_EQ(bed.FirstVisible(), 20);
    EXPECT_EQ(bed.EndVisible(), 70);
    bed.SetVisibleRange(190, 400);
    EXPECT_EQ(bed.EndVisible(), 200);
}

TEST_F(BedFixture, PitchAndMarginNeverDivideByZero) {
    bed.FitCams();
    EXPECT_EQ(bed.Pitch(), 4);
    EXPECT_EQ(bed.Margin(), 15);
    EXPECT_EQ(bed.NeedleX(0), 15);
    EXPECT_EQ(bed.CamX(true), 15 + 200 * 4);
    EXPECT_EQ(bed.CamButtonRect(false).top, 300 - 44);

    bed.Resize(100, 20); // narrower than its needles, lower than its ruler
    EXPECT_EQ(bed.Pitch(), 1);
    const auto bands = bed.Bands();
    ASSERT_EQ(bands.size(), 3u);
    for (const auto& b : bands) EXPECT_GE(b.height, 2);
    bed.CamMouseDown(false, 0);
    bed.CamMouseMove(false, 3); // three pixels at pitch 1: three needles
    EXPECT_EQ(bed.LSPos, 3);
    bed.Resize(0, 0);
    EXPECT_EQ(bed.Pitch(), 1);
    EXPECT_FALSE(bed.Bands().empty());
}

TEST_F(BedFixture, DraggingACamStepsByWholePitchesAndReportsGrabAndDrop) {
    bed.FitCams(); // pitch 4
    bed.SetCams(20, 180);
    msgs.clear();
    bed.CamMouseDown(false, 14);
    EXPECT_EQ(msgs.got.back(), "grab left 20");
    EXPECT_TRUE(bed.Dragging());
    bed.CamMouseMove(false, 17); // less than a pitch
    EXPECT_EQ(bed.LSPos, 20);
    bed.CamMouseMove(false, 14 + 9); // two pitches and a bit
    EXPECT_EQ(bed.LSPos, 22);
    EXPECT_EQ(msgs.got.back(), "step left 22");
    bed.CamMouseMove(true, 100); // the other cam is not held
    EXPECT_EQ(bed.RSPos, 181);
    bed.CamMouseUp(false);
    EXPECT_EQ(msgs.got.back(), "drop left");
    EXPECT_FALSE(bed.Dragging());

    bed.CamMouseDown(true, 14);
    EXPECT_EQ(msgs.got.back(), "grab right 180");
    bed.CamMouseMove(true, 14 - 4);
    EXPECT_EQ(bed.RSPos, 180);
    EXPECT_EQ(msgs.got.back(), "step right 179");
    bed.CamMouseUp(true);
    EXPECT_EQ(msgs.got.back(), "drop right");
}

TEST_F(BedFixture, RulerLabelsCountFromTheCentreOnBothHalves) {
    bed.FitCams(); // pitch 4: every 10th needle
    EXPECT_EQ(bed.RulerStep(), 10);
    EXPECT_EQ(bed.RulerLabel(0), "L100");
    EXPECT_EQ(bed.RulerLabel(90), "L10");
    EXPECT_EQ(bed.RulerLabel(95), "");
    EXPECT_EQ(bed.RulerLabel(100), "");
    EXPECT_TRUE(bed.RulerLine(100));
    EXPECT_EQ(bed.RulerLabel(109), "R10");
    EXPECT_EQ(bed.RulerLabel(199), "R100");
    bed.ZoomToCount(40); // pitch 20: every 5th
    EXPECT_EQ(bed.RulerStep(), 5);
    EXPECT_EQ(bed.RulerLabel(95), "L5");
    EXPECT_EQ(bed.RulerLabel(104), "R5");
}

TEST_F(BedFixture, BandsStackTheRowsAroundTheCurrentOne) {
    bed.FitCams();
    bed.DrawRow(50);
    const auto bands = bed.Bands();
    ASSERT_EQ(bands.size(), 29u); // band height 6, m = 31
    EXPECT_EQ(bands.front().top, 5);
    EXPECT_EQ(bands.front().height, 6);
    EXPECT_EQ(bands.front().row, 64);
    EXPECT_EQ(bands[1].top, 13);
    EXPECT_TRUE(bands[14].current);
    EXPECT_EQ(bands[14].row, 50);
    EXPECT_EQ(bands.back().row, 36);
}

TEST_F(BedFixture, BandCellsShowTheStitchesMirroredAndTheActiveNeedles) {
    PatternFixture::set(199, 7, 5);
    PatternFixture::set(0, 7, 3);
    GraphicData.Colors[5] = RGB(1, 2, 3);
    GraphicData.Colors[3] = RGB(4, 5, 6);
    bed.FitCams();
    bed.SetCams(0, 189); // needles 190..199 outside the right cam
    std::vector<Color> colors;
    std::vector<uint8_t> cells;

    bed.BandColors(7, true, colors, cells);
    ASSERT_EQ(colors.size(), 200u);
    EXPECT_EQ(colors[0], RGB(4, 5, 6)); // not mirrored: needle 0 is column 0
    EXPECT_EQ(cells[0], 2);
    EXPECT_EQ(colors[199], kBedGrey160);
    EXPECT_EQ(cells[199], 0);

    bed.Mirrored = true;
    bed.ShowActiveNeedles = true;
    bed.BandColors(7, true, colors, cells);
    EXPECT_EQ(colors[0], RGB(1, 2, 3)); // needle 0 shows column 199
    std::array<uint8_t, 41> active{};
    active[199 / 8] = static_cast<uint8_t>(0x80 >> (199 % 8));
    bed.SetActiveNeedles(active.data());
    bed.BandColors(7, true, colors, cells);
    EXPECT_EQ(colors[0], 0x000000u);
    bed.BandColors(7, false, colors, cells); // only the middle band shows them
    EXPECT_EQ(colors[0], RGB(1, 2, 3));

    // Rows outside the pattern show no cells.
    bed.BandColors(-1, false, colors, cells);
    EXPECT_EQ(cells[10], 0);
    bed.BandColors(1024, false, colors, cells);
    EXPECT_EQ(cells[10], 0);
}

TEST_F(BedFixture, GarmentCellsAreGreyOutsideTheCamsAndSilverOutsideTheShape) {
    GarmentMode = true;
    GraphicData.GarmentRows = 1024;
    // Row 3's garment covers columns 50..149 (the mask's design row r is line r).
    for (int x = 0; x < 200; ++x) GraphicData.Mask.line(3)[x] = (x >= 50 && x < 150) ? kMaskInside : kMaskOutside;
    bed.FitCams();
    bed.SetCams(60, 139);
    std::vector<Color> colors;
    std::vector<uint8_t> cells;
    bed.BandColors(3, true, colors, cells);
    EXPECT_EQ(colors[10], kBedGrey160); // outside the cams and the garment
    EXPECT_EQ(colors[55], kBedGrey180); // outside the cams, inside the garment
    EXPECT_EQ(cells[55], 1);
    EXPECT_EQ(cells[100], 2);
    GarmentMode = false;
}

TEST(Preview, ScalesTheDesignInTheGaugesProportions) {
    PatternFixture pattern(200, 1024);
    SetEnglishTexts();
    PreviewModel p;
    p.ClientWidth = 280;
    p.ClientHeight = 380;
    const PreviewLayout& l = p.Layout();
    ASSERT_TRUE(l.valid);
    EXPECT_DOUBLE_EQ(l.pixPerStitch, 358.0 / 1024.0);
    EXPECT_DOUBLE_EQ(l.pixPerRow, 358.0 / 1024.0);
    EXPECT_EQ(l.right - l.left, 69);
    EXPECT_EQ(l.bottom - l.top, 358);
    EXPECT_EQ(l.left, 105);
    EXPECT_EQ(l.top, 21);
    EXPECT_EQ(l.bottom, 379);
    EXPECT_EQ(l.header, "Width  : 200 ;Rows   : 1024");
    p.SetCurrentRow(100);
    EXPECT_EQ(p.MarkerY(), 344);
    p.SetCurrentRow(-3); // ignored
    EXPECT_EQ(p.MarkedRow(), 100);

    // A gauge twice as high as wide halves the pixels per row.
    PixByY = 0.5;
    const PreviewLayout& g = p.Layout();
    EXPECT_DOUBLE_EQ(g.pixPerRow, g.pixPerStitch * 2);
    PixByY = 0; // a broken gauge reads as square, never a division by zero
    EXPECT_TRUE(p.Layout().valid);
    PixByY = 0.25;
}

TEST(Preview, PicksTheRowUnderTheMouse) {
    PatternFixture pattern(200, 1024);
    PreviewModel p;
    p.ClientWidth = 280;
    p.ClientHeight = 380;
    EXPECT_EQ(p.RowAt(379), 0);
    EXPECT_EQ(p.RowAt(10), -1);  // above the drawn rows
    EXPECT_EQ(p.RowAt(385), -1); // below them

    // 100 rows at 1.4 pixels a row: y 263 lies five rows above the bottom line 270.
    GraphicData.SetSize(200, 100);
    EXPECT_EQ(p.Layout().bottom, 270);
    EXPECT_EQ(p.RowAt(263), 5);
    p.Even = true; // the jacquards pick rows in pairs
    EXPECT_EQ(p.RowAt(263), 4);
    p.Even = false;

    // With a garment the rows end at its last row, not one past it.
    GarmentMode = true;
    GraphicData.GarmentWidth = 100;
    GraphicData.GarmentRows = 10;
    const PreviewLayout& l = p.Layout();
    ASSERT_TRUE(l.valid);
    EXPECT_EQ(l.srcLeft, 50);
    const int yLast = l.bottom - static_cast<int>(std::nearbyint(9 * l.pixPerRow));
    const int yPast = l.bottom - static_cast<int>(std::nearbyint(10 * l.pixPerRow));
    EXPECT_EQ(p.RowAt(yLast), 9);
    EXPECT_EQ(p.RowAt(yPast), -1);
    EXPECT_LT(p.RowAt(l.bottom + 20), 0); // below the garment: comes back negative

    // A garment of no width or rows has nothing to scale.
    GraphicData.GarmentWidth = 0;
    EXPECT_FALSE(p.Layout().valid);
    EXPECT_EQ(p.RowAt(100), -1);
    EXPECT_EQ(p.MarkerY(), -1);
    GraphicData.GarmentWidth = 100;
    GraphicData.GarmentRows = 0;
    EXPECT_FALSE(p.Layout().valid);
    GarmentMode = false;

    p.ClientHeight = 10; // no room below the header
    EXPECT_FALSE(p.Layout().valid);
}

TEST(ColorPanel, LaysOutBobbinsFeedLinesAndThePaletteStrip) {
    PatternFixture pattern(200, 10);
    for (int c = 0; c < 17; ++c) GraphicData.Colors[static_cast<size_t>(c)] = RGB(c, 0, 0);
    ColorOrder.fill(-1);
    ColorInstruction ci;
    ci.ActiveColor = colors({2, 5});
    ci.Threads = colors({5});
    ci.ThreadType = colors({5});
    ci.AllColorsInPic = colors({0, 2, 5, 9});
    ci.ChangedColors = colors({5});
    ci.CarrPosition = 0;
    auto l = LayoutColorPanel(ci, 291, 120, 30);
    EXPECT_EQ(l.carriageX, 10);
    EXPECT_EQ(l.lineStartX, 25);
    ASSERT_EQ(l.bobbins.size(), 2u);
    EXPECT_EQ(l.bobbins[0].colour, 2);
    EXPECT_EQ(l.bobbins[0].value, RGB(2, 0, 0));
    EXPECT_EQ(l.bobbins[0].x, 58);
    EXPECT_FALSE(l.bobbins[0].fed);
    EXPECT_EQ(l.bobbins[1].number, 2);
    EXPECT_EQ(l.bobbins[1].x, 116);
    EXPECT_TRUE(l.bobbins[1].fed);
    EXPECT_EQ(l.bobbins[1].lineWidth, 3);
    ASSERT_EQ(l.palette.size(), 4u);
    EXPECT_EQ(l.cellWidth, 72);
    EXPECT_EQ(l.palette[2].left, 144);
    EXPECT_EQ(l.palette[2].colour, 5);
    EXPECT_TRUE(l.palette[2].changed);
    EXPECT_FALSE(l.palette[1].changed);
    EXPECT_EQ(l.palette[3].top, 100);

    ci.CarrPosition = 1;
    EXPECT_EQ(LayoutColorPanel(ci, 291, 120, 30).carriageX, 291 - 10 - 30);
    ci.CarrPosition = 2;
    EXPECT_EQ(LayoutColorPanel(ci, 291, 120, 30).carriageX, (291 - 30) / 2);

    // A colour order paints the k-th bobbin in the colour at place k - 1.
    ColorOrder[0] = 15;
    ColorOrder[1] = 15;
    l = LayoutColorPanel(ci, 291, 120, 30);
    EXPECT_EQ(l.bobbins[0].value, RGB(15, 0, 0));
    EXPECT_EQ(l.bobbins[1].value, RGB(15, 0, 0));
    ColorOrder.fill(-1);

    ci.AllColorsInPic = 0;
    l = LayoutColorPanel(ci, 291, 120, 30);
    EXPECT_TRUE(l.palette.empty());
    EXPECT_EQ(l.cellWidth, 291);
}
