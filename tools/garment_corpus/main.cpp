// Seed files for the garments-file and garment-item fuzzers, made by the
// program's own writers: small, valid, and covering every curve kind,
// symmetry, merged points and named pieces.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "garment/GarmentFile.h"

using namespace lc;
namespace fs = std::filesystem;

namespace {

void write(const fs::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TMyGarment square(int x, int y, int size, uint8_t kind) {
    TMyGarment g;
    g.AddPoint(x, y);
    g.AddSegment(size, 0, 0);
    g.AddSegment(0, size, 2);
    g.AddSegment(size, 0, 1);
    g.SelectPoint(-1, false);
    g.SelectPoint(0, true);
    g.SelectPoint(3, true);
    g.AddSegment(0, 0, kind);
    return g;
}

// Every kind once, each from the previous point.
TMyGarment everyKind() {
    TMyGarment g;
    g.AddPoint(0, 0);
    for (int k = 0; k <= 31; ++k) g.AddSegment(40 + k, 30 + k, static_cast<uint8_t>(k));
    return g;
}

TMyGarment half() {
    TMyGarment g;
    g.AddPoint(0, 300);
    g.AddSegment(120, 20, 8);
    g.AddSegment(60, 0, 0);
    g.AddSegment(0, 280, 3);
    g.SelectPoint(-1, false);
    g.SelectPoint(0, true);
    g.MakeSymmetric();
    return g;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: garment_corpus <garments_file dir> <garment_item dir>\n");
        return 2;
    }
    const fs::path files = argv[1], items = argv[2];
    fs::create_directories(files);
    fs::create_directories(items);

    const std::vector<TMyGarment> outlines = {TMyGarment{}, square(0, 0, 100, 3), square(-500, 40, 7, 20), everyKind(),
                                              half()};
    for (size_t i = 0; i < outlines.size(); ++i)
        write(items / ("item" + std::to_string(i)), GarmentItemBytes(outlines[i]));

    TUserIzdelie none;
    write(files / "outline_only", none.SaveToBytes(square(10, 10, 200, 3)));
    write(files / "every_kind", none.SaveToBytes(everyKind()));

    TUserIzdelie product;
    product.AddGarment(square(0, 0, 100, 3));
    product.SetPieceName(0, "Back");
    product.AddGarment(half());
    product.SetPieceName(1, "Front");
    product.AddGarment(everyKind());
    write(files / "product_only", product.SaveToBytes(TMyGarment{}));

    TMyGarment near; // points closer than 5 mm, merged on loading
    near.AppendPointRaw(0, 0, false);
    near.AppendPointRaw(3, 0, false);
    near.AppendPointRaw(100, 0, true);
    near.AddCurve(1, 2, 0);
    near.AddCurve(2, 0, 9);
    write(files / "product_and_outline", product.SaveToBytes(near));
    return 0;
}
