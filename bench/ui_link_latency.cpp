// From the last byte of a "next pass" status on the adapter's line to the
// 34-byte pass packet written back, with the Link page shown and redrawing
// every knitted pass (offscreen). Target: median <= 1 ms, 99th percentile
// <= 5 ms. One byte on the wire takes 1.04 ms: the program must never be what
// the knitter waits for.
//
// The adapter is a pseudo-terminal; each status also reports a knitted pass
// (0x11), so the row counter moves and every display of the page is redrawn
// between requests, as in a real run.
#include "BenchQtApp.h"
#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <vector>

#include <poll.h>
#include <sys/ioctl.h>

#include "knitting/PtyAdapter.h" // tests/knitting: the pseudo-terminal adapter
#include "core/Workspace.h"
#include "knitting/ui/LinkPage.h"

using namespace lc;
using Clock = std::chrono::steady_clock;

namespace {

QApplication& app() { return lc::bench::qtApp(); }

// The machine 102 and a 200 x 1024 pattern of five colours in stripes.
void makePattern(Workspace& ws) {
    ws.MachineList = MachineModels();
    SelectCurrentMachine(ws.MachineList, 102, ws.CurrentMachine);
    PatternRaster& g = ws.Raster;
    g.SetSize(200, 1024);
    const Palette256& pal = P256();
    for (int c = 0; c < 16; ++c) g.Colors[static_cast<size_t>(c)] = pal[static_cast<size_t>(c)];
    for (int row = 0; row < 1024; ++row) {
        uint8_t* line = g.Picture.line(g.LineOfRow(row));
        for (int x = 0; x < 200; ++x) line[x] = ((x + row) % 9 < 4) ? static_cast<uint8_t>(1 + row % 5) : 0;
    }
    g.Picture.touch();
}

int pending(int fd) {
    int n = 0;
    return ioctl(fd, FIONREAD, &n) == 0 ? n : 0;
}

void BM_NextPassToPacket(benchmark::State& state) {
    const bool paced = state.range(0) != 0;
    app();
    Workspace ws;
    makePattern(ws);
    test::PtyAdapter pty;
    if (!pty.ok()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    ws.Settings.ACOMPort = pty.path();
    ws.Settings.SoftEmulator = 0;
    ws.Settings.ProtocolType = 1; // no start wait: the bench measures the run, not the start
    ws.Settings.ViewProtocol = 1; // the log grows too
    ui::LinkPage page(ws);
    page.setMessageBoxPresenter([](const QString&, const QString&, bool) {});
    page.resize(1000, 680);
    page.show();
    page.OnShowForm();
    QCoreApplication::processEvents();

    const test::Bytes status = {0x08, 0x11, 0x00, 0x00, 0x31, 0x94, 0x00, 0xF7};
    std::vector<double> ms;
    uint8_t reply[64];
    for (auto _ : state) {
        // Before the end of the pattern the run starts over: the last pass's
        // packet may be purged with the port when the run ends.
        if (!page.controller().Run().Running() || page.controller().RowCounter() >= 1000) {
            state.PauseTiming();
            page.controller().Stop();
            page.controller().ZeroRowCounter();
            page.controller().Start();
            QCoreApplication::processEvents();
            pty.drain(5);
            state.ResumeTiming();
        }
        if (paced) {
            // The status's first seven bytes take seven milliseconds on the
            // wire; meanwhile the page paints what the previous report changed.
            pty.send(test::Bytes(status.begin(), status.end() - 1));
            state.PauseTiming();
            const auto wire = Clock::now() + std::chrono::microseconds(7300);
            while (Clock::now() < wire) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            state.ResumeTiming();
            pty.send(test::Bytes(status.end() - 1, status.end()));
        } else {
            // All eight bytes at once, right after the previous reply: the
            // previous report's repaint is still pending (worse than any wire).
            pty.send(status);
        }
        const auto sent = Clock::now();
        const auto deadline = sent + std::chrono::seconds(2);
        while (pending(pty.master()) < 34 && Clock::now() < deadline) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            pollfd pf{pty.master(), POLLIN, 0};
            poll(&pf, 1, 0);
        }
        const auto got = Clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(got - sent).count());
        benchmark::DoNotOptimize(read(pty.master(), reply, sizeof reply));
    }
    page.CloseOpenedComPort();
    std::sort(ms.begin(), ms.end());
    if (!ms.empty()) {
        state.counters["median_ms"] = ms[ms.size() / 2];
        state.counters["p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
        state.counters["max_ms"] = ms.back();
    }
}
// Arg 1: the status paced like the wire (the target); arg 0: back to back.
BENCHMARK(BM_NextPassToPacket)->Arg(1)->Arg(0)->Iterations(3000)->Unit(benchmark::kMillisecond);

// What one knitted pass costs the page to show: DrawLine and the repaint of
// every display it touches, done at once here (in a run it follows the reply).
void BM_RedrawAfterPass(benchmark::State& state) {
    app();
    Workspace ws;
    makePattern(ws);
    ui::LinkPage page(ws);
    page.resize(1000, 680);
    page.show();
    page.OnShowForm();
    QCoreApplication::processEvents();
    int row = 0;
    for (auto _ : state) {
        page.controller().StepRowCounter(row = (row + 1) % 1000);
        page.applyRefresh();
        page.repaint();
    }
}
BENCHMARK(BM_RedrawAfterPass)->Unit(benchmark::kMillisecond);

} // namespace
