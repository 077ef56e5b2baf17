// Separating every row of a full pattern and building the row table: done at
// every Start and every showing of the Link page. Target: both together within
// 3 ms for 1024 rows x 250 needles of 16 colours.
#include <benchmark/benchmark.h>

#include "core/PatternRaster.h"
#include "core/Globals.h"
#include "knitting/RowTable.h"
#include "knitting/ColourSeparation.h"

using namespace lc;

namespace {

void fillPattern(int width, int height) {
    GraphicData.SetSize(width, height);
    uint32_t s = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            s = s * 1103515245u + 12345u;
            GraphicData.Picture.line(y)[x] = static_cast<uint8_t>((s >> 16) % 16);
        }
}

void BM_SeparateAndRowTable(benchmark::State& state) {
    const bool garment = state.range(0) != 0;
    fillPattern(250, 1024);
    GraphicData.GarmentRows = 1024;
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 250; ++x) GraphicData.Mask.line(y)[x] = (x > 20 && x < 230) ? kMaskInside : kMaskOutside;
    PreparationOptions o;
    o.GarmentMode = garment;
    for (auto _ : state) {
        Preparation(gRowTable, GraphicData, o);
        SeparatedData.Build(GraphicData, garment);
        benchmark::DoNotOptimize(SeparatedData.GetRow(1023).Data.data());
    }
}
BENCHMARK(BM_SeparateAndRowTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SpreadColors(benchmark::State& state) {
    fillPattern(250, 1024);
    for (auto _ : state) {
        state.PauseTiming();
        SeparatedData.Build(GraphicData, false);
        state.ResumeTiming();
        SeparatedData.SpreadColors(4);
    }
}
BENCHMARK(BM_SpreadColors)->Unit(benchmark::kMicrosecond);

} // namespace
