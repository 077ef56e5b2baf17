#pragma once
// One application object per test process, created on first use: the
// program's own LcApplication with its exception guard, whose messages are
// collected (and printed) instead of shown in a box. Each test process gets
// fresh configuration and data folders, so no test touches the user's settings.
#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>

#include "core/ui/LcApplication.h"

namespace lc::test {

// The process's private folder; XDG_CONFIG_HOME and XDG_DATA_HOME lie inside it.
inline const QTemporaryDir& testHome() {
    static QTemporaryDir dir;
    return dir;
}

// Messages the exception guard would have shown, oldest first.
inline QStringList& guardMessages() {
    static QStringList messages;
    return messages;
}

inline QApplication& qtApp() {
    static int argc = 1;
    static char arg0[] = "loopcrafter-test";
    static char* argv[] = {arg0, nullptr};
    static QApplication* app = [] {
        // Before the application exists: Qt fixes the settings path on first use.
        qputenv("XDG_CONFIG_HOME", (testHome().path() + "/config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", (testHome().path() + "/data").toLocal8Bit());
        auto* a = new lc::ui::LcApplication(argc, argv);
        a->setErrorPresenter([](const QString& m) {
            guardMessages().append(m);
            std::fprintf(stderr, "exception guard: %s\n", qPrintable(m));
        });
        return a;
    }();
    return *app;
}

} // namespace lc::test
