#include "core/ui/LcApplication.h"

#include <QMessageBox>
#include <QTimer>
#include <exception>

#include "core/Errors.h"

namespace lc::ui {

LcApplication::LcApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QStringLiteral("Orvan Solutions"));
    setApplicationName(QStringLiteral("Loopcrafter"));
}

LcApplication* LcApplication::instance() { return qobject_cast<LcApplication*>(QCoreApplication::instance()); }

bool LcApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const Error& e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
    return false;
}

void LcApplication::setErrorPresenter(std::function<void(const QString&)> presenter) {
    presenter_ = std::move(presenter);
}

void LcApplication::reportError(const QString& message) {
    pending_.append(message);
    if (scheduled_ || showing_) return;
    scheduled_ = true;
    // Shown from the event loop, not from inside the handler that failed, so a
    // nested loop of the box never re-enters it.
    QTimer::singleShot(0, this, [this] { showPending(); });
}

void LcApplication::showPending() {
    scheduled_ = false;
    if (showing_) return;
    showing_ = true;
    while (!pending_.isEmpty()) {
        const QString message = pending_.takeFirst();
        try {
            if (presenter_) presenter_(message);
            else QMessageBox::critical(activeWindow(), applicationName(), message);
        } catch (...) {}
    }
    showing_ = false;
}

} // namespace lc::ui
