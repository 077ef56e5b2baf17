// The content pages' targets, each measured beside its yardstick in one run:
//  - opening a gallery of 1000 patterns and building its first screen of
//    thumbnails (and the selected pattern's preview) against libjpeg-turbo
//    decoding the previews of that screen alone: at most 1.2 times;
//  - converting a 6-megapixel photo to a 200-stitch, 8-colour pattern (decode
//    included) against ImageMagick's `convert photo.jpg -resize 200x -colors 8`
//    on the same file: at most 0.25 times (skipped without `convert`).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/AtomicFile.h"
#include "core/Jpeg.h"
#include "core/PatternLibrary.h"
#include "shell/GalleryBlock.h"
#include "shell/GalleryNames.h"
#include "shell/PictureConverter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kScreenful = 12; // 4 columns x 3 rows of a 1024 x 720 window

fs::path benchDir() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / ("lc_bench_content_" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

lc::RgbImage photo(int w, int h) {
    lc::RgbImage img{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = img.Rgb.data() + (static_cast<size_t>(y) * w + x) * 3;
            p[0] = static_cast<uint8_t>((x * 255) / w);
            p[1] = static_cast<uint8_t>((y * 255) / h);
            p[2] = static_cast<uint8_t>(((x / 64 + y / 64) % 2) * 200);
        }
    return img;
}

// A gallery of 1000 patterns of 24 x 24 with a 240 x 180 preview each.
const fs::path& gallery() {
    static const fs::path file = [] {
        const fs::path g = benchDir() / "Big.lcl";
        lc::PatternLibrary lib;
        lib.CreateNew(benchDir().string() + "/", "Big");
        std::vector<uint8_t> px(12 * 24);
        for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint8_t>(i * 13);
        const std::vector<uint8_t> jpeg = lc::EncodeJpeg(photo(240, 180));
        for (int i = 0; i < 1000; ++i) {
            const std::string name = "p" + std::to_string(i) + ".jpg";
            lib.AddPattern(24, 24, name, px, 1);
            if (i < kScreenful) {
                fs::create_directories(lc::PreviewFolder(benchDir().string(), "Big"));
                lc::WriteFileAtomic(lc::PreviewPath(benchDir().string(), "Big", name), jpeg);
            }
        }
        lib.SaveToFile();
        return g;
    }();
    return file;
}

void BM_GalleryOpenFirstScreen(benchmark::State& state) {
    const fs::path& file = gallery();
    lc::PatternRaster raster;
    raster.SetSize(250, lc::kPatternRows);
    for (auto _ : state) {
        lc::PatternLibrary lib;
        lib.LoadFromFile(file.string());
        for (int i = 0; i < kScreenful; ++i) {
            lc::PatternInfo info;
            lib.GetPattern(i, info);
            benchmark::DoNotOptimize(lc::UnpackIntoBackup(raster, info.Width, info.Height,
                                                          {info.Pixels, static_cast<size_t>(info.BytesPerRow) * 24}));
        }
        const auto bytes = lc::ReadWholeFile(lc::PreviewPath(benchDir().string(), "Big", lib.GetPatternName(0)));
        benchmark::DoNotOptimize(lc::DecodeJpeg(bytes));
    }
}
BENCHMARK(BM_GalleryOpenFirstScreen)->Unit(benchmark::kMillisecond);

void BM_DecodeFirstScreenPreviews(benchmark::State& state) {
    gallery();
    for (auto _ : state)
        for (int i = 0; i < kScreenful; ++i) {
            const auto bytes =
                lc::ReadWholeFile(lc::PreviewPath(benchDir().string(), "Big", "p" + std::to_string(i) + ".jpg"));
            benchmark::DoNotOptimize(lc::DecodeJpeg(bytes));
        }
}
BENCHMARK(BM_DecodeFirstScreenPreviews)->Unit(benchmark::kMillisecond);

const fs::path& sixMegapixelPhoto() {
    static const fs::path file = [] {
        const fs::path f = benchDir() / "photo.jpg";
        lc::WriteFileAtomic(f.string(), lc::EncodeJpeg(photo(3000, 2000), 90));
        return f;
    }();
    return file;
}

void BM_ConvertPhotoTo200Stitches8Colours(benchmark::State& state) {
    const fs::path& file = sixMegapixelPhoto();
    lc::PictureConverter conv;
    conv.random().seed(1);
    for (auto _ : state) {
        conv.setPicture(lc::DecodeJpeg(lc::ReadWholeFile(file.string())));
        int w = 0, h = 0;
        conv.fitBox(900, 640, w, h);
        conv.convert({200, 133, 8, 4}, w, h, 250);
        benchmark::DoNotOptimize(conv.cells().data());
    }
}
BENCHMARK(BM_ConvertPhotoTo200Stitches8Colours)->Unit(benchmark::kMillisecond);

void BM_ImageMagickConvertSameFile(benchmark::State& state) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0) {
        state.SkipWithError("ImageMagick's convert is not installed");
        return;
    }
    const fs::path& file = sixMegapixelPhoto();
    const std::string cmd =
        "convert '" + file.string() + "' -resize 200x -colors 8 '" + (benchDir() / "im.png").string() + "'";
    for (auto _ : state)
        if (std::system(cmd.c_str()) != 0) {
            state.SkipWithError("convert failed");
            return;
        }
}
BENCHMARK(BM_ImageMagickConvertSameFile)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
