#include "core/StitchBitmaps.h"

#include <algorithm>
#include <cmath>

#include "core/StitchDefault.h"
#include "core/Workspace.h"

namespace lc {

void LoadStitchSource(StitchPictures& pictures) {
    GreyImage& source = pictures.Source;
    source.width = kStitchDefaultWidth;
    source.height = kStitchDefaultHeight;
    source.pixels.assign(&kStitchDefault[0][0], &kStitchDefault[0][0] + kStitchDefaultWidth * kStitchDefaultHeight);
}

void BuildStitchBitmaps(const GreyImage& source, const ColorTable17& colors, int w, int h,
                        std::array<StitchRgb, 16>& out) {
    w = std::max(w, 1);
    h = std::max(h, 1);
    const bool plain = source.empty();
    const double sx = plain ? 0.0 : double(source.width) / w;
    const double sy = plain ? 0.0 : double(source.height) / h;
    // Source columns and lines once per size, each kept inside the picture: a
    // cell taller than about twice the picture would otherwise round past its last line.
    std::vector<int> srcX(w), srcY(h);
    for (int x = 0; x < w; ++x) srcX[x] = plain ? 0 : std::min(int(std::nearbyint(x * sx)), source.width - 1);
    for (int y = 0; y < h; ++y) srcY[y] = plain ? 0 : std::min(int(std::nearbyint(y * sy)), source.height - 1);

    for (int i = 0; i < 16; ++i) {
        StitchRgb& img = out[i];
        img.width = w;
        img.height = h;
        img.rgb.assign(size_t(w) * size_t(h) * 3, 0);
        const unsigned r = RedOf(colors[i]), g = GreenOf(colors[i]), b = BlueOf(colors[i]);
        for (int y = 0; y < h; ++y) {
            uint8_t* p = img.rgb.data() + size_t(y) * size_t(w) * 3;
            for (int x = 0; x < w; ++x, p += 3) {
                const unsigned v = plain ? 255u : source.at(srcX[x], srcY[y]);
                p[0] = uint8_t((v * r) >> 8);
                p[1] = uint8_t((v * g) >> 8);
                p[2] = uint8_t((v * b) >> 8);
            }
        }
    }
}

void BuildStitchBitmaps(Workspace& ws) {
    StitchPictures& p = ws.Stitches;
    const int z = std::clamp<int>(ws.Editor.ZoomIndex, 0, kZoomLevels - 1);
    const int w = CellWidths[z], h = ws.Editor.CellHeights[z];
    p.Rect = CellRect{0, 0, w - 1, h - 1};
    BuildStitchBitmaps(p.Source, ws.Raster.Colors, w, h, p.Bitmaps);
    ++p.Revision;
}

void ReleaseStitchBitmaps(StitchPictures& p) {
    for (auto& b : p.Bitmaps) b = StitchRgb{};
    p.Source = GreyImage{};
    p.Rect = CellRect{};
    ++p.Revision;
}

} // namespace lc
