// Catalogue drafting and the constructor's filter. Targets: every shipped
// piece with every shipped template in 5 ms all told; each filter step over
// the 2806 models within 1 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "garment/CatalogueDetail.h"
#include "garment/CatalogueFilter.h"
#include "garment/GarmentCatalogue.h"
#include "garment/SizeTemplates.h"

using namespace lc;

namespace {

std::filesystem::path programDir() {
    const char* dir = std::getenv("LC_PROGRAM_DIR");
    return dir ? dir : "bin";
}

const GarmentCatalogue& shipped() {
    static GarmentCatalogue c = [] {
        GarmentCatalogue cat;
        cat.Load(programDir(), "ENG");
        return cat;
    }();
    return c;
}

void BM_DraftEveryPieceWithEveryTemplate(benchmark::State& state) {
    const GarmentCatalogue& cat = shipped();
    std::vector<BodySize> sizes;
    for (const SizeTemplate& t : ReadTemplates(programDir() / ShippedTemplatesName("ENG")))
        sizes.push_back(BodySize::FromCentimetres(t.Values));
    GarmentOutline g;
    for (auto _ : state) {
        for (size_t d = 1; d < cat.Details().size(); ++d)
            for (const BodySize& s : sizes) {
                g.Clear();
                BuildCatalogueDetail(g, cat.Details()[d], s);
            }
        benchmark::DoNotOptimize(g.PointCount());
    }
}
BENCHMARK(BM_DraftEveryPieceWithEveryTemplate)->Unit(benchmark::kMillisecond);

void BM_FilterStep(benchmark::State& state) {
    CatalogueFilter f(shipped().Records());
    f.ChooseStyle(4);
    for (auto _ : state) {
        // The widest step: necklines over a whole style, then a later box.
        benchmark::DoNotOptimize(f.Offered(CatalogueField::Neckline));
        f.Choose(CatalogueField::Neckline, 4);
        benchmark::DoNotOptimize(f.Offered(CatalogueField::SleeveLength));
    }
}
BENCHMARK(BM_FilterStep)->Unit(benchmark::kMicrosecond);

} // namespace
