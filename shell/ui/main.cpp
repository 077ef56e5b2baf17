#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QSplashScreen>
#include <exception>
#include <memory>

#include "core/Workspace.h"
#include "core/ui/LcApplication.h"
#include "core/ui/SettingsStoreQt.h"
#include "shell/ui/MainWindow.h"

namespace {

// The splash picture: the name over rows of knitted stitches.
QPixmap splashPicture() {
    QPixmap pm(420, 220);
    pm.fill(QColor(250, 248, 240));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor yarns[] = {QColor(176, 48, 64), QColor(48, 96, 160), QColor(224, 176, 48)};
    for (int row = 0; row < 4; ++row) {
        p.setPen(QPen(yarns[row % 3], 3));
        for (int x = 10; x < 410; x += 20) {
            const int y = 150 + row * 16;
            p.drawLine(x, y, x + 10, y + 12);
            p.drawLine(x + 20, y, x + 10, y + 12);
        }
    }
    p.setPen(QColor(60, 40, 40));
    QFont f("DejaVu Sans", 30, QFont::Bold);
    p.setFont(f);
    p.drawText(QRect(0, 30, 420, 60), Qt::AlignCenter, "Loopcrafter");
    f.setPointSize(10);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 95, 420, 30), Qt::AlignCenter, "Stitch patterns and garments for your knitting machine");
    return pm;
}

} // namespace

int main(int argc, char** argv) {
    lc::ui::LcApplication app(argc, argv);
    auto splash = std::make_unique<QSplashScreen>(splashPicture());
    splash->show();
    app.processEvents();
    // Inside the event loop the application's guard catches what handlers
    // throw; this covers the main window's creation before the loop runs.
    try {
        // The settings live in the user's store; the workspace holds the
        // program's shared state, and the main window starts it up.
        lc::ui::SettingsStoreQt settings;
        lc::Workspace ws(settings);
        lc::ui::MainWindow w(ws);
        w.showMaximized();
        splash->finish(&w);
        splash.reset();
        return app.exec();
    } catch (const std::exception& e) {
        splash.reset();
        QMessageBox::critical(nullptr, app.applicationName(), QString::fromUtf8(e.what()));
    }
    return 1;
}
