// samplegen OUTDIR: writes OUTDIR/Galleries/*.lcl with OUTDIR/Galleries/preview/
// <library>/<pattern> JPEGs, and OUTDIR/Models/Samples/*.lcm. Every pattern
// is drawn here as text, one character a stitch ('.' colour 0, '#' 1, 'o' 2,
// 'x' 3), top row first, so the samples can be read and changed like code.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Jpeg.h"
#include "core/ModelFile.h"
#include "core/PatternLibrary.h"
#include "core/PatternRaster.h"
#include "core/RichText.h"
#include "knitting/TechniqueTable.h"

using namespace lc;
namespace fs = std::filesystem;

namespace {

struct Sample {
    const char* name;
    uint32_t categories;
    std::vector<const char*> rows; // top row first
};

// Yarn colours of the previews: cream, navy, red, moss.
constexpr uint8_t kYarn[4][3] = {{238, 230, 212}, {38, 52, 96}, {178, 40, 44}, {92, 120, 60}};

uint8_t cellOf(char c) {
    switch (c) {
    case '#': return 1;
    case 'o': return 2;
    case 'x': return 3;
    default: return 0;
    }
}

int widthOf(const Sample& s) { return static_cast<int>(std::string(s.rows.front()).size()); }

// Packed as a library keeps it: the lowest row first.
std::vector<uint8_t> pack(const Sample& s) {
    const int w = widthOf(s), h = static_cast<int>(s.rows.size());
    const int bpr = PatternBytesPerRow(w);
    std::vector<uint8_t> out(static_cast<size_t>(bpr) * h);
    std::vector<uint8_t> cells(w);
    for (int i = 0; i < h; ++i) {
        const char* row = s.rows[h - 1 - i];
        for (int x = 0; x < w; ++x) cells[x] = cellOf(row[x]);
        PackPatternRow(cells.data(), w, out.data() + static_cast<size_t>(i) * bpr);
    }
    return out;
}

// A picture of the knitted fabric: the pattern repeated to fill about 240 x
// 180 pixels, each stitch a small V of two shaded halves.
std::vector<uint8_t> fabricJpeg(const Sample& s) {
    const int w = widthOf(s), h = static_cast<int>(s.rows.size());
    constexpr int sw = 8, sh = 7;
    const int cols = std::max(w, 240 / sw), lines = std::max(h, 180 / sh);
    const int W = cols * sw, H = lines * sh;
    std::vector<uint8_t> rgb(static_cast<size_t>(W) * H * 3);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int c = x / sw, r = y / sh, px = x % sw, py = y % sh;
            const uint8_t* yarn = kYarn[cellOf(s.rows[r % h][c % w])];
            // The V: each half leans inwards, lighter at its top.
            const bool leftHalf = px < sw / 2;
            const int edge = leftHalf ? px : sw - 1 - px;
            const int shade = (edge == 0 ? -40 : 0) + (py == 0 ? 18 : 0) - py * 4 + (leftHalf ? 6 : -6);
            uint8_t* out = rgb.data() + (static_cast<size_t>(y) * W + x) * 3;
            for (int k = 0; k < 3; ++k) out[k] = static_cast<uint8_t>(std::clamp(yarn[k] + shade, 0, 255));
        }
    return EncodeJpeg(W, H, rgb, 82);
}

void writeLibrary(const fs::path& galleries, const std::string& name, const std::vector<Sample>& samples) {
    PatternLibrary lib;
    lib.CreateNew(galleries.string() + "/", name);
    const fs::path previews = galleries / "preview" / name;
    fs::create_directories(previews);
    for (const Sample& s : samples) {
        const std::string previewName = std::string(s.name) + ".jpg";
        if (!lib.AddPattern(widthOf(s), static_cast<int>(s.rows.size()), previewName, pack(s), s.categories))
            throw std::runtime_error(std::string("pattern refused: ") + s.name);
        WriteFileAtomic((previews / previewName).string(), fabricJpeg(s));
    }
    lib.SaveToFile();
}

const std::vector<Sample> kColourwork = {
    {"Snowflake",
     tkFairisle | tkJacquard2C,
     {"............", ".....#......", "...#.#.#....", "....###.....", ".#..###..#..", "..#######...", ".#..###..#..",
      "....###.....", "...#.#.#....", ".....#......", "............", "............"}},
    {"Checkerboard",
     tkFairisle | tkJacquard2C,
     {"####....", "####....", "####....", "####....", "....####", "....####", "....####", "....####"}},
    {"Peerie border",
     tkFairisle,
     {"........", ".#...#..", "#.#.#.#.", ".#...#..", "........", "##oo##oo", "........", "oooooooo"}},
    {"Hearts",
     tkFairisle | tkJacquard2C | tkJacquard3C,
     {"..........", "..oo..oo..", ".oooooooo.", ".oooooooo.", "..oooooo..", "...oooo...", "....oo....", "..........",
      "##########", ".........."}},
};

const std::vector<Sample> kTexture = {
    {"Honeycomb tuck",
     tkTuckStitch | tkMultiColorTuckStitch,
     {"#...#...", "#...#...", "........", "..#...#.", "..#...#.", "........"}},
    {"Bird's eye skip", tkSkipStitch | tkMultiColorSkipStitch, {"#.#.#.#.", ".#.#.#.#"}},
    {"Basket weave", tkWeaving, {"##..##..", "##..##..", "..##..##", "..##..##"}},
    {"Eyelet diamonds",
     tkLace | tkFineLace,
     {"...........", ".....#.....", "....#.#....", "...#...#...", "....#.#....", ".....#.....", "..........."}},
    {"Lace ladder", tkLace | tkThreadLace, {".#...#...", ".#...#...", ".#...#...", "........."}},
};

void writeModel(const fs::path& folder) {
    fs::create_directories(folder);
    PatternRaster raster;
    raster.SetSize(200, kPatternRows);
    // The snowflake band around the hat: rows 0.. of the pattern (bottom lines of the picture).
    const Sample& flake = kColourwork[0];
    const int w = widthOf(flake), h = static_cast<int>(flake.rows.size());
    for (int row = 0; row < 36; ++row)
        for (int x = 0; x < 120; ++x)
            raster.Picture.set(x, raster.LineOfRow(row), cellOf(flake.rows[h - 1 - row % h][x % w]));
    ModelFile m;
    m.Header.SetModelName("Snowflake hat");
    m.Header.SetAuthor("Loopcrafter");
    m.AddFolder("Model");
    m.AddDrawing(m.Items[0].Id, "Snowflake band", raster);
    RichDocument note;
    note.Paragraphs.push_back({RichAlign::Left, {{"Snowflake hat", true, false, false, "", 14, 0}}});
    note.Paragraphs.push_back(
        {RichAlign::Left,
         {{"Cast on 120 stitches in navy. Knit the snowflake band in Fair Isle with cream as the second colour, "
           "then 40 rows of navy and decrease for the crown.",
           false, false, false, "", 11, 0}}});
    m.AddNote(m.Items[0].Id, "How to knit", note);
    m.SetPreview(fabricJpeg(flake));
    m.SaveToFile((folder / "Snowflake hat.lcm").string());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: samplegen OUTDIR\n");
        return 2;
    }
    try {
        const fs::path out = argv[1];
        const fs::path galleries = out / "Galleries";
        fs::create_directories(galleries);
        writeLibrary(galleries, "Colourwork", kColourwork);
        writeLibrary(galleries, "Texture", kTexture);
        writeModel(out / "Models" / "Samples");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "samplegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
