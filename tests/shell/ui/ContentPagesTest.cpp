#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLabel>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QToolButton>

#include "AccessibleNames.h"
#include "ProgramWorkspace.h"
#include "QtApp.h"
#include "editor/ui/DrawingPage.h"
#include "shell/GalleryNames.h"
#include "shell/ui/ConverterPage.h"
#include "shell/ui/FashionPage.h"
#include "shell/ui/GalleriesPage.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/NewGalleryDialog.h"
#include "shell/ui/ThumbnailGrid.h"

using namespace lc;
using namespace lc::ui;

namespace {

void check(QListWidget* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == name) list->item(i)->setCheckState(Qt::Checked);
}

// The folder and the file name a file dialog opened by `open` starts with;
// the dialog is then cancelled. Empty folder: no dialog came.
struct DialogStart {
    QString folder, name;
};
DialogStart fileDialogStart(const std::function<void()>& open) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    DialogStart seen;
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d) {
            if (++tries > 200) poll.stop();
            return;
        }
        poll.stop();
        seen.folder = d->directory().absolutePath();
        auto* name = d->findChild<QLineEdit*>("fileNameEdit");
        seen.name = name ? name->text() : QString("(no name field)");
        d->reject();
    });
    poll.start(10);
    open();
    return seen;
}

// A main window and a fresh temporary folder for the page under test.
struct WindowWithFolder : test::ProgramWindow {
    QTemporaryDir dir;
};

struct GalleriesPageTest : WindowWithFolder {
    GalleriesPage* page = w.galleriesPage();
    void SetUp() override { ws.Settings.Path_Gallery = dir.path().toStdString(); }
};

struct FashionPageTest : WindowWithFolder {
    FashionPage* page = w.fashionPage();
    void SetUp() override { ws.Settings.Path_Fashion = dir.path().toStdString(); }
};

struct ConverterPageTest : WindowWithFolder {
    ConverterPage* page = w.converterPage();
};

} // namespace

// A block goes into a new gallery with two techniques, survives a reload, comes
// back into the backup the right way up, and "Copy pattern" gives the Drawing
// page's paste-pattern tool that pattern. Creating the gallery again under the
// same name asks first and, refused, keeps its patterns.
TEST_F(GalleriesPageTest, AddToANewGalleryReloadAndCopyBackIntoTheDrawing) {
    ASSERT_NE(page, nullptr);
    QStringList questions;
    page->ask = [&](const QString& text, const QString&) {
        questions << text;
        return false;
    };
    page->tell = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    page->ScanForLibraries();
    EXPECT_EQ(page->libraryList()->count(), 0); // an empty folder opens nothing
    EXPECT_EQ(page->selectedPattern(), 65535);

    for (const QString bad : {"", "../x", "a/b"}) {
        bool told = false;
        page->tell = [&](const QString&) { told = true; };
        EXPECT_FALSE(page->CreateGallery(bad));
        EXPECT_TRUE(told);
    }
    page->tell = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    ASSERT_TRUE(page->CreateGallery("Mine"));
    ASSERT_TRUE(page->editable());

    // A 7 x 2 block: bottom line colour 1, top line colour 2.
    ws.Raster.Backup.fill(0);
    for (int x = 3; x < 10; ++x) {
        ws.Raster.Backup.set(x, 40, 2);
        ws.Raster.Backup.set(x, 41, 1);
    }
    ws.Editor.BlockRect = CellRect{3, 40, 10, 42};
    check(page->techniqueList(), "Tuck Stitch");
    check(page->techniqueList(), "Lace");
    page->previewName()->setText("leaf");
    page->button(GalleriesPage::tagAdd)->click();
    ASSERT_EQ(ws.Library.Count(), 1);
    EXPECT_EQ(ws.Library.GetCategory(0), 4u | 512u);
    EXPECT_EQ(page->cellCaption(0), "#1 : 7x2");

    EXPECT_FALSE(page->CreateGallery("Mine")); // asked, and No keeps it
    EXPECT_EQ(questions.size(), 1);
    page->ScanForLibraries();
    ASSERT_EQ(ws.Library.Count(), 1);
    EXPECT_EQ(ws.Library.GetPatternName(0), "leaf");

    // With nothing checked the selected pattern's techniques show greyed.
    for (int i = 0; i < page->techniqueList()->count(); ++i)
        page->techniqueList()->item(i)->setCheckState(Qt::Unchecked);
    page->selectPattern(0);
    int greyed = 0;
    for (int i = 0; i < page->techniqueList()->count(); ++i)
        greyed += page->techniqueList()->item(i)->checkState() == Qt::PartiallyChecked;
    EXPECT_EQ(greyed, 2);

    ws.Raster.Backup.fill(0);
    page->button(GalleriesPage::tagCall)->click();
    EXPECT_EQ(ws.Editor.BlockRect, (CellRect{0, 0, 7, 2}));
    EXPECT_EQ(ws.Raster.Backup.at(6, 1), 1);
    EXPECT_EQ(ws.Raster.Backup.at(0, 0), 2);

    page->button(GalleriesPage::tagCopyPattern)->click();
    EXPECT_EQ(w.drawingPage()->librarySource().SelectedPattern, 0);
    EXPECT_EQ(w.pages()->currentIndex(), MainWindow::pgDrawing);

    // The filter with no technique checked shows nothing.
    page->button(GalleriesPage::tagFilter)->click();
    EXPECT_TRUE(page->cellCaption(0).isEmpty());
    EXPECT_EQ(page->selectedPattern(), 65535);
}

// A preview picture given as PNG is stored as JPEG under the name the library
// keeps, inside the gallery's own preview folder, and is shown for the pattern.
TEST_F(GalleriesPageTest, PreviewPictureIsStoredAsJpegInsideTheGalleriesFolder) {
    ASSERT_TRUE(page->CreateGallery("Lace"));
    ws.Editor.BlockRect = CellRect{0, 0, 4, 4};
    page->tell = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    page->button(GalleriesPage::tagAdd)->click();
    page->selectPattern(0);
    QImage png(30, 20, QImage::Format_RGB32);
    png.fill(Qt::green);
    const QString file = dir.filePath("leaf.png");
    ASSERT_TRUE(png.save(file));
    ASSERT_TRUE(page->SetPreviewFrom(file));
    const QString stored = QString::fromStdString(PreviewPath(ws.Settings.Path_Gallery, "Lace", "leaf.png"));
    QFile f(stored);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(3).startsWith("\xFF\xD8\xFF"));
    page->button(GalleriesPage::tagShowFabric)->click();
    ASSERT_FALSE(page->previewLabel()->pixmap().isNull());
    const QImage shown = page->previewLabel()->pixmap().toImage();
    const QColor centre = shown.pixelColor(shown.width() / 2, shown.height() / 2);
    EXPECT_GT(centre.green(), 200);
    EXPECT_LT(centre.red(), 60);
}

// A picture of red and blue halves becomes a 20 x 10 block of two indices,
// handed to the Drawing page's paste tool.
TEST_F(ConverterPageTest, ConvertsATwoColourPictureAndInsertsIt) {
    w.show();
    w.pages()->setCurrentIndex(MainWindow::pgConverter);
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
    const QString file = dir.filePath("halves.bmp");
    ASSERT_TRUE(picture.save(file));
    page->OpenPicture(file);
    page->converter().random().seed(5);
    page->stitches()->setValue(20);
    page->rows()->setValue(10);
    page->colors()->setValue(2);
    const ColorTable17 before = ws.Raster.Colors;
    page->replaceColors()->setChecked(false);
    page->MakeConversion();
    ASSERT_TRUE(page->insertButton()->isEnabled());
    page->insertButton()->click();
    EXPECT_EQ(ws.Editor.BlockRect, (CellRect{0, 0, 20, 10}));
    EXPECT_EQ(ws.Raster.Colors, before);
    const uint8_t left = ws.Raster.Backup.at(0, 0), right = ws.Raster.Backup.at(19, 0);
    EXPECT_NE(left, right);
    EXPECT_LT(left, 2);
    EXPECT_LT(right, 2);
    EXPECT_EQ(ws.Raster.Backup.at(9, 9), left);
    EXPECT_EQ(ws.Raster.Backup.at(10, 9), right);
    EXPECT_EQ(w.pages()->currentIndex(), MainWindow::pgDrawing);

    // "Undo convertion" shows the picture again; "Insert into Drawing" still
    // inserts the last conversion.
    w.pages()->setCurrentIndex(MainWindow::pgConverter);
    page->UndoConversion();
    EXPECT_FALSE(page->converter().converted());
    ws.Raster.Backup.fill(7);
    ws.Editor.BlockRect = CellRect{};
    ASSERT_TRUE(page->insertButton()->isEnabled());
    page->insertButton()->click();
    EXPECT_EQ(ws.Editor.BlockRect, (CellRect{0, 0, 20, 10}));
    EXPECT_EQ(ws.Raster.Backup.at(0, 0), left);
    EXPECT_EQ(ws.Raster.Backup.at(19, 9), right);
    EXPECT_EQ(w.pages()->currentIndex(), MainWindow::pgDrawing);

    // Every control a person can press on the page has a name.
    w.pages()->setCurrentIndex(MainWindow::pgConverter);
    EXPECT_EQ(test::unnamedControls(page).join(", ").toStdString(), "");
}

// The Converter's Help shows help; a click on its Open opens the picture
// dialog in a folder that exists (documents, or home when there is none) with
// an empty name field. (Its arrow drops the menu: see the shell's tests.)
TEST_F(ConverterPageTest, HelpAndOpenAPictureFromAFolderThatExists) {
    page->helpButton()->click();
    ASSERT_NE(w.helpWindow(), nullptr);
    EXPECT_TRUE(w.helpWindow()->browser()->source().path().endsWith("index.html"));

    QTemporaryDir home;
    const QString homePath = QDir(home.path()).absolutePath();
    const QByteArray userHome = qgetenv("HOME");
    qputenv("HOME", homePath.toLocal8Bit());
    const DialogStart noDocuments = fileDialogStart([&] { page->openButton()->click(); });
    EXPECT_EQ(noDocuments.folder.toStdString(), homePath.toStdString());
    EXPECT_EQ(noDocuments.name.toStdString(), "");
    EXPECT_TRUE(QDir(homePath).mkdir("Documents"));
    const DialogStart documents = fileDialogStart([&] { page->openButton()->click(); });
    EXPECT_EQ(documents.folder.toStdString(), (homePath + "/Documents").toStdString());
    EXPECT_EQ(documents.name.toStdString(), "");
    qputenv("HOME", userHome);
    w.close();
}

// A model with a drawing under a set, a garment and a bold note survives a
// save and reload; protected, it reopens read-only; a missing model resets the
// header and says so.
TEST_F(FashionPageTest, SaveAndReloadAModelWithADrawingAGarmentAndABoldNote) {
    QDir(dir.path()).mkdir("Winter");
    QDir(dir.path()).mkdir("old.models");
    QStringList told;
    page->tell = [&](const QString& t) { told << t; };
    page->ScanCategories();
    ASSERT_EQ(page->categories()->count(), 2); // ".." and "Winter"
    EXPECT_EQ(page->categories()->item(1)->text(), "Winter");

    page->NewModel();
    page->nameEdit()->setText(QString(40, 'n'));
    page->authorEdit()->setText("Me");
    page->itemNameEdit()->setText("Set A");
    page->button(FashionPage::tagAddSet)->click();
    ws.Raster.Picture.set(3, ws.Raster.Height - 1, 5);
    page->itemNameEdit()->setText("Front");
    page->button(FashionPage::tagAddDrawing)->click();
    page->itemNameEdit()->setText("Sweater");
    page->button(FashionPage::tagAddGarment)->click();
    page->noteEdit()->setPlainText("Knit loosely");
    page->noteEdit()->selectAll();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    page->noteEdit()->mergeCurrentCharFormat(bold);
    page->itemNameEdit()->setText("How to");
    page->button(FashionPage::tagAddNote)->click();
    const QString file = dir.filePath("Winter/jumper.lcm");
    page->SaveModel(file);

    ASSERT_TRUE(page->LoadModel(file));
    EXPECT_EQ(page->nameEdit()->text(), QString(32, 'n'));
    EXPECT_EQ(page->model().Header.Raw[37], 32);
    ASSERT_EQ(page->tree()->topLevelItemCount(), 2); // "Model" and "Set A"
    QTreeWidgetItem* set = page->tree()->topLevelItem(1);
    ASSERT_EQ(set->childCount(), 3);
    // The Garment Shape page filled the garment item with its outline.
    const int garmentItem = set->child(1)->data(0, Qt::UserRole).toInt();
    EXPECT_GE(page->model().GarmentData(garmentItem).size(), 14u);
    const int noteItem = set->child(2)->data(0, Qt::UserRole).toInt();
    const auto rtf = page->model().NoteData(noteItem);
    ASSERT_GE(rtf.size(), 6u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(rtf.data()), 6), "{\\rtf1");
    page->noteEdit()->clear();
    page->tree()->setCurrentItem(set->child(2));
    page->LoadSelectedItem();
    EXPECT_EQ(page->noteEdit()->toPlainText(), "Knit loosely");
    QTextCursor c(page->noteEdit()->document());
    c.movePosition(QTextCursor::NextCharacter);
    EXPECT_GE(c.charFormat().fontWeight(), QFont::Bold);

    // Loading the drawing over the user's drawing is one undo step.
    ws.Raster.Picture.set(3, ws.Raster.Height - 1, 0);
    page->tree()->setCurrentItem(set->child(0));
    EXPECT_FALSE(page->itemPreview()->pixmap().isNull());
    page->LoadSelectedItem();
    EXPECT_EQ(ws.Raster.Picture.at(3, ws.Raster.Height - 1), 5);
    EXPECT_EQ(w.pages()->currentIndex(), MainWindow::pgDrawing);

    // Deleting the set asks, and takes its items along.
    page->tree()->setCurrentItem(page->tree()->topLevelItem(1));
    page->ask = [](const QString&, const QString&) { return true; };
    page->button(FashionPage::tagDelete)->click();
    EXPECT_EQ(page->model().Items.size(), 1u);

    page->protectBox()->setChecked(true);
    page->SaveModel(file);
    page->LoadModel(file);
    EXPECT_TRUE(page->nameEdit()->isReadOnly());
    EXPECT_TRUE(page->noteEdit()->isReadOnly());
    EXPECT_TRUE(page->itemPanel()->isHidden());
    EXPECT_TRUE(page->formatPanel()->isHidden());
    EXPECT_TRUE(page->protectBox()->isHidden());

    told.clear();
    EXPECT_FALSE(page->LoadModel(dir.filePath("gone.lcm")));
    EXPECT_EQ(told.size(), 1);
    EXPECT_TRUE(page->nameEdit()->text().isEmpty());
    EXPECT_FALSE(page->model().Header.ReadOnly());
    EXPECT_EQ(page->tree()->topLevelItemCount(), 0);
    page->button(FashionPage::tagDelete)->click(); // an empty tree: nothing happens
}

// A damaged library in the galleries folder is reported, never thrown out of
// the page (which the main window creates at start-up).
TEST_F(GalleriesPageTest, ADamagedLibraryIsReportedAndOpensNothing) {
    QFile bad(dir.filePath("Broken.lcl"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(300, 'x'));
    bad.close();
    QStringList told;
    page->tell = [&](const QString& t) { told << t; };
    EXPECT_NO_THROW(page->ScanForLibraries());
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith("Broken.lcl"));
}

// With "Zoom in" down the preview is the picture at its own size (scrolled
// when larger than its box); "Zoom out" stretches it into the box; a double
// click on the preview switches between the two and sets the buttons to match.
TEST_F(GalleriesPageTest, PreviewZoomAndDoubleClickSetTheStretching) {
    page->tell = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    w.show();
    w.pages()->setCurrentIndex(MainWindow::pgGalleries);
    ASSERT_TRUE(page->CreateGallery("Big"));
    ws.Editor.BlockRect = CellRect{0, 0, 4, 4};
    page->button(GalleriesPage::tagAdd)->click();
    page->selectPattern(0);
    QImage wide(900, 700, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    ASSERT_TRUE(wide.save(dir.filePath("wide.png")));
    ASSERT_TRUE(page->SetPreviewFrom(dir.filePath("wide.png")));
    page->button(GalleriesPage::tagShowFabric)->click();
    QApplication::processEvents();
    QLabel* preview = page->previewLabel();
    const QSize box = preview->parentWidget()->size(); // the scroll area's viewport
    ASSERT_LT(box.width(), 900);

    ASSERT_TRUE(page->zoomInButton()->isChecked());
    EXPECT_FALSE(page->previewStretched());
    EXPECT_EQ(preview->pixmap().size(), QSize(900, 700));
    page->zoomOutButton()->click();
    EXPECT_TRUE(page->previewStretched());
    EXPECT_LE(preview->pixmap().width(), box.width());
    EXPECT_LE(preview->pixmap().height(), box.height());

    QTest::mouseDClick(preview, Qt::LeftButton);
    EXPECT_TRUE(page->zoomInButton()->isChecked());
    EXPECT_EQ(preview->pixmap().size(), QSize(900, 700));
    QTest::mouseDClick(preview, Qt::LeftButton);
    EXPECT_TRUE(page->zoomOutButton()->isChecked());

    // With every panel open, each control a person can press has a name; a
    // thumbnail is named by its caption and pressing it selects the pattern.
    page->button(GalleriesPage::tagEditLibrary)->click();
    EXPECT_EQ(test::unnamedControls(page).join(", ").toStdString(), "");
    ws.Editor.BlockRect = CellRect{0, 0, 6, 2};
    page->button(GalleriesPage::tagAdd)->click();
    QAccessibleInterface* second = test::paintedPart(page->grid(), "#2 : 6x2");
    ASSERT_NE(second, nullptr);
    page->selectPattern(0);
    second->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(page->selectedPattern(), 1);
    w.close();
}

// A new gallery is written, the list read again, and the line of the last
// opened gallery opened again; the name dialog names its controls.
TEST_F(GalleriesPageTest, ANewGalleryRescansAndOpensTheLastOpenedLine) {
    page->tell = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    page->ScanForLibraries();
    ASSERT_TRUE(page->CreateGallery("Alpha")); // the only line: it opens
    EXPECT_EQ(ws.Library.LibraryName(), "Alpha");
    ASSERT_TRUE(page->CreateGallery("Beta"));
    ASSERT_EQ(page->libraryList()->count(), 2);
    EXPECT_EQ(page->libraryList()->currentRow(), 0);
    EXPECT_EQ(ws.Library.LibraryName(), "Alpha");
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("Beta.lcl")));

    NewGalleryDialog dialog;
    EXPECT_EQ(dialog.nameEdit()->text(), "MyLibrary");
    EXPECT_EQ(test::accessibleName(dialog.nameEdit()).trimmed(), "Type Library Name");
    EXPECT_EQ(test::unnamedControls(&dialog).join(", ").toStdString(), "");
}

// The Fashion page: "Crop Preview" is there and never enabled; the grid has
// (width - 20) div 120 columns with rows one and a half columns high, and the
// scroll bar follows the grid's shape; a thumbnail is named by its file and
// its "Open" action loads the model.
TEST_F(FashionPageTest, CropPreviewGridShapeAndNamedThumbnails) {
    w.show(); // a hidden grid learns its size only when shown
    w.pages()->setCurrentIndex(MainWindow::pgFashion);
    QToolButton* crop = page->button(FashionPage::tagCropPreview);
    ASSERT_NE(crop, nullptr);
    EXPECT_EQ(crop->toolTip(), "Crop Preview");
    EXPECT_FALSE(crop->isEnabled());
    page->NewModel();
    EXPECT_FALSE(crop->isEnabled());
    EXPECT_TRUE(page->button(FashionPage::tagLoadPreview)->isEnabled());
    EXPECT_EQ(test::unnamedControls(page).join(", ").toStdString(), "");

    page->nameEdit()->setText("Jumper");
    for (int i = 0; i < 7; ++i) page->SaveModel(dir.filePath(QString("m%1.lcm").arg(i)));
    ThumbnailGrid* grid = page->grid();
    const int bar = grid->scrollBar()->sizeHint().width();
    grid->resize(280 + bar, 600); // 260 / 2 = 130 wide, 195 high: 2 x 3 cells
    EXPECT_EQ(grid->shape().Columns, 2);
    EXPECT_EQ(grid->shape().RowHeight, 195);
    EXPECT_EQ(grid->shape().Rows, 3);
    EXPECT_FALSE(grid->scrollBar()->isHidden()); // 7 files, 6 cells
    grid->resize(400 + bar, 600);                // 380 / 3 = 126 wide, 189 high: 3 x 3 cells
    EXPECT_EQ(grid->shape().page(), 9);
    EXPECT_TRUE(grid->scrollBar()->isHidden());

    page->NewModel();
    QAccessibleInterface* third = test::paintedPart(grid, "m2.lcm");
    ASSERT_NE(third, nullptr);
    third->actionInterface()->doAction(ThumbnailGrid::openActionName());
    EXPECT_EQ(page->nameEdit()->text(), "Jumper");
}
