#include "shell/ui/GalleriesPage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QButtonGroup>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/Jpeg.h"
#include "core/ui/InLanguage.h"
#include "core/ui/IndexedImage.h"
#include "shell/GalleryBlock.h"
#include "shell/GalleryNames.h"
#include "shell/ui/NewGalleryDialog.h"
#include "shell/ui/PictureLoader.h"
#include "shell/ui/ThumbnailGrid.h"

namespace lc::ui {

namespace {

constexpr uint16_t kNone = 65535;

QString galleriesFolder(const Workspace& ws) { return QString::fromStdString(ws.Settings.Path_Gallery); }

// "name=kind" -> kind bit.
uint32_t kindOf(const std::string& line) {
    const size_t eq = line.rfind('=');
    return eq == std::string::npos ? 0 : static_cast<uint32_t>(std::strtoul(line.c_str() + eq + 1, nullptr, 10));
}

} // namespace

GalleriesPage::GalleriesPage(Workspace& ws, QWidget* parent, PageLinks* links)
    : QWidget(parent), ws_(ws), links_(links) {
    setObjectName("GalleriesPage");
    ask = [this](const QString& text, const QString& caption) {
        return QMessageBox::question(this, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    };
    tell = [this](const QString& text) { QMessageBox::information(this, "Loopcrafter", text); };
    buildUi();
    for (const std::string& line : ws_.TechniqueList) {
        auto* item = new QListWidgetItem(QString::fromStdString(line.substr(0, line.rfind('='))), techniques_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, static_cast<qulonglong>(kindOf(line)));
    }
    showPanels();
    enableEditing();
    ScanForLibraries();
}

QString GalleriesPage::text(const char* key, const char* fallback) const {
    const std::string t = ws_.Translator.Translate(key);
    return t.empty() ? QString(fallback) : QString::fromStdString(t);
}

void GalleriesPage::buildUi() {
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Galleries", this));
    libraries_ = new QListWidget(this);
    libraries_->setObjectName("libraries");
    // A list is named by its own name only: a screen reader does not take it from a label.
    libraries_->setAccessibleName(InLanguage(ws_.Settings, "Galleries", "Галереи"));
    left->addWidget(libraries_, 1);
    techniques_ = new QListWidget(this);
    techniques_->setObjectName("techniques");
    techniques_->setAccessibleName(InLanguage(ws_.Settings, "Techniques", "Техники"));
    left->addWidget(techniques_, 2);
    top->addLayout(left);
    connect(libraries_, &QListWidget::itemClicked, this, [this] { openLibrary(libraries_->currentRow()); });
    connect(techniques_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        // A greyed mark is the selected pattern's, not the user's: a click on it checks the line.
        if (item->checkState() == Qt::PartiallyChecked) return;
        if (button(tagFilter)->isChecked() && !button(tagEditLibrary)->isChecked()) applyFilter();
    });

    auto* middle = new QVBoxLayout;
    auto* bar = new QToolBar(this);
    auto addButton = [&](QToolBar* tb, int tag, const QString& caption, const QString& hint, bool check) {
        QToolButton* b = NewToolButton(tb, caption, hint);
        b->setCheckable(check);
        b->setObjectName(QString("tag%1").arg(tag));
        tb->addWidget(b);
        buttons_[tag] = b;
        connect(b, &QToolButton::clicked, this, [this, tag] { clickTool(tag); });
    };
    // The menu dropped by Open/Menu holds "Create New Gallery".
    frame_ = AddFrameButtons(bar);
    addButton(bar, tagCopyPattern, "Copy pattern", text("S03010", "Copy the pattern into the drawing"), false);
    addButton(bar, tagShowFabric, "Preview", text("S03011", "Show the fabric preview"), true);
    addButton(bar, tagEditLibrary, "Edit library", text("S03012", "Edit the gallery"), true);
    addButton(bar, tagFilter, "Filter", text("S03013", "Show only the checked techniques"), true);
    middle->addWidget(bar);
    grid_ = new ThumbnailGrid(120, 200, this);
    grid_->setObjectName("galleryGrid");
    grid_->setAccessibleName("Patterns");
    grid_->scrollBar()->setAccessibleName("Patterns shown");
    grid_->setCellNamer([this](int n) { return cellCaption(n); });
    grid_->setCellPainter([this](QPainter& p, const QRect& cell, int n, bool selected) {
        const int i = ws_.Library.FilteredIndex(n);
        if (i < 0 || i >= ws_.Library.Count()) return;
        const QImage t = thumbnail(i);
        if (t.isNull()) return;
        const QRect inner = cell.adjusted(4, 6, -4, -24);
        if (inner.width() > 0 && inner.height() > 0) p.drawImage(inner, t);
        p.setPen(selected ? palette().highlightedText().color() : palette().buttonText().color());
        p.drawText(cell.left() + 10, cell.bottom() - 6, cellCaption(n));
    });
    connect(grid_, &ThumbnailGrid::clicked, this, [this] { gridClick(); });
    connect(grid_, &ThumbnailGrid::scrolled, this, [this] { gridClick(); });
    middle->addWidget(grid_, 1);
    top->addLayout(middle, 3);

    panel5_ = new QWidget(this);
    auto* right = new QVBoxLayout(panel5_);
    previewPanel_ = new QWidget(panel5_);
    auto* pv = new QVBoxLayout(previewPanel_);
    auto* zoomBar = new QHBoxLayout;
    // Zoom out: the picture stretched into its box; zoom in: at its own size,
    // scrolled when larger than the box.
    zoomOut_ = NewToolButton(previewPanel_, "-", text("S03001", "Zoom out"));
    zoomOut_->setObjectName("btnZoomOut");
    zoomOut_->setCheckable(true);
    zoomIn_ = NewToolButton(previewPanel_, "+", text("S03000", "Zoom in"));
    zoomIn_->setObjectName("btnZoomIn");
    zoomIn_->setCheckable(true);
    zoomIn_->setChecked(true);
    auto* zoomGroup = new QButtonGroup(previewPanel_);
    zoomGroup->addButton(zoomOut_);
    zoomGroup->addButton(zoomIn_);
    connect(zoomGroup, &QButtonGroup::buttonClicked, this, [this] { showPreview(); });
    zoomBar->addWidget(zoomOut_);
    zoomBar->addWidget(zoomIn_);
    zoomBar->addStretch();
    pv->addLayout(zoomBar);
    previewArea_ = new QScrollArea(previewPanel_);
    previewArea_->setObjectName("pnlPreview");
    previewArea_->setMinimumSize(220, 220);
    previewArea_->setAlignment(Qt::AlignCenter);
    previewArea_->setWidgetResizable(false);
    preview_ = new QLabel;
    preview_->setObjectName("preview");
    preview_->setAlignment(Qt::AlignCenter);
    previewArea_->setWidget(preview_);
    // A double click on the picture switches between the two.
    preview_->installEventFilter(this);
    previewArea_->viewport()->installEventFilter(this);
    pv->addWidget(previewArea_, 1);
    right->addWidget(previewPanel_, 1);

    editPanel_ = new QWidget(panel5_);
    auto* ev = new QVBoxLayout(editPanel_);
    auto* editBar = new QToolBar(editPanel_);
    addButton(editBar, tagViewBlock, "Block", text("S03002", "View the selected block"), false);
    addButton(editBar, tagAdd, "Add", text("S03003", "Add the block to the gallery"), false);
    addButton(editBar, tagCall, "Take", text("S03004", "Take the pattern from the gallery"), false);
    addButton(editBar, tagReplace, "Replace", text("S03005", "Replace the pattern with the block"), false);
    addButton(editBar, tagSetTechniques, "Techniques", text("S03006", "Set the pattern's techniques"), false);
    addButton(editBar, tagDelete, "Delete", text("S03007", "Delete the pattern"), false);
    ev->addWidget(editBar);
    block_ = new QLabel(editPanel_);
    block_->setMinimumSize(200, 160);
    block_->setAlignment(Qt::AlignCenter);
    ev->addWidget(block_, 1);
    auto* size = new QGroupBox("Block size", editPanel_);
    auto* sv = new QVBoxLayout(size);
    blockWidth_ = new QLabel("Width : ", size);
    blockHeight_ = new QLabel("Height : ", size);
    sv->addWidget(blockWidth_);
    sv->addWidget(blockHeight_);
    ev->addWidget(size);
    auto* pf = new QGroupBox(text("S03009", "Preview"), editPanel_);
    auto* pfl = new QHBoxLayout(pf);
    previewFile_ = new QLineEdit(pf);
    previewFile_->setObjectName("previewFile");
    previewFile_->setAccessibleName(pf->title());
    auto* find = new QPushButton("...", pf);
    find->setObjectName("findPreview");
    find->setToolTip(text("S03008", "Find a preview picture"));
    find->setAccessibleName(find->toolTip());
    connect(find, &QPushButton::clicked, this, [this] { findPreview(); });
    pfl->addWidget(previewFile_, 1);
    pfl->addWidget(find);
    ev->addWidget(pf);
    right->addWidget(editPanel_);
    top->addWidget(panel5_, 2);
}

QToolButton* GalleriesPage::button(int tag) const {
    auto it = buttons_.find(tag);
    return it == buttons_.end() ? nullptr : it->second;
}

bool GalleriesPage::editable() const {
    const PatternLibrary& lib = ws_.Library;
    return !lib.FileName.empty() && ((lib.Version() == kLibraryVersion && !lib.IsProtected()) || lib.SuperUser);
}

void GalleriesPage::OnShowForm() {
    if (firstShow_) {
        firstShow_ = false;
        frameResize();
    }
    showPanels();
}

void GalleriesPage::showPanels() {
    const bool fabric = button(tagShowFabric)->isChecked(), edit = button(tagEditLibrary)->isChecked();
    panel5_->setVisible(fabric || edit);
    previewPanel_->setVisible(fabric);
    editPanel_->setVisible(edit);
}

void GalleriesPage::ScanForLibraries() {
    libraries_->clear();
    const QDir dir(galleriesFolder(ws_));
    const QStringList files = dir.entryList({"*.lcl"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    libraries_->addItems(files);
    if (files.isEmpty()) {
        ws_.Library.Create();
        enableEditing();
        selected_ = kNone;
        thumbs_.clear();
        setUpScrollBar();
        grid_->update();
        return;
    }
    openLibrary(std::min(lastOpened_, libraries_->count() - 1));
}

void GalleriesPage::openLibrary(int row) {
    if (row < 0 || row >= libraries_->count()) return;
    libraries_->setCurrentRow(row);
    const QString file = QDir(galleriesFolder(ws_)).filePath(libraries_->item(row)->text());
    try {
        ws_.Library.LoadFromFile(file.toStdString());
    } catch (const std::exception& e) {
        // A damaged library leaves the one open before as it was, and says why.
        tell(QString("%1: %2").arg(libraries_->item(row)->text(), QString::fromUtf8(e.what())));
        return;
    }
    thumbs_.clear();
    enableEditing();
    selected_ = 0;
    setUpScrollBar();
    frameResize();
    grid_->update();
    gridClick();
    lastOpened_ = row;
}

// The editing commands work on an open, editable library only.
void GalleriesPage::enableEditing() {
    const bool can = editable();
    for (int tag : {tagAdd, tagReplace, tagSetTechniques, tagDelete}) button(tag)->setEnabled(can);
    findChild<QPushButton*>("findPreview")->setEnabled(can);
}

void GalleriesPage::NewGallery() {
    NewGalleryDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) CreateGallery(dialog.name());
}

bool GalleriesPage::CreateGallery(const QString& name) {
    switch (CheckGalleryName(name.toStdString())) {
    case GalleryNameProblem::Empty: tell("Please type a name for the gallery."); return false;
    case GalleryNameProblem::BadCharacters:
        tell("A gallery name cannot hold \"/\", \"\\\", \"..\" or control characters.");
        return false;
    case GalleryNameProblem::None: break;
    }
    const QString folder = galleriesFolder(ws_);
    std::error_code ec;
    std::filesystem::create_directories(folder.toStdString(), ec);
    const QString file = QDir(folder).filePath(name + ".lcl");
    if (QFileInfo::exists(file) &&
        !ask(QString("The gallery \"%1\" exists. Replace it with an empty one? Its patterns will be lost.").arg(name),
             QString::fromStdString(ws_.UIText[utConfirmation])))
        return false;
    // Written aside, so a failed save leaves the open library as it was; the
    // list is then read again and opens the line of the last opened library.
    PatternLibrary fresh;
    fresh.SuperUser = ws_.Library.SuperUser;
    fresh.CreateNew(folder.toStdString() + "/", name.toStdString());
    fresh.SaveToFile();
    ScanForLibraries();
    return true;
}

void GalleriesPage::SaveGallery() { saveLibrary(); }

bool GalleriesPage::saveLibrary() {
    if (ws_.Library.FileName.empty()) return false;
    ws_.Library.SaveToFile();
    return true;
}

void GalleriesPage::clickTool(int tag) {
    switch (tag) {
    case tagViewBlock: {
        showBlock();
        const int count = ws_.Library.Count();
        const int page = grid_->shape().page();
        if (count > grid_->scrollBar()->maximum()) grid_->setRange(page, count);
        grid_->scrollTo(std::max(0, count - page + 1));
        grid_->setSelectedPlace(count - grid_->firstVisible());
        for (int i = 0; i < techniques_->count(); ++i) techniques_->item(i)->setCheckState(Qt::Unchecked);
        break;
    }
    case tagAdd: addToGallery(); break;
    case tagReplace: replaceInGallery(); break;
    case tagSetTechniques: setTechniques(); break;
    case tagDelete: deletePattern(); break;
    case tagCall: callFromGallery(); break;
    case tagCopyPattern:
        if (links_) links_->insertPattern();
        break;
    case tagShowFabric:
        showPanels();
        frameResize();
        reDrawSelected();
        break;
    case tagEditLibrary:
        showPanels();
        frameResize();
        if (button(tagEditLibrary)->isChecked()) {
            button(tagFilter)->setChecked(false);
            ws_.Library.FilterOn = false;
            selected_ = 0;
            setUpScrollBar();
            gridClick();
        } else {
            block_->clear();
        }
        grid_->update();
        break;
    case tagFilter: applyFilter(); break;
    default: break;
    }
}

uint32_t GalleriesPage::checkedMask() const {
    uint32_t mask = 0;
    for (int i = 0; i < techniques_->count(); ++i)
        if (techniques_->item(i)->checkState() == Qt::Checked)
            mask |= static_cast<uint32_t>(techniques_->item(i)->data(Qt::UserRole).toULongLong());
    return mask;
}

void GalleriesPage::libraryChanged() {
    thumbs_.clear();
    saveLibrary();
    setUpScrollBar();
    grid_->update();
}

void GalleriesPage::addToGallery() {
    const PackedBlock packed = PackBackupBlock(ws_.Raster, ws_.Editor.BlockRect);
    if (packed.Bytes.empty()) {
        tell("There is no block to add: select a block in the drawing first.");
        return;
    }
    if (!ws_.Library.AddPattern(packed.Width, packed.Height, previewFile_->text().toStdString(), packed.Bytes,
                                checkedMask())) {
        tell(ws_.Library.Count() >= kLibraryMaxPatterns ? "The gallery is full: it holds 1000 patterns."
                                                        : "This gallery is protected: no pattern can be added.");
        return;
    }
    selected_ = static_cast<uint16_t>(ws_.Library.Count() - 1);
    libraryChanged();
    frameResize();
    gridClick();
}

void GalleriesPage::replaceInGallery() {
    if (selected_ == kNone || selected_ >= ws_.Library.Count()) return;
    const PackedBlock packed = PackBackupBlock(ws_.Raster, ws_.Editor.BlockRect);
    if (packed.Bytes.empty()) {
        tell("There is no block to put in place of the pattern: select a block in the drawing first.");
        return;
    }
    ws_.Library.ReplacePattern(packed.Width, packed.Height, previewFile_->text().toStdString(), packed.Bytes,
                               selected_);
    libraryChanged();
}

void GalleriesPage::setTechniques() {
    if (selected_ == kNone || selected_ >= ws_.Library.Count()) return;
    ws_.Library.SetCategory(selected_, checkedMask());
    libraryChanged();
    showTech();
}

void GalleriesPage::deletePattern() {
    if (selected_ == kNone || selected_ >= ws_.Library.Count()) return;
    if (!ask(QString::fromStdString(ws_.UIText[utDeletePatternQuestion]),
             QString::fromStdString(ws_.UIText[utConfirmation])))
        return;
    ws_.Library.DeletePattern(selected_);
    selected_ = ws_.Library.Count() == 0 ? kNone : std::min<uint16_t>(selected_, ws_.Library.Count() - 1);
    libraryChanged();
    gridClick();
}

void GalleriesPage::callFromGallery() {
    PatternInfo info;
    if (selected_ == kNone || !ws_.Library.GetPattern(selected_, info)) return;
    const std::span<const uint8_t> data = ws_.Library.Data();
    const size_t available = static_cast<size_t>(data.data() + data.size() - info.Pixels);
    ws_.Editor.BlockRect = UnpackIntoBackup(ws_.Raster, info.Width, info.Height, {info.Pixels, available});
    showBlock();
    previewFile_->setText(QString::fromStdString(ws_.Library.GetPatternName(selected_)));
}

void GalleriesPage::showBlock() {
    const CellRect r = ws_.Editor.BlockRect;
    const int w = std::abs(r.width()), h = std::abs(r.height());
    blockWidth_->setText(QString("Width : %1").arg(w));
    blockHeight_->setText(QString("Height : %1").arg(h));
    if (r.isEmpty()) {
        block_->clear();
        return;
    }
    ws_.Raster.ApplyPaletteTo(ws_.Raster.Backup, 0);
    const QImage all = IndexedView(ws_.Raster.Backup, &ws_.Raster.Colors);
    const QImage part = all.copy(r.Left, r.Top, r.width(), r.height());
    block_->setPixmap(QPixmap::fromImage(part.scaled(block_->size(), Qt::KeepAspectRatio, Qt::FastTransformation)));
}

void GalleriesPage::findPreview() {
    if (selected_ == kNone) return;
    const QString file = QFileDialog::getOpenFileName(this, text("S03008", "Find a preview picture"), QString(),
                                                      "Pictures (*.jpg *.jpeg *.png *.bmp *.ico);;All files (*)");
    if (!file.isEmpty()) SetPreviewFrom(file);
}

bool GalleriesPage::SetPreviewFrom(const QString& file) {
    if (selected_ == kNone || selected_ >= ws_.Library.Count() || !editable()) return false;
    const std::string name = PreviewNameOf(file.toStdString());
    const std::string galleries = ws_.Settings.Path_Gallery;
    const std::string folder = PreviewFolder(galleries, ws_.Library.LibraryName());
    const std::string target = PreviewPath(galleries, ws_.Library.LibraryName(), name);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder)) throw Error("Cannot create " + folder);
    if (!std::filesystem::exists(target) || !std::filesystem::equivalent(file.toStdString(), target, ec)) {
        const QImage picture = LoadPicture(file);
        WriteFileAtomic(target, EncodeJpeg(ToRgb(picture)));
    }
    previewFile_->setText(QString::fromStdString(name));
    ws_.Library.SetPatternName(selected_, name);
    saveLibrary();
    reDrawSelected();
    return true;
}

void GalleriesPage::applyFilter() {
    if (button(tagEditLibrary)->isChecked()) {
        button(tagFilter)->setChecked(false);
        return;
    }
    ws_.Library.FilterOn = button(tagFilter)->isChecked();
    ws_.Library.FilterMask = ws_.Library.FilterOn ? checkedMask() : 0;
    selected_ = 0;
    setUpScrollBar();
    grid_->setSelectedPlace(0);
    gridClick();
    grid_->update();
}

void GalleriesPage::setUpScrollBar() {
    int count = ws_.Library.Count();
    if (ws_.Library.FilterOn) {
        count = 0;
        while (ws_.Library.FilteredIndex(count) >= 0) ++count;
    }
    const ScrollRange r = GalleryScrollRange(count, grid_->shape().page());
    QSignalBlocker block(grid_->scrollBar());
    grid_->setRange(r.Page, r.Maximum);
    grid_->scrollTo(0);
}

void GalleriesPage::selectPattern(int index) {
    selected_ = index < 0 || index >= ws_.Library.Count() ? kNone : static_cast<uint16_t>(index);
    frameResize();
    reDrawSelected();
}

void GalleriesPage::gridClick() {
    const int i = ws_.Library.FilteredIndex(grid_->firstVisible() + grid_->selectedPlace());
    selected_ = i < 0 || i >= ws_.Library.Count() ? kNone : static_cast<uint16_t>(i);
    reDrawSelected();
}

void GalleriesPage::frameResize() {
    const int page = grid_->shape().page();
    int p = selected_;
    if (selected_ != kNone && ws_.Library.FilterOn) {
        p = 0;
        while (ws_.Library.FilteredIndex(p) >= 0 && ws_.Library.FilteredIndex(p) != selected_) ++p;
    }
    if (selected_ == kNone) return;
    const uint16_t keep = selected_;
    {
        QSignalBlocker block(grid_->scrollBar());
        grid_->scrollTo((p / page) * page);
    }
    grid_->setSelectedPlace(p % page);
    selected_ = keep;
    grid_->update();
}

QString GalleriesPage::cellCaption(int n) const {
    const int i = ws_.Library.FilteredIndex(n);
    PatternInfo info;
    if (i < 0 || !ws_.Library.GetPattern(i, info)) return {};
    return QString("#%1 : %2x%3").arg(i + 1).arg(info.Width).arg(info.Height);
}

QImage GalleriesPage::thumbnail(int index) {
    if (thumbColors_ != ws_.Raster.Colors) {
        thumbs_.clear();
        thumbColors_ = ws_.Raster.Colors;
    }
    auto it = thumbs_.find(index);
    if (it != thumbs_.end()) return it->second;
    PatternInfo info;
    QImage image;
    if (ws_.Library.GetPattern(index, info) && info.Width > 0 && info.Height > 0) {
        const std::span<const uint8_t> data = ws_.Library.Data();
        const size_t available = static_cast<size_t>(data.data() + data.size() - info.Pixels);
        const int rows = static_cast<int>(std::min<size_t>(info.Height, available / info.BytesPerRow));
        if (rows > 0) {
            image = QImage(info.Width, rows, QImage::Format_RGB32);
            for (int r = 0; r < rows; ++r) {
                const uint8_t* row = info.Pixels + static_cast<size_t>(r) * info.BytesPerRow;
                auto* out = reinterpret_cast<QRgb*>(image.scanLine(rows - 1 - r)); // lowest row at the bottom
                for (int x = 0; x < info.Width; ++x) out[x] = ToQRgb(ws_.Raster.Colors[PackedCell(row, x)]);
            }
        }
    }
    thumbs_[index] = image;
    return image;
}

QImage GalleriesPage::noPreviewPicture() const {
    QImage image(240, 180, QImage::Format_RGB32);
    image.fill(QColor(236, 232, 224));
    QPainter p(&image);
    p.setPen(QColor(120, 110, 100));
    QFont f = p.font();
    f.setPointSize(14);
    p.setFont(f);
    p.drawText(image.rect(), Qt::AlignCenter | Qt::TextWordWrap, InLanguage(ws_.Settings, "No preview", "Нет образца"));
    return image;
}

void GalleriesPage::reDrawSelected() {
    if (button(tagShowFabric)->isChecked() && selected_ != kNone && selected_ < ws_.Library.Count()) {
        const std::string name = ws_.Library.GetPatternName(selected_);
        QImage picture;
        if (!name.empty()) {
            const QString path =
                QString::fromStdString(PreviewPath(ws_.Settings.Path_Gallery, ws_.Library.LibraryName(), name));
            if (QFileInfo::exists(path)) {
                try {
                    picture = LoadPicture(path);
                } catch (const std::exception&) {
                    picture = QImage(); // a damaged preview shows the "no preview" picture
                }
            }
        }
        if (picture.isNull()) picture = noPreviewPicture();
        previewImage_ = picture;
        showPreview();
    }
    showTech();
}

bool GalleriesPage::previewStretched() const { return zoomOut_->isChecked(); }

void GalleriesPage::showPreview() {
    const QSize box = previewArea_->viewport()->size();
    if (previewImage_.isNull()) {
        preview_->clear();
        preview_->resize(box);
        return;
    }
    if (previewStretched()) {
        preview_->setPixmap(QPixmap::fromImage(
            previewImage_.scaled(box.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        preview_->resize(box);
    } else {
        // Never smaller than the box, so a double click anywhere in it reaches the picture.
        preview_->setPixmap(QPixmap::fromImage(previewImage_));
        preview_->resize(previewImage_.size().expandedTo(box));
    }
}

bool GalleriesPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == preview_ && event->type() == QEvent::MouseButtonDblClick) {
        (previewStretched() ? zoomIn_ : zoomOut_)->setChecked(true);
        showPreview();
        return true;
    }
    if (watched == previewArea_->viewport() && event->type() == QEvent::Resize) showPreview();
    return QWidget::eventFilter(watched, event);
}

void GalleriesPage::showTech() {
    const uint32_t mask =
        selected_ == kNone || selected_ >= ws_.Library.Count() ? 0 : ws_.Library.GetCategory(selected_);
    QSignalBlocker block(techniques_);
    for (int i = 0; i < techniques_->count(); ++i) {
        QListWidgetItem* item = techniques_->item(i);
        if (item->checkState() == Qt::Checked) continue;
        const uint32_t kind = static_cast<uint32_t>(item->data(Qt::UserRole).toULongLong());
        item->setCheckState((mask & kind) != 0 ? Qt::PartiallyChecked : Qt::Unchecked);
    }
}

} // namespace lc::ui
