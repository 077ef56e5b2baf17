#pragma once
// One application object per test process, created on first use: the
// program's own LcApplication with its exception guard, whose messages are
// collected (and printed) instead of shown in a box. Each test process gets
// fresh configuration and data folders, so no test touches the user's settings;
// the Qt test programs empty them before every test (FreshHomePerTest.cpp).
#include <QApplication>
#include <QByteArray>
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

// An environment variable set while it lives; its old value (or its absence)
// comes back afterwards, so a later test in the same process still sees it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

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
