#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/ModelFile.h"
#include "garment/GarmentFile.h"
#include "TestFiles.h"

using namespace lc;
using namespace lc::test;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// Little helpers to build files by hand.
void put16(Bytes& b, uint16_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void put32(Bytes& b, int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    b.insert(b.end(), {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)});
}
void putPoint(Bytes& b, int32_t x, int32_t y, uint16_t number = 1, uint8_t sel = 0) {
    put32(b, x);
    put32(b, y);
    put16(b, number);
    b.push_back(sel);
    b.push_back(0);
}
void putCurve(Bytes& b, uint8_t kind, uint16_t s, uint16_t e) {
    b.push_back(kind);
    b.push_back(0);
    put16(b, s);
    put16(b, e);
}
void putName(Bytes& b, const std::string& name) {
    b.push_back(static_cast<uint8_t>(name.size()));
    b.insert(b.end(), name.begin(), name.end());
    b.insert(b.end(), 40 - name.size(), 0);
}

// The curves of an outline as pairs of end coordinates.
std::vector<std::array<int, 4>> curveEnds(const GarmentOutline& g) {
    std::vector<std::array<int, 4>> v;
    for (const GarmentCurve& c : g.Curves()) {
        const GarmentPoint& s = g.Point(c.StartPoint);
        const GarmentPoint& e = g.Point(c.EndPoint);
        v.push_back({s.X, s.Y, e.X, e.Y});
    }
    return v;
}

GarmentOutline square(int size) {
    GarmentOutline g;
    g.AddPoint(0, 0);
    g.AddSegment(size, 0, 0);
    g.AddSegment(0, size, 2);
    g.AddSegment(size, 0, 1);
    g.SelectPoint(-1, false);
    g.SelectPoint(3, true);
    g.SelectPoint(0, true);
    g.AddSegment(0, 0, 3);
    return g;
}

} // namespace

TEST(GarmentsFile, HandBuiltFileOfOnePieceAndAOnePointOutline) {
    Bytes expected;
    put16(expected, 1);
    putName(expected, "Back");
    put16(expected, 0);
    put32(expected, -1);
    put16(expected, 2);
    putPoint(expected, 0, 0, 1, 0);
    putPoint(expected, 100, 0, 2, 1);
    put16(expected, 1);
    putCurve(expected, 0, 0, 1);
    put16(expected, 1);
    putPoint(expected, 10, 20, 1, 1);
    put16(expected, 0);
    ASSERT_EQ(expected.size(), 99u);

    GarmentOutline piece;
    piece.AddPoint(0, 0);
    piece.AddPoint(100, 0);
    piece.AddCurve(0, 1, 0);
    GarmentProduct product;
    ASSERT_TRUE(product.AddGarment(piece));
    EXPECT_EQ(product.Piece(0).Name, "New garment");
    product.SetPieceName(0, "Back");
    GarmentOutline outline;
    outline.AddPoint(10, 20);
    EXPECT_EQ(product.SaveToBytes(outline), expected);

    TempDir dir;
    const fs::path file = dir.path / "one.LCF";
    EXPECT_TRUE(product.SaveToFile(file, outline));
    EXPECT_EQ(readFile(file), expected);

    GarmentProduct loaded;
    GarmentOutline loadedOutline;
    loaded.LoadFromFile(file, loadedOutline);
    EXPECT_EQ(loaded, product);
    EXPECT_EQ(loadedOutline, outline);
}

TEST(GarmentsFile, SizesAndTheEmptyCase) {
    GarmentOutline piece = square(100);
    ASSERT_EQ(piece.PointCount(), 4);
    ASSERT_EQ(piece.CurveCount(), 4);
    GarmentProduct product;
    product.AddGarment(piece);
    product.SetPieceName(0, "Back");
    EXPECT_EQ(product.SaveToBytes(GarmentOutline{}).size(), 129u);

    TempDir dir;
    GarmentProduct empty;
    EXPECT_FALSE(empty.SaveToFile(dir.path / "none.LCF", GarmentOutline{}));
    EXPECT_FALSE(fs::exists(dir.path / "none.LCF")) << "nothing to save creates no file";

    EXPECT_FALSE(empty.AddGarment(GarmentOutline{}));
    EXPECT_EQ(empty.PieceCount(), 0);

    // Names are cut to the 40 characters of the field.
    product.SetPieceName(0, std::string(50, 'x'));
    GarmentOutline o;
    empty.LoadFromBytes(product.SaveToBytes(GarmentOutline{}), o);
    EXPECT_EQ(empty.Piece(0).Name, std::string(40, 'x'));
}

TEST(GarmentsFile, PieceRecordsComeBackAsStoredAndOutlinePointsAreAddedAnew) {
    Bytes f;
    put16(f, 1);
    putName(f, "Sleeve");
    put16(f, 0xBEEF);
    put32(f, 1);
    put16(f, 2);
    putPoint(f, 0, 0, 17, 1);
    putPoint(f, 3, 0, 9, 0); // pieces are not snapped
    put16(f, 3);
    putCurve(f, 5, 0, 1);
    putCurve(f, 5, 1, 2);  // end == n: dropped
    putCurve(f, 40, 0, 1); // no shape: dropped
    put16(f, 3);
    putPoint(f, 10, 20, 500, 0);
    putPoint(f, 13, 20, 501, 0); // 3 mm from the first: merges
    putPoint(f, 200, 20, 502, 0);
    put16(f, 3);
    putCurve(f, 0, 0, 1); // both ends merged into one point: dropped
    putCurve(f, 0, 1, 2); // follows the merged point
    putCurve(f, 0, 2, 3); // end not below N: dropped

    GarmentProduct product;
    GarmentOutline outline;
    outline.AddPoint(-500, -500); // loading adds to the outline it is given
    product.LoadFromBytes(f, outline);

    ASSERT_EQ(product.PieceCount(), 1);
    const GarmentPiece& p = product.Piece(0);
    EXPECT_EQ(p.Name, "Sleeve");
    EXPECT_EQ(p.Reserved, 0xBEEF);
    EXPECT_EQ(p.SymmetryAxis, 1);
    EXPECT_EQ(p.Points, (std::vector<GarmentPoint>{{0, 0, 17, 1, 0}, {3, 0, 9, 0, 0}}));
    EXPECT_EQ(p.Curves, (std::vector<GarmentCurve>{{5, 0, 0, 1}}));

    ASSERT_EQ(outline.PointCount(), 3);
    EXPECT_EQ(outline.Point(1), (GarmentPoint{10, 20, 2, 0, 0})) << "renumbered from the outline's count";
    EXPECT_EQ(outline.Point(2), (GarmentPoint{200, 20, 3, 1, 0})) << "the last point read is the only one selected";
    EXPECT_FALSE(outline.IsPointSelected(0));
    EXPECT_EQ(curveEnds(outline), (std::vector<std::array<int, 4>>{{10, 20, 200, 20}}));
}

TEST(GarmentsFile, CurvesJoinTheSamePointsAfterASaveAndLoadWithMergedPoints) {
    // Align or Rotate can leave points closer than 5 mm; loading merges them.
    // Curves stored after the merged point must still join the same places.
    GarmentOutline g;
    g.AppendPointRaw(0, 0, false);
    g.AppendPointRaw(3, 0, false); // merges into point 0 on loading
    g.AppendPointRaw(100, 0, false);
    g.AppendPointRaw(100, 100, false);
    g.AppendPointRaw(0, 100, false);
    g.AddCurve(1, 2, 0);
    g.AddCurve(2, 3, 2);
    g.AddCurve(3, 4, 1);
    g.AddCurve(4, 0, 3);
    GarmentProduct product;
    const Bytes bytes = product.SaveToBytes(g);

    GarmentProduct loaded;
    GarmentOutline out;
    loaded.LoadFromBytes(bytes, out);
    EXPECT_EQ(out.PointCount(), 4);
    EXPECT_EQ(curveEnds(out), (std::vector<std::array<int, 4>>{
                                  {0, 0, 100, 0}, {100, 0, 100, 100}, {100, 100, 0, 100}, {0, 100, 0, 0}}));
}

TEST(GarmentsFile, BadAxisOfAPieceMeansNotSymmetrical) {
    Bytes f;
    put16(f, 1);
    putName(f, "A");
    put16(f, 0);
    put32(f, 2); // only two points
    put16(f, 2);
    putPoint(f, 0, 0);
    putPoint(f, 50, 0);
    put16(f, 0);
    put16(f, 0);
    put16(f, 0);
    GarmentProduct product;
    GarmentOutline outline;
    product.LoadFromBytes(f, outline);
    EXPECT_EQ(product.Piece(0).SymmetryAxis, -1);
}

TEST(GarmentsFile, DamagedFilesChangeNothing) {
    GarmentProduct product;
    GarmentOutline piece = square(120);
    product.AddGarment(piece);
    product.SetPieceName(0, "Front");
    GarmentOutline outline = square(60);
    const Bytes good = product.SaveToBytes(outline);

    GarmentProduct target;
    target.AddGarment(square(300));
    GarmentOutline working = square(80);
    const GarmentProduct productBefore = target;
    const GarmentOutline outlineBefore = working;

    // Cut short at every length, then one byte too many.
    for (size_t k = 0; k < good.size(); ++k) {
        EXPECT_THROW(target.LoadFromBytes(std::span(good).first(k), working), FormatError) << k;
        ASSERT_EQ(target, productBefore);
        ASSERT_EQ(working, outlineBefore);
    }
    Bytes longer = good;
    longer.push_back(0);
    EXPECT_THROW(target.LoadFromBytes(longer, working), FormatError);

    // A piece count of 65535 in a 10-byte file: refused without a large allocation.
    Bytes huge;
    put16(huge, 65535);
    huge.resize(10, 0x41);
    EXPECT_THROW(target.LoadFromBytes(huge, working), FormatError);
    EXPECT_EQ(target, productBefore);
    EXPECT_EQ(working, outlineBefore);

    TempDir dir;
    EXPECT_THROW(target.LoadFromFile(dir.path / "missing.LCF", working), IoError);
    EXPECT_EQ(target, productBefore);

    // The good bytes load.
    target.LoadFromBytes(good, working);
    EXPECT_EQ(target, product);
}

TEST(GarmentsFile, LoadingIntoAFullOutlineIsRefusedWithoutChange) {
    GarmentOutline full;
    for (int i = 0; i < kMaxGarmentPoints; ++i) full.AppendPointRaw((i % 256) * 10, (i / 256) * 10, false);
    GarmentOutline extra;
    extra.AddPoint(-1000, -1000);
    const Bytes f = GarmentProduct{}.SaveToBytes(extra);
    GarmentProduct product;
    const GarmentOutline before = full;
    TempDir dir;
    writeFile(dir.path / "x.LCF", f);
    EXPECT_THROW(product.LoadFromFile(dir.path / "x.LCF", full), FormatError);
    EXPECT_EQ(full, before);
}

TEST(GarmentsFile, AnInterruptedSaveLeavesTheOldFile) {
    TempDir dir;
    const fs::path file = dir.path / "keep.LCF";
    GarmentProduct product;
    product.AddGarment(square(100));
    ASSERT_TRUE(product.SaveToFile(file, GarmentOutline{}));
    const Bytes old = readFile(file);

    GarmentProduct bigger;
    for (int i = 0; i < 5; ++i) bigger.AddGarment(square(200 + i));
    for (long long k : {0LL, 1LL, 50LL, 129LL, 400LL}) {
        {
            FileSizeLimit cut(k);
            EXPECT_THROW(bigger.SaveToFile(file, GarmentOutline{}), IoError) << k;
        }
        EXPECT_EQ(readFile(file), old) << k;
    }
    size_t files = 0;
    for (auto& e : fs::directory_iterator(dir.path)) files += e.is_regular_file();
    EXPECT_EQ(files, 1u) << "no temporary file is left behind";
}

TEST(GarmentsFile, CountsBeyondSixteenBitsAreRefused) {
    GarmentOutline g;
    g.AddPoint(0, 0);
    g.AddPoint(100, 0);
    for (int i = 0; i < 65536; ++i) g.AddCurve(0, 1, 0);
    TempDir dir;
    EXPECT_THROW(GarmentProduct{}.SaveToFile(dir.path / "big.LCF", g), RangeError);
    EXPECT_FALSE(fs::exists(dir.path / "big.LCF"));
}

TEST(Product, PiecesAreIndependentCopies) {
    GarmentProduct product;
    GarmentOutline g = square(100);
    g.Reserved = 9;
    g.SetSymmetryAxis(2);
    product.AddGarment(g);
    g.MoveAll(5, 5);
    GarmentOutline out;
    out.AddPoint(1, 1);
    product.GetGarment(0, out);
    EXPECT_EQ(out.Point(0).X, 0) << "the piece kept its own records";
    EXPECT_EQ(out.Reserved, 9);
    EXPECT_EQ(out.SymmetryAxis(), 2);

    product.SetPieceName(0, "Back");
    product.SetGarment(0, g);
    EXPECT_EQ(product.Piece(0).Name, "Back");
    EXPECT_EQ(product.Piece(0).Points[0].X, 5);

    product.GetGarment(1, out);
    EXPECT_EQ(out.PointCount(), 0) << "an index past the end leaves the outline empty";
}

TEST(GarmentItem, BytesOfThreePointsAndTwoCurves) {
    GarmentOutline g;
    g.AddPoint(1, 2);
    g.AddPoint(300, -4);
    g.AddPoint(-70000, 9);
    g.AddCurve(0, 1, 8);
    g.AddCurve(2, 1, 31);
    g.Reserved = 0x1234;
    g.SetSymmetryAxis(2);
    const Bytes b = GarmentItemBytes(g);
    Bytes expected;
    put16(expected, 0x1234);
    put32(expected, 2);
    put32(expected, 3);
    putPoint(expected, 1, 2, 1, 0);
    putPoint(expected, 300, -4, 2, 0);
    putPoint(expected, -70000, 9, 3, 1);
    put32(expected, 2);
    putCurve(expected, 8, 0, 1);
    putCurve(expected, 31, 2, 1);
    ASSERT_EQ(expected.size(), 62u);
    EXPECT_EQ(b, expected);

    GarmentOutline back;
    LoadGarmentItem(b, back);
    EXPECT_EQ(back, g);

    // Refusals change nothing.
    GarmentOutline target = square(40);
    const GarmentOutline before = target;
    auto refused = [&](const Bytes& item) {
        EXPECT_THROW(LoadGarmentItem(item, target), FormatError);
        EXPECT_EQ(target, before);
    };
    refused(Bytes(b.begin(), b.end() - 1)); // Size 61 for those counts
    Bytes neg = b;
    neg[6] = neg[7] = neg[8] = neg[9] = 0xFF; // n = -1
    refused(neg);
    Bytes badEnd = b;
    badEnd[10 + 36 + 4 + 6 + 4] = 3; // second curve's end = n
    refused(badEnd);
    Bytes badKind = b;
    badKind[10 + 36 + 4] = 32;
    refused(badKind);
    Bytes negM = b;
    negM[46] = negM[47] = negM[48] = negM[49] = 0xFF;
    refused(negM);
}

TEST(GarmentItem, AnAxisNamingNoPointMeansNotSymmetrical) {
    // Fourteen zero bytes: an empty outline whose axis field says point 0.
    GarmentOutline g;
    LoadGarmentItem(Bytes(14, 0), g);
    EXPECT_EQ(g.PointCount(), 0);
    EXPECT_FALSE(g.IsSymmetric());
}

TEST(GarmentItem, AppendingKeepsCurvesOnTheirOwnPoints) {
    GarmentOutline item = square(50);
    item.SetSymmetryAxis(1);
    const Bytes b = GarmentItemBytes(item);
    GarmentOutline g;
    g.AddPoint(1000, 1000);
    LoadGarmentItem(b, g);
    EXPECT_EQ(g.PointCount(), 5);
    EXPECT_EQ(g.SymmetryAxis(), 2);
    EXPECT_EQ(curveEnds(g), curveEnds(item));
}

TEST(GarmentItem, ModelGarmentsAreRestoredByNameLastItemFirst) {
    GarmentOutline back = square(50);
    GarmentOutline front = square(100);
    front.Reserved = 7;
    front.SetSymmetryAxis(1);
    ModelFile m;
    m.AddGarment(0, "Garment", GarmentItemBytes(front));
    m.AddFolder("Set");
    m.AddGarment(0, "Garment", GarmentItemBytes(back));
    m.AddGarment(0, "garment", GarmentItemBytes(square(300))); // names are compared exactly
    m.AddGarment(0, "Garment");                                // added, never stored

    GarmentOutline g;
    RestoreGarment(m, "Garment", g);
    ASSERT_EQ(g.PointCount(), 8);
    EXPECT_EQ(g.Point(1).X, 50) << "the last item is appended first";
    EXPECT_EQ(g.Point(5).X, 100);
    EXPECT_EQ(g.CurveCount(), 8);
    EXPECT_EQ(g.Reserved, 7) << "the front item prevails";
    EXPECT_EQ(g.SymmetryAxis(), 5);

    GarmentOutline one;
    EXPECT_TRUE(LoadGarment(m, 2, one));
    EXPECT_EQ(one, back);
    EXPECT_FALSE(LoadGarment(m, 1, one)); // a folder
    EXPECT_FALSE(LoadGarment(m, 9, one));
    EXPECT_TRUE(LoadGarment(m, 4, one));
    EXPECT_EQ(one, back);

    // A damaged item read after good ones restores nothing at all.
    m.Items[0].Data.pop_back();
    GarmentOutline kept = square(20);
    const GarmentOutline before = kept;
    EXPECT_THROW(RestoreGarment(m, "Garment", kept), FormatError);
    EXPECT_EQ(kept, before);
    EXPECT_THROW(LoadGarment(m, 0, kept), FormatError);
    EXPECT_EQ(kept, before);
}

TEST(GarmentsFile, FuzzSeedsAreValidFiles) {
    // The source tree: from the environment, else from where this file lies.
    const char* env = std::getenv("LC_SOURCE_DIR");
    const fs::path src = env ? fs::path(env) : fs::path(__FILE__).parent_path().parent_path().parent_path();
    if (!fs::exists(src / "fuzz/corpus/garments_file")) GTEST_SKIP() << "no source tree at " << src;
    int files = 0, items = 0;
    for (auto& e : fs::directory_iterator(src / "fuzz/corpus/garments_file")) {
        GarmentProduct p;
        GarmentOutline g;
        EXPECT_NO_THROW(p.LoadFromFile(e.path(), g)) << e.path();
        ++files;
    }
    for (auto& e : fs::directory_iterator(src / "fuzz/corpus/garment_item")) {
        GarmentOutline g;
        EXPECT_NO_THROW(LoadGarmentItem(readFile(e.path()), g)) << e.path();
        ++items;
    }
    EXPECT_GE(files, 3);
    EXPECT_GE(items, 3);
}
