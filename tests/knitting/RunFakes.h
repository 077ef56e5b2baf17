#pragma once
// Fakes around the knitting run: a technique whose passes are given by the
// test, the needle bed's cams, the page (timers ticked by hand), the sound sink.
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/EventSoundPlayer.h"
#include "core/Machine.h"
#include "knitting/KnitRunTypes.h"

namespace lc::test {

struct FakeTechnique : IPassSource {
    int kind = 1;
    int startSide = 0;
    int edgeMode = 1;
    int edgeValue = 1;
    int passesPerRow = 1;
    int rowCount = 1024;
    int64_t passCount = -1;
    // Pattern columns selected in a pass (none by default).
    std::function<std::vector<int>(uint32_t pass)> columns;
    // Fine lace: the pass table.
    std::vector<NeedleRow> entries;
    // A pass-to-row mapping of its own (else pass div passesPerRow).
    std::function<int(uint32_t)> passToRow;
    std::map<int, int> checks; // row -> CheckRow answer
    std::vector<uint32_t> requested;
    std::vector<int> prepared;

    int Kind() const override { return kind; }
    int StartSide() const override { return startSide; }
    int EdgeMode() const override { return edgeMode; }
    int EdgeValue() const override { return edgeValue; }
    int PassToRow(uint32_t pass) const override {
        if (passToRow) return passToRow(pass);
        return static_cast<int>(pass / static_cast<uint32_t>(passesPerRow));
    }
    uint32_t RowToPass(int row) const override { return static_cast<uint32_t>(row * passesPerRow); }
    int64_t PassCount() const override { return passCount; }
    bool WorkDone(uint32_t counter) const override {
        if (passCount > 0) return static_cast<int64_t>(counter) >= passCount;
        return PassToRow(counter) >= rowCount;
    }
    void GetPassNeedles(uint32_t pass, uint8_t* bits) override {
        requested.push_back(pass);
        if (columns)
            for (int c : columns(pass)) SetNeedleBit(bits, c);
    }
    bool GetPassEntry(uint32_t pass, uint8_t* bits) const override {
        const_cast<FakeTechnique*>(this)->requested.push_back(pass);
        if (pass >= entries.size()) return false;
        std::memcpy(bits, entries[pass].data(), kNeedleRowBytes);
        return true;
    }
    int CheckRow(int row) override {
        auto it = checks.find(row);
        return it == checks.end() ? 0 : it->second;
    }
    void PrepareRun(int rowCounter) override { prepared.push_back(rowCounter); }
    int RowCount() const override { return rowCount; }
};

struct FakeCams : ICamSource {
    int ls = 0;
    int rs = 200;
    int LSPos() const override { return ls; }
    int RSPos() const override { return rs; }
    void SetCams(int left, int right) override {
        ls = left;
        rs = right + 1;
    }
};

struct FakeHost : IKnitRunHost {
    ISerialSink* sink = nullptr;
    int watchdogMs = -1; // -1: off
    std::vector<int> watchdogArms;
    bool emulatorOn = false;
    int startDelayMs = -1;
    std::vector<std::string> lines;
    std::vector<RunMessageBox> boxes;
    bool link = false;
    int linkChanges = 0;
    int drawLines = 0;
    int cleared = 0;

    void armWatchdog(int ms) override {
        watchdogMs = ms;
        watchdogArms.push_back(ms);
    }
    void stopWatchdog() override { watchdogMs = -1; }
    void startEmulator() override { emulatorOn = true; }
    void stopEmulator() override { emulatorOn = false; }
    void armStartDelay(int ms) override { startDelayMs = ms; }
    void cancelStartDelay() override { startDelayMs = -1; }
    void appendProtocol(const std::string& line) override { lines.push_back(line); }
    void clearProtocol() override {
        lines.clear();
        ++cleared;
    }
    void postMessageBox(const RunMessageBox& box) override { boxes.push_back(box); }
    void linkStateChanged(bool up) override {
        link = up;
        ++linkChanges;
    }
    void drawLine() override { ++drawLines; }
    ISerialSink* serialSink() override { return sink; }

    int countPrefix(const std::string& prefix) const {
        int n = 0;
        for (const auto& l : lines)
            if (l.rfind(prefix, 0) == 0) ++n;
        return n;
    }
};

struct SoundRecorder : EventSoundPlayer {
    std::vector<EventSound> sounds;
    void playEventSound(EventSound sound) override { sounds.push_back(sound); }
};

} // namespace lc::test
