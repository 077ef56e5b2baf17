#pragma once
// The serial link to the knitting machine's adapter: five port slots, each an
// exclusively opened termios device in raw mode with its own reader thread.
// The Link page owns the program's one link.
//
// Results are plain codes: 0 success, 1 a slot that is not open / no free slot /
// a count outside 1..129, 29 a short write, anything else the errno of the
// failing call (ENOENT 2, EBUSY 16, ...).
//
// All functions except the sink callback are called from one thread (the GUI
// thread). The reader thread never waits for that thread: it copies what it
// read and hands it to the slot's sink, tagged with the slot's open generation.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace lc {

inline constexpr int kSerialSlotCount = 5;
inline constexpr uint32_t kSerialOk = 0;
inline constexpr uint32_t kSerialNotOpen = 1;
inline constexpr uint32_t kSerialWriteFault = 29;
inline constexpr uint32_t kSerialMaxWrite = 129;
// Deliveries go out only for message numbers from this value on.
inline constexpr uint32_t kSerialFirstMessage = 1025;
// The delivery number of a port being probed by the adapter port scan; the
// preferences dialog (shell) registers its serial-bridge handler under it once
// built. The adapter's own bytes use kAdapterDataMessage (KnitRun.h).
inline constexpr uint32_t kPortProbeDataMessage = 45114;

// Which line settings SerialOpenPort applies.
inline constexpr int32_t kSerialSetBaud = 1;
inline constexpr int32_t kSerialSetByteSize = 2;
inline constexpr int32_t kSerialSetParity = 4;
inline constexpr int32_t kSerialSetStopBits = 8;
inline constexpr int32_t kSerialSetAll = 15;

// Parity codes (0 none, 1 odd, 2 even, 3 mark, 4 space) and stop-bit codes
// (0 one, 2 two; 1 = one and a half cannot be set on a termios port).
inline constexpr uint8_t kParityNone = 0;
inline constexpr uint8_t kOneStopBit = 0;

// Receives the bytes of an open slot. Called on the slot's reader thread, so an
// implementation copies the bytes and returns at once; it must not call back
// into the serial link.
class ISerialSink {
public:
    virtual ~ISerialSink() = default;
    virtual void onSerialBytes(int slot, uint64_t generation, uint32_t message, const uint8_t* data, size_t count) = 0;
};

// "COMn" (n >= 1, any letter case) names /dev/ttyS(n-1); any other text is
// taken as the device path itself.
std::string SerialDevicePath(std::string_view name);

class SerialLink {
public:
    SerialLink() = default;
    // Ports still open are closed in slot order, so no reader thread outlives the link.
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    uint32_t OpenPort(std::string_view device, uint32_t baudRate, uint8_t byteSize, uint8_t parity, uint8_t stopBits,
                      int32_t mask, ISerialSink* target, uint32_t message, int32_t& slot);
    uint32_t Write(int32_t slot, const void* buffer, uint32_t count);
    uint32_t ClosePort(int32_t slot);
    void CloseAll();
    int32_t FreeSlot() const;

    // The generation of the slot's current open (every open gets a new one), or 0
    // when the slot is not open. A delivery whose generation differs is stale.
    // Safe to call from any thread.
    uint64_t SlotGeneration(int32_t slot) const;
    // Number of slots opened and not yet closed.
    int OpenCount() const;

private:
    struct Slot {
        std::atomic<bool> active{false};
        std::atomic<uint64_t> generation{0};
        int fd = -1;
        int wakeFd = -1;
        std::thread reader;
        // Set before the reader starts and cleared after it has been joined, so the
        // reader reads them without a lock.
        ISerialSink* target = nullptr;
        uint32_t message = 0;
    };

    static void ReaderThread(Slot& s, int slotNo);
    uint32_t closeSlotLocked(int32_t slot);

    std::array<Slot, kSerialSlotCount> slots_;
    int openCount_ = 0;
    uint64_t nextGeneration_ = 1;
    mutable std::mutex mutex_; // serialises the calling threads; the readers never take it
};

} // namespace lc
