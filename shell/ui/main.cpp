#include <QMessageBox>
#include <exception>

#include "core/ui/LcApplication.h"
#include "shell/ui/MainWindow.h"

int main(int argc, char** argv) {
    lc::ui::LcApplication app(argc, argv);
    // Inside the event loop the application's guard catches what handlers
    // throw; this covers the main window's creation before the loop runs.
    try {
        lc::ui::MainWindow w;
        w.show();
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, app.applicationName(), QString::fromUtf8(e.what()));
    }
    return 1;
}
