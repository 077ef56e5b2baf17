// From the last byte of a "next pass" status written by the adapter to the
// 34-byte pass packet read back by it, through a pseudo-terminal, the serial
// link's reader thread, a queued hand-over to a "GUI" thread and the run.
// Target: median <= 1 ms, 99th percentile <= 5 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "../tests/knitting/PtyAdapter.h"
#include "../tests/knitting/RunFakes.h"
#include "core/Workspace.h"
#include "knitting/KnitRun.h"
#include "knitting/SerialLink.h"

using namespace lc;
using namespace lc::test;

static void BM_StatusToPassPacket(benchmark::State& state) {
    Workspace ws;
    SerialLink serial;
    ws.MachineList = MachineModels();
    SelectCurrentMachine(ws.MachineList, 102, ws.CurrentMachine);
    ws.Raster.SetSize(200, 1024);
    ws.Settings.ProtocolType = 1; // no start wait
    PtyAdapter pty;
    if (!pty.ok()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    ws.Settings.ACOMPort = pty.path();
    QueueSink sink(serial);
    FakeHost host;
    host.sink = &sink;
    FakeTechnique tech;
    tech.columns = [](uint32_t pass) {
        std::vector<int> c;
        for (int i = static_cast<int>(pass % 7); i < 200; i += 7) c.push_back(i);
        return c;
    };
    FakeCams cams;
    KnitRun run(host, tech, cams, serial, ws);
    if (!run.Start()) {
        state.SkipWithError("run did not start");
        return;
    }

    // The GUI thread: replays the reader's chunks one byte per call.
    std::atomic<bool> stop{false};
    std::thread gui([&] {
        while (!stop.load())
            sink.pumpUntil(
                SIZE_MAX, [&](uint8_t b) { run.ComDataReceived(&b, 1); }, 50, [&] { return stop.load(); });
    });

    const Bytes request = {0x08, 0x01, 0x00, 0x00, 0x00, 0xC7, 0x00, 0xF7};
    std::vector<double> samples;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        pty.send(request);
        const Bytes reply = pty.read(34);
        const auto t1 = std::chrono::steady_clock::now();
        if (reply.size() != 34) {
            state.SkipWithError("no pass packet");
            break;
        }
        const double s = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(s);
        samples.push_back(s * 1e6);
    }
    stop = true;
    gui.join();
    run.CloseOpenedComPort();
    serial.CloseAll();

    if (!samples.empty()) {
        std::sort(samples.begin(), samples.end());
        auto pct = [&](double p) { return samples[static_cast<size_t>(p * (samples.size() - 1))]; };
        state.counters["p50_us"] = pct(0.50);
        state.counters["p99_us"] = pct(0.99);
        state.counters["max_us"] = samples.back();
    }
}
BENCHMARK(BM_StatusToPassPacket)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);
