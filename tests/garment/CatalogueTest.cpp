// The shipped catalogue, its filter, checks on damaged catalogue files, model
// drafting and the size template files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "DraftingTestUtil.h"
#include "TestFiles.h"
#include "core/AtomicFile.h"
#include "core/Bytes.h"
#include "garment/CatalogueFilter.h"
#include "garment/GarmentCatalogue.h"
#include "garment/SizeTemplates.h"

namespace lc {
namespace {

class ShippedCatalogue : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_THROW(cat.Load(test::ProgramDir(), "ENG")); }
    GarmentCatalogue cat;
};

TEST_F(ShippedCatalogue, StylesOfferTheirArmholesAndArmholesNarrowTheRange) {
    CatalogueFilter f(cat.Records());
    const size_t armholes[6] = {4, 5, 3, 5, 3, 4};
    for (int s = 1; s <= 6; ++s) {
        f.ChooseStyle(s);
        EXPECT_EQ(f.Offered(CatalogueField::Armhole).size(), armholes[s - 1]) << s;
    }
    // After a style, before any other box, OK returns the style's first model.
    f.ChooseStyle(4);
    EXPECT_EQ(f.ModelId(), 793);

    f.ChooseArmhole(2);
    EXPECT_EQ(f.Range().First, 1030);
    EXPECT_EQ(f.Range().Last, 1420);
    EXPECT_EQ(f.Mask(), 0xFF000000u);
    EXPECT_EQ(f.Target(), 0x42000000u);

    f.ChooseStyle(2);
    f.ChooseArmhole(1);
    f.ChooseArmhole(3);
    EXPECT_EQ(f.Target(), 0x23000000u);
    EXPECT_EQ(f.Range().First, 370);
    EXPECT_EQ(f.Range().Last, 512);
    EXPECT_GE(f.Offered(CatalogueField::Neckline).size(), 2u);
}

TEST_F(ShippedCatalogue, EveryChainOfOfferedValuesEndsOnAMatchingModel) {
    CatalogueFilter f(cat.Records());
    const CatalogueField chain[] = {CatalogueField::Neckline, CatalogueField::SleeveLength, CatalogueField::SleeveKind,
                                    CatalogueField::Collar, CatalogueField::Pocket};
    for (int s = 1; s <= 6; ++s) {
        f.ChooseStyle(s);
        for (int a : f.Offered(CatalogueField::Armhole)) {
            f.ChooseArmhole(a);
            // Take the last value each box offers, so the walk leaves the
            // range's first records.
            uint32_t want = static_cast<uint32_t>(s) << 28 | static_cast<uint32_t>(a) << 24;
            for (CatalogueField field : chain) {
                const auto offered = f.Offered(field);
                ASSERT_FALSE(offered.empty());
                f.Choose(field, offered.back());
                want |= static_cast<uint32_t>(offered.back()) << FieldShift(field);
                ASSERT_TRUE(f.HasMatch());
            }
            EXPECT_EQ(cat.Records()[f.Current()].Code, want);
            EXPECT_EQ(f.ModelId(), f.Current() + 1);
        }
    }
    // A value no record has: the current record stays and OK must not use it.
    f.ChooseStyle(1);
    f.ChooseArmhole(1);
    const int before = f.Current();
    f.Choose(CatalogueField::Neckline, 200);
    EXPECT_FALSE(f.HasMatch());
    EXPECT_EQ(f.Current(), before);
}

TEST_F(ShippedCatalogue, DraftsAModelIntoNamedClosedPieces) {
    CatalogueFilter f(cat.Records());
    f.ChooseStyle(4);
    const GarmentProduct p = cat.DraftModel(f.ModelId(), test::Woman40());
    ASSERT_GE(p.PieceCount(), 3);
    EXPECT_EQ(p.Piece(0).Name, "Back");
    EXPECT_EQ(p.Piece(1).Name, "Front");
    for (int i = 0; i < p.PieceCount(); ++i) {
        GarmentOutline g;
        p.GetGarment(i, g);
        EXPECT_TRUE(test::EveryPointOnTwoCurves(g)) << p.Piece(i).Name;
    }
    GarmentCatalogue russian;
    russian.Load(test::ProgramDir(), "RUS");
    EXPECT_EQ(russian.DraftModel(f.ModelId(), test::Woman40()).Piece(0).Name, "Спинка");
    // An unknown language falls back to the English names.
    GarmentCatalogue other;
    other.Load(test::ProgramDir(), "DEU");
    EXPECT_EQ(other.DetailName(1), "Back");
    EXPECT_THROW(cat.DraftModel(0, test::Woman40()), RangeError);
    EXPECT_THROW(cat.DraftModel(static_cast<uint16_t>(cat.ModelCount() + 1), test::Woman40()), RangeError);
}

// What a builder branch leaves in a drafted outline.
namespace shows {
struct Seg {
    GarmentPoint a, b;
};
std::vector<Seg> segments(const GarmentOutline& g) {
    std::vector<Seg> out;
    for (const GarmentCurve& c : g.Curves()) out.push_back({g.Point(c.StartPoint), g.Point(c.EndPoint)});
    return out;
}
bool symmetricAbout(const GarmentOutline& g, int axis) {
    std::set<std::pair<int, int>> pts;
    for (const GarmentPoint& p : g.Points()) pts.emplace(p.X, p.Y);
    for (const auto& [x, y] : pts)
        if (!pts.count({2 * axis - x, y})) return false;
    return true;
}
bool bothHalves(const GarmentOutline& g) { return symmetricAbout(g, 0); }
// The edge below the neck may be a few millimetres or none at all (a square
// neck as deep as the armhole): what shows is the missing left armhole.
bool oneSide(const GarmentOutline& g) { return !symmetricAbout(g, 0); }
bool capAboutCentre(const GarmentOutline& g) { return symmetricAbout(g, 99); }
bool oneSideOfCentre(const GarmentOutline& g) { return !symmetricAbout(g, 99); }
// A vertical line on the left side, above the hem, up to the piece's top.
bool edgeToShoulder(const GarmentOutline& g) {
    const GarmentBounds b = g.Bounds();
    for (const Seg& s : segments(g))
        if (s.a.X == b.MinX && s.b.X == b.MinX && std::min(s.a.Y, s.b.Y) > 0 && std::max(s.a.Y, s.b.Y) == b.MaxY)
            return true;
    return false;
}
// The crossing front's slanted edge, from the neck down to the left side.
bool slantToLeftSide(const GarmentOutline& g) {
    const int left = g.Bounds().MinX;
    for (const Seg& s : segments(g)) {
        const Seg& lo = s.a.Y < s.b.Y ? s : Seg{s.b, s.a};
        if (s.a.X != s.b.X && s.a.Y != s.b.Y && lo.a.X == left) return true;
    }
    return false;
}
// The rectangular notch's bottom, centred on x = 0.
bool notchBottom(const GarmentOutline& g, int width) {
    for (const Seg& s : segments(g))
        if (s.a.Y == s.b.Y && s.a.X + s.b.X == 0 && std::abs(s.a.X - s.b.X) == width) return true;
    return false;
}
bool narrowNotch(const GarmentOutline& g) { return notchBottom(g, 10); }
bool wideNotch(const GarmentOutline& g) { return notchBottom(g, 28); }
// Neckline 50: two level shoulder lines at the top.
bool shoulderExtensions(const GarmentOutline& g) {
    const int top = g.Bounds().MaxY;
    const auto all = segments(g);
    return std::count_if(all.begin(), all.end(), [&](const Seg& s) { return s.a.Y == top && s.b.Y == top; }) == 2;
}
// The tab's slanted top: the highest point stands right of the centre line,
// and its top's middle lies on it.
bool tab(const GarmentOutline& g) {
    bool middle = false, highRight = false;
    for (const GarmentPoint& p : g.Points()) {
        middle = middle || (p.X == 99 && p.Y > g.Bounds().MaxY / 2);
        highRight = highRight || (p.Y == g.Bounds().MaxY && p.X > 99);
    }
    return middle && highRight && !capAboutCentre(g);
}
} // namespace shows

bool in(int c, int lo, int hi) { return c >= lo && c <= hi; }
bool body(const DetailRec& r) { return r.Style != 0; }
bool mirrored(const DetailRec& r) {
    return r.Style == 10 || in(r.Style, 15, 20) || in(r.Style, 25, 30) || in(r.Style, 34, 49);
}
bool crossing(const DetailRec& r) { return r.Style == 12 || r.Style == 22; }
bool sleeve(const DetailRec& r) { return !body(r) && r.Sleeve1 != 0; }
bool trim(const DetailRec& r) { return !body(r) && !sleeve(r) && r.Collar1 == 0; }
int trimKey(const DetailRec& r) { return r.Collar2 * 256 + r.Collar3; }
bool trapezoid(const DetailRec& r) {
    const int k = trimKey(r);
    return trim(r) && (k == 93 || k == 103 || k == 189 || k == 199 || k == 203 || k == 207);
}
bool shifted(const DetailRec& r) {
    const int k = trimKey(r);
    return trim(r) && (k == 105 || k == 191 || k == 201);
}

struct Branch {
    const char* Name;
    bool (*Takes)(const DetailRec&);
    bool (*Shows)(const GarmentOutline&); // null: being one closed outline is the check
};

// Every way the three builders can draw a closed piece.
const Branch kBranches[] = {
    {"body, both halves", [](const DetailRec& r) { return body(r) && mirrored(r); }, shows::bothHalves},
    {"one side, edge below the neck",
     [](const DetailRec& r) {
         return body(r) && r.Armhole != 5 &&
                (r.Style == 11 || r.Style == 14 || r.Style == 21 || r.Style == 24 || in(r.Style, 31, 33));
     },
     shows::oneSide},
    {"one side, fully fashioned edge",
     [](const DetailRec& r) {
         return body(r) && r.Armhole == 5 &&
                (in(r.Style, 11, 14) || r.Style == 21 || r.Style == 22 || r.Style == 24 || in(r.Style, 31, 33));
     },
     shows::oneSide},
    {"one side, edge up to the shoulder",
     [](const DetailRec& r) { return body(r) && r.Armhole != 5 && (r.Style == 13 || r.Style == 23); },
     shows::edgeToShoulder},
    {"round armhole", [](const DetailRec& r) { return body(r) && in(r.Armhole, 10, 15); }, nullptr},
    {"stepped armhole",
     [](const DetailRec& r) {
         return body(r) && (in(r.Armhole, 20, 25) || in(r.Armhole, 30, 35) || in(r.Armhole, 40, 42));
     },
     nullptr},
    {"double-stepped armhole", [](const DetailRec& r) { return body(r) && r.Armhole == 5; }, nullptr},
    {"round neck, both halves", [](const DetailRec& r) { return body(r) && mirrored(r) && in(r.Neckline, 10, 19); },
     nullptr},
    {"round neck, one side",
     [](const DetailRec& r) { return body(r) && !mirrored(r) && !crossing(r) && in(r.Neckline, 10, 19); }, nullptr},
    {"square neck, both halves", [](const DetailRec& r) { return body(r) && mirrored(r) && in(r.Neckline, 20, 29); },
     nullptr},
    {"square neck, one side",
     [](const DetailRec& r) { return body(r) && !mirrored(r) && !crossing(r) && in(r.Neckline, 20, 29); }, nullptr},
    {"sloped neck", [](const DetailRec& r) { return body(r) && in(r.Neckline, 30, 39); }, nullptr},
    {"notched neck, narrow notch", [](const DetailRec& r) { return body(r) && in(r.Neckline, 40, 43); },
     shows::narrowNotch},
    {"notched neck, wide notch", [](const DetailRec& r) { return body(r) && in(r.Neckline, 44, 47); },
     shows::wideNotch},
    {"neck with shoulder extensions", [](const DetailRec& r) { return body(r) && r.Neckline == 50; },
     shows::shoulderExtensions},
    {"crossing front, round neck", [](const DetailRec& r) { return body(r) && crossing(r) && in(r.Neckline, 10, 19); },
     shows::slantToLeftSide},
    {"crossing front, square neck", [](const DetailRec& r) { return body(r) && crossing(r) && in(r.Neckline, 20, 29); },
     shows::slantToLeftSide},
    {"sleeve, cuff and seams", [](const DetailRec& r) { return sleeve(r) && in(r.Sleeve1, 10, 59); }, nullptr},
    {"sleeve, bat", [](const DetailRec& r) { return sleeve(r) && in(r.Sleeve1, 60, 79); }, nullptr},
    {"rounded cap", [](const DetailRec& r) { return sleeve(r) && in(r.Sleeve2, 10, 19) && r.Sleeve3 == 0; },
     shows::capAboutCentre},
    {"rounded cap with a tab", [](const DetailRec& r) { return sleeve(r) && in(r.Sleeve2, 10, 19) && r.Sleeve3 != 0; },
     shows::tab},
    {"rounded cap in fifteenths", [](const DetailRec& r) { return sleeve(r) && r.Sleeve2 == 33; },
     shows::capAboutCentre},
    {"stepped cap", [](const DetailRec& r) { return sleeve(r) && in(r.Sleeve2, 20, 29) && r.Sleeve3 == 0; },
     shows::capAboutCentre},
    {"stepped cap with a tab", [](const DetailRec& r) { return sleeve(r) && in(r.Sleeve2, 20, 29) && r.Sleeve3 != 0; },
     shows::tab},
    {"pointed cap", [](const DetailRec& r) { return sleeve(r) && in(r.Sleeve2, 30, 32); }, nullptr},
    {"collar 10", [](const DetailRec& r) { return !body(r) && !sleeve(r) && r.Collar1 == 10; }, nullptr},
    {"collar 11", [](const DetailRec& r) { return !body(r) && !sleeve(r) && r.Collar1 == 11; }, nullptr},
    {"collar 20 to 22", [](const DetailRec& r) { return !body(r) && !sleeve(r) && in(r.Collar1, 20, 22); }, nullptr},
    {"trapezoid trim", trapezoid, shows::capAboutCentre},
    {"shifted trapezoid trim", shifted, shows::oneSideOfCentre},
    {"rectangle trim", [](const DetailRec& r) { return trim(r) && !trapezoid(r) && !shifted(r); },
     shows::capAboutCentre},
};

TEST_F(ShippedCatalogue, EveryBuilderBranchIsDraftedByAModelTheConstructorReaches) {
    const auto templates = ReadTemplates(test::ProgramDir() / ShippedTemplatesName("ENG"));
    const auto woman = std::find_if(templates.begin(), templates.end(), [](auto& t) { return t.Name == "Woman 40"; });
    ASSERT_NE(woman, templates.end());
    const BodySize size = BodySize::FromCentimetres(woman->Values);

    auto check = [&](const Branch& branch) {
        SCOPED_TRACE(branch.Name);
        // The first model with a piece that takes this branch.
        int record = -1, piece = -1;
        uint16_t detail = 0;
        for (size_t i = 0; i < cat.Records().size() && record < 0; ++i) {
            int drawn = 0;
            for (uint16_t d : cat.ModelPieces(cat.Records()[i].ModelId)) {
                if (d == 0) continue;
                if (branch.Takes(cat.Details()[d])) {
                    record = static_cast<int>(i), piece = drawn, detail = d;
                    break;
                }
                ++drawn;
            }
        }
        ASSERT_GE(record, 0) << "no model drafts this";

        // The seven boxes lead to it.
        const uint32_t code = cat.Records()[static_cast<size_t>(record)].Code;
        CatalogueFilter f(cat.Records());
        f.ChooseStyle(FieldValue(code, CatalogueField::Style));
        f.ChooseArmhole(FieldValue(code, CatalogueField::Armhole));
        for (int field = 2; field < kCatalogueFieldCount; ++field) {
            const auto fld = static_cast<CatalogueField>(field);
            const auto offered = f.Offered(fld);
            ASSERT_TRUE(std::count(offered.begin(), offered.end(), FieldValue(code, fld)));
            f.Choose(fld, FieldValue(code, fld));
        }
        EXPECT_EQ(f.Current(), record);

        const GarmentProduct p = cat.DraftModel(f.ModelId(), size);
        ASSERT_LT(piece, p.PieceCount());
        EXPECT_EQ(p.Piece(piece).Name, cat.DetailName(detail));
        GarmentOutline g;
        p.GetGarment(piece, g);
        EXPECT_TRUE(test::EveryPointOnTwoCurves(g));
        EXPECT_TRUE(!branch.Shows || branch.Shows(g));
    };
    for (const Branch& branch : kBranches) check(branch);
}

TEST_F(ShippedCatalogue, EveryPieceBelongsToAModel) {
    std::vector<bool> used(cat.Details().size());
    for (int m = 1; m <= cat.ModelCount(); ++m)
        for (uint16_t d : cat.ModelPieces(static_cast<uint16_t>(m))) used[d] = true;
    for (size_t d = 1; d < used.size(); ++d) EXPECT_TRUE(used[d]) << "piece " << d;
}

TEST_F(ShippedCatalogue, DamagedFilesAreRefusedAndChangeNothing) {
    test::TempDir dir;
    for (const char* name : {kCatalogueFileName, kModelPiecesFileName, kDetailsFileName, "loopcrafter_nd.ENG"})
        std::filesystem::copy_file(test::ProgramDir() / name, dir.path / name);
    const auto ic = test::readFile(dir.path / kCatalogueFileName);
    const auto pieces = test::readFile(dir.path / kModelPiecesFileName);

    auto refused = [&](const char* file, std::vector<uint8_t> bytes) {
        test::writeFile(dir.path / file, bytes);
        GarmentCatalogue c = cat;
        EXPECT_THROW(c.Load(dir.path, "ENG"), Error) << file;
        EXPECT_EQ(c.Records().size(), static_cast<size_t>(kCatalogueRecords));
        EXPECT_EQ(c.ModelPieces(1), cat.ModelPieces(1));
        test::writeFile(dir.path / kCatalogueFileName, ic);
        test::writeFile(dir.path / kModelPiecesFileName, pieces);
    };
    refused(kCatalogueFileName, {ic.begin(), ic.begin() + 22440}); // one record short
    auto badNeck = ic;
    badNeck[8 * 5 + 4 + 2] = 200; // record 5's neckline
    refused(kCatalogueFileName, badNeck);
    auto badStyle = ic;
    badStyle[8 * 200 + 7] = 0x42; // a pullover among the jackets
    refused(kCatalogueFileName, badStyle);
    auto badModel = ic;
    PutU16LE(badModel.data() + 8 * 7, 60000);
    refused(kCatalogueFileName, badModel);
    auto badPiece = pieces;
    PutU16LE(badPiece.data(), 60000);
    refused(kModelPiecesFileName, badPiece);
    std::filesystem::remove(dir.path / kDetailsFileName);
    GarmentCatalogue missing;
    EXPECT_THROW(missing.Load(dir.path, "ENG"), IoError);
    EXPECT_FALSE(missing.Loaded());
}

TEST(SizeTemplates, TypedMeasurementsAreCheckedAndCompleted) {
    std::array<std::optional<double>, kBodyFieldCount> typed{};
    const double visible[kBodyFieldCount] = {92, 100, 0, 0, 60, 60, 30, 16, 36, 0, 4, 74};
    for (int i = 0; i < kBodyFieldCount; ++i)
        if (visible[i] != 0) typed[i] = visible[i];
    const auto t = MakeTemplate(std::string(70, 'n'), typed);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->Name.size(), 59u);
    EXPECT_EQ(t->Kind, kCustomTemplateKind);
    EXPECT_DOUBLE_EQ(t->Values[bfLe10], 14.0);
    EXPECT_DOUBLE_EQ(t->Values[bfLe11], 20.4);
    EXPECT_DOUBLE_EQ(t->Values[bfLe12], 6.0);
    EXPECT_EQ(EncodeReal6(t->Values[bfLe10]), (Real6{0x84, 0, 0, 0, 0, 0x60}));

    for (double bad : {0.0, -3.0, 1000.0, 1e40, std::nan("")}) {
        auto b = typed;
        b[bfHips] = bad;
        EXPECT_FALSE(MakeTemplate("x", b)) << bad;
    }
    auto noWrist = typed;
    noWrist[bfWrist].reset();
    EXPECT_FALSE(MakeTemplate("x", noWrist));
}

TEST(SizeTemplates, CustomFileAppendUpdateDelete) {
    test::TempDir dir;
    const std::filesystem::path cus = dir.file(kCustomTemplatesName);
    auto make = [](const std::string& name, int kind, double hips) {
        SizeTemplate t;
        t.Name = name;
        t.Kind = kind;
        t.Values.fill(10);
        t.Values[bfHips] = hips;
        return t;
    };
    AppendTemplate(cus, make("Anna", 5, 90));
    AppendTemplate(cus, make("Boris", 3, 100)); // a kind the custom list does not show
    AppendTemplate(cus, make("Anna", 5, 91));
    AppendTemplate(cus, make("Clara", 5, 92));

    // Update overwrites the last record of that name at its own place.
    EXPECT_TRUE(UpdateTemplate(cus, make("Anna", 5, 99)));
    EXPECT_FALSE(UpdateTemplate(cus, make("Nobody", 5, 1)));
    auto all = ReadTemplates(cus);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].Values[bfHips], 90);
    EXPECT_EQ(all[1].Name, "Boris");
    EXPECT_EQ(all[2].Values[bfHips], 99);

    // Delete takes every record of the name; the others keep their order.
    EXPECT_EQ(DeleteTemplates(cus, "Anna"), 2);
    all = ReadTemplates(cus);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].Name, "Boris");
    EXPECT_EQ(all[1].Name, "Clara");
    // Nothing is left behind in the folder but the file itself.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);

    auto bytes = test::readFile(cus);
    bytes.pop_back();
    test::writeFile(cus, bytes);
    EXPECT_THROW(ReadTemplates(cus), FormatError);
    EXPECT_THROW(AppendTemplate(cus, make("Dora", 5, 1)), FormatError);
    EXPECT_EQ(test::readFile(cus).size(), bytes.size()); // unchanged
}

TEST(SizeTemplates, ShippedTemplatesCoverEveryKind) {
    for (const char* lang : {"ENG", "RUS"}) {
        const auto t = ReadTemplates(test::ProgramDir() / ShippedTemplatesName(lang));
        for (int kind = 1; kind <= 4; ++kind)
            EXPECT_TRUE(std::any_of(t.begin(), t.end(), [&](const SizeTemplate& s) { return s.Kind == kind; }));
    }
    EXPECT_EQ(ShippedTemplatesName("DEU"), "loopcrafter_sz.ENG");
}

} // namespace
} // namespace lc
