// Garment mask rasterising and garments-file loading.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/AtomicFile.h"
#include "core/PatternRaster.h"
#include "garment/GarmentFile.h"
#include "garment/GarmentMask.h"

using namespace lc;
namespace fs = std::filesystem;

namespace {

// A tall garment with straight sides, arcs and fixed shapes, 560 mm wide and
// 2500 mm high: on the default gauge it covers 225 stitches and 1000 rows.
GarmentOutline tallGarment() {
    GarmentOutline g;
    const int pts[][2] = {{0, 0},      {560, 0},    {560, 1500}, {500, 1700}, {480, 2300},
                          {380, 2500}, {180, 2500}, {80, 2300},  {60, 1700},  {0, 1500}};
    for (auto& p : pts) g.AppendPointRaw(p[0], p[1], false);
    const uint8_t kinds[] = {0, 2, 13, 22, 10, 1, 8, 20, 11, 3};
    for (int i = 0; i < 10; ++i) g.AddCurve(i, (i + 1) % 10, kinds[i]);
    return g;
}

void BM_MakeMask250x1024(benchmark::State& state) {
    PatternRaster gd;
    gd.SetSize(250, 1024);
    const GarmentOutline g = tallGarment();
    bool garmentMode = true;
    for (auto _ : state) {
        const int r = MakeMask(g, gd, 0.25, 0.25, garmentMode, nullptr);
        if (r != kMaskBuilt) state.SkipWithError("mask not built");
        benchmark::DoNotOptimize(gd.Mask.data());
    }
}
BENCHMARK(BM_MakeMask250x1024)->Unit(benchmark::kMicrosecond);

// A garments file whose working outline has 65535 points and as many curves.
// `spacing` 10 mm keeps every point; 3 mm makes most of them merge.
fs::path writeBigFile(int spacing) {
    GarmentOutline g;
    for (int i = 0; i < kMaxGarmentPoints; ++i) g.AppendPointRaw((i % 256) * spacing, (i / 256) * spacing, i == 0);
    for (int i = 0; i < kMaxGarmentPoints; ++i)
        g.AddCurve(i, (i + 1) % kMaxGarmentPoints, static_cast<uint8_t>(i % 32));
    const fs::path file = fs::temp_directory_path() /
                          ("lc_bench_garments_" + std::to_string(::getpid()) + "_" + std::to_string(spacing) + ".LCF");
    GarmentProduct{}.SaveToFile(file, g);
    return file;
}

void BM_LoadGarmentsFile65535Points(benchmark::State& state) {
    const fs::path file = writeBigFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        GarmentProduct product;
        GarmentOutline outline;
        product.LoadFromFile(file, outline);
        benchmark::DoNotOptimize(outline.PointCount());
    }
    fs::remove(file);
}
BENCHMARK(BM_LoadGarmentsFile65535Points)->Arg(10)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace
