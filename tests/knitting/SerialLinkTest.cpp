#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <thread>

#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>

#include "knitting/PtyAdapter.h"
#include "knitting/SerialLink.h"

using namespace lc;
using namespace lc::test;

namespace {

constexpr uint32_t kMsg = 45113;

uint32_t openPty(SerialLink& link, const PtyAdapter& pty, ISerialSink* sink, int32_t& slot, uint32_t message = kMsg,
                 int32_t mask = kSerialSetAll) {
    return link.OpenPort(pty.path(), 9600, 8, kParityNone, kOneStopBit, mask, sink, message, slot);
}

double processCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

class SerialLinkTest : public ::testing::Test {
protected:
    void TearDown() override {
        link.CloseAll();
        ASSERT_EQ(link.OpenCount(), 0);
    }
    SerialLink link;
    QueueSink sink{link};
};

} // namespace

TEST(SerialDevicePath, ComNamesMapToTtySAndPathsStayAsTheyAre) {
    EXPECT_EQ(SerialDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(SerialDevicePath("com12"), "/dev/ttyS11");
    EXPECT_EQ(SerialDevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(SerialDevicePath("COM0"), "COM0");
    EXPECT_EQ(SerialDevicePath("COM"), "COM");
    EXPECT_EQ(SerialDevicePath("COM1x"), "COM1x");
}

TEST_F(SerialLinkTest, OpenSetsRawNineSixHundredEightNoneOne) {
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    int32_t slot = -7;
    ASSERT_EQ(openPty(link, pty, &sink, slot), 0u);
    EXPECT_EQ(slot, 0);
    // The master reports the slave's line settings.
    termios t{};
    ASSERT_EQ(tcgetattr(pty.master(), &t), 0);
    EXPECT_EQ(cfgetispeed(&t), B9600);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
}

TEST_F(SerialLinkTest, MaskZeroKeepsThePortsLineSettingsButStillGoesRaw) {
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    termios t{};
    ASSERT_EQ(tcgetattr(pty.master(), &t), 0);
    cfsetispeed(&t, B4800);
    cfsetospeed(&t, B4800);
    t.c_cflag = (t.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB;
    ASSERT_EQ(tcsetattr(pty.master(), TCSANOW, &t), 0);
    // A pty forces 8 bits without parity; what it kept is what must survive.
    ASSERT_EQ(tcgetattr(pty.master(), &t), 0);
    const tcflag_t before = t.c_cflag & (CSIZE | PARENB | CSTOPB);
    ASSERT_TRUE(before & CSTOPB);

    int32_t slot = -1;
    ASSERT_EQ(openPty(link, pty, &sink, slot, kMsg, 0), 0u);
    ASSERT_EQ(tcgetattr(pty.master(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B4800);
    EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB), before);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
}

TEST_F(SerialLinkTest, LineSettingsThePortCannotTakeFailAndLeaveNothingOpen) {
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    int32_t slot = 3;
    EXPECT_EQ(link.OpenPort(pty.path(), 9600, 9, 0, 0, kSerialSetAll, &sink, kMsg, slot),
              static_cast<uint32_t>(EINVAL));
    EXPECT_EQ(link.OpenPort(pty.path(), 12345, 8, 0, 0, kSerialSetAll, &sink, kMsg, slot),
              static_cast<uint32_t>(EINVAL));
    EXPECT_EQ(slot, 3);
    EXPECT_EQ(link.OpenCount(), 0);
    // The device is not left locked: a good open still works.
    EXPECT_EQ(openPty(link, pty, &sink, slot), 0u);
}

TEST_F(SerialLinkTest, EveryByteValueArrivesOnceInOrder) {
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    int32_t slot = -1;
    ASSERT_EQ(openPty(link, pty, &sink, slot), 0u);
    Bytes sent(256);
    std::iota(sent.begin(), sent.end(), 0);
    std::shuffle(sent.begin(), sent.end(), std::mt19937(1234));
    // Control bytes (0x03, 0x0D, 0x11, 0x13, 0x7F ...) must pass untouched.
    ASSERT_TRUE(pty.send(sent));
    Bytes got;
    sink.pumpUntil(sent.size(), [&](uint8_t b) { got.push_back(b); });
    EXPECT_EQ(got, sent);
    // Nothing was echoed back to the adapter.
    EXPECT_TRUE(pty.drain(50).empty());
}

TEST_F(SerialLinkTest, WriteSendsOneToOneHundredTwentyNineBytesToAnOpenSlotOnly) {
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    int32_t slot = -1;
    ASSERT_EQ(openPty(link, pty, &sink, slot), 0u);
    Bytes packet(34);
    std::iota(packet.begin(), packet.end(), 0xC0);
    EXPECT_EQ(link.Write(slot, packet.data(), 34), 0u);
    EXPECT_EQ(pty.read(34), packet);

    Bytes big(200, 0x55);
    EXPECT_EQ(link.Write(slot, big.data(), 129), 0u);
    EXPECT_EQ(pty.read(129).size(), 129u);
    EXPECT_EQ(link.Write(5, packet.data(), 34), 1u);
    EXPECT_EQ(link.Write(-1, packet.data(), 34), 1u);
    EXPECT_EQ(link.Write(slot, packet.data(), 0), 1u);
    EXPECT_EQ(link.Write(slot, big.data(), 130), 1u);
    EXPECT_EQ(link.Write(slot + 1, packet.data(), 4), 1u); // a slot never opened
    EXPECT_TRUE(pty.drain(50).empty());

    ASSERT_EQ(link.ClosePort(slot), 0u);
    EXPECT_EQ(link.Write(slot, packet.data(), 4), 1u);
}

TEST_F(SerialLinkTest, ThePacketWrittenLastBeforeCloseReachesTheAdapterWhole) {
    // The run writes its last pass and closes at once; the adapter reads it
    // only afterwards. Closing must never throw away bytes on their way out.
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    Bytes packet(34);
    std::iota(packet.begin(), packet.end(), 0x01);
    for (int run = 0; run < 40; ++run) {
        int32_t slot = -1;
        ASSERT_EQ(openPty(link, pty, &sink, slot), 0u);
        packet[1] = static_cast<uint8_t>(run);
        ASSERT_EQ(link.Write(slot, packet.data(), 34), 0u);
        ASSERT_EQ(link.ClosePort(slot), 0u);
        ASSERT_EQ(pty.read(34, 500), packet) << "run " << run;
    }
}

TEST_F(SerialLinkTest, SixthOpenAndMissingDeviceFailWithoutTouchingTheSlotVariable) {
    std::vector<std::unique_ptr<PtyAdapter>> ptys;
    for (int i = 0; i < 6; ++i) ptys.push_back(std::make_unique<PtyAdapter>());
    int32_t slots[5];
    for (int i = 0; i < 5; ++i) {
        slots[i] = -1;
        ASSERT_EQ(openPty(link, *ptys[i], &sink, slots[i]), 0u);
        EXPECT_EQ(slots[i], i);
    }
    EXPECT_EQ(link.FreeSlot(), -1);
    int32_t sixth = 42;
    EXPECT_EQ(openPty(link, *ptys[5], &sink, sixth), 1u);
    EXPECT_EQ(sixth, 42);

    // Free slot 2; the next open takes the lowest free slot.
    ASSERT_EQ(link.ClosePort(2), 0u);
    EXPECT_EQ(link.FreeSlot(), 2);
    int32_t missing = 42;
    EXPECT_EQ(link.OpenPort("/dev/does-not-exist", 9600, 8, 0, 0, 15, &sink, kMsg, missing), 2u);
    EXPECT_EQ(missing, 42);
    EXPECT_EQ(link.OpenCount(), 4);
    EXPECT_EQ(link.SlotGeneration(2), 0u);
    EXPECT_EQ(openPty(link, *ptys[5], &sink, sixth), 0u);
    EXPECT_EQ(sixth, 2);
}

TEST_F(SerialLinkTest, SecondOpenOfTheSameDeviceIsBusyAndTheFirstStaysUsable) {
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    int32_t first = -1, second = 9;
    ASSERT_EQ(openPty(link, pty, &sink, first), 0u);
    EXPECT_EQ(openPty(link, pty, &sink, second), static_cast<uint32_t>(EBUSY));
    EXPECT_EQ(second, 9);
    EXPECT_EQ(link.OpenCount(), 1);
    const uint8_t b[4] = {0x02, 0x14, 0xB4, 0xFD};
    EXPECT_EQ(link.Write(first, b, 4), 0u);
    EXPECT_EQ(pty.read(4), Bytes(b, b + 4));
    ASSERT_TRUE(pty.send({0x08}));
    Bytes got;
    sink.pumpUntil(1, [&](uint8_t x) { got.push_back(x); });
    EXPECT_EQ(got, Bytes{0x08});
}

TEST_F(SerialLinkTest, CloseStopsDeliveryAtOnceAndASecondCloseAnswersOne) {
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    int32_t slot = -1;
    ASSERT_EQ(openPty(link, pty, &sink, slot), 0u);
    const uint64_t gen = link.SlotGeneration(slot);
    EXPECT_NE(gen, 0u);
    ASSERT_TRUE(pty.send({1, 2, 3}));
    while (sink.received() < 3) std::this_thread::yield();

    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(link.ClosePort(slot), 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(1000));
    EXPECT_EQ(link.ClosePort(slot), 1u);
    EXPECT_TRUE(pty.sawHangUp());

    // Bytes read before the close are now stale and are not handed on.
    size_t handed = sink.pumpNow([](uint8_t) {});
    EXPECT_EQ(handed, 0u);
    EXPECT_EQ(link.SlotGeneration(slot), 0u);

    // A new open gets a new generation.
    PtyAdapter again;
    int32_t s2 = -1;
    ASSERT_EQ(openPty(link, again, &sink, s2), 0u);
    EXPECT_EQ(s2, slot);
    EXPECT_NE(link.SlotGeneration(s2), gen);
}

TEST_F(SerialLinkTest, BytesForNoTargetOrALowMessageNumberAreReadAndDropped) {
    PtyAdapter a, b;
    int32_t sa = -1, sb = -1;
    ASSERT_EQ(openPty(link, a, nullptr, sa), 0u);
    ASSERT_EQ(openPty(link, b, &sink, sb, 1024), 0u);
    ASSERT_TRUE(a.send({8, 8, 8}));
    ASSERT_TRUE(b.send({8, 8, 8}));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(sink.received(), 0u);
}

TEST_F(SerialLinkTest, FailedPurgeOnAVanishedDeviceStillClosesAndFreesTheSlot) {
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    int32_t slot = -1;
    ASSERT_EQ(openPty(link, pty, &sink, slot), 0u);
    pty.hangUp(); // the adapter is unplugged
    const uint32_t r = link.ClosePort(slot);
    EXPECT_NE(r, 0u);
    EXPECT_EQ(link.OpenCount(), 0);
    EXPECT_EQ(link.FreeSlot(), 0);
    EXPECT_EQ(link.ClosePort(slot), 1u);
    PtyAdapter next;
    int32_t s2 = -1;
    EXPECT_EQ(openPty(link, next, &sink, s2), 0u);
    EXPECT_EQ(s2, 0);
}

TEST_F(SerialLinkTest, ReaderDoesNotSpinWhenIdleOrAfterTheDeviceVanished) {
    PtyAdapter pty;
    ASSERT_TRUE(pty.ok());
    int32_t slot = -1;
    ASSERT_EQ(openPty(link, pty, &sink, slot), 0u);
    double c0 = processCpuMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_LT(processCpuMs() - c0, 60.0);

    pty.hangUp();
    c0 = processCpuMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_LT(processCpuMs() - c0, 60.0);
    // Writing to the vanished device fails with the system's code, not a hang.
    const uint8_t b[4] = {2, 0, 0xC7, 0xFD};
    const uint32_t w = link.Write(slot, b, 4);
    EXPECT_NE(w, 0u);
    EXPECT_NE(w, 1u);
}

TEST_F(SerialLinkTest, CloseAllClosesEverySlotAndEachAdapterSeesTheHangUp) {
    std::vector<std::unique_ptr<PtyAdapter>> ptys;
    for (int i = 0; i < 5; ++i) {
        ptys.push_back(std::make_unique<PtyAdapter>());
        int32_t s = -1;
        ASSERT_EQ(openPty(link, *ptys.back(), &sink, s), 0u);
    }
    link.CloseAll();
    EXPECT_EQ(link.OpenCount(), 0);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(ptys[i]->sawHangUp()) << "slot " << i;
        EXPECT_EQ(link.SlotGeneration(i), 0u);
        EXPECT_EQ(link.ClosePort(i), 1u);
    }
}
