// Printing and the text preview. Targets: a 250 x 1024 pattern printed to a
// PDF file (every page) in <= 1 s; one text preview update, as each tick of a
// held arrow button makes, in <= 8 ms.
#include "BenchQtApp.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "core/Workspace.h"
#include "editor/CanvasModel.h"
#include "editor/ToolEngine.h"
#include "editor/ui/PatternPagePrinter.h"
#include "editor/ui/PrintDialog.h"
#include "editor/ui/TextToolDialog.h"

using namespace lc;

namespace {

QApplication& app() { return lc::bench::qtApp(); }

void pattern(Workspace& ws) {
    ws.Raster.SetSize(250, 1024);
    for (size_t i = 0; i < 16; ++i) ws.Raster.Colors[i] = P256()[i];
    ws.Raster.Colors[16] = RGB(250, 250, 250);
    ws.Raster.UpdatePalette(0);
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 250; ++x) ws.Raster.Picture.line(y)[x] = static_cast<uint8_t>((x / 7 + y / 5) % 16);
}

void PrintPatternToPdf(benchmark::State& state) {
    app();
    Workspace ws;
    pattern(ws);
    QTemporaryDir dir;
    ui::PatternPagePrinter page(ws.Raster, {}, false);
    ui::PrintDialog d({}, [&](QPainter& p, const ui::PageRequest& q) { page.render(p, q); });
    d.printers()->setCurrentIndex(d.pdfEntry());
    d.setPdfFileChooser([&] { return dir.filePath(QStringLiteral("bench.pdf")); });
    for (auto _ : state) benchmark::DoNotOptimize(d.print());
}
BENCHMARK(PrintPatternToPdf)->Unit(benchmark::kMillisecond);

void TextPreviewStep(benchmark::State& state) {
    app();
    Workspace ws;
    pattern(ws);
    CanvasModel model(ws.Raster, ws.Editor);
    ToolEngine engine(model);
    ui::TextToolDialog d(ws, engine);
    d.setFontPicker([](const QFont&) -> std::optional<QFont> {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(16);
        return f;
    });
    d.chooseFont();
    d.arcMode()->setChecked(state.range(0) == 1);
    d.textEdit()->setText(QStringLiteral("Loopcrafter knits"));
    d.tryText();
    int tag = 6;
    for (auto _ : state) {
        d.arrowStep(tag);
        tag = tag == 6 ? 4 : 6;
    }
}
BENCHMARK(TextPreviewStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
