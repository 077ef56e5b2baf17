#include "core/ui/LcApplication.h"
#include "shell/ui/MainWindow.h"

int main(int argc, char** argv) {
    lc::ui::LcApplication app(argc, argv);
    lc::ui::TForm1 w;
    w.show();
    return app.exec();
}
