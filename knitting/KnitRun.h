#pragma once
// The knitting run of the Link page: opens the link to the adapter (or starts
// the built-in emulator), speaks the adapter's byte protocol and drives the
// run pass by pass. Everything here runs on the GUI thread; the timers belong
// to the host, which calls the on...() operations when they expire.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/EventSoundPlayer.h"
#include "knitting/KnitRunTypes.h"

namespace lc {

// Packets from the program to the adapter.
inline constexpr std::array<uint8_t, 4> kStartPacket = {0x07, 0xF8, 0x00, 0xFF};
inline constexpr std::array<uint8_t, 8> kProbePacket = {0x05, 0xFA, 0x06, 0xF9, 0x07, 0xF8, 0x00, 0xFF};
inline constexpr uint8_t kPassPacketType = 0x01;
inline constexpr uint8_t kCamPacketType = 0x02;
inline constexpr int kPassPacketSize = 34;
inline constexpr int kCamPacketSize = 4;

// Packets from the adapter: type byte and length.
inline constexpr uint8_t kStandardPacket = 0x08; // 8 bytes
inline constexpr uint8_t kInfoPacket = 0x0C;     // 10 bytes
inline constexpr uint8_t kDataPacket = 0x0D;     // 34 bytes
inline constexpr uint8_t kTestPacket = 0x0E;     // 258 bytes
inline constexpr int kMaxAdapterPacket = 258;
int AdapterPacketLength(uint8_t type); // 0 for a byte that starts no packet

inline constexpr int kStartDelayMs = 2000;
inline constexpr int kWatchdogFirstMs = 3000;
inline constexpr int kWatchdogGapMs = 10000;
inline constexpr int kEmulatorTickMs = 100;
// The delivery number of the adapter port's bytes: the serial bridge hands
// them to the run (knitting/ui/SerialBridge), queued onto the GUI thread.
inline constexpr uint32_t kAdapterDataMessage = 45113;
// Program-side error code: no byte from the adapter in time.
inline constexpr uint16_t kErrorNoConnection = 0x800;

inline constexpr size_t kEmulatorStreamLength = 196;
extern const std::array<uint8_t, kEmulatorStreamLength> EmulatorStream;

// "AD-->" followed by " XX" per byte.
std::string FormatPacketLine(const char* prefix, const uint8_t* bytes, size_t count);

class SerialLink;
class Workspace;

class KnitRun {
public:
    enum class State { Idle, Starting, Running };

    // The run opens its port on `serial`. It reads the pattern (its width,
    // height and garment mask), the garment mode, the link settings (ACOMPort,
    // SoftEmulator, ProtocolType, ViewProtocol), the current machine and the
    // texts from `ws`. `sounds` (may be null) plays a sound after each pass
    // sent, at the end of the work and on a cam error.
    KnitRun(IKnitRunHost& host, IPassSource& source, ICamSource& cams, SerialLink& serial, const Workspace& ws,
            EventSoundPlayer* sounds = nullptr);
    ~KnitRun();
    KnitRun(const KnitRun&) = delete;
    KnitRun& operator=(const KnitRun&) = delete;

    // The page's Start: empties the log, stops a run that is up, checks the
    // drawing against the technique, empties the receive buffer and opens the
    // link. Unless ProtocolType is 1 the run then waits in the Starting state
    // for the host's start delay. False when nothing was started.
    bool Start();
    // The page's Stop (only while the link is up); also cancels a start.
    void Stop();
    // Port closed, timers off, Kniting off, controls enabled.
    void CloseOpenedComPort();
    void SetZeroRow();
    // The point-cam packet with the bed's cams, sent and logged while knitting
    // (an adapter request, or the user dropping a cam); nothing otherwise.
    void SendCamPacket();

    // Host callbacks.
    void onStartDelayElapsed();
    void onWatchdogFired();
    void onEmulatorTick();
    // The adapter port's bytes; each byte is one delivery.
    void ComDataReceived(const uint8_t* data, size_t count);

    // The first design row the technique cannot knit (more colours than it
    // allows), or -1. The host hears each row checked and the end.
    int CheckPicture();

    // Needle bits of the pass `PassCounter` into 32 wire bytes; advances it.
    void GetNextRowData(uint8_t* wireBits);
    // Sets or clears the edge needles of a 40-byte needle row in place.
    void TrimData(uint8_t* bits) const;
    void MakeError(int kind, uint16_t code);
    void AddToProtocol(const std::string& line);

    State state() const { return state_; }
    bool Running() const { return state_ == State::Running; }
    bool LinkUp() const { return state_ != State::Idle; }

    int RowCounter() const { return rowCounter_; }
    void SetRowCounter(int position) { rowCounter_ = position < 0 ? 0 : position; }
    int DesignRow() const { return designRow_; }
    void SetDesignRow(int row) { designRow_ = row; }
    uint32_t PassCounter() const { return passCounter_; }
    int CarriageSide() const { return carriageSide_; }
    void SetCarriageSide(int side) { carriageSide_ = side & 1; }
    int32_t PortSlot() const { return portSlot_; }
    uint16_t EmulatorIndex() const { return emulatorIndex_; }
    int RxCount() const { return rxCount_; }
    size_t HeldBytes() const { return held_.size(); }

    // "Wrong side" down: the bits go out unmirrored.
    bool WrongSide() const { return wrongSide_; }
    void SetWrongSide(bool down) { wrongSide_ = down; }
    // btnTrimMask down: the edge needles are forced.
    bool TrimEdges() const { return trimEdges_; }
    void SetTrimEdges(bool down) { trimEdges_ = down; }

private:
    bool TestOpenComPort();
    void PrepareToWork();
    void ReceiveByte(uint8_t b);
    void HandleReceivedPacket();
    void ProcessStandardPacket(const uint8_t* p);
    void SendPacket(const uint8_t* bytes, size_t count);
    void EndOfWork();
    void PlaySound(EventSound sound);

    IKnitRunHost& host_;
    IPassSource& source_;
    ICamSource& cams_;
    SerialLink& serial_;
    const Workspace& ws_;
    EventSoundPlayer* sounds_;

    State state_ = State::Idle;
    int rowCounter_ = 0;
    int designRow_ = 0;
    uint32_t passCounter_ = 0;
    int carriageSide_ = 0;
    int32_t portSlot_ = -1;
    bool emulator_ = false;
    bool wrongSide_ = false;
    bool trimEdges_ = true;

    std::array<uint8_t, kMaxAdapterPacket> rx_{};
    int rxCount_ = 0;
    int rxExpected_ = 0;
    std::array<uint8_t, kPassPacketSize> tx_{};
    // Bytes that arrive during the start delay, handed over after it in order.
    std::vector<uint8_t> held_;
    uint16_t emulatorIndex_ = 0;
};

} // namespace lc
