// Scrolling the Fashion page's grid of 200 models after the first paint:
// target at most 8 ms a repaint (the thumbnails are decoded once and cached
// by path, modification time and size).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>

#include "QtApp.h"
#include "core/Jpeg.h"
#include "core/ModelFile.h"
#include "core/Workspace.h"
#include "shell/ui/FashionPage.h"
#include "shell/ui/ThumbnailGrid.h"

namespace {

void BM_FashionGridScrollRepaint(benchmark::State& state) {
    lc::test::qtApp();
    QTemporaryDir dir;
    lc::RgbImage img{320, 240, std::vector<uint8_t>(320 * 240 * 3)};
    for (size_t i = 0; i < img.Rgb.size(); ++i) img.Rgb[i] = static_cast<uint8_t>(i * 31 / 7);
    const std::vector<uint8_t> jpeg = lc::EncodeJpeg(img);
    for (int i = 0; i < 200; ++i) {
        lc::ModelFile m;
        m.Header.SetModelName("Model " + std::to_string(i));
        m.AddFolder("Model");
        m.SetPreview(jpeg);
        m.SaveToFile(QDir(dir.path()).filePath(QString("m%1.lcm").arg(i, 3, 10, QChar('0'))).toStdString());
    }
    lc::Workspace ws;
    ws.Settings.Path_Fashion = dir.path().toStdString();
    lc::ui::FashionPage page(ws);
    page.resize(1180, 760);
    page.show();
    page.ScanCollection({});
    lc::ui::ThumbnailGrid* grid = page.grid();
    benchmark::DoNotOptimize(grid->grab()); // the first paint decodes the first screen
    int pos = 0;
    for (auto _ : state) {
        pos = (pos + grid->shape().Columns) % (grid->scrollBar()->maximum() + 1);
        grid->scrollTo(pos);
        benchmark::DoNotOptimize(grid->grab());
    }
}
BENCHMARK(BM_FashionGridScrollRepaint)->Unit(benchmark::kMillisecond);

} // namespace
