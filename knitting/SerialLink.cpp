#include "knitting/SerialLink.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace lc {

namespace {

// After a hang-up or a read error the device stays "readable" for poll(); the
// reader then waits on its wake-up descriptor alone for this long before it
// looks again, so an unplugged adapter costs no processor time.
constexpr int kBackOffMs = 100;
// Bounds for the blocking parts of write and close, so a stuck device can never
// hang the caller.
constexpr int kWriteTimeoutMs = 2000;
constexpr int kDrainTimeoutMs = 1000;

bool validSlot(int32_t slot) { return slot >= 0 && slot < kSerialSlotCount; }

speed_t speedOf(uint32_t baud) {
    switch (baud) {
    case 110: return B110;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
    }
}

// Raw mode always (a cooked tty would translate 0x0D, swallow 0x11/0x13, raise
// signals on 0x03 and echo the adapter's bytes back to it), no flow control,
// reads that return at once; then the line settings the mask selects.
int configure(int fd, uint32_t baud, uint8_t byteSize, uint8_t parity, uint8_t stopBits, int32_t mask) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return errno;
    // cfmakeraw also forces 8 bits and no parity; a setting the mask leaves
    // out keeps the port's own value, so those bits are put back.
    const tcflag_t lineBits = t.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    cfmakeraw(&t);
    t.c_cflag = (t.c_cflag & ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB)) | lineBits;
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~CRTSCTS;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (mask & kSerialSetBaud) {
        const speed_t s = speedOf(baud);
        if (s == B0) return EINVAL;
        if (cfsetispeed(&t, s) != 0 || cfsetospeed(&t, s) != 0) return errno;
    }
    if (mask & kSerialSetByteSize) {
        tcflag_t cs;
        switch (byteSize) {
        case 5: cs = CS5; break;
        case 6: cs = CS6; break;
        case 7: cs = CS7; break;
        case 8: cs = CS8; break;
        default: return EINVAL;
        }
        t.c_cflag = (t.c_cflag & ~CSIZE) | cs;
    }
    if (mask & kSerialSetParity) {
        t.c_cflag &= ~(PARENB | PARODD | CMSPAR);
        switch (parity) {
        case 0: break;
        case 1: t.c_cflag |= PARENB | PARODD; break;
        case 2: t.c_cflag |= PARENB; break;
        case 3: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
        case 4: t.c_cflag |= PARENB | CMSPAR; break;
        default: return EINVAL;
        }
    }
    if (mask & kSerialSetStopBits) {
        switch (stopBits) {
        case 0: t.c_cflag &= ~CSTOPB; break;
        case 2: t.c_cflag |= CSTOPB; break;
        default: return EINVAL;
        }
    }
    if (tcsetattr(fd, TCSANOW, &t) != 0) return errno;
    return 0;
}

void closeQuietly(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// Waits, bounded, until the driver has sent what it holds.
void drainBounded(int fd) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kDrainTimeoutMs);
    for (;;) {
        int pending = 0;
        if (ioctl(fd, TIOCOUTQ, &pending) != 0 || pending <= 0) return;
        if (Clock::now() >= deadline) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

void SerialLink::ReaderThread(Slot& s, int slotNo) {
    const uint64_t generation = s.generation.load(std::memory_order_acquire);
    uint8_t buffer[256];
    bool backOff = false;
    while (s.active.load(std::memory_order_acquire)) {
        if (backOff) {
            backOff = false;
            pollfd w{s.wakeFd, POLLIN, 0};
            poll(&w, 1, kBackOffMs);
            continue;
        }
        pollfd fds[2] = {{s.fd, POLLIN, 0}, {s.wakeFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno != EINTR) backOff = true;
            continue;
        }
        if (fds[1].revents) {
            uint64_t v;
            [[maybe_unused]] ssize_t r = read(s.wakeFd, &v, sizeof v);
            continue; // the flag decides
        }
        if (fds[0].revents & POLLIN) {
            const ssize_t n = read(s.fd, buffer, sizeof buffer);
            if (n > 0) {
                if (s.target && s.message >= kSerialFirstMessage && s.active.load(std::memory_order_acquire))
                    s.target->onSerialBytes(slotNo, generation, s.message, buffer, static_cast<size_t>(n));
                continue;
            }
            // Readable but nothing to read: the other end has gone.
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) backOff = true;
            continue;
        }
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) backOff = true;
    }
}

uint32_t SerialLink::closeSlotLocked(int32_t slot) {
    if (!validSlot(slot)) return kSerialNotOpen;
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (!s.active.load(std::memory_order_acquire)) return kSerialNotOpen;
    s.active.store(false, std::memory_order_release);
    --openCount_;

    drainBounded(s.fd);
    // Only what came in and was not read is thrown away. The output side is
    // never flushed: on a pseudo-terminal, and on USB adapters whose queue
    // reads empty before the bytes have left, that would discard the last
    // packet the adapter has not read yet. A failed purge (an unplugged device)
    // still closes the port and frees the slot; its error is what the caller
    // gets back.
    int purgeError = 0;
    if (tcflush(s.fd, TCIFLUSH) != 0) purgeError = errno;

    const uint64_t one = 1;
    [[maybe_unused]] ssize_t w = write(s.wakeFd, &one, sizeof one);
    if (s.reader.joinable()) s.reader.join();
    s.target = nullptr;
    s.message = 0;
    s.generation.store(0, std::memory_order_release);

    closeQuietly(s.wakeFd);
    int closeError = 0;
    if (close(s.fd) != 0) closeError = errno;
    s.fd = -1;
    if (purgeError) return static_cast<uint32_t>(purgeError);
    return static_cast<uint32_t>(closeError);
}

SerialLink::~SerialLink() { CloseAll(); }

std::string SerialDevicePath(std::string_view name) {
    if (name.size() > 3 && std::toupper(static_cast<unsigned char>(name[0])) == 'C' &&
        std::toupper(static_cast<unsigned char>(name[1])) == 'O' &&
        std::toupper(static_cast<unsigned char>(name[2])) == 'M') {
        long n = 0;
        bool digits = name.size() - 3 <= 6;
        for (size_t i = 3; digits && i < name.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i]))) digits = false;
            else n = n * 10 + (name[i] - '0');
        }
        if (digits && n >= 1) return "/dev/ttyS" + std::to_string(n - 1);
    }
    return std::string(name);
}

int32_t SerialLink::FreeSlot() const {
    for (int i = 0; i < kSerialSlotCount; ++i)
        if (!slots_[static_cast<size_t>(i)].active.load(std::memory_order_acquire)) return i;
    return -1;
}

uint32_t SerialLink::OpenPort(std::string_view device, uint32_t baudRate, uint8_t byteSize, uint8_t parity,
                              uint8_t stopBits, int32_t mask, ISerialSink* target, uint32_t message, int32_t& slot) {
    std::lock_guard lock(mutex_);
    if (openCount_ < 0 || openCount_ > kSerialSlotCount - 1) return kSerialNotOpen;
    const int32_t saved = slot;
    const int32_t free = FreeSlot();
    if (free < 0) return kSerialNotOpen;

    const std::string path = SerialDevicePath(device);
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return static_cast<uint32_t>(errno);

    auto fail = [&](int code) {
        closeQuietly(fd);
        slot = saved;
        return static_cast<uint32_t>(code ? code : EIO);
    };
    // No sharing: TIOCEXCL refuses later opens (except to root), the lock
    // refuses a second open by anyone, root included.
    if (ioctl(fd, TIOCEXCL) != 0) return fail(errno);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) return fail(errno == EWOULDBLOCK ? EBUSY : errno);
    if (int e = configure(fd, baudRate, byteSize, parity, stopBits, mask)) return fail(e);
    // Reads block in poll(), never in read(); writes wait in poll() with a bound.

    Slot& s = slots_[static_cast<size_t>(free)];
    s.wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (s.wakeFd < 0) return fail(errno);
    s.fd = fd;
    s.target = target;
    s.message = message;
    s.generation.store(nextGeneration_++, std::memory_order_release);
    s.active.store(true, std::memory_order_release);
    try {
        s.reader = std::thread(ReaderThread, std::ref(s), static_cast<int>(free));
    } catch (const std::system_error& e) {
        s.active.store(false, std::memory_order_release);
        s.generation.store(0, std::memory_order_release);
        s.target = nullptr;
        s.message = 0;
        closeQuietly(s.wakeFd);
        s.fd = -1;
        return fail(e.code().value());
    }
    ++openCount_;
    slot = free;
    return kSerialOk;
}

uint32_t SerialLink::Write(int32_t slot, const void* buffer, uint32_t count) {
    std::lock_guard lock(mutex_);
    if (!validSlot(slot) || !slots_[static_cast<size_t>(slot)].active.load(std::memory_order_acquire))
        return kSerialNotOpen;
    if (count == 0 || count > kSerialMaxWrite || buffer == nullptr) return kSerialNotOpen;
    const int fd = slots_[static_cast<size_t>(slot)].fd;
    const auto* p = static_cast<const uint8_t*>(buffer);
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    uint32_t done = 0;
    while (done < count) {
        const ssize_t n = write(fd, p + done, count - done);
        if (n > 0) {
            done += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return static_cast<uint32_t>(errno);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) break;
        pollfd pf{fd, POLLOUT, 0};
        if (poll(&pf, 1, static_cast<int>(left)) <= 0) break;
        if (pf.revents & (POLLERR | POLLHUP | POLLNVAL)) break;
    }
    return done == count ? kSerialOk : kSerialWriteFault;
}

uint32_t SerialLink::ClosePort(int32_t slot) {
    std::lock_guard lock(mutex_);
    return closeSlotLocked(slot);
}

void SerialLink::CloseAll() {
    std::lock_guard lock(mutex_);
    for (int i = 0; i < kSerialSlotCount; ++i) closeSlotLocked(i);
}

uint64_t SerialLink::SlotGeneration(int32_t slot) const {
    if (!validSlot(slot)) return 0;
    return slots_[static_cast<size_t>(slot)].generation.load(std::memory_order_acquire);
}

int SerialLink::OpenCount() const {
    std::lock_guard lock(mutex_);
    return openCount_;
}

} // namespace lc
