// The shipped catalogue, its filter, checks on damaged catalogue files, model
// drafting and the size template files.
#include <gtest/gtest.h>

#include <cmath>

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
