// The Qt side of the link: bytes cross from the reader thread to the GUI
// thread one per call, stale ones are dropped, the run's timers are QTimers
// and its boxes come after the handler has returned.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <numeric>
#include <random>
#include <thread>

#include "QtApp.h"
#include "core/Workspace.h"
#include "knitting/KnitRun.h"
#include "knitting/PtyAdapter.h"
#include "knitting/RunFakes.h"
#include "knitting/SerialLink.h"
#include "knitting/ui/SerialBridge.h"

using namespace lc;
using namespace lc::test;
using lc::ui::RunTimerHost;
using lc::ui::SerialBridge;

namespace {

template <class Pred>
bool waitFor(Pred pred, int ms = 3000) {
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Reads n bytes from the adapter side while the GUI thread keeps handling events.
Bytes readPumping(PtyAdapter& pty, size_t n) {
    Bytes out;
    waitFor([&] {
        const Bytes more = pty.drain(0);
        out.insert(out.end(), more.begin(), more.end());
        return out.size() >= n;
    });
    return out;
}

uint32_t openOn(SerialLink& link, const PtyAdapter& pty, ISerialSink* sink, int32_t& slot) {
    return link.OpenPort(pty.path(), 9600, 8, 0, 0, kSerialSetAll, sink, kAdapterDataMessage, slot);
}

class SerialBridgeTest : public ::testing::Test {
protected:
    void SetUp() override { qtApp(); }
    void TearDown() override { link.CloseAll(); }
    SerialLink link;
    PtyAdapter pty;
    SerialBridge bridge{link};
};

} // namespace

TEST_F(SerialBridgeTest, BytesReachTheGuiThreadOnePerCallInArrivalOrder) {
    Bytes got;
    bool offThread = false;
    bridge.setHandler(kAdapterDataMessage, [&](uint8_t b) {
        got.push_back(b);
        offThread |= QThread::currentThread() != qtApp().thread();
    });
    int32_t slot = -1;
    ASSERT_EQ(openOn(link, pty, &bridge, slot), 0u);
    Bytes sent(256);
    std::iota(sent.begin(), sent.end(), 0);
    std::shuffle(sent.begin(), sent.end(), std::mt19937(99));
    for (size_t i = 0; i < sent.size(); i += 37) // several writes, several chunks
        ASSERT_TRUE(pty.send(Bytes(sent.begin() + i, sent.begin() + std::min(sent.size(), i + 37))));
    ASSERT_TRUE(waitFor([&] { return got.size() >= sent.size(); }));
    EXPECT_EQ(got, sent);
    EXPECT_FALSE(offThread);
}

TEST_F(SerialBridgeTest, BytesOfAPortClosedSinceTheyWereReadAreDropped) {
    int calls = 0;
    bridge.setHandler(kAdapterDataMessage, [&](uint8_t) { ++calls; });
    int32_t slot = -1;
    ASSERT_EQ(openOn(link, pty, &bridge, slot), 0u);
    ASSERT_TRUE(pty.send({1, 2, 3, 4}));
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // read and posted, not yet handled
    ASSERT_EQ(link.ClosePort(slot), 0u);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 0);
}

TEST_F(SerialBridgeTest, AByteWhoseHandlingClosesThePortDropsTheRestOfItsChunk) {
    int32_t slot = -1;
    int calls = 0;
    bridge.setHandler(kAdapterDataMessage, [&](uint8_t) {
        ++calls;
        link.ClosePort(slot); // returns at once: the reader never waits for us
    });
    ASSERT_EQ(openOn(link, pty, &bridge, slot), 0u);
    ASSERT_TRUE(pty.send({8, 8, 8, 8, 8, 8, 8, 8, 8, 8}));
    ASSERT_TRUE(waitFor([&] { return calls > 0; }));
    waitFor([] { return false; }, 100);
    EXPECT_EQ(calls, 1);
}

class RunHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtApp();
        ws.MachineList = MachineModels();
        ASSERT_TRUE(SelectCurrentMachine(ws.MachineList, 102, ws.CurrentMachine));
        ws.Raster.SetSize(200, 1024);
        ws.Settings.ViewProtocol = 1;
        ws.Settings.ACOMPort = pty.path();
        host.attach(&run);
        QObject::connect(&host, &RunTimerHost::messageBoxRequested,
                         [this](const QString& text, const QString&, bool) { boxes << text; });
        QObject::connect(&host, &RunTimerHost::protocolLine, [this](const QString& l) { lines << l; });
    }
    void TearDown() override {
        run.CloseOpenedComPort();
        host.attach(nullptr);
        link.CloseAll();
    }

    Workspace ws;
    SerialLink link;
    PtyAdapter pty;
    SerialBridge bridge{link};
    RunTimerHost host{bridge};
    FakeTechnique tech;
    FakeCams cams;
    KnitRun run{host, tech, cams, link, ws};
    QStringList boxes;
    QStringList lines;
};

TEST_F(RunHostTest, StartDelayWatchdogAndAdapterBytesRunThroughQtTimersAndTheBridge) {
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(host.startDelayTimer().isActive());
    EXPECT_EQ(host.startDelayTimer().interval(), kStartDelayMs);
    EXPECT_TRUE(host.startDelayTimer().isSingleShot());
    EXPECT_FALSE(host.watchdogTimer().isActive());

    host.startDelayTimer().start(1); // let the two seconds pass at once
    ASSERT_TRUE(waitFor([&] { return run.Running(); }));
    ASSERT_EQ(pty.read(4), (Bytes{0x07, 0xF8, 0x00, 0xFF}));
    EXPECT_TRUE(host.watchdogTimer().isActive());
    EXPECT_EQ(host.watchdogTimer().interval(), kWatchdogFirstMs);

    ASSERT_TRUE(pty.send({0x08, 0x05, 0x00, 0x00, 0x31, 0x94, 0x00, 0xF7}));
    const Bytes reply = readPumping(pty, 38);
    ASSERT_EQ(reply.size(), 38u);
    EXPECT_EQ(reply[0], 0x01);
    EXPECT_EQ(Bytes(reply.begin() + 34, reply.end()), (Bytes{0x02, 0x00, 0xC7, 0xFD}));
    EXPECT_EQ(host.watchdogTimer().interval(), kWatchdogGapMs);
    EXPECT_TRUE(lines.contains("AD--> 08 05 00 00 31 94 00 F7"));

    host.watchdogTimer().start(1); // the adapter falls silent
    ASSERT_TRUE(waitFor([&] { return !boxes.isEmpty(); }));
    EXPECT_EQ(boxes.front(), QStringLiteral("Error code 2048\n\rTHERE IS NO CONNECTION WITH THE ADAPTER!\n\r"));
    EXPECT_FALSE(run.LinkUp());
    EXPECT_FALSE(host.watchdogTimer().isActive());
    EXPECT_TRUE(pty.sawHangUp());
}

TEST_F(RunHostTest, TheErrorBoxComesOnlyAfterTheByteHandlerHasReturned) {
    ws.Settings.ProtocolType = 1;
    ASSERT_TRUE(run.Start());
    const Bytes err = {0x08, 0x80, 0x20, 0x00, 0x31, 0x94, 0x00, 0xF7};
    run.ComDataReceived(err.data(), err.size());
    EXPECT_FALSE(run.LinkUp());
    EXPECT_TRUE(boxes.isEmpty());
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.front().startsWith("Error code 32\n\rADAPTER'S MALFUNCTION!"));
}

TEST_F(RunHostTest, EmulatorTicksFeedTheStreamAndStopEndsThem) {
    ws.Settings.SoftEmulator = 1;
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(host.emulatorTimer().isActive());
    EXPECT_EQ(host.emulatorTimer().interval(), kEmulatorTickMs);
    host.startDelayTimer().start(1);
    ASSERT_TRUE(waitFor([&] { return run.Running(); }));
    host.emulatorTimer().start(1);
    ASSERT_TRUE(waitFor([&] { return lines.filter("AD--> ").size() >= 2; }));
    EXPECT_TRUE(lines.contains("AD-Info-> 0C 01 02 03 04 05 06 07 08 F3"));
    run.Stop();
    EXPECT_FALSE(host.emulatorTimer().isActive());
    EXPECT_FALSE(host.watchdogTimer().isActive());
    const uint16_t at = run.EmulatorIndex();
    waitFor([] { return false; }, 30);
    EXPECT_EQ(run.EmulatorIndex(), at);
}

TEST_F(RunHostTest, NoTimerOfTheRunFiresBeforeItsTime) {
    // Measured from just before each timer is armed to its expiry: the start
    // wait, the watchdog and the emulator's ticks are never early.
    using Clock = std::chrono::steady_clock;
    struct Watch {
        QTimer* timer;
        int ms;
        Clock::time_point armed;
        std::vector<long long> early; // how many microseconds each early expiry came too soon
        int expiries = 0;
    };
    Watch watches[] = {{&host.startDelayTimer(), 230, {}, {}, 0},
                       {&host.watchdogTimer(), 170, {}, {}, 0},
                       {&host.emulatorTimer(), kEmulatorTickMs, {}, {}, 0}};
    for (Watch& w : watches) {
        QObject::connect(w.timer, &QTimer::timeout, [&w] {
            const auto now = Clock::now();
            const auto due = w.armed + std::chrono::milliseconds(w.ms) * (w.timer->isSingleShot() ? 1 : w.expiries + 1);
            if (now < due) w.early.push_back(std::chrono::duration_cast<std::chrono::microseconds>(due - now).count());
            ++w.expiries;
        });
    }
    host.attach(nullptr); // the timers alone; no run reacts to them
    watches[2].armed = Clock::now();
    host.startEmulator();
    for (int round = 0; round < 8; ++round) {
        watches[0].armed = Clock::now();
        host.armStartDelay(watches[0].ms);
        watches[1].armed = Clock::now();
        host.armWatchdog(watches[1].ms);
        const int before0 = watches[0].expiries, before1 = watches[1].expiries;
        ASSERT_TRUE(waitFor([&] { return watches[0].expiries > before0 && watches[1].expiries > before1; }));
    }
    host.stopEmulator();
    for (const Watch& w : watches) {
        EXPECT_GT(w.expiries, 0);
        EXPECT_TRUE(w.early.empty()) << w.ms << " ms timer fired early " << w.early.size() << " times, up to "
                                     << *std::max_element(w.early.begin(), w.early.end()) << " us";
    }
}
