#pragma once
// The one offscreen application object of a widget benchmark, made on first use.
#include <QApplication>
#include <QByteArray>

namespace lc::bench {

inline QApplication& qtApp() {
    static int argc = 1;
    static char arg0[] = "bench";
    static char* argv[] = {arg0, nullptr};
    static QApplication* a = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *a;
}

} // namespace lc::bench
