// The Garment Shape page's rulers and view: tick layout, pixel <-> millimetre
// mapping, Set Zero, zoom by rectangle with its history, fit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "garment/GarmentView.h"
#include "garment/MeasureRulerModel.h"

using namespace lc;

namespace {

MeasureRulerModel ruler(double scale, int start, int zero, LengthUnit unit = LengthUnit::Centimetres) {
    MeasureRulerModel r;
    r.SetScale(scale);
    r.StartPosition = start;
    r.ZeroPosition = zero;
    r.Units = unit;
    return r;
}

const MeasureTick* tickAt(const std::vector<MeasureTick>& ticks, int64_t value) {
    auto it = std::find_if(ticks.begin(), ticks.end(), [&](const MeasureTick& t) { return t.Value == value; });
    return it == ticks.end() ? nullptr : &*it;
}

} // namespace

TEST(MeasureRuler, CentimetreTicksFollowTheScale) {
    // At 0.5 px/mm the minor step is 10 mm and every 100 mm is a long, labelled tick.
    auto coarse = ruler(0.5, 0, 0).Ticks(200);
    ASSERT_GE(coarse.size(), 3u);
    EXPECT_EQ(coarse[1].Value - coarse[0].Value, 10);
    EXPECT_EQ(coarse[1].Pixel - coarse[0].Pixel, 5);
    for (const MeasureTick& t : coarse) EXPECT_EQ(t.Major, t.Value % 100 == 0) << t.Value;
    EXPECT_EQ(tickAt(coarse, 300)->Label(LengthUnit::Centimetres), 30);
    // At 5 px/mm every millimetre has a tick and every centimetre a label.
    auto fine = ruler(5, 0, 0).Ticks(200);
    EXPECT_EQ(fine[1].Value - fine[0].Value, 1);
    EXPECT_TRUE(tickAt(fine, 10)->Major);
    EXPECT_FALSE(tickAt(fine, 11)->Major);
    // The zero 23 mm right of the start: -2 cm at x = 15, 0 at x = 115.
    auto shifted = ruler(5, -23, 0).Ticks(200);
    EXPECT_EQ(tickAt(shifted, -20)->Pixel, 15);
    EXPECT_EQ(tickAt(shifted, -20)->Label(LengthUnit::Centimetres), -2);
    EXPECT_EQ(tickAt(shifted, 0)->Pixel, 115);
}

TEST(MeasureRuler, InchTicksStartAtTheZeroWhereverItLies) {
    // 0.5 px/mm: the step grows to 50.8 mm (48 24ths), long ticks every 8 inches.
    auto ticks = ruler(0.5, 0, 0, LengthUnit::Inches).Ticks(300);
    ASSERT_GE(ticks.size(), 3u);
    EXPECT_EQ(ticks[0].Pixel, 0);
    EXPECT_EQ(ticks[0].Value, 0);
    EXPECT_EQ(ticks[1].Pixel, 25); // 25.4 px
    EXPECT_EQ(ticks[1].Value, 48);
    EXPECT_TRUE(ticks[0].Major);
    EXPECT_FALSE(ticks[1].Major);
    EXPECT_TRUE(tickAt(ticks, 192)->Major);
    // With the zero panned left of the ruler (start 150 mm past it) each tick
    // still stands where its value is, whichever side of the zero.
    for (int start : {150, -150, 40, -1000}) {
        const MeasureRulerModel r = ruler(0.5, start, 0, LengthUnit::Inches);
        for (const MeasureTick& t : r.Ticks(400)) {
            const double mm = t.Value * 25.4 / 24.0;
            EXPECT_NEAR(t.Pixel, (mm - start) * 0.5, 0.51) << "start " << start << " value " << t.Value;
        }
    }
}

TEST(MeasureRuler, RefusesABadScaleAndAlwaysEnds) {
    MeasureRulerModel r = ruler(5, 0, 0);
    EXPECT_FALSE(r.SetScale(0));
    EXPECT_FALSE(r.SetScale(-1));
    EXPECT_FALSE(r.SetScale(std::nan("")));
    EXPECT_EQ(r.Scale(), 5);
    // Clamped to the zoom range: the tick and grid loops stay short.
    EXPECT_TRUE(r.SetScale(1e-12));
    EXPECT_EQ(r.Scale(), MeasureRulerModel::kMinScale);
    EXPECT_LT(r.Ticks(2000).size(), 600u);
    EXPECT_LT(r.GridLines(2000).size(), 500u);
    r.Units = LengthUnit::Inches;
    EXPECT_LT(r.Ticks(2000).size(), 600u);
    EXPECT_TRUE(r.SetScale(1e9));
    EXPECT_EQ(r.Scale(), MeasureRulerModel::kMaxScale);
}

TEST(MeasureRuler, PixelToValueIsZeroAtTheZero) {
    MeasureRulerModel r = ruler(0.5, 0, 0);
    r.SetZeroAt(130);
    EXPECT_DOUBLE_EQ(r.PixelToValue(130), 0.0);
    EXPECT_DOUBLE_EQ(r.PixelToValue(150), 4.0);   // 40 mm
    EXPECT_DOUBLE_EQ(r.PixelToValue(-20), -30.0); // a captured mouse left of the ruler
    r.ScrollBy(-100);
    EXPECT_EQ(r.StartPosition, -200);
}

TEST(GarmentView, MapsPixelsAndMillimetresBothWays) {
    GarmentView v;
    v.SetSize(400, 300);
    v.SetScales(0.5, 0.5);
    v.SetZeroAt(200, 150);
    EXPECT_EQ(v.XToMm(200), 0);
    EXPECT_EQ(v.YToMm(150), 0);
    EXPECT_EQ(v.YToMm(100), 100); // y grows upward
    EXPECT_EQ(v.MmToX(100), 250);
    EXPECT_EQ(v.MmToY(100), 100);
    // The vertical ruler reads at a pixel what the horizontal reads from the bottom.
    EXPECT_DOUBLE_EQ(v.V.PixelToValue(300 - 100), 10.0);
    v.Pan(10, 10, 30, 0); // dragged 20 px right, 10 px up
    EXPECT_EQ(v.XToMm(220), 0);
    EXPECT_EQ(v.YToMm(140), 0);
}

TEST(GarmentView, ZoomRectangleHistoryAndLimits) {
    GarmentView v;
    v.SetSize(400, 400);
    v.SetScales(0.5, 0.5);
    // Zoom out with an empty history: 0.5 -> 0.375 on both rulers.
    v.ZoomOut();
    EXPECT_DOUBLE_EQ(v.H.Scale(), 0.375);
    EXPECT_DOUBLE_EQ(v.V.Scale(), 0.375);
    v.SetScales(0.5, 0.5);
    const int cornerX = v.XToMm(100), cornerY = v.YToMm(100);
    ASSERT_TRUE(v.ZoomToRect(100, 100, 200, 150)); // a quarter of the width
    EXPECT_DOUBLE_EQ(v.H.Scale(), 2.0);
    EXPECT_EQ(v.XToMm(0), cornerX);
    EXPECT_EQ(v.YToMm(0), cornerY);
    // A rectangle that would reach 25 px/mm does nothing; an empty one neither.
    EXPECT_FALSE(v.ZoomToRect(0, 0, 32, 32));
    EXPECT_FALSE(v.ZoomToRect(5, 5, 5, 5));
    EXPECT_DOUBLE_EQ(v.H.Scale(), 2.0);
    // Zoom out pops the history.
    v.ZoomOut();
    EXPECT_DOUBLE_EQ(v.H.Scale(), 0.5);
    EXPECT_EQ(v.XToMm(100), cornerX);
    // Eighty zoom-outs stay at the smallest scale, and the grid still ends.
    for (int i = 0; i < 80; ++i) v.ZoomOut();
    EXPECT_DOUBLE_EQ(v.H.Scale(), MeasureRulerModel::kMinScale);
    EXPECT_LT(v.H.GridLines(400).size(), 100u);
}

TEST(GarmentView, FitToScreenCentresTheOutline) {
    GarmentOutline g;
    g.AddPoint(0, 0);
    g.AddPoint(1000, 500);
    GarmentView v;
    v.SetSize(500, 400);
    v.SetScales(0.5, 0.5);
    v.FitToScreen(g);
    // 1000 mm fill 400 of 500 px (a fifth kept as margin), centred.
    EXPECT_NEAR(v.H.Scale(), 0.4, 1e-9);
    EXPECT_NEAR((v.MmToX(0) + v.MmToX(1000)) / 2.0, 250, 1);
    EXPECT_NEAR((v.MmToY(0) + v.MmToY(500)) / 2.0, 200, 1);
    // A flat outline, or a paint box of no size, changes nothing and divides by nothing.
    GarmentOutline flat;
    flat.AddPoint(0, 0);
    flat.AddPoint(100, 0);
    GarmentView w;
    w.SetSize(0, 0);
    w.FitToScreen(flat);
    w.FitToScreen(g);
    EXPECT_TRUE(std::isfinite(w.H.Scale()));
    EXPECT_GE(w.H.Scale(), MeasureRulerModel::kMinScale);
    v.SetScales(1, 1);
    v.FitToCenter(g);
    EXPECT_DOUBLE_EQ(v.H.Scale(), 1.0);
    EXPECT_NEAR((v.MmToX(0) + v.MmToX(1000)) / 2.0, 250, 1);
}
