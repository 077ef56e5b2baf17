// The Garment Shape page shown at 1920 x 1080 (offscreen):
// - dragging a point of an outline of 10 000 points and 10 000 curves: one
//   move and the repaint of the paint box; target <= 8 ms;
// - loading a garments file of 65 535 outline points and painting the page:
//   target <= 100 ms.
#include "BenchQtApp.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/Workspace.h"
#include "garment/GarmentFile.h"
#include "garment/ui/GarmentShapePage.h"
#include "garment/ui/OutlineCanvas.h"

using namespace lc;

namespace {

QApplication& app() { return lc::bench::qtApp(); }

// A closed ring of n points 6 mm apart along a rectangle-ish path, the curve
// kinds cycling through every shape.
GarmentOutline ring(int n) {
    GarmentOutline g;
    const int side = n / 4;
    for (int i = 0; i < n; ++i) {
        const int k = i % side, s = i / side;
        const int x = s == 0 ? k * 6 : (s == 1 ? side * 6 : (s == 2 ? (side - k) * 6 : 0));
        const int y = s == 0 ? 0 : (s == 1 ? k * 6 : (s == 2 ? side * 6 : (side - k) * 6));
        g.AppendPointRaw(x, y, false);
    }
    for (int i = 0; i < n; ++i) g.AddCurve(i, (i + 1) % n, static_cast<uint8_t>(i % 32));
    return g;
}

void BM_DragPointOfBigOutline(benchmark::State& state) {
    app();
    Workspace ws;
    ui::GarmentShapePage page(ws);
    page.resize(1920, 1080);
    page.show();
    QApplication::processEvents();
    page.outline() = ring(10000);
    page.FitToScreen();
    QApplication::processEvents();
    // Press on point 5000 in select mode (a drag begins), then move to and fro.
    const GarmentPoint& p = page.outline().Point(5000);
    const QPoint at(page.view().MmToX(p.X), page.view().MmToY(p.Y));
    emit page.canvas()->pressed(at, Qt::LeftButton, {});
    if (!page.canvas()->dragging()) state.SkipWithError("the press did not start a drag");
    int dx = 3;
    for (auto _ : state) {
        emit page.canvas()->moved(at + QPoint(dx, 0), Qt::LeftButton, {});
        dx = dx == 3 ? 0 : 3;
        page.canvas()->repaint();
    }
    emit page.canvas()->released(at, Qt::LeftButton, {});
}
BENCHMARK(BM_DragPointOfBigOutline)->Unit(benchmark::kMillisecond);

void BM_LoadBigGarmentsFile(benchmark::State& state) {
    app();
    const std::string file =
        (std::filesystem::temp_directory_path() / ("lc_bench_garment_" + std::to_string(::getpid()) + ".LCF")).string();
    {
        GarmentOutline g;
        for (int i = 0; i < 65535; ++i) g.AppendPointRaw((i % 256) * 6, (i / 256) * 6, false);
        for (int i = 0; i + 1 < 65535; i += 2) g.AddCurve(i, i + 1, 0);
        GarmentProduct().SaveToFile(file, g);
    }
    Workspace ws;
    ui::GarmentShapePage page(ws);
    page.resize(1920, 1080);
    page.show();
    QApplication::processEvents();
    for (auto _ : state) {
        page.NewGarments();
        page.LoadGarmentsFrom(QString::fromStdString(file));
        page.repaint();
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadBigGarmentsFile)->Unit(benchmark::kMillisecond);

} // namespace
