#include "shell/PortScan.h"

#include <cerrno>

#include "knitting/KnitRun.h"

namespace lc {

void PortScan::start(std::vector<std::string> ports) {
    stop();
    ports_ = std::move(ports);
    denied_.clear();
    current_ = -1;
    running_ = true;
    host_.showProgress(true, 1, static_cast<int>(ports_.size()));
    host_.startStepTimer(kScanStepMs);
    if (ports_.empty()) {
        // Nothing to probe: the first step ends the scan.
        state_ = State::Probing;
        return;
    }
    probe(0);
}

void PortScan::probe(int index) {
    current_ = index;
    rx_.clear();
    host_.showPort(index);
    host_.showProgress(true, index + 1, static_cast<int>(ports_.size()));
    const int err = host_.openProbePort(ports_[static_cast<size_t>(index)]);
    if (err != 0) {
        // Skipped; the next step tries the next port.
        if (err == EACCES || err == EPERM) denied_.push_back(ports_[static_cast<size_t>(index)]);
        state_ = State::Probing;
        return;
    }
    portOpen_ = true;
    state_ = State::Waiting;
    host_.startWait(kProbeDelayMs);
}

void PortScan::waitElapsed() {
    if (!running_ || state_ != State::Waiting || !portOpen_) return;
    state_ = State::Probing;
    host_.writeProbe();
}

void PortScan::tick() {
    if (!running_) return;
    host_.cancelWait();
    if (portOpen_) {
        portOpen_ = false;
        host_.closeProbePort();
    }
    if (current_ + 1 >= static_cast<int>(ports_.size())) {
        finish();
        host_.adapterNotFound(denied_);
        return;
    }
    probe(current_ + 1);
}

void PortScan::byte(uint8_t b) {
    if (!running_ || !portOpen_) return;
    // Only a whole adapter packet counts: its type byte, its length and the
    // type's complement as the last byte. Anything else (noise, an echo of the
    // probe) is skipped byte by byte.
    rx_.push_back(b);
    // A packet may start at any byte received so far (noise before it may
    // look like the start of a longer packet): a well-formed one ending here wins.
    const size_t n = rx_.size();
    for (size_t i = 0; i < n; ++i) {
        const size_t length = static_cast<size_t>(AdapterPacketLength(rx_[i]));
        if (length == 0 || i + length != n) continue;
        if ((rx_[n - 1] ^ 0xFF) != rx_[i]) continue;
        portOpen_ = false;
        host_.closeProbePortLater();
        const std::string port = ports_[static_cast<size_t>(current_)];
        finish();
        host_.adapterFound(port);
        return;
    }
    // No packet is longer than this: older bytes cannot start one any more.
    if (rx_.size() >= static_cast<size_t>(kMaxAdapterPacket)) rx_.erase(rx_.begin());
}

void PortScan::finish() {
    running_ = false;
    state_ = State::Idle;
    host_.stopStepTimer();
    host_.cancelWait();
    host_.showProgress(false, 0, 0);
}

void PortScan::stop() {
    if (portOpen_) {
        portOpen_ = false;
        host_.closeProbePort();
    }
    if (running_) finish();
    rx_.clear();
}

} // namespace lc
