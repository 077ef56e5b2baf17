// The shape routines and the three piece builders, checked against outlines
// worked out by hand with the Woman 40 measurements, and every shipped piece
// with every shipped template: one closed loop, bounded, symmetric where its
// codes make it so.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>

#include "DraftingTestUtil.h"
#include "core/PatternRaster.h"
#include "garment/CatalogueDetail.h"
#include "garment/DraftingErrors.h"
#include "garment/GarmentCatalogue.h"
#include "garment/GarmentMask.h"
#include "garment/OutlineDrafter.h"
#include "garment/GarmentDrafting.h"
#include "garment/SizeTemplates.h"

namespace lc {
namespace {

using P = std::pair<int, int>;
using test::HasCurve;
using test::PointList;

TEST(ShapeRoutines, RoundNeckStepCurveAndTheirMirrors) {
    GarmentOutline g;
    OutlineDrafter d(g);
    d.RoundNeck(120, 500, 240, 80, false);
    EXPECT_EQ(PointList(g), (std::vector<P>{{120, 500}, {120, 480}, {100, 447}, {80, 433}, {30, 420}, {0, 420}}));
    EXPECT_EQ(g.CurveCount(), 5);

    g.Clear();
    d.StepCurve(100, 200, 30, 50, 40, 60, 80, true);
    EXPECT_EQ(g.PointCount(), 8);
    EXPECT_EQ(g.CurveCount(), 6);
    EXPECT_TRUE(HasCurve(g, {-100, 200}, {-70, 240}));
    EXPECT_TRUE(HasCurve(g, {-70, 260}, {-50, 280}));

    for (bool mirror : {false, true}) {
        g.Clear();
        d.RoundNeck(50, 50, 100, 0, mirror);
        EXPECT_EQ(g.CurveCount(), 1);
    }

    // 260 x 3 / 8 = 97.5 rounds to 98: the bottom runs from 32 to -32.
    g.Clear();
    d.RoundNeck(130, 540, 260, 43, true);
    EXPECT_TRUE(HasCurve(g, {32, 497}, {-32, 497}));
}

TEST(BodyBuilder, BackWithRoundArmholesAndNeck) {
    GarmentOutline g;
    BuildBodyPiece(g, test::Woman40(), 10, 0, 0);
    EXPECT_EQ(PointList(g), (std::vector<P>{{250, 0}, {-250, 0}, {250, 310}, {-250, 310}}));
    EXPECT_EQ(g.CurveCount(), 3);

    g.Clear();
    BuildBodyPiece(g, test::Woman40(), 10, 10, 10);
    const std::vector<P> right = {{239, 313}, {230, 319}, {222, 330}, {215, 344},
                                  {212, 362}, {210, 379}, {210, 510}, {130, 540}};
    std::vector<P> expected = {{250, 0}, {-250, 0}, {250, 310}, {-250, 310}};
    expected.insert(expected.end(), right.begin(), right.end());
    for (const P& p : right) expected.emplace_back(-p.first, p.second);
    for (const P& p : std::vector<P>{{130, 529}, {108, 511}, {87, 504}, {32, 497}}) expected.push_back(p);
    for (const P& p : std::vector<P>{{-130, 529}, {-108, 511}, {-87, 504}, {-32, 497}}) expected.push_back(p);
    EXPECT_EQ(PointList(g), expected);
    EXPECT_EQ(g.CurveCount(), 28);
    EXPECT_TRUE(test::EveryPointOnTwoCurves(g));
    EXPECT_EQ(g.Bounds(), (GarmentBounds{-250, 0, 250, 540}));

    g.Clear();
    BuildBodyPiece(g, test::Woman40(), 10, 10, 11); // the deep round neck
    EXPECT_TRUE(test::EveryPointOnTwoCurves(g));
    EXPECT_GE(g.FindPoint(32, 404), 0);
}

TEST(BodyBuilder, FrontsDrawnOnOneSide) {
    GarmentOutline g;
    BuildBodyPiece(g, test::Woman40(), 11, 20, 11); // cardigan right front
    EXPECT_EQ(g.PointCount(), 12);
    EXPECT_TRUE(test::EveryPointOnTwoCurves(g));
    EXPECT_TRUE(HasCurve(g, {-125, 310}, {-125, 404}));

    g.Clear();
    BuildBodyPiece(g, test::Woman40(), 12, 10, 10); // crossing front
    EXPECT_EQ(g.PointCount(), 22);
    EXPECT_TRUE(test::EveryPointOnTwoCurves(g));
    EXPECT_TRUE(HasCurve(g, {-151, 540}, {-229, 511}));
    EXPECT_TRUE(HasCurve(g, {-229, 511}, {-229, 310}));
}

TEST(BodyBuilder, DegenerateCodes) {
    // A crossing front without an armhole divides by zero: an error, with the
    // hem, the sides and the neckline already drawn.
    GarmentOutline g;
    EXPECT_THROW(BuildBodyPiece(g, test::Woman40(), 12, 0, 10), FloatError);
    EXPECT_GE(g.FindPoint(229, 0), 0);
    EXPECT_GT(g.CurveCount(), 3);

    GarmentOutline plain;
    BuildBodyPiece(plain, test::Woman40(), 10, 10, 0);
    for (uint8_t neck : {48, 49, 51}) {
        g.Clear();
        BuildBodyPiece(g, test::Woman40(), 10, 10, neck);
        EXPECT_EQ(g, plain) << int(neck);
    }
}

TEST(SleeveBuilder, LowerSleeveCapAndTab) {
    GarmentOutline g;
    BuildSleevePiece(g, test::Woman40(), 10, 0, 0);
    EXPECT_EQ(g.CurveCount(), 3);
    EXPECT_TRUE(HasCurve(g, {3, 0}, {195, 0}));
    EXPECT_TRUE(HasCurve(g, {3, 0}, {-111, 460}));
    EXPECT_TRUE(HasCurve(g, {195, 0}, {309, 460}));

    g.Clear();
    BuildSleevePiece(g, test::Woman40(), 10, 10, 0);
    EXPECT_EQ(PointList(g), (std::vector<P>{{3, 0},
                                            {195, 0},
                                            {-111, 460},
                                            {309, 460},
                                            {-76, 460},
                                            {-41, 483},
                                            {29, 577},
                                            {64, 600},
                                            {134, 600},
                                            {169, 577},
                                            {239, 483},
                                            {274, 460}}));
    EXPECT_TRUE(test::EveryPointOnTwoCurves(g));

    // Its mask on a 200-needle pattern at 4 stitches per centimetre.
    PatternRaster gd;
    gd.SetSize(200, 300);
    bool garmentMode = true;
    ASSERT_EQ(MakeMask(g, gd, 0.25, 0.25, garmentMode, nullptr), kMaskBuilt);
    EXPECT_EQ(gd.GarmentWidth, 169);
    EXPECT_EQ(gd.GarmentRows, 240);
    std::vector<int> inside;
    for (int c = 0; c < 200; ++c)
        if (gd.Mask.line(0)[c] == kMaskInside) inside.push_back(c);
    ASSERT_FALSE(inside.empty());
    EXPECT_EQ(inside.front(), 62);
    EXPECT_EQ(inside.back(), 138);
    EXPECT_EQ(inside.size(), 77u);

    g.Clear();
    BuildSleevePiece(g, test::Woman40(), 10, 10, 10);
    EXPECT_EQ(g.PointCount(), 17);
    EXPECT_TRUE(test::EveryPointOnTwoCurves(g));
    EXPECT_EQ(g.FindCurve(g.FindPoint(79, 600), g.FindPoint(119, 600)), -1); // the gap
    EXPECT_TRUE(HasCurve(g, {79, 600}, {79, 684}));
    EXPECT_TRUE(HasCurve(g, {79, 684}, {99, 684}));
    EXPECT_TRUE(HasCurve(g, {99, 684}, {119, 704})); // slanted top
    EXPECT_TRUE(HasCurve(g, {119, 704}, {119, 600}));

    // No lower sleeve: the cap starts at height 0.
    g.Clear();
    BuildSleevePiece(g, test::Woman40(), 80, 10, 0);
    EXPECT_EQ(g.Bounds().MinY, 0);
    EXPECT_GT(g.CurveCount(), 0);
}

TEST(CollarBuilder, ShapedCollarsAndTrims) {
    GarmentOutline g;
    BuildCollarPiece(g, test::Woman40(), 10, 0, 0);
    EXPECT_EQ(PointList(g), (std::vector<P>{{84, 0},
                                            {-46, 140},
                                            {-31, 140},
                                            {34, 43},
                                            {67, 24},
                                            {131, 24},
                                            {164, 43},
                                            {229, 140},
                                            {114, 0},
                                            {244, 140}}));
    EXPECT_EQ(g.CurveCount(), 10);

    g.Clear();
    BuildCollarPiece(g, test::Woman40(), 0, 0, 5);
    EXPECT_EQ(PointList(g), (std::vector<P>{{-369, 0}, {567, 0}, {-369, 30}, {567, 30}}));
    EXPECT_TRUE(HasCurve(g, {-369, 30}, {567, 30}));

    g.Clear();
    BuildCollarPiece(g, test::Woman40(), 0, 16, 15); // height 0: one line
    EXPECT_EQ(PointList(g), (std::vector<P>{{-16, 0}, {214, 0}}));
    EXPECT_EQ(g.CurveCount(), 1);

    g.Clear();
    BuildCollarPiece(g, test::Woman40(), 0, 0, 201);
    EXPECT_EQ(g.PointCount(), 4);
    EXPECT_EQ(g.Bounds(), (GarmentBounds{3, 0, 335, 120}));

    g.Clear();
    BuildCollarPiece(g, test::Woman40(), 12, 0, 0);
    EXPECT_EQ(g.PointCount(), 0);

    // A negative rectangle width cannot be drawn: refused, not wrapped.
    auto cm = std::array<double, kBodyFieldCount>{92, 100, 14, 20, 60, 60, 30, 16, -36, 6, 4, 74};
    g.Clear();
    EXPECT_THROW(BuildCollarPiece(g, BodySize::FromCentimetres(cm), 0, 0, 5), FormatError);
}

TEST(CatalogueDetail, DispatchOnWholeWords) {
    GarmentOutline g;
    BuildCatalogueDetail(g, DetailRec{}, test::Woman40());
    EXPECT_EQ(g.PointCount(), 0);

    DetailRec r;
    r.Style = 10, r.Armhole = 10, r.Neckline = 10, r.Sleeve1 = 10, r.Sleeve2 = 10;
    BuildCatalogueDetail(g, r, test::Woman40());
    GarmentOutline body;
    BuildBodyPiece(body, test::Woman40(), 10, 10, 10);
    EXPECT_EQ(g, body);

    // 256 is not zero but reaches the builder as style 0: width 0, no crash.
    DetailRec w;
    w.Style = 256, w.Armhole = 10, w.Neckline = 10;
    g.Clear();
    EXPECT_NO_THROW(BuildCatalogueDetail(g, w, test::Woman40()));
}

// Sums of formula values that land a hair from a half millimetre: each is
// converted as the extended-precision value, which lies on the other side of
// the half than the same sum taken in double.
TEST(WorkingPrecision, SumsNearAHalfMillimetreRoundAsTheExtendedValue) {
    auto cm = [](std::array<double, kBodyFieldCount> v) { return BodySize::FromCentimetres(v); };
    auto ysAt = [](const GarmentOutline& g, auto keep) {
        std::set<int> ys;
        for (const GarmentPoint& p : g.Points())
            if (keep(p)) ys.insert(p.Y);
        return std::vector<int>(ys.begin(), ys.end());
    };

    // The rounded cap's second point: s7 / 6 + s3 + s2 is 18.75 cm in real
    // numbers and just below it in 80 bits.
    const auto templates = ReadTemplates(test::ProgramDir() / ShippedTemplatesName("ENG"));
    const auto baby = std::find_if(templates.begin(), templates.end(), [](auto& t) { return t.Name == "Baby 74"; });
    ASSERT_NE(baby, templates.end());
    GarmentOutline g;
    BuildSleevePiece(g, BodySize::FromCentimetres(baby->Values), 10, 10, 0);
    const auto capHeights = ysAt(g, [](const GarmentPoint&) { return true; }); // hem, cap base, three cap points
    ASSERT_EQ(capHeights.size(), 5u);
    EXPECT_EQ(capHeights[2], 187);

    // The shifted pocket's bottom reaches Wb / 2 - Wt / 4 = 1.85 cm right of
    // the centre, a little more in 80 bits.
    g.Clear();
    BuildCollarPiece(g, test::Woman40(), 0, 0, 105);
    int bottomRight = INT_MIN;
    for (const GarmentPoint& p : g.Points())
        if (p.Y == 0) bottomRight = std::max(bottomRight, p.X);
    EXPECT_EQ(bottomRight - 99, 19);

    // The right front's left edge: B6 - B16 = 22.65 cm, a little more.
    g.Clear();
    BuildBodyPiece(g, cm({144, 135, 24.9, 27, 34, 72, 19, 22, 23, 8.5, 6, 104}), 11, 10, 11);
    EXPECT_TRUE(test::EveryPointOnTwoCurves(g));
    const int left = g.Bounds().MinX;
    const auto edge = ysAt(g, [&](const GarmentPoint& p) { return p.X == left; }); // hem, side top, edge top
    ASSERT_EQ(edge.size(), 3u);
    EXPECT_EQ(edge[2] - edge[1], 227);

    // Collar 11's half-width E = k1 / 2 + 1.5 = 9.45 cm, a little more.
    g.Clear();
    BuildCollarPiece(g, cm({97, 92.5, 15, 35.04, 20, 83.64, 21.14, 13.5, 23.5, 7, 8.2, 83}), 11, 0, 0);
    EXPECT_EQ(99 - g.Bounds().MinX, 95);
    EXPECT_EQ(g.Bounds().MaxX - 99, 95);
}

// Expected to mirror onto itself about x = 0 (backs and fronts) or x = 99.
bool ShouldBeSymmetric(const DetailRec& r, int& axis) {
    if (r.Style != 0) {
        axis = 0;
        const int s = r.Style;
        return s == 10 || (s >= 15 && s <= 20) || (s >= 25 && s <= 30);
    }
    axis = 99;
    if (r.Sleeve1 != 0) return r.Sleeve1 < 60 && r.Sleeve3 == 0 && !(r.Sleeve2 >= 30 && r.Sleeve2 <= 32);
    const int key = r.Collar2 * 256 + r.Collar3;
    // Collar 11 carries its one-millimetre step on one side only.
    if (r.Collar1 != 0) return r.Collar1 != 11;
    return !(key == 105 || key == 191 || key == 201);
}

TEST(ShippedPieces, EveryPieceWithEveryTemplateIsOneClosedBoundedOutline) {
    GarmentCatalogue cat;
    ASSERT_NO_THROW(cat.Load(test::ProgramDir(), "ENG"));
    const auto templates = ReadTemplates(test::ProgramDir() / ShippedTemplatesName("ENG"));
    ASSERT_GE(templates.size(), 4u);
    int symmetric = 0;
    for (size_t d = 1; d < cat.Details().size(); ++d) {
        for (const SizeTemplate& t : templates) {
            GarmentOutline g;
            BuildCatalogueDetail(g, cat.Details()[d], BodySize::FromCentimetres(t.Values));
            SCOPED_TRACE("piece " + std::to_string(d) + " " + t.Name);
            ASSERT_TRUE(test::EveryPointOnTwoCurves(g));
            const GarmentBounds b = g.Bounds();
            EXPECT_LE(std::max({-b.MinX, b.MaxX, -b.MinY, b.MaxY}), 5000);
            int axis = 0;
            if (!ShouldBeSymmetric(cat.Details()[d], axis)) continue;
            ++symmetric;
            std::set<P> points;
            for (const GarmentPoint& p : g.Points()) points.emplace(p.X, p.Y);
            for (const P& p : points) EXPECT_TRUE(points.count({2 * axis - p.first, p.second})) << p.first;
        }
    }
    EXPECT_GT(symmetric, 100);
}

} // namespace
} // namespace lc
