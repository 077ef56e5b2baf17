#pragma once
// The serial link to the knitting machine's adapter: five port slots, each an
// exclusively opened termios device in raw mode with its own reader thread.
//
// Results are plain codes: 0 success, 1 a slot that is not open / no free slot /
// a count outside 1..129, 29 a short write, anything else the errno of the
// failing call (ENOENT 2, EBUSY 16, ...).
//
// All functions except the sink callback are called from one thread (the GUI
// thread). The reader thread never waits for that thread: it copies what it
// read and hands it to the slot's sink, tagged with the slot's open generation.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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
    virtual void onSerialBytes(int slot, uint64_t generation, uint32_t message, const uint8_t* data,
                               size_t count) = 0;
};

// "COMn" (n >= 1, any letter case) names /dev/ttyS(n-1); any other text is
// taken as the device path itself.
std::string SerialDevicePath(std::string_view name);

uint32_t SerialOpenPort(std::string_view device, uint32_t baudRate, uint8_t byteSize, uint8_t parity,
                        uint8_t stopBits, int32_t mask, ISerialSink* target, uint32_t message,
                        int32_t& slot);
uint32_t SerialWrite(int32_t slot, const void* buffer, uint32_t count);
uint32_t SerialClosePort(int32_t slot);
void SerialCloseAll();
int32_t SerialFreeSlot();

// The generation of the slot's current open (every open gets a new one), or 0
// when the slot is not open. A delivery whose generation differs is stale.
// Safe to call from any thread.
uint64_t SerialSlotGeneration(int32_t slot);
// Number of slots opened and not yet closed.
int SerialOpenCount();

} // namespace lc
