#pragma once
// One QApplication per test process, created on first use.
#include <QApplication>

namespace lc::test {
inline QApplication& qtApp() {
    static int argc = 1;
    static char arg0[] = "loopcrafter-test";
    static char* argv[] = {arg0, nullptr};
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        QApplication::setOrganizationName("Orvan Solutions");
        QApplication::setApplicationName("Loopcrafter");
        return a;
    }();
    return *app;
}
} // namespace lc::test
