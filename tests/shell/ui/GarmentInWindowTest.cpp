// The Garment Shape page in the main window: its outline becomes the pattern's
// garment mask when garment mode is switched on in the Drawing page.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ProgramWorkspace.h"
#include "QtApp.h"
#include "editor/ui/DrawingPage.h"
#include "editor/ui/PrintDialog.h"
#include "garment/GarmentFile.h"
#include "garment/ui/GarmentShapePage.h"
#include "garment/ui/OutlineCanvas.h"
#include "shell/Autosave.h"
#include "shell/PictureFiles.h"
#include "shell/ui/MainWindow.h"

using namespace lc;

namespace {

struct GarmentInWindow : test::ProgramWindow {};

} // namespace

TEST_F(GarmentInWindow, GarmentModeLaysTheOutlineOnThePattern) {
    ui::GarmentShapePage* page = w.garmentPage();
    ASSERT_NE(page, nullptr);
    QStringList messages;
    page->setMessagePresenter([&](const QString&, const QString& text) { messages << text; });
    w.pages()->setCurrentIndex(ui::MainWindow::pgGarment);

    // A 100 mm square: 40 stitches and 40 rows on the default gauge.
    GarmentOutline& g = page->outline();
    for (auto [x, y] : {std::pair{0, 0}, {100, 0}, {100, 100}, {0, 100}}) g.AddPoint(x, y);
    for (int i = 0; i < 4; ++i) g.AddCurve(i, (i + 1) % 4, 0);

    w.pages()->setCurrentIndex(ui::MainWindow::pgDrawing);
    QAbstractButton* addGarment = w.drawingPage()->button(301);
    addGarment->click();
    ASSERT_TRUE(ws.Editor.GarmentMode);
    const int left = (ws.Raster.Width - 40) / 2;
    EXPECT_FALSE(ws.Raster.IsMaskCellSet(left + 20, ws.Raster.Height - 1 - 20)); // inside
    EXPECT_TRUE(ws.Raster.IsMaskCellSet(left - 5, ws.Raster.Height - 1 - 20));   // left of it
    EXPECT_TRUE(ws.Raster.IsMaskCellSet(left + 20, ws.Raster.Height - 1 - 60));  // above it
    EXPECT_EQ(ws.Raster.GarmentRows, 40);

    // Widened past the needle bed on the garment page: leaving the page lays
    // it again, which shows the message and turns garment mode off.
    w.pages()->setCurrentIndex(ui::MainWindow::pgGarment);
    g.SelectPoint(1, true);
    g.SelectPoint(2, true);
    page->MoveSelectedBy(1000, 0);
    w.pages()->setCurrentIndex(ui::MainWindow::pgDrawing);
    EXPECT_FALSE(ws.Editor.GarmentMode);
    EXPECT_FALSE(addGarment->isChecked());
    EXPECT_EQ(messages, QStringList{"Garment is too wide!"});
    w.close();
}

// Both pages print through the one print dialog: the garment page's outline and
// the Drawing page's pattern each reach a PDF file.
TEST_F(GarmentInWindow, BothPagesPrintThroughThePrintDialog) {
    GarmentOutline& g = w.garmentPage()->outline();
    for (auto [x, y] : {std::pair{0, 0}, {100, 0}, {100, 100}, {0, 100}}) g.AddPoint(x, y);
    for (int i = 0; i < 4; ++i) g.AddCurve(i, (i + 1) % 4, 0);
    QTemporaryDir dir;
    int printed = 0;
    auto answer = [&](const QString& file) {
        QTimer::singleShot(0, [&, file] {
            auto* d = qobject_cast<ui::PrintDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            d->printers()->setCurrentIndex(d->pdfEntry());
            // The preview shows the page with something drawn on it.
            const QImage& preview = d->previewImage();
            bool inked = false;
            for (int y = 0; y < preview.height() && !inked; ++y)
                for (int x = 0; x < preview.width() && !inked; ++x) inked = qGray(preview.pixel(x, y)) < 100;
            EXPECT_TRUE(inked);
            d->setPdfFileChooser([file] { return file; });
            if (d->print()) ++printed;
            d->accept();
        });
    };
    // The garment page prints through the window's menu (Ctrl+P), its only Print.
    w.pages()->setCurrentIndex(ui::MainWindow::pgGarment);
    answer(dir.filePath(QStringLiteral("garment.pdf")));
    w.menuAction(ui::MainWindow::miPrint)->trigger();
    answer(dir.filePath(QStringLiteral("pattern.pdf")));
    w.drawingPage()->PrintPattern();
    EXPECT_EQ(printed, 2);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("garment.pdf"))).size(), 0);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("pattern.pdf"))).size(), 0);
    w.close();
}

// A piece restored from the autosave fills the Garment Shape page when the page
// is first shown after the start, and again when it is restored later on.
TEST_F(GarmentInWindow, ARestoredOutlineFillsTheView) {
    ws.Settings.AutoRestore = 1;
    // A back piece far from the zero, 50 cm wide and 65 cm high.
    GarmentOutline piece;
    for (auto [x, y] : {std::pair{2000, 1000}, {2500, 1000}, {2500, 1650}, {2000, 1650}}) piece.AddPoint(x, y);
    for (int i = 0; i < 4; ++i) piece.AddCurve(i, (i + 1) % 4, 0);
    const QString file = w.autosaveFile();
    const QString palette = QFileInfo(file).dir().filePath(kAutosavePaletteFileName);
    WriteAutosave(file.toStdString(), ws.Raster, GarmentItemBytes(piece), AppState{});
    SavePalette(palette.toStdString(), ws.Raster.Colors);
    w.setErrorPresenter([](const QString& m) { ADD_FAILURE() << m.toStdString(); });
    w.resize(1100, 800);
    w.show(); // restores while the Drawing page is in front
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ui::GarmentShapePage* page = w.garmentPage();
    ASSERT_EQ(page->outline().PointCount(), 4);

    // The outline's box in pixels lies inside the paint box and spans most
    // of it in one direction (a fifth is margin).
    auto fills = [&]() -> std::string {
        const GarmentView& v = page->view();
        const QRect box(QPoint(v.MmToX(2000), v.MmToY(1650)), QPoint(v.MmToX(2500), v.MmToY(1000)));
        const QRect paint = page->canvas()->rect();
        if (v.Width() != paint.width() || v.Height() != paint.height()) return "view of another size";
        if (!paint.contains(box)) return "outside";
        const double span = std::max(double(box.width()) / paint.width(), double(box.height()) / paint.height());
        return span > 0.75 ? "" : "spans " + std::to_string(span);
    };
    w.pages()->setCurrentIndex(ui::MainWindow::pgGarment);
    QApplication::processEvents();
    EXPECT_EQ(fills(), "");

    // Panned and zoomed away, a later restore fits it again at once.
    page->ZoomOut();
    page->view().Pan(0, 0, 300, 200);
    ASSERT_NE(fills(), "");
    ASSERT_TRUE(w.AutoLoad());
    EXPECT_EQ(fills(), "");
    QFile::remove(file);
    QFile::remove(palette);
    w.close();
}
