#include "knitting/KnitRun.h"

#include <algorithm>
#include <cstring>

#include "core/Workspace.h"
#include "knitting/SerialLink.h"

namespace lc {

namespace {

constexpr std::array<uint8_t, kEmulatorStreamLength> makeEmulatorStream() {
    std::array<uint8_t, kEmulatorStreamLength> s{};
    size_t i = 0;
    // Data packet: the adapter's identification.
    const char id[] = "Silver-LC COM/CEN s/n0101-0020A";
    s[i++] = kDataPacket;
    s[i++] = 0x01;
    for (size_t k = 0; k + 1 < sizeof id; ++k) s[i++] = static_cast<uint8_t>(id[k]);
    s[i++] = 0xF2;
    // Info packet.
    s[i++] = kInfoPacket;
    for (uint8_t b = 1; b <= 8; ++b) s[i++] = b;
    s[i++] = 0xF3;
    // Nineteen standard packets with the cams at needles 49 and 148.
    constexpr uint8_t status[19] = {0x05, 0x05, 0x04, 0x04, 0x04, 0x04, 0x06, 0x15, 0x0C, 0x15,
                                    0x06, 0x15, 0x0C, 0x15, 0x06, 0x15, 0x0C, 0x0C, 0x0C};
    constexpr uint8_t carriage[19] = {0x31, 0x31, 0x31, 0x31, 0x31, 0x31, 0x94, 0x31, 0x31, 0x94,
                                      0x94, 0x31, 0x31, 0x94, 0x94, 0x31, 0x31, 0x53, 0x53};
    for (int k = 0; k < 19; ++k) {
        s[i++] = kStandardPacket;
        s[i++] = status[k];
        s[i++] = 0x00;
        s[i++] = carriage[k];
        s[i++] = 0x31;
        s[i++] = 0x94;
        s[i++] = 0x00;
        s[i++] = 0xF7;
    }
    return s;
}

// Text of each adapter error bit, in the order they are reported.
struct ErrorBitText {
    uint8_t bit;
    int slot;
};
constexpr ErrorBitText kAdapterErrorTexts[] = {{0x80, 11}, {0x40, 11}, {0x20, 12}, {0x10, 13},
                                               {0x04, 27}, {0x02, 14}, {0x01, 15}};

constexpr size_t kMaxHeldBytes = 65536;

} // namespace

const std::array<uint8_t, kEmulatorStreamLength> EmulatorStream = makeEmulatorStream();

int AdapterPacketLength(uint8_t type) {
    switch (type) {
    case kStandardPacket: return 8;
    case kInfoPacket: return 10;
    case kDataPacket: return 34;
    case kTestPacket: return 258;
    default: return 0;
    }
}

std::string FormatPacketLine(const char* prefix, const uint8_t* bytes, size_t count) {
    static const char hex[] = "0123456789ABCDEF";
    std::string line(prefix);
    line.reserve(line.size() + count * 3);
    for (size_t i = 0; i < count; ++i) {
        line += ' ';
        line += hex[bytes[i] >> 4];
        line += hex[bytes[i] & 0x0F];
    }
    return line;
}

KnitRun::KnitRun(IKnitRunHost& host, IPassSource& source, ICamSource& cams, SerialLink& serial, const Workspace& ws,
                 EventSoundPlayer* sounds)
    : host_(host), source_(source), cams_(cams), serial_(serial), ws_(ws), sounds_(sounds) {}

KnitRun::~KnitRun() {
    // The port must not outlive the run whose sink it feeds.
    if (portSlot_ >= 0) serial_.ClosePort(portSlot_);
}

void KnitRun::AddToProtocol(const std::string& line) {
    if (ws_.Settings.ViewProtocol > 0) host_.appendProtocol(line);
}

void KnitRun::PlaySound(EventSound sound) {
    if (sounds_) sounds_->playEventSound(sound);
}

void KnitRun::SendPacket(const uint8_t* bytes, size_t count) {
    // A failed write shows up as the adapter's silence or its error bits; with
    // the emulator the slot is not open and the write is dropped.
    serial_.Write(portSlot_, bytes, static_cast<uint32_t>(count));
    AddToProtocol(FormatPacketLine("PC-->", bytes, count));
}

int KnitRun::CheckPicture() {
    const int height = ws_.Raster.Height;
    int bad = -1;
    for (int y = 0; y < height && bad < 0; ++y) {
        host_.checkProgress(y);
        if (source_.CheckRow(y) == kRowTooManyColors) bad = y;
    }
    host_.checkEnded();
    return bad;
}

bool KnitRun::Start() {
    if (state_ == State::Starting) return false; // Start is disabled during the start delay
    host_.clearProtocol();
    if (LinkUp()) CloseOpenedComPort();

    // Rows the technique cannot knit are refused before anything is knitted.
    const int bad = CheckPicture();
    if (bad >= 0) {
        std::string text = ws_.UIText[23];
        const auto at = text.find("&&1");
        if (at != std::string::npos) text.replace(at, 3, std::to_string(bad));
        host_.postMessageBox({text, ws_.UIText[28], RunBoxIcon::Warning});
        return false;
    }

    // A partial packet left over from an earlier run must not prefix this one.
    rxCount_ = 0;
    rxExpected_ = 0;
    held_.clear();

    if (!TestOpenComPort()) return false;
    if (state_ != State::Starting) PrepareToWork();
    return true;
}

bool KnitRun::TestOpenComPort() {
    emulator_ = ws_.Settings.SoftEmulator >= 1;
    if (emulator_) {
        portSlot_ = -1;
        host_.startEmulator();
    } else {
        int32_t slot = portSlot_;
        const uint32_t r = serial_.OpenPort(ws_.Settings.ACOMPort, 9600, 8, kParityNone, kOneStopBit, kSerialSetAll,
                                            host_.serialSink(), kAdapterDataMessage, slot);
        if (r != kSerialOk) {
            host_.postMessageBox({ws_.UIText[34], ws_.UIText[35], RunBoxIcon::Error});
            return false;
        }
        portSlot_ = slot;
    }
    host_.linkStateChanged(true);
    // With protocol type 1 there is neither the wait nor the start packet and
    // the caller prepares the run at once.
    if (ws_.Settings.ProtocolType != 1) {
        state_ = State::Starting;
        host_.armStartDelay(kStartDelayMs);
    }
    return true;
}

void KnitRun::onStartDelayElapsed() {
    if (state_ != State::Starting) return; // cancelled by Stop
    AddToProtocol("PC --> STANDARD PAKET, START");
    serial_.Write(portSlot_, kStartPacket.data(), kStartPacket.size());
    PrepareToWork();
    // What arrived during the wait is handed over now, in order; it stops
    // as soon as one of those bytes ends the run.
    std::vector<uint8_t> held;
    held.swap(held_);
    for (uint8_t b : held) {
        if (state_ != State::Running) break;
        ReceiveByte(b);
    }
}

void KnitRun::PrepareToWork() {
    passCounter_ = static_cast<uint32_t>(rowCounter_);
    carriageSide_ = (rowCounter_ + source_.StartSide()) % 2;
    if (carriageSide_ < 0) carriageSide_ += 2;
    source_.PrepareRun(rowCounter_);
    state_ = State::Running;
    host_.drawLine();
    host_.armWatchdog(kWatchdogFirstMs);
}

void KnitRun::Stop() {
    if (LinkUp()) CloseOpenedComPort();
}

void KnitRun::CloseOpenedComPort() {
    const bool wasUp = LinkUp();
    state_ = State::Idle;
    held_.clear();
    host_.cancelStartDelay();
    if (portSlot_ >= 0) serial_.ClosePort(portSlot_);
    // Forget the slot: a later close must never hit a port someone else opened there.
    portSlot_ = -1;
    host_.stopWatchdog();
    host_.stopEmulator();
    if (wasUp) host_.linkStateChanged(false);
}

void KnitRun::SetZeroRow() {
    designRow_ = 0;
    rowCounter_ = 0;
    passCounter_ = 0;
}

void KnitRun::onWatchdogFired() {
    if (state_ != State::Running) return;
    CloseOpenedComPort();
    MakeError(1, kErrorNoConnection);
}

void KnitRun::onEmulatorTick() {
    if (!emulator_ || state_ != State::Running) return;
    const uint8_t b = EmulatorStream[emulatorIndex_];
    emulatorIndex_ = static_cast<uint16_t>((emulatorIndex_ + 1) % kEmulatorStreamLength);
    ReceiveByte(b);
}

void KnitRun::ComDataReceived(const uint8_t* data, size_t count) {
    for (size_t i = 0; i < count; ++i) ReceiveByte(data[i]);
}

void KnitRun::ReceiveByte(uint8_t b) {
    if (state_ == State::Starting) {
        if (held_.size() < kMaxHeldBytes) held_.push_back(b);
        return;
    }
    if (state_ == State::Running) {
        host_.stopWatchdog();
        host_.armWatchdog(kWatchdogGapMs);
    }
    if (rxCount_ >= kMaxAdapterPacket) { // cannot happen with one byte per delivery
        rxCount_ = 0;
        rxExpected_ = 0;
    }
    rx_[rxCount_++] = b;
    rxExpected_ = AdapterPacketLength(rx_[0]);
    if (rxExpected_ == 0) {
        rxCount_ = 0;
        return;
    }
    if (rxCount_ < rxExpected_) return;
    if ((rx_[rxExpected_ - 1] ^ 0xFF) != rx_[0]) {
        rxCount_ = 0;
        rxExpected_ = 0;
        return;
    }
    const int length = rxExpected_;
    HandleReceivedPacket();
    if (rxCount_ >= length) {
        rxCount_ -= length;
        std::memmove(rx_.data(), rx_.data() + length, static_cast<size_t>(rxCount_));
    }
}

void KnitRun::HandleReceivedPacket() {
    switch (rx_[0]) {
    case kStandardPacket: ProcessStandardPacket(rx_.data()); break;
    case kInfoPacket: AddToProtocol(FormatPacketLine("AD-Info->", rx_.data(), 10)); break;
    case kDataPacket: AddToProtocol(FormatPacketLine("AD-Data->", rx_.data(), 34)); break;
    case kTestPacket: AddToProtocol("AD-Test-><Test data>"); break;
    default: break;
    }
}

void KnitRun::ProcessStandardPacket(const uint8_t* p) {
    AddToProtocol(FormatPacketLine("AD-->", p, 8));
    if (state_ != State::Running) return;
    const uint8_t status = p[1];
    if (status >= 0x80) {
        MakeError(2, p[2]);
        return;
    }
    if (status & 0x01) {
        tx_.fill(0);
        GetNextRowData(tx_.data() + 1);
        tx_[0] = kPassPacketType;
        tx_[33] = 0xFE;
        SendPacket(tx_.data(), kPassPacketSize);
    }
    if (status & 0x04) SendCamPacket();
    if (status & 0x10) {
        const int left = p[4];
        const int right = p[5];
        // A cam needle the machine does not have is as wrong as cams out of
        // order. Cams beyond a narrower pattern are accepted; every needle
        // index derived from them is kept within the pattern.
        if (!(right > left && right < ws_.CurrentMachine.Needles)) {
            MakeError(2, 1);
            PlaySound(EventSound::WorkDoneOrCamError);
        } else {
            cams_.SetCams(left, right);
            ++rowCounter_;
            const uint32_t next = static_cast<uint32_t>(rowCounter_);
            // The work ends when no pass ahead knits a row below RowCount (a
            // pass table ends with its table, whatever PassToRow answers past
            // it). A pass mapped past the last row mid-cycle leaves the row shown.
            if (source_.WorkDone(next)) {
                EndOfWork();
            } else {
                const int row = source_.PassToRow(next);
                if (row < source_.RowCount()) designRow_ = row;
            }
        }
        host_.drawLine();
    }
    if (status & 0x02) carriageSide_ = 0;
    if (status & 0x08) carriageSide_ = 1;
}

void KnitRun::SendCamPacket() {
    if (state_ != State::Running) return;
    const uint8_t cam[kCamPacketSize] = {kCamPacketType, static_cast<uint8_t>(cams_.LSPos() & 0xFF),
                                         static_cast<uint8_t>((cams_.RSPos() - 1) & 0xFF), 0xFD};
    SendPacket(cam, kCamPacketSize);
}

void KnitRun::EndOfWork() {
    CloseOpenedComPort();
    SetZeroRow();
    PlaySound(EventSound::WorkDoneOrCamError);
    host_.postMessageBox({ws_.UIText[33], ws_.UIText[32], RunBoxIcon::Warning});
}

void KnitRun::GetNextRowData(uint8_t* wireBits) {
    NeedleRow bits{};
    const int width = std::min(ws_.Raster.Width, kMaxNeedles);
    if (width > 0) {
        const size_t bytes = static_cast<size_t>((width - 1) / 8 + 1);
        if (source_.Kind() == tkFineLace) {
            NeedleRow entry{};
            if (source_.GetPassEntry(passCounter_, entry.data())) std::memcpy(bits.data(), entry.data(), bytes);
        } else {
            source_.GetPassNeedles(passCounter_, bits.data());
        }
        // Nothing past the pattern's last needle goes on the wire.
        for (int n = width; n < static_cast<int>(bytes) * 8; ++n) ClearNeedleBit(bits.data(), n);
        std::fill(bits.begin() + static_cast<std::ptrdiff_t>(bytes), bits.end(), uint8_t{0});
        TrimData(bits.data());
        if (!wrongSide_) MirrorNeedleRow(bits.data(), width);
    }
    std::memcpy(wireBits, bits.data(), kWireRowBytes);
    ++passCounter_;
    PlaySound(EventSound::PassSent);
}

void KnitRun::TrimData(uint8_t* bits) const {
    if (!trimEdges_) return;
    const int mode = source_.EdgeMode();
    if (mode != 1 && mode != 2) return;
    const int width = std::min(ws_.Raster.Width, kMaxNeedles);
    if (width <= 0) return;
    const int last = width - 1;

    // a: the lower bit index, b: the higher one. The bits are in pattern-column
    // order; mirrored (right side facing) column i goes to needle width-1-i, so
    // the cams' needles sit at width-RSPos and width-1-LSPos. Unmirrored
    // (wrong side) column i is needle i, and the cams' needles are the indices.
    const int ls = cams_.LSPos();
    const int rs = cams_.RSPos();
    int a = wrongSide_ ? ls : width - rs;
    int b = wrongSide_ ? rs - 1 : last - ls;

    if (ws_.Editor.GarmentMode) {
        const int row = designRow_ - 1;
        int ga = last - ws_.Raster.MaskRowRightEdge(row);
        if (ga == last) ga = 0;
        int gb = last - ws_.Raster.MaskRowLeftEdge(row);
        if (gb == 0) gb = last;
        // A row without inside cells has no edges of its own: the cams decide.
        if (ga < 0 || ga > last || gb < 0 || gb > last || ga > gb) {
            ga = 0;
            gb = last;
        }
        a = std::max(a, ga);
        b = std::min(b, gb);
    }
    a = std::clamp(a, 0, last);
    b = std::clamp(b, 0, last);

    const bool set = source_.EdgeValue() != 0;
    auto apply = [&](int n) {
        if (n < 0 || n > last) return;
        if (set) SetNeedleBit(bits, n);
        else ClearNeedleBit(bits, n);
    };
    apply(a);
    apply(b);
    if (mode == 2) {
        apply(a + 1);
        apply(b - 1);
    }
}

void KnitRun::MakeError(int kind, uint16_t code) {
    CloseOpenedComPort();
    std::string text = ws_.UIText[3] + std::to_string(code) + "\x0A\x0D";
    if (kind == 2) {
        for (const ErrorBitText& e : kAdapterErrorTexts)
            if (code & e.bit) text += ws_.UIText[e.slot];
    } else if (kind == 1) {
        if (code & kErrorNoConnection) text += ws_.UIText[9];
    }
    AddToProtocol("ERROR-->" + text);
    host_.postMessageBox({text, ws_.UIText[28], RunBoxIcon::Error});
}

} // namespace lc
