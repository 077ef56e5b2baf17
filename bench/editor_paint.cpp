// Repainting the whole stitch-grid view into the canvas's 32-bit back buffer,
// as every tool, scroll, zoom and undo does. Target: at most 8 ms for a full
// view at the smallest (3-pixel cells) and at the largest (23-pixel) zoom,
// on a 1920 x 1080 canvas over a 250 x 1024 pattern of 16 colours; also with
// the garment greys, the protected zone and, at the largest zoom, the stitch
// pictures of view mode. Each repaint ends with the copy into what the widget
// shows, as the canvas makes it.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/PatternRaster.h"
#include "editor/CanvasRenderer.h"
#include "editor/ViewGeometry.h"

using namespace lc;

namespace {

constexpr int kClientW = 1920, kClientH = 1080;

void fillPattern(PatternRaster& gd) {
    gd.SetSize(250, 1024);
    for (size_t i = 0; i < 16; ++i) gd.Colors[i] = P256()[i];
    gd.Colors[16] = RGB(250, 250, 250);
    gd.UpdatePalette(0);
    uint32_t s = 12345;
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 250; ++x) {
            s = s * 1103515245u + 12345u;
            gd.Picture.line(y)[x] = static_cast<uint8_t>((s >> 16) % 16);
        }
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 250; ++x) gd.Mask.line(y)[x] = (x > 20 && x < 200) ? kMaskInside : kMaskOutside;
}

// Arguments: zoom level, 1 = garment mode and zone, 2 = view mode.
void BM_RepaintFullView(benchmark::State& state) {
    const int zoom = static_cast<int>(state.range(0));
    const int variant = static_cast<int>(state.range(1));
    PatternRaster gd;
    fillPattern(gd);
    const int cw = CellWidths[static_cast<size_t>(zoom)], ch = cw;

    // The sixteen stitch pictures of the level as 32-bit pixels.
    std::vector<uint32_t> tilePixels(static_cast<size_t>(cw * ch) * 16, 0xFF808080u);
    StitchTiles tiles;
    tiles.width = cw;
    tiles.height = ch;
    for (size_t i = 0; i < 16; ++i) tiles.tile[i] = tilePixels.data() + i * static_cast<size_t>(cw * ch);

    RenderOptions opt;
    opt.garmentMode = variant == 1;
    opt.zoneOn = variant == 1;
    opt.zoneRow = 40;
    opt.viewMode = variant == 2;
    opt.tiles = &tiles;
    opt.frameMode = 1;
    opt.frameWidth = 200;
    opt.frameRows = 500;

    ViewGeometry g;
    g.Create(cw, ch, kClientW, kClientH);
    g.UpdateForPaint(250);
    CanvasRenderer r;
    std::vector<uint32_t> picture(static_cast<size_t>(kClientW) * kClientH);
    std::vector<uint32_t> screen(picture.size());
    const PixelBuffer out{picture.data(), kClientW, kClientH, kClientW};
    for (auto _ : state) {
        r.setColours(gd);
        r.render(g, gd, opt, out);
        std::memcpy(screen.data(), picture.data(), picture.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RepaintFullView)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({10, 0})
    ->Args({10, 1})
    ->Args({10, 2})
    ->Unit(benchmark::kMillisecond);

} // namespace
