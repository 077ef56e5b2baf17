// The knitting run end to end: the real serial link on a pseudo-terminal, a
// scripted adapter on the master side, a fake technique, timers ticked by hand.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "core/Workspace.h"
#include "knitting/KnitRun.h"
#include "knitting/PtyAdapter.h"
#include "knitting/RunFakes.h"
#include "knitting/SerialLink.h"

using namespace lc;
using namespace lc::test;

namespace {

const Bytes kStart = {0x07, 0xF8, 0x00, 0xFF};

// A pass packet selecting the given needles (wire numbering).
Bytes passPacket(std::initializer_list<int> needles) {
    Bytes p(34, 0);
    p[0] = 0x01;
    p[33] = 0xFE;
    for (int n : needles) p[1 + n / 8] |= static_cast<uint8_t>(0x80 >> (n % 8));
    return p;
}

Bytes status(uint8_t st, uint8_t err = 0, uint8_t left = 0x31, uint8_t right = 0x94) {
    return {0x08, st, err, 0x00, left, right, 0x00, 0xF7};
}

class KnitRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ws.MachineList = MachineModels();
        ASSERT_TRUE(SelectCurrentMachine(ws.MachineList, 102, ws.CurrentMachine));
        ws.Raster.SetSize(200, 1024);
        ws.Settings.ViewProtocol = 1;
        ASSERT_TRUE(pty->ok());
        ws.Settings.ACOMPort = pty->path();
        host.sink = &sink;
        run = std::make_unique<KnitRun>(host, tech, cams, serial, ws, &sounds);
    }
    void TearDown() override {
        run.reset();
        serial.CloseAll();
    }

    // The "GUI thread": hands each byte of the port to the run, one per call.
    void handle(uint8_t b) { run->ComDataReceived(&b, 1); }

    // Start, let the start delay pass, and read the start packet.
    void start() {
        ASSERT_TRUE(run->Start());
        ASSERT_EQ(host.startDelayMs, kStartDelayMs);
        EXPECT_TRUE(pty->drain(20).empty()) << "nothing before the delay";
        run->onStartDelayElapsed();
        ASSERT_EQ(pty->read(4), kStart);
        ASSERT_TRUE(run->Running());
    }

    // The adapter sends; the test waits until the port has delivered it all.
    void adapter(const Bytes& bytes) {
        const size_t target = sink.received() + bytes.size();
        const bool wasUp = run->LinkUp();
        ASSERT_TRUE(pty->send(bytes) || !run->LinkUp());
        // Once the run has closed the port the rest never arrives.
        sink.pumpUntil(
            target, [this](uint8_t b) { handle(b); }, 3000, [this, wasUp] { return wasUp && !run->LinkUp(); });
    }

    void expectBox(const std::string& text, const std::string& caption, RunBoxIcon icon) {
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, text);
        EXPECT_EQ(host.boxes[0].caption, caption);
        EXPECT_EQ(host.boxes[0].icon, icon);
    }

    Workspace ws;
    SerialLink serial;
    std::unique_ptr<PtyAdapter> pty = std::make_unique<PtyAdapter>();
    QueueSink sink{serial};
    FakeHost host;
    FakeTechnique tech;
    FakeCams cams;
    SoundRecorder sounds;
    std::unique_ptr<KnitRun> run;
};

} // namespace

// ---- Start sequence -------------------------------------------------------

TEST_F(KnitRunTest, StartWaitsThenSendsTheStartPacketAndArmsTheFirstWatchdog) {
    ASSERT_TRUE(run->Start());
    EXPECT_EQ(run->state(), KnitRun::State::Starting);
    EXPECT_TRUE(host.link);
    EXPECT_EQ(host.watchdogMs, -1);
    EXPECT_FALSE(run->Start()) << "Start is disabled during the delay";
    EXPECT_TRUE(pty->drain(30).empty());
    run->onStartDelayElapsed();
    EXPECT_EQ(pty->read(4), kStart);
    EXPECT_EQ(host.lines, std::vector<std::string>{"PC --> STANDARD PAKET, START"});
    EXPECT_EQ(host.watchdogMs, kWatchdogFirstMs);
    EXPECT_TRUE(run->Running());
    EXPECT_EQ(tech.prepared, std::vector<int>{0});
}

TEST_F(KnitRunTest, ProtocolTypeOneNeitherWaitsNorSendsTheStartPacket) {
    ws.Settings.ProtocolType = 1;
    ASSERT_TRUE(run->Start());
    EXPECT_EQ(host.startDelayMs, -1);
    EXPECT_TRUE(run->Running());
    EXPECT_EQ(host.watchdogMs, kWatchdogFirstMs);
    EXPECT_TRUE(pty->drain(50).empty());
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(KnitRunTest, BytesArrivingDuringTheDelayAreHandedOverAfterItInOrder) {
    tech.columns = [](uint32_t) { return std::vector<int>{}; };
    ASSERT_TRUE(run->Start());
    adapter(cat({{0x00}, status(0x05)}));
    EXPECT_EQ(run->HeldBytes(), 9u);
    EXPECT_TRUE(pty->drain(30).empty());
    run->onStartDelayElapsed();
    EXPECT_EQ(pty->read(4), kStart);
    EXPECT_EQ(pty->read(34), passPacket({0, 199}));
    EXPECT_EQ(pty->read(4), (Bytes{0x02, 0x00, 0xC7, 0xFD}));
    EXPECT_EQ(host.watchdogMs, kWatchdogGapMs);
}

TEST_F(KnitRunTest, StopDuringTheDelayCancelsTheStartAndANewStartWorks) {
    ASSERT_TRUE(run->Start());
    adapter({0x08, 0x01});
    run->Stop();
    EXPECT_EQ(run->state(), KnitRun::State::Idle);
    EXPECT_EQ(host.startDelayMs, -1);
    EXPECT_FALSE(host.link);
    EXPECT_TRUE(pty->sawHangUp());
    run->onStartDelayElapsed(); // a timer that fired anyway changes nothing
    EXPECT_EQ(run->state(), KnitRun::State::Idle);
    EXPECT_EQ(serial.OpenCount(), 0);

    // The device is still there: a new Start opens it again.
    start();
    adapter(status(0x04));
    EXPECT_EQ(pty->read(4), (Bytes{0x02, 0x00, 0xC7, 0xFD}));
}

TEST_F(KnitRunTest, StartWithTheLinkUpRestartsItAndEmptiesTheLog) {
    start();
    adapter(status(0x00));
    EXPECT_EQ(host.countPrefix("AD-->"), 1);
    const uint64_t before = serial.SlotGeneration(run->PortSlot());
    ASSERT_TRUE(run->Start());
    EXPECT_TRUE(host.lines.empty());
    EXPECT_GE(host.cleared, 2);
    EXPECT_EQ(serial.OpenCount(), 1);
    EXPECT_NE(serial.SlotGeneration(run->PortSlot()), before) << "closed and opened again";
    run->onStartDelayElapsed();
    EXPECT_EQ(pty->read(4), kStart);
}

TEST_F(KnitRunTest, APortThatCannotBeOpenedShowsThePortBoxAndStaysIdle) {
    ws.Settings.ACOMPort = "/dev/does-not-exist";
    EXPECT_FALSE(run->Start());
    expectBox("Selected communication port can not be open. Check your settings in the \"Edit Preferences\"",
              "Communication port error", RunBoxIcon::Error);
    EXPECT_EQ(run->state(), KnitRun::State::Idle);
    EXPECT_FALSE(host.link);
    EXPECT_EQ(host.linkChanges, 0);
}

TEST_F(KnitRunTest, TheDrawingIsCheckedBeforeAnythingIsKnit) {
    tech.checks[5] = kRowTooManyColors;
    tech.checks[7] = kRowTooManyColors;
    tech.checks[2] = 1024; // a technique rule: not a reason to refuse
    EXPECT_FALSE(run->Start());
    expectBox("Row 5 has more colors than you can use for this technique.", "ERROR!", RunBoxIcon::Warning);
    EXPECT_EQ(serial.OpenCount(), 0);
    EXPECT_FALSE(host.link);

    tech.checks.erase(5);
    tech.checks.erase(7);
    host.boxes.clear();
    start();
    EXPECT_TRUE(host.boxes.empty());
}

// ---- Passes and point cams -------------------------------------------------

struct PassCase {
    const char* name;
    bool trim;
    bool wrongSide;
    Bytes expected;
};

TEST_F(KnitRunTest, FairIsleTwoColourRowGoesOutAsWorkedByHand) {
    // Row 0: columns 0..3 and 196 in the top colour.
    tech.columns = [](uint32_t) { return std::vector<int>{0, 1, 2, 3, 196}; };
    const PassCase cases[] = {
        {"right side, trim", true, false, cat({{0x01, 0x90}, repeat(0, 23), {0x0F}, repeat(0, 7), {0xFE}})},
        {"right side, no trim", false, false, cat({{0x01, 0x10}, repeat(0, 23), {0x0F}, repeat(0, 7), {0xFE}})},
        {"wrong side, trim", true, true, cat({{0x01, 0xF0}, repeat(0, 23), {0x09}, repeat(0, 7), {0xFE}})},
    };
    for (const PassCase& c : cases) {
        SCOPED_TRACE(c.name);
        run->SetTrimEdges(c.trim);
        run->SetWrongSide(c.wrongSide);
        run->SetRowCounter(0);
        start();
        adapter({0x08, 0x01, 0x00, 0x00, 0x00, 0xC7, 0x00, 0xF7});
        EXPECT_EQ(pty->read(34), c.expected);
        EXPECT_EQ(run->PassCounter(), 1u);
        EXPECT_EQ(host.countPrefix("PC-->"), 1);
        run->Stop();
    }
    EXPECT_EQ(sounds.sounds, std::vector<EventSound>(3, EventSound::PassSent));
}

TEST_F(KnitRunTest, PassGoesBeforeTheOldCamsAndTheKnitReportMovesThemAfter) {
    start();
    adapter(status(0x15));
    EXPECT_EQ(pty->read(34).size(), 34u);
    EXPECT_EQ(pty->read(4), (Bytes{0x02, 0x00, 0xC7, 0xFD}));
    EXPECT_EQ(run->RowCounter(), 1);
    EXPECT_EQ(run->DesignRow(), 1);
    EXPECT_EQ(cams.ls, 49);
    EXPECT_EQ(cams.rs, 149);
    adapter(status(0x04));
    EXPECT_EQ(pty->read(4), (Bytes{0x02, 0x31, 0x94, 0xFD}));
    cams.ls = 20;
    cams.rs = 181;
    adapter(status(0x04));
    EXPECT_EQ(pty->read(4), (Bytes{0x02, 0x14, 0xB4, 0xFD}));
    // The user drops the left cam at needle 30 while knitting.
    cams.ls = 30;
    cams.rs = 200;
    run->SendCamPacket();
    EXPECT_EQ(pty->read(4), (Bytes{0x02, 0x1E, 0xC7, 0xFD}));
    EXPECT_EQ(host.lines.back(), "PC--> 02 1E C7 FD");
    run->Stop();
    run->SendCamPacket(); // idle: nothing
    EXPECT_TRUE(pty->drain(20).empty());
    EXPECT_EQ(host.lines.back(), "PC--> 02 1E C7 FD");
}

TEST_F(KnitRunTest, TwoColourJacquardSendsFourPassesOverTwoRows) {
    tech.kind = tkJacquard2C;
    tech.passesPerRow = 2;
    tech.startSide = 1;
    tech.edgeMode = 0;
    tech.columns = [](uint32_t pass) {
        std::vector<int> c;
        const bool low = pass == 0 || pass == 2;
        for (int i = 0; i < 100; ++i) c.push_back(low ? i : 100 + i);
        return c;
    };
    start();
    EXPECT_EQ(run->CarriageSide(), 1);
    const Bytes high = cat({{0x01}, repeat(0, 12), {0x0F}, repeat(0xFF, 12), repeat(0, 7), {0xFE}});
    const Bytes low = cat({{0x01}, repeat(0xFF, 12), {0xF0}, repeat(0, 19), {0xFE}});
    for (int pass = 0; pass < 4; ++pass) {
        adapter(status(0x01));
        EXPECT_EQ(pty->read(34), pass % 2 == 0 ? high : low) << "pass " << pass;
    }
    for (int pass = 0; pass < 4; ++pass) adapter(status(0x10));
    EXPECT_EQ(run->RowCounter(), 4);
    EXPECT_EQ(run->DesignRow(), 2);
    EXPECT_EQ(tech.requested, (std::vector<uint32_t>{0, 1, 2, 3}));
}

TEST_F(KnitRunTest, EdgeNeedlesLandOnTheCamsOnEitherSide) {
    // A row with no stitch selected: only the forced edge needles go out.
    cams.ls = 20;
    cams.rs = 181;
    const Bytes camsOnly = cat({{0x01, 0x00, 0x00, 0x08}, repeat(0, 19), {0x08}, repeat(0, 9), {0xFE}});
    for (bool wrong : {false, true}) {
        SCOPED_TRACE(wrong ? "wrong side" : "right side");
        run->SetWrongSide(wrong);
        start();
        adapter(status(0x01));
        EXPECT_EQ(pty->read(34), camsOnly);
        run->Stop();
    }
    // Two needles at each end, set, with the cams at the bed's ends.
    tech.edgeMode = 2;
    cams.ls = 0;
    cams.rs = 200;
    run->SetWrongSide(false);
    start();
    adapter(status(0x01));
    EXPECT_EQ(pty->read(34), passPacket({0, 1, 198, 199}));
    run->Stop();
    // Two needles cleared (fine-lace style) take them out of a full row.
    tech.edgeValue = 0;
    tech.columns = [](uint32_t) {
        std::vector<int> c;
        for (int i = 0; i < 200; ++i) c.push_back(i);
        return c;
    };
    cams.ls = 10;
    cams.rs = 190;
    start();
    adapter(status(0x01));
    Bytes all = passPacket({});
    for (int n = 0; n < 200; ++n)
        if (n != 10 && n != 11 && n != 188 && n != 189) all[1 + n / 8] |= static_cast<uint8_t>(0x80 >> (n % 8));
    EXPECT_EQ(pty->read(34), all);
}

TEST_F(KnitRunTest, CamsBeyondANarrowPatternNeverPutANeedleOutsideIt) {
    ws.Raster.SetSize(150, 1024); // a 150-wide pattern on the 200-needle machine
    tech.edgeMode = 2;
    tech.columns = [](uint32_t) { return std::vector<int>{-3, 150, 151, 300, 5}; };
    cams.ls = 0;
    cams.rs = 260; // set on the bed past the pattern
    start();
    adapter(status(0x01));
    // Edge needles at the pattern's ends; column 5 is needle 144; nothing past 149.
    EXPECT_EQ(pty->read(34), passPacket({0, 1, 144, 148, 149}));
    cams.ls = 140;
    cams.rs = 145; // lopsided the other way
    run->SetWrongSide(true);
    adapter(status(0x01));
    EXPECT_EQ(pty->read(34), passPacket({5, 140, 141, 143, 144}));
}

TEST_F(KnitRunTest, GarmentEdgesOfTheRowBelowNarrowTheTrimAndAnEmptyRowLeavesItToTheCams) {
    ws.Editor.GarmentMode = true;
    ws.Raster.ClearMask();
    uint8_t* line0 = ws.Raster.Mask.line(0); // design row 0: columns 30..159 inside
    for (int c = 30; c <= 159; ++c) line0[c] = kMaskInside;
    // Row 1 of the mask stays without inside cells.
    run->SetDesignRow(1);
    start();
    adapter(status(0x01));
    EXPECT_EQ(pty->read(34), passPacket({40, 169})); // columns 30 and 159 mirrored
    run->Stop();
    run->SetWrongSide(true);
    start();
    adapter(status(0x01));
    EXPECT_EQ(pty->read(34), passPacket({30, 159}));
    run->Stop();
    run->SetDesignRow(2); // the row below has no inside cells
    start();
    adapter(status(0x01));
    EXPECT_EQ(pty->read(34), passPacket({0, 199}));
}

// ---- Errors, end of work, watchdog -------------------------------------------

TEST_F(KnitRunTest, AdapterErrorStopsTheRunWithTheTextsOfItsBits) {
    start();
    adapter({0x08, 0x80, 0x24, 0x00, 0x31, 0x94, 0x00, 0xF7});
    EXPECT_TRUE(pty->sawHangUp());
    const std::string text = std::string("Error code 36\x0A\x0D") +
                             "ADAPTER'S MALFUNCTION!\n\r Ask for technical support!\n\r" +
                             "Carriage is not connected to adapter or there is faulty contact in the jack.";
    expectBox(text, "ERROR!", RunBoxIcon::Error);
    EXPECT_EQ(host.lines.back(), "ERROR-->" + text);
    EXPECT_FALSE(host.link);
    EXPECT_EQ(host.watchdogMs, -1);
    EXPECT_EQ(host.countPrefix("PC-->"), 0);
}

TEST_F(KnitRunTest, TransmissionErrorBitsRepeatTheirTextInTableOrder) {
    start();
    adapter({0x08, 0x81, 0xD3, 0x00, 0x31, 0x94, 0x00, 0xF7});
    const std::string t11 = "TRANSMISSION ERROR!\n\r Reknitt the last row!\n\r";
    const std::string t13 = "TRANSMISSION ERROR!\n\r  Reknitt the last row!\n\r";
    expectBox("Error code 211\x0A\x0D" + t11 + t11 + t13 + "WRONG CARRIAGE MOVING!\n\r Reknitt the last row!\n\r" +
                  "WRONG CARRIAGE POSITION!\n\r Carriage must be out of the knitting area.\n\r",
              "ERROR!", RunBoxIcon::Error);
    EXPECT_EQ(host.countPrefix("PC-->"), 0) << "nothing else of the status is handled";
}

TEST_F(KnitRunTest, CamsOutOfOrderOrPastTheNeedlesAreErrorOne) {
    const std::string text =
        "Error code 1\x0A\x0DWRONG CARRIAGE POSITION!\n\r Carriage must be out of the knitting area.\n\r";
    struct Case {
        const char* name;
        int width;
        uint8_t left, right;
    } cases[] = {
        {"right below left", 200, 148, 49},
        {"right equal to left", 200, 49, 49},
        {"needle 200 on a 200-needle machine", 200, 49, 200},
        {"needle 255", 200, 0, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ws.Raster.SetSize(c.width, 1024);
        host.boxes.clear();
        sounds.sounds.clear();
        cams.ls = 0;
        cams.rs = c.width;
        run->SetRowCounter(3);
        start();
        adapter({0x08, 0x12, 0x00, 0x00, c.left, c.right, 0x00, 0xF7});
        expectBox(text, "ERROR!", RunBoxIcon::Error);
        EXPECT_EQ(sounds.sounds, std::vector<EventSound>{EventSound::WorkDoneOrCamError});
        EXPECT_EQ(run->RowCounter(), 3);
        EXPECT_EQ(cams.ls, 0);
        EXPECT_EQ(cams.rs, c.width);
        EXPECT_EQ(run->CarriageSide(), 0) << "the side bits still apply";
        EXPECT_TRUE(pty->sawHangUp());
    }
    // On a pattern narrower than the machine, a cam past the pattern but on
    // the machine is accepted (the needle indices derived from it are kept
    // within the pattern).
    ws.Raster.SetSize(150, 1024);
    host.boxes.clear();
    start();
    adapter({0x08, 0x10, 0x00, 0x00, 10, 180, 0x00, 0xF7});
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(cams.rs, 181);
}

TEST_F(KnitRunTest, LastPassEndsTheWorkWithTheSuccessBox) {
    run->SetRowCounter(1023);
    start();
    adapter({0x08, 0x10, 0x00, 0x00, 0x00, 0xC7, 0x00, 0xF7});
    expectBox("Your knitting was successfully finished", "Out of Data!", RunBoxIcon::Warning);
    EXPECT_TRUE(pty->sawHangUp());
    EXPECT_EQ(run->RowCounter(), 0);
    EXPECT_EQ(run->PassCounter(), 0u);
    EXPECT_EQ(run->DesignRow(), 0);
    EXPECT_EQ(sounds.sounds, std::vector<EventSound>{EventSound::WorkDoneOrCamError});
    EXPECT_FALSE(host.link);
}

TEST_F(KnitRunTest, FineLaceSendsItsTableEntriesAndEndsWithTheTable) {
    tech.kind = tkFineLace;
    tech.edgeMode = 2;
    tech.edgeValue = 0;
    tech.entries.resize(6);
    SetNeedleBit(tech.entries[0].data(), 10); // take column 10
    tech.passCount = 6;
    tech.passToRow = [](uint32_t p) { return p < 6 ? static_cast<int>(p / 3) : 0; };
    start();
    adapter(status(0x01));
    EXPECT_EQ(pty->read(34), cat({{0x01}, repeat(0, 23), {0x04}, repeat(0, 8), {0xFE}}));
    for (int i = 0; i < 5; ++i) adapter(status(0x10));
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(run->RowCounter(), 5);
    EXPECT_EQ(run->DesignRow(), 1);
    adapter(status(0x10));
    expectBox("Your knitting was successfully finished", "Out of Data!", RunBoxIcon::Warning);
    EXPECT_EQ(run->RowCounter(), 0);
}

TEST_F(KnitRunTest, PassCounterDoesNotWrapPastSixtyFiveThousand) {
    tech.kind = tkFineLace;
    tech.passCount = 70010;
    tech.passToRow = [](uint32_t) { return 0; };
    run->SetRowCounter(70000);
    start();
    adapter(status(0x01));
    adapter(status(0x01));
    EXPECT_EQ(tech.requested, (std::vector<uint32_t>{70000, 70001}));
    EXPECT_EQ(run->PassCounter(), 70002u);
    EXPECT_EQ(pty->read(68).size(), 68u);
}

TEST_F(KnitRunTest, WatchdogGivesThreeSecondsThenTenBetweenBytes) {
    start();
    EXPECT_EQ(host.watchdogMs, kWatchdogFirstMs);
    adapter({0x00});
    EXPECT_EQ(host.watchdogMs, kWatchdogGapMs);
    adapter(status(0x00));
    EXPECT_EQ(host.watchdogArms.back(), kWatchdogGapMs);
    run->onWatchdogFired();
    expectBox("Error code 2048\x0A\x0DTHERE IS NO CONNECTION WITH THE ADAPTER!\n\r", "ERROR!", RunBoxIcon::Error);
    EXPECT_EQ(host.watchdogMs, -1);
    EXPECT_TRUE(pty->sawHangUp());
    run->onWatchdogFired(); // a stale expiry while idle reports nothing
    EXPECT_EQ(host.boxes.size(), 1u);
}

// ---- Reassembly and bad input ----------------------------------------------------

TEST_F(KnitRunTest, JunkIsDroppedByteByByteAndBadTrailersDropThePacket) {
    start();
    adapter(cat({{0x00}, status(0x05)}));
    EXPECT_EQ(pty->read(34).size(), 34u);
    EXPECT_EQ(pty->read(4).size(), 4u);
    const int logged = host.countPrefix("AD-->");
    adapter({0x08, 0x05, 0x00, 0x31, 0x31, 0x94, 0x00, 0x00});
    EXPECT_TRUE(pty->drain(30).empty());
    EXPECT_EQ(host.countPrefix("AD-->"), logged);
    // A truncated packet swallows the start of the next one; the one after is fine.
    adapter(cat({{0x08, 0x01, 0x00}, status(0x01), status(0x04)}));
    EXPECT_EQ(pty->read(4), (Bytes{0x02, 0x00, 0xC7, 0xFD}));
    EXPECT_TRUE(pty->drain(30).empty());
    // Info, data and test packets are logged only.
    Bytes test = cat({{0x0E}, repeat(0x5A, 256), {0xF1}});
    adapter(cat({{0x0C, 1, 2, 3, 4, 5, 6, 7, 8, 0xF3}, test}));
    EXPECT_EQ(host.lines[host.lines.size() - 2], "AD-Info-> 0C 01 02 03 04 05 06 07 08 F3");
    EXPECT_EQ(host.lines.back(), "AD-Test-><Test data>");
    EXPECT_TRUE(run->Running());
}

TEST_F(KnitRunTest, AStandardPacketWhileIdleIsOnlyLogged) {
    const Bytes p = status(0x15);
    run->ComDataReceived(p.data(), p.size());
    EXPECT_EQ(host.lines, std::vector<std::string>{"AD--> 08 15 00 00 31 94 00 F7"});
    EXPECT_EQ(run->RowCounter(), 0);
    EXPECT_EQ(host.watchdogMs, -1);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(KnitRunTest, APartialPacketLeftByAStopDoesNotSpoilTheNextRun) {
    start();
    adapter({0x08, 0x05, 0x00});
    EXPECT_EQ(run->RxCount(), 3);
    run->Stop();
    start();
    EXPECT_EQ(run->RxCount(), 0);
    adapter(status(0x04));
    EXPECT_EQ(pty->read(4), (Bytes{0x02, 0x00, 0xC7, 0xFD}));
}

TEST_F(KnitRunTest, AMegabyteOfRandomBytesOnlyEverEndsARunWithAKnownMessage) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string noConnection = "Error code 2048\x0A\x0DTHERE IS NO CONNECTION WITH THE ADAPTER!\n\r";
    size_t fed = 0;
    int runs = 0;
    while (fed < (1u << 20)) {
        if (!run->LinkUp()) {
            // Every run the junk ended, ended with the adapter's or the cam error box.
            for (const RunMessageBox& b : host.boxes) {
                EXPECT_EQ(b.text.rfind("Error code ", 0), 0u) << b.text;
                EXPECT_EQ(b.caption, "ERROR!");
            }
            EXPECT_LE(host.boxes.size(), 1u);
            host.boxes.clear();
            run->SetRowCounter(0);
            start();
            ++runs;
        }
        Bytes junk(8192);
        for (auto& b : junk) b = static_cast<uint8_t>(byte(rng));
        adapter(junk);
        fed += junk.size();
        pty->drain(0); // whatever the run answered
    }
    EXPECT_GE(runs, 1);
    if (run->Running()) {
        run->onWatchdogFired(); // the adapter falls silent
        expectBox(noConnection, "ERROR!", RunBoxIcon::Error);
    }
    EXPECT_FALSE(run->LinkUp());
    EXPECT_EQ(serial.OpenCount(), 0);

    // The next Start works as on the first day.
    host.boxes.clear();
    run->SetRowCounter(0);
    run->SetDesignRow(0);
    cams.ls = 0;
    cams.rs = 200;
    start();
    adapter(status(0x05));
    EXPECT_EQ(pty->read(34), passPacket({0, 199}));
    EXPECT_EQ(pty->read(4), (Bytes{0x02, 0x00, 0xC7, 0xFD}));
}

TEST_F(KnitRunTest, ADeviceThatVanishesMidRunEndsInTheWatchdogAndANewOneWorks) {
    start();
    adapter(status(0x01));
    EXPECT_EQ(pty->read(34).size(), 34u);
    pty->hangUp();
    EXPECT_TRUE(run->Running());
    run->onWatchdogFired();
    expectBox("Error code 2048\x0A\x0DTHERE IS NO CONNECTION WITH THE ADAPTER!\n\r", "ERROR!", RunBoxIcon::Error);
    EXPECT_EQ(serial.OpenCount(), 0);

    pty = std::make_unique<PtyAdapter>();
    ws.Settings.ACOMPort = pty->path();
    host.boxes.clear();
    start();
    adapter(status(0x01));
    EXPECT_EQ(pty->read(34).size(), 34u);
    // No pass was reported knitted: the run goes on from the row counter's pass.
    EXPECT_EQ(tech.requested, (std::vector<uint32_t>{0, 0}));
}

// ---- Emulator ------------------------------------------------------------------

TEST_F(KnitRunTest, EmulatorFirstCycleAnswersSevenPassesAndNineteenCamRequests) {
    ws.Settings.SoftEmulator = 1;
    ASSERT_TRUE(run->Start());
    EXPECT_TRUE(host.emulatorOn);
    run->onEmulatorTick(); // ticks during the start delay are not stream bytes
    EXPECT_EQ(run->EmulatorIndex(), 0);
    run->onStartDelayElapsed();
    for (int i = 0; i < 196; ++i) run->onEmulatorTick();

    ASSERT_EQ(host.countPrefix("AD-Data->"), 1);
    EXPECT_EQ(host.lines[1].rfind("AD-Data-> 0D 01 53", 0), 0u) << host.lines[1];
    EXPECT_EQ(host.lines[2], "AD-Info-> 0C 01 02 03 04 05 06 07 08 F3");
    EXPECT_EQ(host.lines[3], "AD--> 08 05 00 31 31 94 00 F7");
    EXPECT_EQ(host.countPrefix("AD-->"), 19);
    std::vector<std::string> cams4, passes;
    for (const auto& l : host.lines)
        if (l.rfind("PC-->", 0) == 0) (l.size() == 5 + 4 * 3 ? cams4 : passes).push_back(l);
    EXPECT_EQ(passes.size(), 7u);
    ASSERT_EQ(cams4.size(), 19u);
    for (int i = 0; i < 19; ++i) EXPECT_EQ(cams4[i], i < 8 ? "PC--> 02 00 C7 FD" : "PC--> 02 31 94 FD") << i;
    EXPECT_EQ(run->RowCounter(), 5);
    EXPECT_EQ(run->PassCounter(), 7u);
    EXPECT_EQ(cams.ls, 49);
    EXPECT_EQ(cams.rs, 149);
    EXPECT_EQ(run->CarriageSide(), 1);
    EXPECT_EQ(run->EmulatorIndex(), 0);
    EXPECT_EQ(serial.OpenCount(), 0) << "the emulator opens no port";

    // The stream index carries on across runs.
    for (int i = 0; i < 50; ++i) run->onEmulatorTick();
    run->Stop();
    EXPECT_FALSE(host.emulatorOn);
    run->onEmulatorTick();
    EXPECT_EQ(run->EmulatorIndex(), 50);
    ASSERT_TRUE(run->Start());
    run->onStartDelayElapsed();
    run->onEmulatorTick();
    EXPECT_EQ(run->EmulatorIndex(), 51);
}
