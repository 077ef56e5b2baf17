// Tick layout of the scroll rulers.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/RulerLayout.h"

namespace lc {
namespace {

const RulerTick* at(const std::vector<RulerTick>& ticks, int pos) {
    auto it = std::find_if(ticks.begin(), ticks.end(), [&](const RulerTick& t) { return t.pos == pos; });
    return it == ticks.end() ? nullptr : &*it;
}
const RulerTick* labelled(const std::vector<RulerTick>& ticks, const std::string& text) {
    auto it = std::find_if(ticks.begin(), ticks.end(), [&](const RulerTick& t) { return t.label == text; });
    return it == ticks.end() ? nullptr : &*it;
}

TEST(RulerLayout, StitchTicks) {
    RulerParams p;
    p.Units = MeasureUnit::muStitch;
    p.Scale = 7;
    p.Length = 200;
    const auto t = LayoutHRuler(p);
    ASSERT_TRUE(at(t, 4));
    EXPECT_EQ(at(t, 4)->length, 6);
    ASSERT_TRUE(at(t, 32));
    EXPECT_EQ(at(t, 32)->length, 12);
    ASSERT_TRUE(at(t, 67));
    EXPECT_EQ(at(t, 67)->length, 18);
    EXPECT_EQ(at(t, 67)->label, "10");
    EXPECT_EQ(at(t, 67)->labelX, 61);
    EXPECT_EQ(at(t, 67)->labelY, 8);
    EXPECT_LT(t.back().pos, 200);
    // Labels stop at the pattern width.
    p.MaxStitch = 15;
    p.Length = 400;
    const auto u = LayoutHRuler(p);
    EXPECT_TRUE(labelled(u, "10"));
    EXPECT_FALSE(labelled(u, "20"));
}

TEST(RulerLayout, CentredNumbering) {
    RulerParams p;
    p.Units = MeasureUnit::muStitch;
    p.StitchMode = StitchNumbering::smCenter;
    p.Scale = 5;
    p.MaxStitch = 200;
    p.Length = 1100;
    const auto t = LayoutHRuler(p);
    auto stitch = [&](int k) { return at(t, 5 * k - 2); }; // x = Scale k - Scale div 2
    EXPECT_EQ(stitch(100)->length, 18);
    EXPECT_EQ(stitch(101)->length, 18);
    EXPECT_EQ(stitch(102)->length, 6);
    EXPECT_EQ(stitch(91)->label, "L10");
    EXPECT_EQ(stitch(91)->labelX, 5 * 91 - 2 + 3);
    EXPECT_EQ(stitch(110)->label, "R10");
    EXPECT_EQ(stitch(100)->label, "");
}

TEST(RulerLayout, Centimetres) {
    RulerParams p;
    p.Units = MeasureUnit::muSm;
    p.Scale = 440; // zoom 4 (11 px) at 0.25 cm a stitch
    p.StitchSize = 0.25;
    p.Length = 300;
    const auto t = LayoutHRuler(p);
    ASSERT_TRUE(labelled(t, "1"));
    EXPECT_EQ(labelled(t, "1")->pos, 44);
    EXPECT_EQ(labelled(t, "1")->labelX, 46);
    EXPECT_EQ(labelled(t, "0")->pos, 0);
    EXPECT_EQ(at(t, 22)->length, 12); // 5 mm
    // The first tick right of the edge carries its own value: at 3.6 px, 5 mm.
    p.Scale = 120;
    p.StartPosition = 1; // 2.5 mm, rounded to 2
    const auto u = LayoutHRuler(p);
    EXPECT_EQ(u.front().pos, 4);
    EXPECT_EQ(u.front().length, 6);       // 5 mm: a minor tick, not the long one of 0
    EXPECT_EQ(labelled(u, "5")->pos, 58); // 50 mm at (50 - 2) * 1.2 = 57.6
}

TEST(RulerLayout, InchesStartAtTheEdge) {
    RulerParams p;
    p.Units = MeasureUnit::muInch;
    p.Scale = 200; // 2 px a mm: a tick every half inch (12.7 mm)
    p.Length = 300;
    const auto t = LayoutHRuler(p);
    EXPECT_EQ(t.front().pos, 0);
    EXPECT_EQ(t.front().label, "0");
    EXPECT_EQ(labelled(t, "2")->pos, 102); // 50.8 mm
}

TEST(RulerLayout, NoStepNoTicks) {
    for (auto u : {MeasureUnit::muSm, MeasureUnit::muInch, MeasureUnit::muStitch}) {
        RulerParams p;
        p.Units = u;
        p.Scale = 0;
        EXPECT_TRUE(LayoutHRuler(p).empty());
        EXPECT_TRUE(LayoutVRuler(p).empty());
    }
}

TEST(RulerLayout, VerticalRulerCountsFromTheBottom) {
    RulerParams p;
    p.Units = MeasureUnit::muStitch;
    p.Scale = 11;
    p.Length = 300;
    p.MaxStitch = 5; // no limit on rows
    const auto t = LayoutVRuler(p);
    ASSERT_TRUE(at(t, 300 - 6));
    EXPECT_EQ(at(t, 300 - 6)->length, 6);
    const RulerTick* ten = labelled(t, "10");
    ASSERT_TRUE(ten);
    EXPECT_EQ(ten->pos, 300 - 105);
    EXPECT_EQ(ten->labelX, 6);
    EXPECT_EQ(ten->labelY, 300 - 105 - 14);
    EXPECT_TRUE(labelled(t, "20"));
}

} // namespace
} // namespace lc
