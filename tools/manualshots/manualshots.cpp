// Renders each page of the main window offscreen, with the sample galleries
// and models, into PNG pictures for the manual. Run with QT_QPA_PLATFORM=
// offscreen and a configuration folder of its own (XDG_CONFIG_HOME), so the
// user's settings are never read or written.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdio>

#include "core/Workspace.h"
#include "core/ui/SettingsStoreQt.h"
#include "shell/ui/ConverterPage.h"
#include "shell/ui/FashionPage.h"
#include "shell/ui/GalleriesPage.h"
#include "shell/ui/MainWindow.h"

using namespace lc;
using namespace lc::ui;

namespace {

bool shoot(MainWindow& w, MainWindow::Page page, const QString& file) {
    w.pages()->setCurrentIndex(page);
    QApplication::processEvents();
    const bool ok = w.grab().save(file);
    if (!ok) std::fprintf(stderr, "manualshots: cannot write %s\n", qPrintable(file));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: manualshots PROGRAMDIR OUTDIR\n");
        return 2;
    }
    qputenv("LC_PROGRAM_DIR", argv[1]);
    QApplication app(argc, argv);
    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    SettingsStoreQt settings;
    Workspace ws(settings);
    MainWindow w(ws);
    ws.Settings.Path_Gallery = QDir(program).filePath("Galleries").toStdString();
    ws.Settings.Path_Fashion = QDir(program).filePath("Models").toStdString();
    w.resize(1180, 760);
    w.show();

    // The galleries: the Colourwork library, its snowflake with the fabric preview.
    GalleriesPage* galleries = w.galleriesPage();
    galleries->ScanForLibraries();
    galleries->button(GalleriesPage::tagShowFabric)->click();
    galleries->selectPattern(0);

    // Fashion: the sample category with the hat open, its drawing selected.
    FashionPage* fashion = w.fashionPage();
    fashion->ScanCategories();
    fashion->ScanCollection("Samples");
    fashion->LoadModel(QDir(program).filePath("Models/Samples/Snowflake hat.lcm"));
    if (fashion->tree()->topLevelItemCount() > 0 && fashion->tree()->topLevelItem(0)->childCount() > 0) {
        fashion->tree()->setCurrentItem(fashion->tree()->topLevelItem(0)->child(0));
        fashion->LoadSelectedItem();
    }

    // The converter: a snowflake preview converted to a two-colour pattern.
    ConverterPage* converter = w.converterPage();
    w.pages()->setCurrentIndex(MainWindow::pgConverter);
    QApplication::processEvents();
    converter->OpenPicture(QDir(program).filePath("Galleries/preview/Colourwork/Snowflake.jpg"));
    converter->converter().random().seed(1);
    converter->tolerance()->setValue(20);
    converter->MakeConversion();

    bool ok = true;
    ok &= shoot(w, MainWindow::pgDrawing, QDir(out).filePath("drawing.png"));
    ok &= shoot(w, MainWindow::pgGarment, QDir(out).filePath("garment.png"));
    ok &= shoot(w, MainWindow::pgLink, QDir(out).filePath("link.png"));
    ok &= shoot(w, MainWindow::pgGalleries, QDir(out).filePath("galleries.png"));
    ok &= shoot(w, MainWindow::pgFashion, QDir(out).filePath("fashion.png"));
    ok &= shoot(w, MainWindow::pgConverter, QDir(out).filePath("converter.png"));
    w.close();
    return ok ? 0 : 1;
}
