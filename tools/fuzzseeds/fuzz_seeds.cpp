// Writes small valid files for the fuzz harnesses, with the program's own writers.
//   lc_fuzz_seeds CORPUS_DIR      (usually fuzz/corpus)
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Jpeg.h"
#include "core/ModelFile.h"
#include "core/PatternLibrary.h"
#include "core/RichText.h"
#include "garment/GarmentFile.h"
#include "shell/PictureFiles.h"

namespace fs = std::filesystem;
using namespace lc;

namespace {

void put(const fs::path& dir, const char* name, const std::vector<uint8_t>& bytes) {
    fs::create_directories(dir);
    WriteFileAtomic(dir / name, bytes);
}

RgbImage gradient(int w, int h) {
    RgbImage img{w, h, std::vector<uint8_t>(size_t(w) * h * 3)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &img.Rgb[(size_t(y) * w + x) * 3];
            p[0] = uint8_t(x * 16);
            p[1] = uint8_t(y * 32);
            p[2] = uint8_t((x + y) * 8);
        }
    return img;
}

void fillRaster(PatternRaster& g) {
    for (int y = 0; y < g.Picture.height(); ++y)
        for (int x = 0; x < g.Picture.width(); ++x) g.Picture.line(y)[x] = uint8_t((x + 3 * y) % 17);
}

// Garment outlines covering every curve kind, symmetry, merged points and named pieces.
GarmentOutline square(int x, int y, int size, uint8_t kind) {
    GarmentOutline g;
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
GarmentOutline everyKind() {
    GarmentOutline g;
    g.AddPoint(0, 0);
    for (int k = 0; k <= 31; ++k) g.AddSegment(40 + k, 30 + k, static_cast<uint8_t>(k));
    return g;
}

GarmentOutline half() {
    GarmentOutline g;
    g.AddPoint(0, 300);
    g.AddSegment(120, 20, 8);
    g.AddSegment(60, 0, 0);
    g.AddSegment(0, 280, 3);
    g.SelectPoint(-1, false);
    g.SelectPoint(0, true);
    g.MakeSymmetric();
    return g;
}

void writeGarmentSeeds(const fs::path& root) {
    const std::vector<GarmentOutline> outlines = {GarmentOutline{}, square(0, 0, 100, 3), square(-500, 40, 7, 20),
                                                  everyKind(), half()};
    for (size_t i = 0; i < outlines.size(); ++i)
        put(root / "garment_item", ("item" + std::to_string(i)).c_str(), GarmentItemBytes(outlines[i]));

    GarmentProduct none;
    put(root / "garments_file", "outline_only", none.SaveToBytes(square(10, 10, 200, 3)));
    put(root / "garments_file", "every_kind", none.SaveToBytes(everyKind()));

    GarmentProduct product;
    product.AddGarment(square(0, 0, 100, 3));
    product.SetPieceName(0, "Back");
    product.AddGarment(half());
    product.SetPieceName(1, "Front");
    product.AddGarment(everyKind());
    put(root / "garments_file", "product_only", product.SaveToBytes(GarmentOutline{}));

    GarmentOutline near; // points closer than 5 mm, merged on loading
    near.AppendPointRaw(0, 0, false);
    near.AppendPointRaw(3, 0, false);
    near.AppendPointRaw(100, 0, true);
    near.AddCurve(1, 2, 0);
    near.AddCurve(2, 0, 9);
    put(root / "garments_file", "product_and_outline", product.SaveToBytes(near));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    try {
        // Pattern libraries: a bare header, and three patterns of odd and even widths.
        PatternLibrary lib;
        lib.CreateNew("", "Seed");
        put(root / "library", "empty.lcl", lib.SaveToBytes());
        const uint8_t px[12] = {0x12, 0x34, 0x56, 0x70, 0xF0, 0x09, 0xAB, 0xC0, 0x11, 0x22, 0x33, 0x44};
        lib.AddPattern(7, 2, "Tiny", px, 0x24);
        lib.AddPattern(2, 3, "Column", px, 1);
        lib.AddPattern(4, 1, "", px, 4);
        put(root / "library", "three.lcl", lib.SaveToBytes());

        // Model files: an empty one with a preview, and one of every kind of item.
        ModelFile m;
        m.Header.SetAuthor("Loopcrafter");
        m.Header.SetModelName("Seed");
        m.SetPreview(EncodeJpeg(gradient(8, 8)));
        put(root / "model", "preview.lcm", m.SaveToBytes());
        PatternRaster g;
        g.SetSize(5, 4);
        fillRaster(g);
        ModelFile items;
        items.AddFolder("Set");
        items.AddDrawing(1, "Drawing", g);
        items.AddGarment(1, "Garment", std::vector<uint8_t>(14, 0));
        items.AddNote(1, "Note", std::vector<uint8_t>{'{', '\\', 'r', 't', 'f', '1', '}'});
        items.AddMask(0, "Mask", g);
        items.AddState(0, "State", std::vector<uint8_t>(kAppStateSize, 1));
        put(root / "model", "items.lcm", items.SaveToBytes());

        // Pictures: a short one (placed from line 512) and a tall one.
        PatternRaster shortPic;
        shortPic.SetSize(8, 16);
        fillRaster(shortPic);
        put(root / "picture", "short.LCW", BuildPictureFile(shortPic));
        PatternRaster tall;
        tall.SetSize(3, 1000);
        fillRaster(tall);
        put(root / "picture", "tall.LCW", BuildPictureFile(tall));
        ColorTable17 colors{};
        for (int i = 0; i < 17; ++i) colors[i] = RGB(i * 15, 255 - i * 15, i * 7);
        put(root / "picture", "palette.LCP", BuildPaletteFile(colors));

        put(root / "palette", "colors.LCP", BuildPaletteFile(colors));

        // A note as the fashion page writes it.
        RichDocument note;
        note.Paragraphs.resize(2);
        RichRun title;
        title.Text = "Узор «Ёлочка» 😀";
        title.Bold = true;
        title.Font = "Arial";
        title.Size = 14;
        RichRun body = title;
        body.Text = "2 ряда\tкрасным\nCafé {x}";
        body.Bold = false;
        body.Italic = body.Underline = true;
        body.Color = 0x0000FF;
        body.Size = 10.5;
        note.Paragraphs[0].Align = RichAlign::Center;
        note.Paragraphs[0].Runs = {title};
        note.Paragraphs[1].Runs = {body};
        const std::string rtf = WriteRtf(note);
        put(root / "rtf", "note.rtf", std::vector<uint8_t>(rtf.begin(), rtf.end()));

        put(root / "jpeg", "small.jpg", EncodeJpeg(gradient(8, 8)));
        put(root / "jpeg", "odd.jpg", EncodeJpeg(gradient(17, 5), 40));

        writeGarmentSeeds(root);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lc_fuzz_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
