// Separating every row of a full pattern and building the row table: done at
// every Start and every showing of the Link page. Target: both together within
// 3 ms for 1024 rows x 250 needles of 16 colours.
#include <benchmark/benchmark.h>

#include "core/PatternRaster.h"
#include "knitting/KnitState.h"

using namespace lc;

namespace {

void fillPattern(PatternRaster& g, int width, int height) {
    g.SetSize(width, height);
    uint32_t s = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            s = s * 1103515245u + 12345u;
            g.Picture.line(y)[x] = static_cast<uint8_t>((s >> 16) % 16);
        }
}

void BM_SeparateAndRowTable(benchmark::State& state) {
    const bool garment = state.range(0) != 0;
    PatternRaster g;
    KnitState k;
    fillPattern(g, 250, 1024);
    g.GarmentRows = 1024;
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 250; ++x) g.Mask.line(y)[x] = (x > 20 && x < 230) ? kMaskInside : kMaskOutside;
    PreparationOptions o;
    o.GarmentMode = garment;
    for (auto _ : state) {
        Preparation(k.Rows, g, o);
        k.Separation.Build(g, garment);
        benchmark::DoNotOptimize(k.Separation.GetRow(1023).Data.data());
    }
}
BENCHMARK(BM_SeparateAndRowTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SpreadColors(benchmark::State& state) {
    PatternRaster g;
    KnitState k;
    fillPattern(g, 250, 1024);
    for (auto _ : state) {
        state.PauseTiming();
        k.Separation.Build(g, false);
        state.ResumeTiming();
        k.Separation.SpreadColors(4);
    }
}
BENCHMARK(BM_SpreadColors)->Unit(benchmark::kMicrosecond);

} // namespace
