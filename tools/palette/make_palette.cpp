// Writes the start palette: sixteen yarn colours a knitter is likely to own,
// far enough apart to tell every stitch from its neighbours, and a background
// that none of them can be mistaken for.
//   lc_make_palette OUT.Lcp          write the palette
//   lc_make_palette --check FILE     exit 1 when FILE differs from it
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/PictureFiles.h"

namespace {

lc::ColorTable17 startPalette() {
    using lc::RGB;
    return {
        RGB(242, 236, 220), // 0 natural cream (the main yarn)
        RGB(52, 56, 64),    // 1 charcoal
        RGB(192, 38, 46),   // 2 scarlet
        RGB(30, 50, 110),   // 3 navy
        RGB(40, 112, 66),   // 4 forest green
        RGB(226, 172, 36),  // 5 mustard
        RGB(108, 170, 222), // 6 sky blue
        RGB(150, 148, 142), // 7 heather grey
        RGB(118, 46, 108),  // 8 plum
        RGB(216, 108, 38),  // 9 pumpkin
        RGB(236, 150, 172), // 10 rose
        RGB(24, 132, 140),  // 11 teal
        RGB(108, 68, 42),   // 12 chocolate
        RGB(178, 158, 216), // 13 lavender
        RGB(132, 144, 58),  // 14 moss
        RGB(22, 22, 26),    // 15 black
        RGB(190, 226, 210), // 16 background: a pale seafoam no yarn above comes close to
    };
}

std::vector<uint8_t> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<uint8_t> bytes = lc::BuildPaletteFile(startPalette());
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) {
        if (readFile(argv[2]) == bytes) return 0;
        std::fprintf(stderr, "%s is not the palette this generator writes; run lc_make_palette %s\n", argv[2], argv[2]);
        return 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.Lcp | --check FILE\n", argv[0]);
        return 2;
    }
    try {
        lc::SavePalette(argv[1], startPalette());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
