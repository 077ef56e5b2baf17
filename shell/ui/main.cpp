#include <QApplication>

#include "shell/ui/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Orvan Solutions");
    QApplication::setApplicationName("Loopcrafter");
    lc::ui::TForm1 w;
    w.show();
    return app.exec();
}
