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
    while (!rx_.empty()) {
        const int length = AdapterPacketLength(rx_[0]);
        if (length == 0) {
            rx_.erase(rx_.begin());
            continue;
        }
        if (static_cast<int>(rx_.size()) < length) return;
        if ((rx_[static_cast<size_t>(length) - 1] ^ 0xFF) == rx_[0]) {
            portOpen_ = false;
            host_.closeProbePortLater();
            const std::string port = ports_[static_cast<size_t>(current_)];
            finish();
            host_.adapterFound(port);
            return;
        }
        rx_.erase(rx_.begin());
    }
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
