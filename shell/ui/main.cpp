#include <QMessageBox>
#include <exception>

#include "core/Workspace.h"
#include "core/ui/LcApplication.h"
#include "core/ui/SettingsStoreQt.h"
#include "shell/ui/MainWindow.h"

int main(int argc, char** argv) {
    lc::ui::LcApplication app(argc, argv);
    // Inside the event loop the application's guard catches what handlers
    // throw; this covers the main window's creation before the loop runs.
    try {
        // The settings live in the user's store; the workspace holds the
        // program's shared state, and the main window starts it up.
        lc::ui::SettingsStoreQt settings;
        lc::Workspace ws(settings);
        lc::ui::MainWindow w(ws);
        w.show();
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, app.applicationName(), QString::fromUtf8(e.what()));
    }
    return 1;
}
