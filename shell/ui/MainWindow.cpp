#include "shell/ui/MainWindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QPainter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <iterator>

#include "core/ui/CoreStartUp.h"
#include "core/ui/Cursors.h"
#include "core/ui/PrinterDpi.h"
#include "core/ui/ProgramDirs.h"
#include "core/UIText.h"
#include "editor/ui/DrawingPage.h"
#include "editor/ui/PrintDialog.h"
#include "garment/BodySize.h"
#include "garment/ui/GarmentConstructorDialog.h"
#include "garment/ui/GarmentShapePage.h"
#include "knitting/SerialLink.h"
#include "knitting/ui/LinkPage.h"
#include "shell/PictureFiles.h"
#include "shell/ui/ConverterPage.h"
#include "shell/ui/FashionPage.h"
#include "shell/ui/GalleriesPage.h"

namespace lc::ui {

MainWindow::MainWindow(Workspace& ws, QWidget* parent) : QMainWindow(parent), ws_(ws) {
    setObjectName("MainWindow");
    setWindowTitle("Loopcrafter");
    FormCreate();
}

MainWindow::~MainWindow() {
    FormClose();
    // The pages hold this window as their PageLinks: they go while it is whole.
    QWidget* pages = pages_;
    pages_ = nullptr;
    drawingPage_ = nullptr;
    garmentPage_ = nullptr;
    linkPage_ = nullptr;
    galleriesPage_ = nullptr;
    converterPage_ = nullptr;
    fashionPage_ = nullptr;
    std::fill(std::begin(pageWidgets_), std::end(pageWidgets_), nullptr);
    delete pages;
}

void MainWindow::FormCreate() {
    // Program location, then the shared objects; start-up survives a missing
    // font, stitch picture or language file, so the pages are always created.
    SetProgramLocation(ws_.Paths);
    AddCoreStartUpHooks(hooks_);
    // Shut-down closes every serial port before anything is released.
    hooks_.closePorts = [this] {
        if (linkPage_) linkPage_->serialLink().CloseAll();
    };
    StartUp(ws_, hooks_);
    UpdatePrinterDpi(ws_.Printer);
    // A missing or damaged start palette leaves the built-in colours.
    try {
        LoadStartPalette(ws_);
    } catch (const std::exception& e) {
        qWarning("Loopcrafter: start palette: %s", e.what());
    }
    RegisterMainCursors();

    pages_ = new QTabWidget(this);
    static const char* const names[pgCount] = {"Drawing", "Garment Shape", "Link",  "Stitch Galleries",
                                               "Fashion", "Converter",     "Manual"};
    for (int i = 0; i < pgCount; ++i) {
        auto* w = new QWidget(pages_);
        w->setObjectName(QString("page%1").arg(i));
        new QVBoxLayout(w);
        pageWidgets_[i] = w;
        pages_->addTab(w, names[i]);
    }
    setCentralWidget(pages_);
    resize(1024, 720);

    // The pages, in their creation order: the Garment Shape page, the Link
    // page, then the Drawing page (which learns the technique the Link page
    // announced meanwhile).
    garmentPage_ = new GarmentShapePage(ws_, pageWidgets_[pgGarment], this);
    addPage(pgGarment, garmentPage_);
    connect(garmentPage_->openButton(), &QToolButton::clicked, garmentPage_, &GarmentShapePage::LoadGarments);
    connect(garmentPage_->saveButton(), &QToolButton::clicked, garmentPage_, &GarmentShapePage::SaveGarments);
    // The outline prints through the program's one print dialog.
    garmentPage_->setPrintRunner([this] {
        PrintDialog::ShowPrintSetup(
            this, ws_.Editor.BlockRect,
            [this](QPainter& p, const PageRequest& q) {
                garmentPage_->PrintPage(p, QRect(QPoint(0, 0), q.page), q.resolution.DpiX, q.resolution.DpiY, q.scale,
                                        q.legend);
            },
            QString::fromStdString(ws_.UIText[utReady]));
    });
    linkPage_ = new LinkPage(ws_, pageWidgets_[pgLink], this);
    addPage(pgLink, linkPage_);
    drawingPage_ = new DrawingPage(ws_, pageWidgets_[pgDrawing], this);
    addPage(pgDrawing, drawingPage_);
    drawingPage_->ShowTechniqueName(techniqueName_);
    // The galleries read the technique list the Link page filled.
    galleriesPage_ = new GalleriesPage(ws_, pageWidgets_[pgGalleries], this);
    addPage(pgGalleries, galleriesPage_);
    fashionPage_ = new FashionPage(ws_, pageWidgets_[pgFashion], this);
    addPage(pgFashion, fashionPage_);
    converterPage_ = new ConverterPage(ws_, pageWidgets_[pgConverter], this);
    addPage(pgConverter, converterPage_);
    attachConstructor();
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) { pageChanged(index); });
}

void MainWindow::attachConstructor() {
    // The Garment Shape page's "Constructor" button shows the dialog; on OK the
    // page imports the chosen model, whose pieces the catalogue drafts with
    // the dialog's measurements. Without a usable catalogue the button stays
    // disabled and its tip says why.
    const std::filesystem::path userDir = ws_.Paths.UserDir.empty() ? ws_.Paths.AppDir : ws_.Paths.UserDir;
    constructor_ = new GarmentConstructorDialog(ws_.UIText, ws_.Settings, ws_.Paths, userDir, this);
    if (!constructor_->CatalogueReady()) {
        garmentPage_->button(216)->setToolTip(constructor_->CatalogueError());
        return;
    }
    garmentPage_->setPieceBuilder([this](GarmentOutline& garment, int piece, int sizeNo) {
        const BodySize size = LoadBodySize(static_cast<uint8_t>(sizeNo), constructor_->CustomBodySize(), BodySize{},
                                           std::filesystem::path(ws_.Paths.AppDir) / kSizesFileName);
        constructor_->Catalogue().DraftPiece(garment, piece, size);
    });
    garmentPage_->setConstructorRunner([this] { constructor_->open(); });
    connect(constructor_, &QDialog::accepted, this,
            [this] { garmentPage_->ImportModel(constructor_->ModelId(), constructor_->SizeIndex()); });
}

void MainWindow::addPage(Page p, QWidget* page) {
    pageWidgets_[p]->layout()->setContentsMargins(0, 0, 0, 0);
    pageWidgets_[p]->layout()->addWidget(page);
}

void MainWindow::FormClose() {
    if (closed_) return;
    closed_ = true;
    // The Link page's port goes first, so no byte from the adapter reaches
    // an object that is being released; the autosave runs here too, before
    // the shared objects go.
    if (linkPage_) linkPage_->CloseOpenedComPort();
    ShutDown(ws_, hooks_);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    FormClose();
    e->accept();
}

QWidget* MainWindow::page(Page p) const { return (p >= 0 && p < pgCount) ? pageWidgets_[p] : nullptr; }

// A garment changed while garment mode is on is laid on the pattern again;
// then each page is told when it is shown (the Link page rebuilds its row table).
void MainWindow::pageChanged(int index) {
    if (garmentPage_ && ws_.Editor.GarmentMode && (ws_.Editor.ChangeFlags & kGarmentChanged)) {
        garmentPage_->MakeMask();
        ws_.Editor.ChangeFlags &= static_cast<uint16_t>(~kGarmentChanged);
        if (drawingPage_) drawingPage_->RepaintPicture();
    }
    switch (index) {
    case pgDrawing:
        if (drawingPage_) drawingPage_->OnShowForm();
        break;
    case pgGarment:
        if (garmentPage_) garmentPage_->OnShowForm();
        break;
    case pgLink:
        if (linkPage_) linkPage_->OnShowForm();
        break;
    case pgGalleries:
        if (galleriesPage_) galleriesPage_->OnShowForm();
        break;
    case pgConverter:
        if (converterPage_) converterPage_->OnShowForm();
        break;
    default: break;
    }
}

// ---------------------------------------------------------------------------
// PageLinks: each call goes on to the page that answers it.

void MainWindow::cancelTool() {
    if (drawingPage_) drawingPage_->CancelTool();
}

void MainWindow::insertPattern() {
    // The Stitch Galleries page's selection is what the paste-pattern tool pastes.
    if (!drawingPage_) return;
    if (galleriesPage_) drawingPage_->librarySource().SelectedPattern = galleriesPage_->selectedPattern();
    drawingPage_->EnablePatternInsert();
    pages_->setCurrentIndex(pgDrawing);
}

void MainWindow::insertConverted() {
    // The Converter page left its picture in the backup; the Drawing page pastes it.
    if (!drawingPage_) return;
    drawingPage_->InsertConverted();
    pages_->setCurrentIndex(pgDrawing);
}

void MainWindow::garmentModeReleased() {
    // Called by the Garment Shape page (garment/ui) when its mask fails.
    if (drawingPage_) drawingPage_->ReleaseMaskButton();
}

void MainWindow::techniqueChanged(const std::string& name) {
    techniqueName_ = QString::fromStdString(name);
    if (drawingPage_) drawingPage_->ShowTechniqueName(techniqueName_);
}

void MainWindow::garmentMaskChanged() {
    // The Garment Shape page lays its outline on the pattern (or switches
    // garment mode off again); the Drawing page then shows it.
    if (garmentPage_) {
        garmentPage_->MakeMask();
        ws_.Editor.ChangeFlags &= static_cast<uint16_t>(~kGarmentChanged);
    }
    if (drawingPage_) drawingPage_->RepaintPicture();
}

void MainWindow::writeGarmentToModel(int item) {
    // The Fashion page added a garment item: the Garment Shape page fills it.
    if (garmentPage_ && fashionPage_) garmentPage_->WriteToModel(fashionPage_->model(), item);
}

void MainWindow::readGarmentFromModel(int item) {
    // The Fashion page opened a garment item: the Garment Shape page reads it;
    // with garment mode on the mask is laid again and the drawing repainted.
    if (!garmentPage_ || !fashionPage_) return;
    if (!garmentPage_->ReadFromModel(fashionPage_->model(), item)) return;
    if (ws_.Editor.GarmentMode) garmentMaskChanged();
    pages_->setCurrentIndex(pgGarment);
}

void MainWindow::showModelDrawing(const ModelFile& model, int item) {
    if (!drawingPage_) return;
    drawingPage_->ReplacePicture([&](PatternRaster& raster) { model.ShowDrawing(item, raster); });
    pages_->setCurrentIndex(pgDrawing);
}

void MainWindow::playEventSound(EventSound sound) {
    // The sound player (shell) is attached here: it plays the event's sound
    // when the SoundEvents setting has its bit. Until then the program is silent.
    (void)sound;
}

} // namespace lc::ui
