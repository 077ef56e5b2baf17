// Opening files: a full pattern library (target: 1000 patterns in 20 ms or
// less), the autosave model and a picture.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "core/PatternRaster.h"
#include "core/ModelFile.h"
#include "core/PatternLibrary.h"
#include "shell/PictureFiles.h"

namespace fs = std::filesystem;

namespace {

fs::path tempFile(const char* name) {
    return fs::temp_directory_path() / ("lc_bench_" + std::to_string(::getpid()) + "_" + name);
}

void fill(lc::PatternRaster& g) {
    for (int y = 0; y < g.Picture.height(); ++y)
        for (int x = 0; x < g.Picture.width(); ++x) g.Picture.line(y)[x] = uint8_t((x * 5 + y) % 17);
}

void BM_OpenLibraryOf1000Patterns(benchmark::State& state) {
    const fs::path file = tempFile("full.lcl");
    {
        lc::PatternLibrary lib;
        lib.CreateNew(file.parent_path().string() + "/", file.stem().string());
        std::vector<uint8_t> px(32 * 64);
        for (size_t i = 0; i < px.size(); ++i) px[i] = uint8_t(i * 7);
        for (int i = 0; i < 1000; ++i) lib.AddPattern(64, 64, "Pattern " + std::to_string(i), px, 1u << (i % 17));
        lib.SaveToFile();
    }
    lc::PatternLibrary lib;
    for (auto _ : state) {
        lib.LoadFromFile(file.string());
        benchmark::DoNotOptimize(lib.Count());
    }
    state.counters["MB"] = double(fs::file_size(file)) / 1e6;
    fs::remove(file);
}
BENCHMARK(BM_OpenLibraryOf1000Patterns)->Unit(benchmark::kMillisecond);

void BM_AutosaveRoundTrip250x1024(benchmark::State& state) {
    const fs::path file = tempFile("autosave.lc");
    lc::PatternRaster g;
    g.SetSize(250, 1024);
    fill(g);
    std::vector<uint8_t> appState(lc::kAppStateSize, 1);
    for (auto _ : state) {
        lc::ModelFile m;
        m.AddDrawing(0, "Drawing", g);
        m.AddGarment(0, "Garment");
        m.AddMask(0, "Mask", g);
        m.AddState(0, "State", appState);
        m.SaveToFile(file.string());
        lc::ModelFile r;
        r.LoadFromFile(file.string());
        r.RestoreDrawing("Drawing", g);
        r.RestoreMask("Mask", g);
        r.RestoreState("State", appState);
    }
    fs::remove(file);
}
BENCHMARK(BM_AutosaveRoundTrip250x1024)->Unit(benchmark::kMillisecond);

void BM_OpenPicture200x1024(benchmark::State& state) {
    const fs::path file = tempFile("pic.LCW");
    lc::PatternRaster g;
    g.SetSize(200, 1024);
    fill(g);
    lc::SavePicture(file.string(), g);
    for (auto _ : state) benchmark::DoNotOptimize(lc::OpenPicture(file.string(), g, nullptr));
    fs::remove(file);
}
BENCHMARK(BM_OpenPicture200x1024)->Unit(benchmark::kMillisecond);

} // namespace
