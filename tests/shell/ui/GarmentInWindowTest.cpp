// The Garment Shape page in the main window: its outline becomes the pattern's
// garment mask when garment mode is switched on in the Drawing page.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTabWidget>

#include "ProgramWorkspace.h"
#include "QtApp.h"
#include "editor/ui/DrawingPage.h"
#include "garment/ui/GarmentShapePage.h"
#include "shell/ui/MainWindow.h"

using namespace lc;

TEST(GarmentInWindow, GarmentModeLaysTheOutlineOnThePattern) {
    test::qtApp();
    test::ProgramWorkspace program;
    Workspace& ws = program.ws;
    ui::MainWindow w(ws);
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
