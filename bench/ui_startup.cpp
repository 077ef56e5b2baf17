// Start-up to the first painted main window with a 250 x 1024 autosave
// restored, side by side with an empty Qt window of the same size shown and
// painted. Target: the main window takes at most 1.5 times the empty window.
// Also: writing the autosave at close, target <= 20 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>

#include "core/Workspace.h"
#include "shell/Autosave.h"
#include "shell/ui/MainWindow.h"

using namespace lc;

namespace {

QApplication& app() {
    static int argc = 1;
    static char arg0[] = "bench";
    static char* argv[] = {arg0, nullptr};
    static QTemporaryDir home;
    static QApplication* a = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
        auto* q = new QApplication(argc, argv);
        // The shipped data lies in the build tree's program folder.
        if (qEnvironmentVariableIsEmpty("LC_PROGRAM_DIR"))
            qputenv("LC_PROGRAM_DIR",
                    QDir(QCoreApplication::applicationDirPath() + "/../bin").absolutePath().toLocal8Bit() + "/");
        return q;
    }();
    return *a;
}

// Shows the window and waits for its first paint to be done.
void showAndPaint(QWidget& w) {
    w.resize(1280, 900);
    w.show();
    QImage target(w.size(), QImage::Format_ARGB32_Premultiplied);
    w.render(&target);
    QCoreApplication::processEvents();
}

// A 250-wide autosave with a full drawing, where the main window looks for it.
QString writeWideAutosave() {
    Workspace ws;
    ui::MainWindow probe(ws);
    const QString file = probe.autosaveFile();
    PatternRaster r;
    r.SetSize(250, kPatternRows);
    r.FillMask();
    for (int y = 0; y < r.Height; ++y)
        for (int x = 0; x < r.Width; ++x) r.Picture.line(y)[x] = static_cast<uint8_t>((x / 4 + y / 3) % 16);
    AppState s;
    s.RightCam = 250;
    probe.close();
    WriteAutosave(file.toStdString(), r, {}, s);
    return file;
}

void BM_EmptyWindowShown(benchmark::State& state) {
    app();
    for (auto _ : state) {
        QWidget w;
        showAndPaint(w);
    }
}
BENCHMARK(BM_EmptyWindowShown)->Unit(benchmark::kMillisecond);

void BM_MainWindowShownWithAutosave(benchmark::State& state) {
    app();
    const QString file = writeWideAutosave();
    for (auto _ : state) {
        state.PauseTiming();
        // Each window writes its own autosave at close: the wide one comes back.
        QFile::remove(file);
        writeWideAutosave();
        state.ResumeTiming();
        Workspace ws;
        ui::MainWindow w(ws);
        ws.Settings.AutoRestore = 1;
        ws.Settings.NeedleBed = 250;
        showAndPaint(w);
        state.PauseTiming();
        w.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowShownWithAutosave)->Unit(benchmark::kMillisecond);

void BM_AutosaveWrite(benchmark::State& state) {
    QTemporaryDir dir;
    PatternRaster r;
    r.SetSize(250, kPatternRows);
    r.FillMask();
    const std::string file = AutosavePath(dir.path().toStdString());
    for (auto _ : state) WriteAutosave(file, r, {}, AppState());
}
BENCHMARK(BM_AutosaveWrite)->Unit(benchmark::kMillisecond);

} // namespace
