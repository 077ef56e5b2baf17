#pragma once
// Test peers for the serial link: a pseudo-terminal whose slave side is the
// device the program opens and whose master side plays the adapter, and a sink
// that queues the reader thread's chunks for the test thread to replay, the
// way the GUI thread does.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "knitting/SerialLink.h"

namespace lc::test {

using Bytes = std::vector<uint8_t>;

class PtyAdapter {
public:
    PtyAdapter() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        if (const char* name = ptsname(master_)) path_ = name;
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    ~PtyAdapter() { hangUp(); }
    PtyAdapter(const PtyAdapter&) = delete;
    PtyAdapter& operator=(const PtyAdapter&) = delete;

    bool ok() const { return master_ >= 0 && !path_.empty(); }
    const std::string& path() const { return path_; }
    int master() const { return master_; }

    // Writes everything, waiting while the pty's buffer is full.
    bool send(const Bytes& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
            pollfd pf{master_, POLLOUT, 0};
            if (poll(&pf, 1, 2000) <= 0 || !(pf.revents & POLLOUT)) return false; // full, or nobody listens
        }
        return true;
    }

    // Reads exactly n bytes (or fewer when none arrive for timeoutMs).
    Bytes read(size_t n, int timeoutMs = 2000) {
        Bytes out;
        uint8_t buf[512];
        while (out.size() < n) {
            pollfd pf{master_, POLLIN, 0};
            if (poll(&pf, 1, timeoutMs) <= 0 || !(pf.revents & POLLIN)) break;
            const ssize_t r = ::read(master_, buf, std::min(sizeof buf, n - out.size()));
            if (r <= 0) break;
            out.insert(out.end(), buf, buf + r);
        }
        return out;
    }

    // Whatever arrives within waitMs.
    Bytes drain(int waitMs = 50) {
        Bytes out;
        uint8_t buf[512];
        for (;;) {
            pollfd pf{master_, POLLIN, 0};
            if (poll(&pf, 1, waitMs) <= 0 || !(pf.revents & POLLIN)) break;
            const ssize_t r = ::read(master_, buf, sizeof buf);
            if (r <= 0) break;
            out.insert(out.end(), buf, buf + r);
        }
        return out;
    }

    // True once the program has closed the slave side (reads then fail with EIO).
    bool sawHangUp(int timeoutMs = 2000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        uint8_t buf[256];
        while (std::chrono::steady_clock::now() < end) {
            pollfd pf{master_, POLLIN, 0};
            poll(&pf, 1, 20);
            const ssize_t r = ::read(master_, buf, sizeof buf);
            if (r < 0 && errno == EIO) return true;
        }
        return false;
    }

    // The device vanishes.
    void hangUp() {
        if (master_ >= 0) close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string path_;
};

// Chunks from the reader threads, replayed on the test thread one byte per
// call into a handler, with the stale-generation rule of the GUI side (against
// the slots of `link`).
class QueueSink : public ISerialSink {
public:
    explicit QueueSink(const SerialLink& link) : link_(link) {}

    struct Chunk {
        int slot;
        uint64_t generation;
        uint32_t message;
        Bytes bytes;
    };

    void onSerialBytes(int slot, uint64_t generation, uint32_t message, const uint8_t* data, size_t count) override {
        std::lock_guard lock(m_);
        q_.push_back({slot, generation, message, Bytes(data, data + count)});
        received_ += count;
        cv_.notify_all();
    }

    size_t received() {
        std::lock_guard lock(m_);
        return received_;
    }

    // Waits until `total` bytes have reached the sink (or the timeout passes),
    // replaying every queued chunk into `handler`. Returns the bytes handed on.
    // `giveUp` ends the wait early (checked after each batch).
    size_t pumpUntil(size_t total, const std::function<void(uint8_t)>& handler, int timeoutMs = 3000,
                     const std::function<bool()>& giveUp = {}) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        size_t handed = 0;
        for (;;) {
            std::deque<Chunk> batch;
            bool done;
            {
                std::unique_lock lock(m_);
                cv_.wait_until(lock, end, [&] { return !q_.empty() || received_ >= total; });
                batch.swap(q_);
                done = received_ >= total;
            }
            for (const Chunk& c : batch)
                for (uint8_t b : c.bytes) {
                    if (link_.SlotGeneration(c.slot) != c.generation) break;
                    handler(b);
                    ++handed;
                }
            if (done && batch.empty()) {
                std::lock_guard lock(m_);
                if (q_.empty()) return handed;
            }
            if (std::chrono::steady_clock::now() >= end || (giveUp && giveUp())) return handed;
        }
    }

    // Replays what is queued now, without waiting.
    size_t pumpNow(const std::function<void(uint8_t)>& handler) {
        std::deque<Chunk> batch;
        {
            std::lock_guard lock(m_);
            batch.swap(q_);
        }
        size_t handed = 0;
        for (const Chunk& c : batch)
            for (uint8_t b : c.bytes) {
                if (link_.SlotGeneration(c.slot) != c.generation) break;
                handler(b);
                ++handed;
            }
        return handed;
    }

    std::vector<Chunk> take() {
        std::lock_guard lock(m_);
        std::vector<Chunk> out(q_.begin(), q_.end());
        q_.clear();
        return out;
    }

private:
    const SerialLink& link_;
    std::mutex m_;
    std::condition_variable cv_;
    std::deque<Chunk> q_;
    size_t received_ = 0;
};

inline Bytes repeat(uint8_t b, size_t n) { return Bytes(n, b); }
inline Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace lc::test
