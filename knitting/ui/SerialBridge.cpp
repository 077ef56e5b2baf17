#include "knitting/ui/SerialBridge.h"

#include <QMessageBox>
#include <QMetaObject>

#include "knitting/KnitRun.h"

namespace lc::ui {

SerialBridge::SerialBridge(const SerialLink& link, QObject* parent) : QObject(parent), link_(link) {}

void SerialBridge::setHandler(uint32_t message, ByteHandler handler) { handlers_[message] = std::move(handler); }

void SerialBridge::removeHandler(uint32_t message) { handlers_.erase(message); }

void SerialBridge::onSerialBytes(int slot, uint64_t generation, uint32_t message, const uint8_t* data, size_t count) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
    const quint64 gen = generation;
    const quint32 msg = message;
    QMetaObject::invokeMethod(
        this, [this, slot, gen, msg, bytes] { deliver(slot, gen, msg, bytes); }, Qt::QueuedConnection);
}

void SerialBridge::deliver(int slot, quint64 generation, quint32 message, const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (link_.SlotGeneration(slot) != generation) return;
        auto it = handlers_.find(message);
        if (it == handlers_.end() || !it->second) return;
        it->second(static_cast<uint8_t>(bytes[i]));
    }
}

RunTimerHost::RunTimerHost(SerialBridge& bridge, QObject* parent) : QObject(parent), bridge_(bridge) {
    // Coarse timers may fire up to 5 % early (a start packet under two seconds
    // after the port opened, a watchdog ending the run after 9.8 s of silence);
    // precise ones never fire before their interval has passed.
    for (QTimer* t : {&watchdog_, &emulator_, &startDelay_}) t->setTimerType(Qt::PreciseTimer);
    watchdog_.setSingleShot(true);
    watchdog_.setInterval(kWatchdogFirstMs);
    emulator_.setSingleShot(false);
    emulator_.setInterval(kEmulatorTickMs);
    startDelay_.setSingleShot(true);
    startDelay_.setInterval(kStartDelayMs);
    connect(&watchdog_, &QTimer::timeout, this, [this] {
        watchdog_.setInterval(kWatchdogFirstMs);
        if (run_) run_->onWatchdogFired();
    });
    connect(&emulator_, &QTimer::timeout, this, [this] {
        if (run_) run_->onEmulatorTick();
    });
    connect(&startDelay_, &QTimer::timeout, this, [this] {
        if (run_) run_->onStartDelayElapsed();
    });
}

void RunTimerHost::attach(KnitRun* run) {
    run_ = run;
    if (run) {
        bridge_.setHandler(kAdapterDataMessage, [run](uint8_t b) { run->ComDataReceived(&b, 1); });
    } else {
        bridge_.removeHandler(kAdapterDataMessage);
    }
}

void RunTimerHost::armWatchdog(int ms) {
    watchdog_.stop();
    watchdog_.setInterval(ms);
    watchdog_.start();
}

void RunTimerHost::stopWatchdog() { watchdog_.stop(); }

void RunTimerHost::startEmulator() { emulator_.start(); }

void RunTimerHost::stopEmulator() { emulator_.stop(); }

void RunTimerHost::armStartDelay(int ms) {
    startDelay_.stop();
    startDelay_.setInterval(ms);
    startDelay_.start();
}

void RunTimerHost::cancelStartDelay() { startDelay_.stop(); }

void RunTimerHost::appendProtocol(const std::string& line) { emit protocolLine(QString::fromStdString(line)); }

void RunTimerHost::clearProtocol() { emit protocolCleared(); }

void RunTimerHost::postMessageBox(const RunMessageBox& box) {
    const QString text = QString::fromStdString(box.text);
    const QString caption = QString::fromStdString(box.caption);
    const bool error = box.icon == RunBoxIcon::Error;
    QMetaObject::invokeMethod(
        this,
        [this, text, caption, error] {
            emit messageBoxRequested(text, caption, error);
            if (boxParent_) {
                QMessageBox mb(error ? QMessageBox::Critical : QMessageBox::Warning, caption, text, QMessageBox::Ok,
                               boxParent_);
                mb.exec();
            }
        },
        Qt::QueuedConnection);
}

void RunTimerHost::linkStateChanged(bool up) { emit linkChanged(up); }

void RunTimerHost::drawLine() { emit drawLineRequested(); }

} // namespace lc::ui
