// The fine-lace pass table: built once per pattern change, never from a paint.
// Target: at most 300 ms in the worst case (a 250 x 1024 pattern of solid
// colour 14: 501 passes a row, 513k entries).
#include <benchmark/benchmark.h>

#include "core/PatternRaster.h"
#include "knitting/FineLace.h"
#include "knitting/KnitState.h"

using namespace lc;

namespace {

// A 250 x 1024 pattern and its separation.
struct LacePattern {
    PatternRaster g;
    KnitState knitting;
    TechniqueContext context() { return TechniqueContext{g, knitting, {}}; }
};

void makePattern(LacePattern& p, bool worst) {
    p.g.SetSize(250, 1024);
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 250; ++x) {
            uint8_t c = 0;
            if (worst) c = 14;
            else if ((x + 3 * y) % 17 < 3) c = 14;
            else if ((x + 5 * y) % 23 < 2) c = 15;
            p.g.Picture.line(y)[x] = c;
        }
    p.knitting.Separation.Build(p.g, false);
}

void BM_PassTable(benchmark::State& state) {
    LacePattern p;
    makePattern(p, state.range(0) != 0);
    FineLace lace(p.context());
    for (auto _ : state) {
        lace.InvalidatePassTable();
        lace.BuildPassTable();
        benchmark::DoNotOptimize(lace.PassCount());
    }
    state.counters["passes"] = lace.PassCount();
}
BENCHMARK(BM_PassTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a call with an unchanged pattern costs (the cache check).
void BM_PassTableUnchanged(benchmark::State& state) {
    LacePattern p;
    makePattern(p, false);
    FineLace lace(p.context());
    lace.BuildPassTable();
    for (auto _ : state) benchmark::DoNotOptimize(lace.BuildPassTable());
}
BENCHMARK(BM_PassTableUnchanged)->Unit(benchmark::kMicrosecond);

} // namespace
