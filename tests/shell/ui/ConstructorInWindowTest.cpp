// The garment constructor from the Garment Shape page: a pullover for the
// Woman 40 template is imported into the pieces list, and its sleeve is laid
// on the 200-needle pattern as the garment mask.
#include <gtest/gtest.h>


#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <filesystem>
#include <optional>

#include "ProgramWorkspace.h"
#include "TestFiles.h"
#include "QtApp.h"
#include "editor/ui/DrawingPage.h"
#include "garment/GarmentMask.h"
#include "garment/ui/GarmentConstructorDialog.h"
#include "garment/ui/GarmentShapePage.h"
#include "shell/ui/MainWindow.h"

using namespace lc;

namespace {
void choose(QComboBox* box, const QString& text) {
    const int i = box->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    box->setCurrentIndex(i);
    emit box->activated(i);
}
} // namespace

TEST(ConstructorInWindow, ImportedPulloverFillsThePiecesListAndItsSleeveIsLaidOnThePattern) {
    test::qtApp();
    test::ProgramWorkspace program;
    Workspace& ws = program.ws;
    ui::MainWindow w(ws);
    ui::GarmentShapePage* page = w.garmentPage();
    QStringList messages;
    page->setMessagePresenter([&](const QString&, const QString& text) { messages << text; });
    w.show();
    w.pages()->setCurrentIndex(ui::MainWindow::pgGarment);

    QAbstractButton* run = page->button(216);
    ASSERT_TRUE(run->isEnabled()) << run->toolTip().toStdString();
    run->click();
    ui::GarmentConstructorDialog* d = w.constructorDialog();
    ASSERT_TRUE(d->isVisible());
    choose(d->PropertyBox(CatalogueField::Style), "Pullover");
    choose(d->TemplateListBox(), "Woman 40");
    d->OkButton()->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();

    // The list holds the drafted pieces, named from the catalogue.
    QListWidget* list = page->piecesList();
    ASSERT_EQ(list->count(), d->Pieces().PieceCount());
    ASSERT_GE(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "Back");
    EXPECT_EQ(list->item(1)->text(), "Front");
    int sleeve = -1;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == "Sleeve") sleeve = i;
    ASSERT_GE(sleeve, 0);

    // The sleeve as the garment mask of the 200-needle pattern.
    page->LoadPieceFromList(sleeve);
    const GarmentBounds b = page->outline().Bounds();
    ASSERT_EQ(ws.Raster.Width, 200);
    w.pages()->setCurrentIndex(ui::MainWindow::pgDrawing);
    w.drawingPage()->button(301)->click();
    ASSERT_TRUE(ws.Editor.GarmentMode);
    EXPECT_EQ(ws.Raster.GarmentWidth, MmToStitches(int64_t{b.MaxX} - b.MinX, ws.Settings.PixByX) + 1);
    EXPECT_EQ(ws.Raster.GarmentRows, MmToRows(int64_t{b.MaxY} - b.MinY, ws.Settings.PixByY));
    // The cuff row is inside in the middle and outside at the edges.
    const int bottom = ws.Raster.Height - 1;
    EXPECT_FALSE(ws.Raster.IsMaskCellSet(100, bottom));
    EXPECT_TRUE(ws.Raster.IsMaskCellSet(0, bottom));
    EXPECT_TRUE(ws.Raster.IsMaskCellSet(199, bottom));
    EXPECT_TRUE(messages.isEmpty());
    w.close();
}

TEST(ConstructorInWindow, AShortCatalogueDisablesTheButtonAndTheProgramStillStarts) {
    test::qtApp();
    // A program folder whose model catalogue lacks its last record.
    test::TempDir dir;
    const std::filesystem::path bin = qEnvironmentVariable("LC_PROGRAM_DIR").toStdString();
    for (const auto& f : std::filesystem::directory_iterator(bin))
        if (f.is_regular_file() && f.path().filename() != "loopcrafter")
            std::filesystem::copy_file(f.path(), dir.path / f.path().filename());
    auto ic = test::readFile(dir.path / "loopcrafter.ic");
    ic.resize(22440);
    test::writeFile(dir.path / "loopcrafter.ic", ic);
    std::optional<test::ScopedEnv> programDir;
    programDir.emplace("LC_PROGRAM_DIR", QByteArray::fromStdString(dir.path.string()));

    test::ProgramWorkspace program;
    ui::MainWindow w(program.ws);
    programDir.reset();
    QAbstractButton* run = w.garmentPage()->button(216);
    EXPECT_FALSE(run->isEnabled());
    EXPECT_TRUE(run->toolTip().contains("2806")) << run->toolTip().toStdString();
    EXPECT_FALSE(w.constructorDialog()->CatalogueReady());
    w.close();
}
