#pragma once
// What the knitting run needs from its surroundings, as small interfaces:
// the current technique and row table (IPassSource), the needle bed's point
// cams (ICamSource) and the page that shows the run (IKnitRunHost).
//
// IPassSource is deliberately narrow: the technique classes and the row table
// are bound to it by one small adapter object, so the run never depends on
// how a technique stores its passes.
#include <cstdint>
#include <string>

#include "knitting/Technique.h"

namespace lc {

class ISerialSink;

// The current technique together with the row table, as the run sees them.
class IPassSource {
public:
    virtual ~IPassSource() = default;
    virtual int Kind() const = 0;
    virtual int StartSide() const = 0;
    virtual int EdgeMode() const = 0;  // 0 none, 1 one needle, 2 two needles at each end
    virtual int EdgeValue() const = 0; // 1 set the edge needles, 0 clear them
    virtual int PassToRow(uint32_t pass) const = 0;
    virtual uint32_t RowToPass(int row) const = 0;
    // Number of passes of a technique with a pass table; -1 without one.
    virtual int64_t PassCount() const = 0;
    // True when no pass from `counter` on knits a row below RowCount(): the
    // work is done. A jacquard's last cycle maps a pass past the last row
    // before that row's own last passes, so PassToRow alone ends too early.
    virtual bool WorkDone(uint32_t counter) const = 0;
    // Needle bits of a pass into a 40-byte row (cleared by the caller); writes
    // at most (width - 1) div 8 + 1 bytes. Not used for fine lace.
    virtual void GetPassNeedles(uint32_t pass, uint8_t* bits) = 0;
    // Fine lace: copies the pass table's entry `pass` (a 40-byte needle row)
    // and answers true, or answers false when there is no such entry.
    virtual bool GetPassEntry(uint32_t pass, uint8_t* bits) const = 0;
    // The technique's verdict on one design row of the picture (0 = fine).
    virtual int CheckRow(int row) = 0;
    // Run preparation that depends on the technique: separate the colours of
    // every design row again, then spread them (jacquards) or load the row
    // (fine lace).
    virtual void PrepareRun(int rowCounter) = 0;
    // RowCount of the row table: the design rows to knit.
    virtual int RowCount() const = 0;
};

// The needle bed's point cams: LSPos is the left cam's needle, RSPos one past
// the right cam's needle.
class ICamSource {
public:
    virtual ~ICamSource() = default;
    virtual int LSPos() const = 0;
    virtual int RSPos() const = 0;
    // LSPos := left, RSPos := right + 1.
    virtual void SetCams(int left, int right) = 0;
};

enum class RunBoxIcon { Error, Warning };

struct RunMessageBox {
    std::string text;
    std::string caption;
    RunBoxIcon icon = RunBoxIcon::Error;
};

// The page around the run. Every call comes on the GUI thread. Timers are the
// host's: it calls back KnitRun::onStartDelayElapsed, onWatchdogFired and
// onEmulatorTick when they expire.
class IKnitRunHost {
public:
    virtual ~IKnitRunHost() = default;
    // Watchdog: a single shot of `ms`, replacing any pending one.
    virtual void armWatchdog(int ms) = 0;
    virtual void stopWatchdog() = 0;
    // Emulator: a 100 ms periodic tick.
    virtual void startEmulator() = 0;
    virtual void stopEmulator() = 0;
    // The wait before the start packet: a single shot of `ms`.
    virtual void armStartDelay(int ms) = 0;
    virtual void cancelStartDelay() = 0;
    // Protocol log lines (only called while the ViewProtocol setting is on).
    virtual void appendProtocol(const std::string& line) = 0;
    virtual void clearProtocol() = 0;
    // Shown only after the current handler has returned (never a nested loop
    // inside the byte handler).
    virtual void postMessageBox(const RunMessageBox& box) = 0;
    // Link up (lamp green, Start marked, technique and row counter disabled) or down.
    virtual void linkStateChanged(bool up) = 0;
    // Redraw the displays of the current row.
    virtual void drawLine() = 0;
    // Receives the adapter port's bytes on the reader thread.
    virtual ISerialSink* serialSink() = 0;
    // The drawing check is at design row `row` (every row, from 0 upward),
    // then has ended. It runs on a user's action, never in the byte handler.
    virtual void checkProgress(int row) { (void)row; }
    virtual void checkEnded() {}
};

} // namespace lc
