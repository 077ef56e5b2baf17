#pragma once
// The application object with the program's exception guard: an exception
// thrown by any event or slot handler never crosses the event loop; its
// message is shown in a box once the handler has returned, one box at a time.
#include <QApplication>
#include <QStringList>
#include <functional>

namespace lc::ui {

class LcApplication : public QApplication {
    Q_OBJECT
public:
    LcApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Queues `message` to be shown after the current handler returns.
    void reportError(const QString& message);

    // How a message is shown; by default a critical message box captioned
    // with the application's name. Tests replace it.
    void setErrorPresenter(std::function<void(const QString&)> presenter);

    static LcApplication* instance();

private:
    void showPending();

    std::function<void(const QString&)> presenter_;
    QStringList pending_;
    bool showing_ = false;
    bool scheduled_ = false;
};

} // namespace lc::ui
