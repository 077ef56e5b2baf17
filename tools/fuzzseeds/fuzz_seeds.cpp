// Writes small valid files for the fuzz harnesses, with the program's own writers.
//   lc_fuzz_seeds CORPUS_DIR      (usually fuzz/corpus)
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Jpeg.h"
#include "core/Model.h"
#include "core/PatternLibrary.h"
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

void fillRaster(TLCGraphicData& g) {
    for (int y = 0; y < g.Picture.height(); ++y)
        for (int x = 0; x < g.Picture.width(); ++x) g.Picture.line(y)[x] = uint8_t((x + 3 * y) % 17);
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
        TPatternLibrary lib;
        lib.CreateNew("", "Seed");
        put(root / "library", "empty.lcl", lib.SaveToBytes());
        const uint8_t px[12] = {0x12, 0x34, 0x56, 0x70, 0xF0, 0x09, 0xAB, 0xC0, 0x11, 0x22, 0x33, 0x44};
        lib.AddPattern(7, 2, "Tiny", px, 0x24);
        lib.AddPattern(2, 3, "Column", px, 1);
        lib.AddPattern(4, 1, "", px, 4);
        put(root / "library", "three.lcl", lib.SaveToBytes());

        // Model files: an empty one with a preview, and one of every kind of item.
        TModel m;
        m.Header.SetAuthor("Loopcrafter");
        m.Header.SetModelName("Seed");
        m.SetPreview(EncodeJpeg(gradient(8, 8)));
        put(root / "model", "preview.lcm", m.SaveToBytes());
        TLCGraphicData g;
        g.SetSize(5, 4);
        fillRaster(g);
        TModel items;
        items.AddFolder("Set");
        items.AddDrawing(1, "Drawing", g);
        items.AddGarment(1, "Garment", std::vector<uint8_t>(14, 0));
        items.AddNote(1, "Note", std::vector<uint8_t>{'{', '\\', 'r', 't', 'f', '1', '}'});
        items.AddMask(0, "Maska", g);
        items.AddState(0, "State", std::vector<uint8_t>(kAppStateSize, 1));
        put(root / "model", "items.lcm", items.SaveToBytes());

        // Pictures: a short one (placed from line 512) and a tall one.
        TLCGraphicData shortPic;
        shortPic.SetSize(8, 16);
        fillRaster(shortPic);
        put(root / "picture", "short.LCW", BuildPictureFile(shortPic));
        TLCGraphicData tall;
        tall.SetSize(3, 1000);
        fillRaster(tall);
        put(root / "picture", "tall.LCW", BuildPictureFile(tall));
        ColorTable17 colors{};
        for (int i = 0; i < 17; ++i) colors[i] = RGB(i * 15, 255 - i * 15, i * 7);
        put(root / "picture", "palette.LCP", BuildPaletteFile(colors));

        put(root / "palette", "colors.LCP", BuildPaletteFile(colors));

        put(root / "jpeg", "small.jpg", EncodeJpeg(gradient(8, 8)));
        put(root / "jpeg", "odd.jpg", EncodeJpeg(gradient(17, 5), 40));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lc_fuzz_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
