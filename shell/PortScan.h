#pragma once
// The adapter port scan of the preferences dialog: one port after another is
// opened at 9600 8N1; a second after it opened, the adapter's probe packet is
// written; a well-formed adapter packet in reply means the adapter is on that
// port. Each port gets one scan step (3 seconds) to answer.
//
// The scan is a state machine driven by events the dialog passes on: the step
// timer's tick, the end of the one-second wait and each received byte. It
// never waits itself; what it wants done goes out through PortScanHost.
#include <cstdint>
#include <string>
#include <vector>

namespace lc {

inline constexpr int kScanStepMs = 3000;
inline constexpr int kProbeDelayMs = 1000;

class PortScanHost {
public:
    virtual ~PortScanHost() = default;
    // Opens the port for probing; 0 or the errno of the failure.
    virtual int openProbePort(const std::string& port) = 0;
    virtual void writeProbe() = 0;
    // Closes the probe port now (never called from inside a byte event).
    virtual void closeProbePort() = 0;
    // Closes the probe port once the current event has been handled.
    virtual void closeProbePortLater() = 0;
    // Calls waitElapsed() after `ms`; cancelWait drops a pending one.
    virtual void startWait(int ms) = 0;
    virtual void cancelWait() = 0;
    // The step timer: tick() every `ms` until stopped.
    virtual void startStepTimer(int ms) = 0;
    virtual void stopStepTimer() = 0;
    // The port being probed (its line in the port list) and the progress.
    virtual void showPort(int index) = 0;
    virtual void showProgress(bool visible, int position, int maximum) = 0;
    // The end of a scan.
    virtual void adapterFound(const std::string& port) = 0;
    // No port answered; `deniedPorts` could not be opened for lack of permission.
    virtual void adapterNotFound(const std::vector<std::string>& deniedPorts) = 0;
};

class PortScan {
public:
    enum class State { Idle, Waiting, Probing };

    explicit PortScan(PortScanHost& host) : host_(host) {}

    // Starts a scan over `ports` from the first one (a running scan starts over).
    void start(std::vector<std::string> ports);
    // Stops the scan and closes the probe port at once (OK, Cancel, closing the dialog).
    void stop();
    // The step timer's tick: the current port had its time, the next one is tried.
    void tick();
    // The one-second wait after opening has passed: the probe goes out.
    void waitElapsed();
    // A byte from the probe port.
    void byte(uint8_t b);

    State state() const { return state_; }
    bool running() const { return running_; }
    int current() const { return current_; }

private:
    void probe(int index);
    void finish();

    PortScanHost& host_;
    std::vector<std::string> ports_;
    std::vector<std::string> denied_;
    std::vector<uint8_t> rx_;
    State state_ = State::Idle;
    bool running_ = false;
    bool portOpen_ = false;
    int current_ = -1;
};

} // namespace lc
