// What the Garment Shape page does without its widgets: typed lengths, the
// shape bar's variants, the pieces list and the import of catalogue models.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "garment/GarmentDocument.h"
#include "TestFiles.h"

using namespace lc;
using namespace lc::test;

namespace {

GarmentOutline square(int32_t side, int32_t x0 = 0) {
    GarmentOutline g;
    const int32_t c[4][2] = {{x0, 0}, {x0 + side, 0}, {x0 + side, side}, {x0, side}};
    for (auto& p : c) g.AddPoint(p[0], p[1]);
    for (int i = 0; i < 4; ++i) g.AddCurve(i, (i + 1) % 4, 0);
    return g;
}

// A catalogue of models (ten 16-bit piece numbers each) and 32-byte names.
void writeCatalogue(const TempDir& dir, const std::vector<std::vector<uint16_t>>& models,
                    const std::vector<std::string>& names, const std::string& lang = "ENG") {
    std::vector<uint8_t> de;
    for (const auto& m : models)
        for (int k = 0; k < 10; ++k) {
            const uint16_t d = k < int(m.size()) ? m[k] : 0;
            de.push_back(uint8_t(d));
            de.push_back(uint8_t(d >> 8));
        }
    writeFile(dir.path / "loopcrafter.de$", de);
    std::vector<uint8_t> nd;
    for (const std::string& n : names) {
        std::vector<uint8_t> rec(32, 0);
        rec[0] = uint8_t(n.size());
        std::copy(n.begin(), n.begin() + std::min<size_t>(n.size(), 31), rec.begin() + 1);
        nd.insert(nd.end(), rec.begin(), rec.end());
    }
    writeFile(dir.path / ("loopcrafter_nd." + lang), nd);
}

// A stand-in for the catalogue's drafting: piece d is a square of d cm.
void buildSquare(GarmentOutline& g, int piece, int sizeNo) {
    if (piece == 5) throw FormatError("bad piece record");
    g = square(piece * 10 + sizeNo);
}

} // namespace

TEST(GarmentDocument, TypedLengthsAndShapeVariants) {
    EXPECT_EQ(TypedLengthToMm(1, 1), 25); // one inch: r(25.4)
    EXPECT_EQ(TypedLengthToMm(2.5, 0), 25);
    EXPECT_EQ(TypedLengthToMm(0.25, 0), 2); // 2.5 mm: half to even
    EXPECT_EQ(TypedLengthToMm(-3, 0), -30);
    EXPECT_FALSE(TypedLengthToMm(1e300, 0));
    EXPECT_FALSE(TypedLengthToMm(std::nan(""), 1));

    // Centimetres: 2.5 across and 1 down with kind 4 from the selected point.
    GarmentOutline g;
    g.AddPoint(100, 100);
    g.AddSegment(*TypedLengthToMm(2.5, 0), *TypedLengthToMm(1, 0), 4);
    EXPECT_EQ(g.Point(1).X, 125);
    EXPECT_EQ(g.Point(1).Y, 90);

    EXPECT_EQ(NextShapeVariant(16), 17);
    EXPECT_EQ(NextShapeVariant(17), 18);
    EXPECT_EQ(NextShapeVariant(18), 19);
    EXPECT_EQ(NextShapeVariant(19), 16);
    EXPECT_EQ(NextShapeVariant(2), 3);
    EXPECT_EQ(NextShapeVariant(3), 2);
    EXPECT_EQ(NextShapeVariant(31), 28);
}

TEST(GarmentDocument, PiecesListNeverLosesAPieceSilently) {
    GarmentDocument doc;
    doc.Outline = square(100);
    EXPECT_EQ(doc.AddPiece(""), -1); // no name, no piece
    ASSERT_EQ(doc.AddPiece("Back"), 0);
    doc.Outline = square(200);
    ASSERT_EQ(doc.AddPiece("Back"), 1); // names may repeat
    EXPECT_EQ(doc.LoadedPiece(), 1);

    // Editing piece 1 and switching stores it into piece 1, not the first "Back".
    doc.Outline.AddPoint(500, 500);
    ASSERT_TRUE(doc.LoadPiece(0));
    EXPECT_EQ(doc.Product.Piece(0).Points.size(), 4u);
    EXPECT_EQ(doc.Product.Piece(1).Points.size(), 5u);
    EXPECT_EQ(doc.Outline.Bounds().MaxX, 100);

    // An emptied outline (Clear All) never wipes the piece it came from.
    doc.Outline.Clear();
    ASSERT_TRUE(doc.LoadPiece(1));
    EXPECT_EQ(doc.Product.Piece(0).Points.size(), 4u);
    EXPECT_EQ(doc.Undo.StepCount(), 0);
    EXPECT_FALSE(doc.LoadPiece(2));

    // Remove can be undone as far as the outline goes.
    ASSERT_TRUE(doc.RemovePiece(1));
    EXPECT_EQ(doc.Product.PieceCount(), 1);
    EXPECT_EQ(doc.Outline.PointCount(), 0);
    doc.Undo.Undo(doc.Outline);
    EXPECT_EQ(doc.Outline.PointCount(), 5);
    EXPECT_FALSE(doc.RemovePiece(5));
}

TEST(GarmentDocument, ImportBuildsTheModelsPiecesInOrder) {
    TempDir dir;
    std::vector<std::string> names(12);
    names[10] = "Back";
    names[11] = "Sleeve";
    names[3] = "Collar";
    writeCatalogue(dir, {{0, 0, 0}, {10, 0, 11, 3}}, names);
    GarmentDocument doc;
    doc.Outline = square(50);
    doc.Undo.Push(doc.Outline);

    EXPECT_EQ(doc.ImportModel(dir.path, "ENG", 1, 0, buildSquare), 0); // all ten words 0
    EXPECT_EQ(doc.Product.PieceCount(), 0);

    // A language without its own names file falls back to English.
    ASSERT_EQ(doc.ImportModel(dir.path, "JPN", 2, 4, buildSquare), 3);
    EXPECT_EQ(doc.Product.Piece(0).Name, "Back");
    EXPECT_EQ(doc.Product.Piece(1).Name, "Sleeve");
    EXPECT_EQ(doc.Product.Piece(2).Name, "Collar");
    EXPECT_EQ(doc.Product.Piece(1).Points[1].X, 114); // piece 11, size 4
    EXPECT_EQ(doc.Outline.PointCount(), 0);
    EXPECT_EQ(doc.Undo.StepCount(), 0);
}

TEST(GarmentDocument, FailedImportKeepsTheUsersWork) {
    TempDir dir;
    std::vector<std::string> names(12, "Piece");
    names[1] = std::string(200, 'x'); // a length byte past 31 is cut to the record
    writeCatalogue(dir, {{1}, {11, 5}, {40}}, names);
    GarmentDocument doc;
    doc.Outline = square(50);
    ASSERT_EQ(doc.AddPiece("Mine"), 0);
    const GarmentProduct before = doc.Product;
    const GarmentOutline outline = doc.Outline;

    EXPECT_THROW(doc.ImportModel(dir.path, "ENG", 0, 0, buildSquare), FormatError); // model 0
    EXPECT_THROW(doc.ImportModel(dir.path, "ENG", 4, 0, buildSquare), FormatError); // past the end
    EXPECT_THROW(doc.ImportModel(dir.path, "ENG", 2, 0, buildSquare), FormatError); // builder error
    EXPECT_THROW(doc.ImportModel(dir.path, "ENG", 3, 0, buildSquare), FormatError); // no name 40
    EXPECT_THROW(doc.ImportModel(dir.path / "none", "ENG", 1, 0, buildSquare), IoError);
    EXPECT_EQ(doc.Product, before);
    EXPECT_EQ(doc.Outline, outline);

    ASSERT_EQ(doc.ImportModel(dir.path, "ENG", 1, 0, buildSquare), 1);
    EXPECT_EQ(doc.Product.Piece(0).Name, std::string(31, 'x'));
}
