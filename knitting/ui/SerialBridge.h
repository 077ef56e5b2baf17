#pragma once
// Hands the serial link's bytes from its reader threads to the GUI thread, and
// gives the knitting run its timers and its deferred message boxes.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>

#include "knitting/KnitRunTypes.h"
#include "knitting/SerialLink.h"

namespace lc {
class KnitRun;
} // namespace lc

namespace lc::ui {

// The serial link's sink. A chunk read on a reader thread is copied and posted
// to the GUI thread (queued); there it is handed to the handler of its message
// number one byte per call, in order. Bytes of a port that has been closed
// since they were read (a stale generation) are dropped, also in the middle of
// a chunk when a byte's handling closes the port. Every port opened with this
// sink must be closed before the bridge is destroyed (the run closes its own).
class SerialBridge : public QObject, public ISerialSink {
    Q_OBJECT
public:
    using ByteHandler = std::function<void(uint8_t)>;

    // Bytes are checked against the generations of `link`'s slots.
    explicit SerialBridge(const SerialLink& link, QObject* parent = nullptr);

    // GUI thread only.
    void setHandler(uint32_t message, ByteHandler handler);
    void removeHandler(uint32_t message);

    // Reader thread.
    void onSerialBytes(int slot, uint64_t generation, uint32_t message, const uint8_t* data, size_t count) override;

private:
    void deliver(int slot, quint64 generation, quint32 message, const QByteArray& bytes);

    const SerialLink& link_;
    std::map<uint32_t, ByteHandler> handlers_;
};

// The knitting run's host on the Qt side: the watchdog (single shot), the
// emulator tick (100 ms) and the start delay (single shot) as precise QTimers
// (never firing before their time), and the
// run's page notifications as signals. Message boxes are emitted only after
// the current event has been handled, never from inside the byte handler.
class RunTimerHost : public QObject, public IKnitRunHost {
    Q_OBJECT
public:
    explicit RunTimerHost(SerialBridge& bridge, QObject* parent = nullptr);

    // The run whose callbacks the timers call; it also gets the bridge's
    // adapter-data bytes.
    void attach(KnitRun* run);
    // When set, the deferred boxes are shown as modal message boxes owned by it.
    void setBoxParent(QWidget* parent) { boxParent_ = parent; }

    QTimer& watchdogTimer() { return watchdog_; }
    QTimer& emulatorTimer() { return emulator_; }
    QTimer& startDelayTimer() { return startDelay_; }

    void armWatchdog(int ms) override;
    void stopWatchdog() override;
    void startEmulator() override;
    void stopEmulator() override;
    void armStartDelay(int ms) override;
    void cancelStartDelay() override;
    void appendProtocol(const std::string& line) override;
    void clearProtocol() override;
    void postMessageBox(const RunMessageBox& box) override;
    void linkStateChanged(bool up) override;
    void drawLine() override;
    ISerialSink* serialSink() override { return &bridge_; }

signals:
    void protocolLine(const QString& line);
    void protocolCleared();
    void messageBoxRequested(const QString& text, const QString& caption, bool errorIcon);
    void linkChanged(bool up);
    void drawLineRequested();

private:
    SerialBridge& bridge_;
    KnitRun* run_ = nullptr;
    QTimer watchdog_;
    QTimer emulator_;
    QTimer startDelay_;
    QPointer<QWidget> boxParent_;
};

} // namespace lc::ui
