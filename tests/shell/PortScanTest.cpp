#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>

#include "TestFiles.h"
#include "shell/EventSounds.h"
#include "shell/PortScan.h"
#include "shell/SerialPorts.h"

namespace {

// Records what the scan asks for; ports named in `openErrors` fail with that errno.
struct FakeHost : lc::PortScanHost {
    std::map<std::string, int> openErrors;
    std::vector<std::string> log;
    std::string open;
    bool stepTimer = false, waiting = false, progressShown = false;
    int shownPort = -1;
    std::string found;
    bool notFound = false;
    std::vector<std::string> denied;

    int openProbePort(const std::string& port) override {
        auto it = openErrors.find(port);
        if (it != openErrors.end()) return it->second;
        EXPECT_TRUE(open.empty()) << "a second port opened while " << open << " is open";
        open = port;
        log.push_back("open " + port);
        return 0;
    }
    void writeProbe() override { log.push_back("probe " + open); }
    void closeProbePort() override {
        log.push_back("close " + open);
        open.clear();
    }
    void closeProbePortLater() override {
        log.push_back("close later " + open);
        open.clear();
    }
    void startWait(int ms) override {
        EXPECT_EQ(ms, 1000);
        waiting = true;
    }
    void cancelWait() override { waiting = false; }
    void startStepTimer(int ms) override {
        EXPECT_EQ(ms, 3000);
        stepTimer = true;
    }
    void stopStepTimer() override { stepTimer = false; }
    void showPort(int index) override { shownPort = index; }
    void showProgress(bool visible, int, int) override { progressShown = visible; }
    void adapterFound(const std::string& port) override { found = port; }
    void adapterNotFound(const std::vector<std::string>& d) override {
        notFound = true;
        denied = d;
    }
};

void feed(lc::PortScan& scan, std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes) scan.byte(b);
}

} // namespace

TEST(PortScan, NoPortsEndsAfterOneStepWithNoAdapter) {
    FakeHost host;
    lc::PortScan scan(host);
    scan.start({});
    EXPECT_TRUE(host.stepTimer);
    EXPECT_TRUE(host.progressShown);
    EXPECT_FALSE(host.notFound);
    scan.tick();
    EXPECT_TRUE(host.notFound);
    EXPECT_FALSE(host.stepTimer);
    EXPECT_FALSE(host.progressShown);
    EXPECT_FALSE(scan.running());
}

TEST(PortScan, ProbesEachPortAfterItsWaitAndFindsTheOneThatAnswersWithAPacket) {
    FakeHost host;
    host.openErrors["/dev/ttyS0"] = EACCES;
    lc::PortScan scan(host);
    scan.start({"/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyACM0"});
    EXPECT_EQ(host.open, "/dev/ttyUSB0");
    // Nothing is written until the second has passed.
    feed(scan, {0x08});
    EXPECT_EQ(host.log, (std::vector<std::string>{"open /dev/ttyUSB0"}));
    scan.waitElapsed();
    EXPECT_EQ(host.log.back(), "probe /dev/ttyUSB0");
    // An echo of the probe and a stray 13 are no answer.
    feed(scan, {0x05, 0xFA, 0x06, 0xF9, 0x07, 0xF8, 0x00, 0xFF, 9, 13});
    EXPECT_TRUE(host.found.empty());
    scan.tick(); // ttyUSB0 closed; ttyS0 may not be opened: skipped
    EXPECT_EQ(host.shownPort, 1);
    EXPECT_TRUE(host.open.empty());
    scan.waitElapsed(); // no port open: nothing is written
    scan.tick();
    EXPECT_EQ(host.open, "/dev/ttyACM0");
    scan.waitElapsed();
    // Noise that looks like the start of a 34-byte packet, then a standard
    // packet: type 8, six bytes, 8 xor FF.
    feed(scan, {0x0D, 0x00, 0x08, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06});
    EXPECT_TRUE(host.found.empty());
    feed(scan, {0xF7});
    EXPECT_EQ(host.found, "/dev/ttyACM0");
    EXPECT_EQ(host.log.back(), "close later /dev/ttyACM0");
    EXPECT_FALSE(host.stepTimer);
    EXPECT_FALSE(scan.running());
    EXPECT_EQ(host.shownPort, 2); // the found port stays selected
    // A late tick or byte does nothing.
    scan.tick();
    feed(scan, {0x08});
    EXPECT_FALSE(host.notFound);
}

TEST(PortScan, LastPortWithoutAnswerNamesThePortsThatWereDenied) {
    FakeHost host;
    host.openErrors["/dev/ttyUSB1"] = EACCES;
    lc::PortScan scan(host);
    scan.start({"/dev/ttyUSB0", "/dev/ttyUSB1"});
    scan.waitElapsed();
    scan.tick();
    scan.tick();
    EXPECT_TRUE(host.notFound);
    EXPECT_EQ(host.denied, std::vector<std::string>{"/dev/ttyUSB1"});
    EXPECT_TRUE(host.open.empty());
}

TEST(PortScan, StopClosesTheProbePortAtOnceAndEndsTheScan) {
    FakeHost host;
    lc::PortScan scan(host);
    scan.start({"/dev/ttyUSB0"});
    scan.stop();
    EXPECT_EQ(host.log.back(), "close /dev/ttyUSB0");
    EXPECT_FALSE(host.stepTimer);
    EXPECT_FALSE(host.waiting);
    scan.waitElapsed(); // the pending wait after a stop writes nothing
    EXPECT_EQ(host.log.size(), 2u);
    // Starting again during a scan starts over without a second open port.
    scan.start({"/dev/ttyUSB0"});
    scan.start({"/dev/ttyUSB0"});
    EXPECT_EQ(host.open, "/dev/ttyUSB0");
}

TEST(SerialPorts, ListsUsbAndAcmPortsAndOnlyRealBuiltInOnes) {
    lc::test::TempDir dir;
    auto tty = [&](const std::string& name, bool device) {
        std::filesystem::create_directories(dir.path / name);
        if (device) std::filesystem::create_directories(dir.path / name / "device");
    };
    tty("ttyUSB10", true);
    tty("ttyUSB2", true);
    tty("ttyACM0", true);
    tty("ttyS0", true);
    tty("ttyS1", true);
    tty("tty3", false);
    tty("ttyS7", false);
    const auto ports =
        lc::ListSerialPorts(dir.path.string(), [](const std::string& dev) { return dev == "/dev/ttyS1"; });
    EXPECT_EQ(ports, (std::vector<std::string>{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyS1"}));
    EXPECT_TRUE(lc::ListSerialPorts(dir.file("missing")).empty());
}

TEST(EventSounds, OnlyASingleEventBitThatIsSwitchedOnPlays) {
    EXPECT_EQ(lc::EventSoundIndex(3, 3), -1);
    EXPECT_EQ(lc::EventSoundIndex(1, 0), -1);
    EXPECT_EQ(lc::EventSoundIndex(8, 255), 3);
    EXPECT_EQ(lc::EventSoundIndex(16, 16), 4);
    EXPECT_EQ(lc::EventSoundIndex(32, 255), -1);
    EXPECT_EQ(lc::EventSoundIndex(4, 255 & ~4), -1);
}
