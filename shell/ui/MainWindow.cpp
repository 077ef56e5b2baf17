#include "shell/ui/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>

#include "core/Errors.h"
#include "core/ui/CoreStartUp.h"
#include "core/ui/Cursors.h"
#include "core/ui/InLanguage.h"
#include "core/ui/PrinterDpi.h"
#include "core/ui/ProgramDirs.h"
#include "core/UIText.h"
#include "editor/ui/DrawingPage.h"
#include "editor/ui/FrameWidgets.h"
#include "garment/GarmentFile.h"
#include "editor/ui/PrintDialog.h"
#include "garment/BodySize.h"
#include "garment/ui/GarmentConstructorDialog.h"
#include "garment/ui/GarmentShapePage.h"
#include "knitting/LinkController.h"
#include "knitting/SerialLink.h"
#include "knitting/ui/LinkPage.h"
#include "shell/Autosave.h"
#include "shell/PictureFiles.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/PreferencesDialog.h"
#include "shell/ui/SoundPlayer.h"
#include "shell/ui/TabPictures.h"
#include "shell/ui/ConverterPage.h"
#include "shell/ui/FashionPage.h"
#include "shell/ui/GalleriesPage.h"

namespace lc::ui {

namespace {

// The Drawing page's Open and Save buttons.
constexpr int kDrawingOpenTag = 10100;
constexpr int kDrawingSaveTag = 10101;
constexpr int kHelpContents = 1;
constexpr int kHelpGalleries = 6;

// What the picture and palette readers ask the Drawing page to redraw.
class DrawingView : public IDrawingView {
public:
    DrawingView(Workspace& ws, DrawingPage* page) : ws_(ws), page_(page) {}
    void BuildStitchBitmaps() override { lc::BuildStitchBitmaps(ws_); }
    void MakeBobbins() override {
        if (page_) page_->MakeBobbins();
    }
    void RepaintPicture() override {
        if (page_) page_->RepaintPicture();
    }
    void RepaintPaletteGrid() override {
        if (page_ && page_->paletteGrid()) page_->paletteGrid()->update();
    }

private:
    Workspace& ws_;
    DrawingPage* page_;
};

// The Garment Shape page as the main window asks it: the menu's garment
// items (Print among them), the mask, and its outline as a model's garment item.
class GarmentPageCommands : public GarmentCommands {
public:
    explicit GarmentPageCommands(GarmentShapePage& page) : page_(page) {}
    void OnShowForm() override { page_.OnShowForm(); }
    void newDocument() override { page_.NewGarments(); }
    void openDocument() override { page_.LoadGarments(); }
    void saveDocument() override { page_.SaveGarments(); }
    void printDocument() override { page_.Print(); }
    void unitsChanged() override { page_.SetUpUnits(); }
    void makeMask() override { page_.MakeMask(); }
    std::vector<uint8_t> garmentItem() const override { return GarmentItemBytes(page_.outline()); }
    void setGarmentItem(std::span<const uint8_t> item) override {
        // Checked whole before the page's outline is replaced.
        GarmentOutline read;
        LoadGarmentItem(item, read);
        page_.outline() = std::move(read);
        page_.FitToScreen();
    }
    bool writeToModel(ModelFile& model, int item) override { return page_.WriteToModel(model, item); }
    bool readFromModel(const ModelFile& model, int item) override { return page_.ReadFromModel(model, item); }

private:
    GarmentShapePage& page_;
};

// The Stitch Galleries page as the menu asks it.
class GalleriesCommands : public PageCommands {
public:
    explicit GalleriesCommands(GalleriesPage& page) : page_(page) {}
    void OnShowForm() override { page_.OnShowForm(); }
    void newDocument() override { page_.NewGallery(); }
    void saveDocument() override { page_.SaveGallery(); }

private:
    GalleriesPage& page_;
};

// The Fashion page as the menu asks it: its models.
class FashionCommands : public PageCommands {
public:
    explicit FashionCommands(FashionPage& page) : page_(page) {}
    void OnShowForm() override { page_.OnShowForm(); }
    void openDocument() override { page_.OpenDialog(); }
    void saveDocument() override { page_.SaveDialog(); }

private:
    FashionPage& page_;
};

// The popup's page items: tag, text, shortcut, page.
struct MenuItemDef {
    int tag;
    const char* text;
    QKeySequence::StandardKey key;
    MainWindow::Page page;
};
const MenuItemDef kPageItems[] = {
    {MainWindow::miNewPattern, "New Stich Pattern", QKeySequence::New, MainWindow::pgDrawing},
    {MainWindow::miLoadPattern, "Load Stich Pattern", QKeySequence::Open, MainWindow::pgDrawing},
    {MainWindow::miSavePattern, "Save Stich Pattern", QKeySequence::Save, MainWindow::pgDrawing},
    {MainWindow::miNewGarment, "New Garment", QKeySequence::UnknownKey, MainWindow::pgGarment},
    {MainWindow::miLoadGarment, "Load Garment", QKeySequence::UnknownKey, MainWindow::pgGarment},
    {MainWindow::miSaveGarment, "Save Garment", QKeySequence::UnknownKey, MainWindow::pgGarment},
    {MainWindow::miNewGallery, "Create New Gallery", QKeySequence::UnknownKey, MainWindow::pgGalleries},
    {MainWindow::miSaveGallery, "Save Gallery", QKeySequence::UnknownKey, MainWindow::pgGalleries},
    {MainWindow::miLoadModel, "Load Model", QKeySequence::UnknownKey, MainWindow::pgFashion},
    {MainWindow::miSaveModel, "Save Model", QKeySequence::UnknownKey, MainWindow::pgFashion},
    {MainWindow::miLoadPalette, "Load Palette", QKeySequence::UnknownKey, MainWindow::pgDrawing},
    {MainWindow::miSavePalette, "Save Palette", QKeySequence::UnknownKey, MainWindow::pgDrawing},
};

} // namespace

MainWindow::MainWindow(Workspace& ws, QWidget* parent) : QMainWindow(parent), ws_(ws) {
    setObjectName("MainWindow");
    setWindowTitle("Loopcrafter");
    FormCreate();
}

MainWindow::~MainWindow() {
    FormClose();
    delete prefs_;
    prefs_ = nullptr;
    // The pages hold this window as their PageLinks: they go while it is whole.
    QWidget* pages = pages_;
    pages_ = nullptr;
    drawingPage_ = nullptr;
    garmentPage_ = nullptr;
    garment_ = nullptr;
    linkPage_ = nullptr;
    galleriesPage_ = nullptr;
    converterPage_ = nullptr;
    fashionPage_ = nullptr;
    std::fill(std::begin(commands_), std::end(commands_), nullptr);
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
        pages_->addTab(w, QIcon(TabPicture(i)), names[i]);
    }
    pages_->setIconSize(QSize(kTabPictureWidth, kTabPictureHeight));
    setCentralWidget(pages_);
    setMinimumSize(760, 560);
    resize(1024, 720);
    sounds_ = new SoundPlayer(QString::fromStdString(ws_.Paths.AppDir) + kSoundsFolder, this);
    buildMenu();

    // The pages, in their creation order: the Garment Shape page, the Link
    // page, then the Drawing page (which learns the technique the Link page
    // announced meanwhile).
    garmentPage_ = new GarmentShapePage(ws_, pageWidgets_[pgGarment], this);
    addPage(pgGarment, garmentPage_);
    garmentCommands_ = std::make_unique<GarmentPageCommands>(*garmentPage_);
    setGarmentCommands(garmentCommands_.get());
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
    // The Fashion page's model is the one whose garment items the garment page fills and reads.
    setCollectionModel([this]() -> ModelFile* { return fashionPage_ ? &fashionPage_->model() : nullptr; });
    galleriesCommands_ = std::make_unique<GalleriesCommands>(*galleriesPage_);
    setPageCommands(pgGalleries, galleriesCommands_.get());
    fashionCommands_ = std::make_unique<FashionCommands>(*fashionPage_);
    setPageCommands(pgFashion, fashionCommands_.get());
    createManualPage();
    attachConstructor();

    // The frames' Open, Save and Help buttons.
    bindFrameButtons(pgDrawing, drawingPage_->openButton(), drawingPage_->saveButton(), drawingPage_->helpButton());
    bindFrameButtons(pgGarment, garmentPage_->openButton(), garmentPage_->saveButton(), garmentPage_->helpButton());
    bindFrameButtons(pgGalleries, galleriesPage_->openButton(), galleriesPage_->saveButton(),
                     galleriesPage_->helpButton(), kHelpGalleries);
    bindFrameButtons(pgFashion, fashionPage_->openButton(), fashionPage_->saveButton(), fashionPage_->helpButton());
    // The Converter's Open keeps its own click (it opens a picture); its arrow drops the menu.
    bindFrameButtons(pgConverter, converterPage_->openButton(), nullptr, converterPage_->helpButton());
    if (QToolButton* open = linkPage_->toolButton(30100)) {
        open->setMenu(popup_);
        open->setPopupMode(QToolButton::MenuButtonPopup);
    }
    connect(linkPage_, &LinkPage::toolCommand, this, [this](int tag) {
        if (tag == 3) HHelp(kHelpContents);
        else FrameButtonClick(tag);
    });

    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) { pageChanged(index); });
    pages_->setCurrentIndex(pgDrawing);
    updateMenu();
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

void MainWindow::createManualPage() {
    manual_ = new QTextBrowser(pageWidgets_[pgManual]);
    manual_->setObjectName("WebBrowser1");
    manual_->setAccessibleName(inLanguage("Manual", "Руководство"));
    manual_->setOpenExternalLinks(true);
    addPage(pgManual, manual_);
    // The manual of the language in use when there is one, else the English one.
    const QDir app(QString::fromStdString(ws_.Paths.AppDir));
    const QString lang = QString::fromStdString(ws_.Settings.LanguageCode).toLower();
    QString index = app.filePath("manual/silverreed/" + lang + "/index.htm");
    if (!QFileInfo::exists(index)) index = app.filePath("manual/silverreed/index.htm");
    if (QFileInfo::exists(index)) manual_->setSource(QUrl::fromLocalFile(index));
}

void MainWindow::buildMenu() {
    popup_ = new QMenu(this);
    popup_->setObjectName("PopupMenu1");
    auto add = [this](int tag, const QString& text) {
        QAction* a = popup_->addAction(text);
        a->setData(tag);
        actions_[tag] = a;
        // Window-level, so the shortcuts work without the menu open; each is
        // enabled only while its page is current (updateMenu).
        addAction(a);
        connect(a, &QAction::triggered, this, [this, tag] { MenuClick(tag); });
        return a;
    };
    for (const MenuItemDef& d : kPageItems) {
        QAction* a = add(d.tag, d.text);
        if (d.key != QKeySequence::UnknownKey) a->setShortcut(d.key);
    }
    popup_->addSeparator();
    add(miPrint, "&Print...")->setShortcut(QKeySequence::Print);
    popup_->addSeparator();
    add(miPreferences, "Edit preferences");
    popup_->addSeparator();
    add(miHelp, "Help");
    popup_->addSeparator();
    QAction* exit = add(miExit, "E&xit");
    exit->setStatusTip("Quit the application");
    connect(popup_, &QMenu::aboutToShow, this, &MainWindow::updateMenu);
}

QAction* MainWindow::menuAction(int tag) const {
    auto it = actions_.find(tag);
    return it == actions_.end() ? nullptr : it->second;
}

MainWindow::Page MainWindow::currentPage() const {
    const int i = pages_ ? pages_->currentIndex() : -1;
    return (i >= 0 && i < pgCount) ? static_cast<Page>(i) : pgDrawing;
}

void MainWindow::updateMenu() {
    const Page p = currentPage();
    for (const MenuItemDef& d : kPageItems) {
        QAction* a = actions_[d.tag];
        const bool mine = d.page == p;
        a->setVisible(mine);
        a->setEnabled(mine);
    }
    actions_[miPrint]->setVisible(true);
    actions_[miPrint]->setEnabled(p == pgDrawing || p == pgGarment);
}

void MainWindow::setPageCommands(Page p, PageCommands* commands) {
    if (p >= 0 && p < pgCount) commands_[p] = commands;
}

void MainWindow::setGarmentCommands(GarmentCommands* garment) {
    garment_ = garment;
    commands_[pgGarment] = garment;
}

void MainWindow::bindFrameButtons(Page p, QToolButton* open, QToolButton* save, QToolButton* help, int helpTopic) {
    const int base = (static_cast<int>(p) + 1) * 10000 + 100;
    if (open) {
        open->setMenu(popup_);
        open->setPopupMode(QToolButton::MenuButtonPopup);
        open->setEnabled(true);
        connect(open, &QToolButton::clicked, this, [this, base] { FrameButtonClick(base); });
    }
    if (save) {
        save->setEnabled(true);
        connect(save, &QToolButton::clicked, this, [this, base] { FrameButtonClick(base + 1); });
    }
    if (help) {
        help->setEnabled(true);
        connect(help, &QToolButton::clicked, this, [this, helpTopic] { HHelp(helpTopic); });
    }
}

void MainWindow::MenuClick(int tag) {
    const Page p = currentPage();
    PageCommands* page = commands_[p];
    switch (tag) {
    case miNewPattern:
        if (p == pgDrawing && drawingPage_) drawingPage_->ResetView();
        break;
    case miLoadPattern:
        if (p == pgDrawing) openPictureDialog(false);
        break;
    case miSavePattern:
        if (p == pgDrawing) savePictureDialog();
        break;
    case miLoadPalette:
        if (p == pgDrawing) loadPaletteDialog();
        break;
    case miSavePalette:
        if (p == pgDrawing) savePaletteDialog();
        break;
    case miNewGarment:
    case miNewGallery:
        if (page) page->newDocument();
        break;
    case miLoadGarment:
    case miLoadModel:
        if (page) page->openDocument();
        break;
    case miSaveGarment:
    case miSaveGallery:
    case miSaveModel:
        if (page) page->saveDocument();
        break;
    case miPrint:
        if (p == pgDrawing && drawingPage_) drawingPage_->PrintPattern();
        else if (p == pgGarment && page) page->printDocument();
        break;
    case miPreferences: editPreferences(); break;
    case miHelp: HHelp(kHelpContents); break;
    case miExit: close(); break;
    default: break;
    }
}

void MainWindow::FrameButtonClick(int tag) {
    switch (tag) {
    case kDrawingOpenTag: openPictureDialog(true); break;
    case kDrawingSaveTag: savePictureDialog(); break;
    case 20100:
        if (commands_[pgGarment]) commands_[pgGarment]->openDocument();
        break;
    case 20101:
        if (commands_[pgGarment]) commands_[pgGarment]->saveDocument();
        break;
    case 40101:
        if (commands_[pgGalleries]) commands_[pgGalleries]->saveDocument();
        break;
    case 50100:
        if (commands_[pgFashion]) commands_[pgFashion]->openDocument();
        break;
    case 50101:
        if (commands_[pgFashion]) commands_[pgFashion]->saveDocument();
        break;
    default: break; // the Link page's and the galleries' Open: the menu only; the Converter's: its own
    }
}

void MainWindow::HHelp(int topic) {
    const QString appDir = QString::fromStdString(ws_.Paths.AppDir);
    const QString language = QString::fromStdString(ws_.Settings.LanguageCode);
    // No window for a page that is missing.
    if (HelpWindow::topicFile(appDir, language, topic).isEmpty()) return;
    if (!help_) help_ = new HelpWindow(this);
    help_->showTopic(appDir, language, topic);
}

// ---------------------------------------------------------------------------
// Pictures and palettes

QString MainWindow::chooseFile(bool save, const QString& folder, int filter, const QString& name) {
    if (fileChooser_) return fileChooser_(save, folder, filter, name);
    // Letter case of the extension does not matter on reading.
    const QStringList filters = {save ? "All files (*)" : "All Files (*)", "Pictures (*.LCW *.lcw)",
                                 "Palettes (*.LCP *.lcp)"};
    QFileDialog dialog(this);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[std::clamp(filter, 1, 3) - 1]);
    dialog.setDefaultSuffix(filter == 3 ? "LCP" : "LCW");
    dialog.setDirectory(folder);
    if (!name.isEmpty()) dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString MainWindow::inLanguage(const char* english, const char* russian) const {
    return InLanguage(ws_.Settings, english, russian);
}

void MainWindow::showError(const QString& message, bool now) {
    if (errorPresenter_) errorPresenter_(message);
    else if (now) QMessageBox::critical(this, "Loopcrafter", message);
    // Raised while the window is being shown: the box comes after that handler.
    else QTimer::singleShot(0, this, [this, message] { QMessageBox::critical(this, "Loopcrafter", message); });
}

void MainWindow::openPictureDialog(bool keepName) {
    // The Open button keeps the last name; the menu's Load starts with none.
    const QString file = chooseFile(false, QString::fromStdString(ws_.Settings.Path_Picture), 2,
                                    keepName ? QFileInfo(lastPicture_).fileName() : QString());
    if (file.isEmpty()) return;
    lastPicture_ = file;
    openPictureFile(file);
}

void MainWindow::savePictureDialog() {
    const QString file = chooseFile(true, QString::fromStdString(ws_.Settings.Path_Picture), 2, {});
    if (!file.isEmpty()) savePictureFile(file);
}

void MainWindow::openPictureFile(const QString& fileName) {
    DrawingView view(ws_, drawingPage_);
    try {
        // The reader repaints the drawing through the view.
        OpenPicture(fileName.toStdString(), ws_.Raster, &view);
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()), true);
    }
}

void MainWindow::savePictureFile(const QString& fileName) {
    try {
        SavePicture(fileName.toStdString(), ws_.Raster);
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()), true);
    }
}

void MainWindow::loadPaletteDialog() {
    const QString file = chooseFile(false, QString::fromStdString(ws_.Settings.Path_Palettes), 3, {});
    if (file.isEmpty()) return;
    DrawingView view(ws_, drawingPage_);
    try {
        LoadPalette(file.toStdString(), true, &view, ws_.Raster);
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()), true);
    }
}

void MainWindow::savePaletteDialog() {
    const QString file = chooseFile(true, QString::fromStdString(ws_.Settings.Path_Palettes), 3, {});
    if (file.isEmpty()) return;
    try {
        SavePalette(file.toStdString(), ws_.Raster.Colors);
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()), true);
    }
}

// ---------------------------------------------------------------------------
// Preferences

PreferencesDialog* MainWindow::preferences() {
    if (!prefs_) {
        prefs_ = new PreferencesDialog(ws_, linkPage_->serialLink(), linkPage_->serialBridge(), sounds_, this);
        prefs_->machineChanged = [this] { machineChanged(); };
        // A run going on stops before the machine and the pattern change.
        prefs_->runActive = [this] { return linkPage_ && linkPage_->controller().Run().LinkUp(); };
        prefs_->stopRun = [this] {
            if (linkPage_) linkPage_->controller().Stop();
        };
        connect(prefs_, &QDialog::finished, this, [this] {
            // A change of units or machine shows at once.
            if (garment_) garment_->unitsChanged();
            if (drawingPage_) {
                drawingPage_->SetRulerUnits();
                drawingPage_->RepaintPicture();
            }
        });
    }
    return prefs_;
}

void MainWindow::editPreferences() {
    PreferencesDialog* d = preferences();
    d->ShowSettings();
    // Modal, without a nested event loop: the follow-up runs on finished().
    d->open();
}

void MainWindow::machineChanged() {
    // The raster has the new machine's width: everything sized by the old one
    // starts over (picture, mask, undo, block, zone, garment mode, cams).
    ws_.Editor.BlockRect = CellRect();
    if (drawingPage_) {
        drawingPage_->ResetView();
        drawingPage_->AdjustSize();
    }
    if (linkPage_) {
        linkPage_->controller().Bed().SetPatternWidth(ws_.Raster.Width);
        linkPage_->controller().Bed().SetCams(0, ws_.Raster.Width - 1);
        linkPage_->OnShowForm();
    }
}

// ---------------------------------------------------------------------------
// Start-up and closing

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (shown_) return;
    shown_ = true;
    if (drawingPage_) drawingPage_->AdjustSize();
    AutoLoad();
}

QString MainWindow::autosaveFile() const {
    // The user's data folder, never the program folder (often not writable).
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty()) dir = QString::fromStdString(ws_.Paths.UserDir);
    QDir().mkpath(dir);
    return QDir(dir).filePath(kAutosaveFileName);
}

bool MainWindow::AutoSave() {
    if (!ws_.StartedUp) return false;
    AppState s;
    s.GarmentMode = ws_.Editor.GarmentMode;
    s.ZoneOn = ws_.Editor.ZoneOn;
    s.ZoneRow = ws_.Editor.ZoneRow;
    s.GarmentRows = ws_.Raster.GarmentRows;
    s.GarmentWidth = ws_.Raster.GarmentWidth;
    if (linkPage_) {
        LinkController& ctl = linkPage_->controller();
        s.CarriageSide = ctl.Run().CarriageSide();
        s.TechniqueName = ctl.Machine().GetCurrentTechniqueName();
        if (const Technique* t = ctl.ActiveTechnique()) s.TechniqueKind = t->Kind;
        s.RowCounter = ctl.RowCounter();
        s.LeftCam = ctl.Bed().LSPos;
        s.RightCam = ctl.Bed().RSPos;
    }
    const std::vector<uint8_t> garment = garment_ ? garment_->garmentItem() : garmentItem_;
    // The autosave keeps the drawing as palette indexes: its colours go
    // beside it, written as a pair with it.
    const QString file = autosaveFile();
    const std::string drawing = file.toStdString();
    const std::string colours = QFileInfo(file).dir().filePath(kAutosavePaletteFileName).toStdString();
    const std::string failure = SaveAutosavePair(
        [&] {
            if (autosaveWriteCheck_) autosaveWriteCheck_(drawing);
            WriteAutosave(drawing, ws_.Raster, garment, s);
        },
        [&] {
            if (autosaveWriteCheck_) autosaveWriteCheck_(colours);
            SavePalette(colours, ws_.Raster.Colors);
        },
        colours);
    if (failure.empty()) return true;
    std::fprintf(stderr, "Loopcrafter: autosave: %s\n", failure.c_str());
    if (!autosaveFailShown_) {
        autosaveFailShown_ = true;
        showError(inLanguage("The work could not be kept for the next start: %1",
                             "Не удалось сохранить работу до следующего запуска: %1")
                      .arg(QString::fromStdString(failure)),
                  true);
    }
    return false;
}

bool MainWindow::AutoLoad() {
    if (ws_.Settings.AutoRestore == 0) return false;
    const QString file = autosaveFile();
    RestoredAutosave r;
    try {
        if (!ReadAutosave(file.toStdString(), ws_.Raster, r)) return false;
    } catch (const std::exception& e) {
        // Refused whole: start-up goes on with the empty pattern.
        std::fprintf(stderr, "Loopcrafter: autosave: %s\n", e.what());
        showError(inLanguage("The autosaved work could not be restored: %1",
                             "Не удалось восстановить автосохранённую работу: %1")
                      .arg(QString::fromUtf8(e.what())),
                  false);
        return false;
    }
    // The drawing's colours; without them the start palette stays, and the
    // user learns why the drawing looks different.
    const QString palette = QFileInfo(file).dir().filePath(kAutosavePaletteFileName);
    DrawingView view(ws_, drawingPage_);
    try {
        if (!LoadPalette(palette.toStdString(), true, &view, ws_.Raster)) throw FormatError("not a palette file");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Loopcrafter: autosave palette: %s\n", e.what());
        showError(inLanguage("The colours of the autosaved drawing could not be restored, the start palette "
                             "is used: %1",
                             "Не удалось восстановить цвета автосохранённого рисунка, взята начальная палитра: %1")
                      .arg(QString::fromUtf8(e.what())),
                  false);
    }
    const AppState& s = r.State;
    garmentItem_ = r.GarmentItem;
    if (garment_) garment_->setGarmentItem(garmentItem_);
    ws_.Editor.GarmentMode = s.GarmentMode;
    if (s.GarmentMode) {
        ws_.Editor.ZoneOn = false;
    } else {
        // The zone only without a garment laid: its button is off meanwhile.
        ws_.Editor.ZoneOn = s.ZoneOn;
    }
    ws_.Editor.ZoneRow = s.ZoneRow;
    if (drawingPage_) drawingPage_->ShowRestoredModes();

    if (linkPage_) {
        LinkController& ctl = linkPage_->controller();
        // By kind first (the name is the translated one), then by name.
        int kind = 0;
        if (s.TechniqueKind != 0 && ctl.Machine().FindTechnique(s.TechniqueKind)) kind = s.TechniqueKind;
        for (size_t i = 0; kind == 0 && !s.TechniqueName.empty() && i < ctl.Machine().Techniques.size(); ++i)
            if (ctl.Machine().Techniques[i]->Name == s.TechniqueName) kind = ctl.Machine().Techniques[i]->Kind;
        if (kind != 0) ctl.ChooseTechnique(kind);
        ctl.StepRowCounter(s.RowCounter);
        ctl.Run().SetCarriageSide(s.CarriageSide);
        ctl.Bed().LSPos = s.LeftCam;
        ctl.Bed().RSPos = s.RightCam;
        ctl.DrawLine();
        linkPage_->applyRefresh();
        // An unknown technique selects no line of the technique box.
        if (kind == 0) linkPage_->techniqueBox()->setCurrentIndex(-1);
    }
    return true;
}

void MainWindow::FormClose() {
    if (closed_) return;
    closed_ = true;
    if (prefs_) prefs_->done(QDialog::Rejected);
    AutoSave();
    // The Link page's port goes first, so no byte from the adapter reaches
    // an object that is being released.
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
    if (garment_ && ws_.Editor.GarmentMode && (ws_.Editor.ChangeFlags & kGarmentChanged)) {
        garment_->makeMask();
        ws_.Editor.ChangeFlags &= static_cast<uint16_t>(~kGarmentChanged);
        if (drawingPage_) drawingPage_->RepaintPicture();
    }
    updateMenu();
    switch (index) {
    case pgDrawing:
        if (drawingPage_) drawingPage_->OnShowForm();
        break;
    case pgLink:
        if (linkPage_) linkPage_->OnShowForm();
        break;
    case pgConverter:
        if (converterPage_) converterPage_->OnShowForm();
        break;
    case pgManual: break;
    default:
        if (index >= 0 && index < pgCount && commands_[index]) commands_[index]->OnShowForm();
        break;
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
    if (drawingPage_) drawingPage_->ReleaseMaskButton();
}

void MainWindow::techniqueChanged(const std::string& name) {
    techniqueName_ = QString::fromStdString(name);
    if (drawingPage_) drawingPage_->ShowTechniqueName(techniqueName_);
}

void MainWindow::garmentMaskChanged() {
    // The Garment Shape page lays its outline on the pattern (or switches
    // garment mode off again); the Drawing page then shows it.
    if (garment_) {
        garment_->makeMask();
        ws_.Editor.ChangeFlags &= static_cast<uint16_t>(~kGarmentChanged);
    }
    if (drawingPage_) drawingPage_->RepaintPicture();
}

void MainWindow::writeGarmentToModel(int item) {
    ModelFile* model = collectionModel_ ? collectionModel_() : nullptr;
    if (garment_ && model) garment_->writeToModel(*model, item);
}

void MainWindow::readGarmentFromModel(int item) {
    // The Fashion page opened a garment item: the Garment Shape page reads it;
    // with garment mode on the mask is laid again and the drawing repainted.
    ModelFile* model = collectionModel_ ? collectionModel_() : nullptr;
    if (!garment_ || !model || !garment_->readFromModel(*model, item)) return;
    if (ws_.Editor.GarmentMode) garmentMaskChanged();
    if (drawingPage_) drawingPage_->OnShowForm();
    pages_->setCurrentIndex(pgGarment);
}

void MainWindow::showModelDrawing(const ModelFile& model, int item) {
    if (!drawingPage_) return;
    drawingPage_->ReplacePicture([&](PatternRaster& raster) { model.ShowDrawing(item, raster); });
    pages_->setCurrentIndex(pgDrawing);
}

void MainWindow::playEventSound(EventSound sound) {
    if (sounds_) sounds_->playEvent(static_cast<int>(sound), ws_.Settings.SoundEvents);
}

} // namespace lc::ui
