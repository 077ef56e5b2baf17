#include "shell/ui/FashionPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/Errors.h"
#include "core/Jpeg.h"
#include "core/RichText.h"
#include "core/ui/InLanguage.h"
#include "core/ui/IndexedImage.h"
#include "core/ui/RichTextQt.h"
#include "garment/GarmentFile.h"
#include "garment/GarmentOutline.h"
#include "shell/ModelPreview.h"
#include "shell/ModelTree.h"
#include "shell/ui/FlowLayout.h"
#include "shell/ui/PictureLoader.h"
#include "shell/ui/ThumbnailGrid.h"
#include "shell/ui/WrappingToolBar.h"

namespace lc::ui {

namespace {

constexpr int kItemRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

QString imageName(int image) {
    switch (image) {
    case kTreeImageFirstSet: return QString::fromUtf8("\u25C6 ");
    case kTreeImageSet: return QString::fromUtf8("\u25C7 ");
    case kTreeImageDrawing: return QString::fromUtf8("\u25A6 ");
    case kTreeImageGarment: return QString::fromUtf8("\u2702 ");
    case kTreeImageNote: return QString::fromUtf8("\u270E ");
    default: return {};
    }
}

// `minSide` > 0: a thumbnail, decoded at a fraction of the size by libjpeg-turbo.
QImage decodePreview(std::span<const uint8_t> jpeg, int minSide = 0) {
    if (jpeg.empty()) return {};
    try {
        return FromRgb(DecodeJpegAtLeast(jpeg, minSide));
    } catch (const std::exception&) {
        return {};
    }
}

// Scrolls its column up and down only: it is always as wide as the column
// needs, with room kept for the scroll bar.
class ColumnScrollArea : public QScrollArea {
public:
    explicit ColumnScrollArea(QWidget* parent) : QScrollArea(parent) {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    QSize minimumSizeHint() const override { return {columnWidth(false), QScrollArea::minimumSizeHint().height()}; }
    QSize sizeHint() const override { return {columnWidth(true), QScrollArea::sizeHint().height()}; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        // Parts of the column shown or hidden change the width it needs.
        if (watched == widget() && e->type() == QEvent::LayoutRequest) updateGeometry();
        return QScrollArea::eventFilter(watched, e);
    }

private:
    int columnWidth(bool hint) const {
        const QWidget* w = widget();
        const int content = w ? (hint ? w->sizeHint() : w->minimumSizeHint()).width() : 0;
        return content + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
    }
};

// The model's column. Its height for a width is the least it can take: each
// part at its minimum, a wrapping row at the lines it needs. A box layout
// would answer its preferred height, and the column would scroll in a window
// that has the room for it.
class ModelColumn : public QWidget {
public:
    using QWidget::QWidget;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override {
        const QLayout* l = layout();
        const QMargins m = l->contentsMargins();
        const int inner = width - m.left() - m.right();
        int height = m.top() + m.bottom(), shown = 0;
        for (int i = 0; i < l->count(); ++i) {
            const QLayoutItem* item = l->itemAt(i);
            if (item->isEmpty()) continue;
            if (shown++) height += l->spacing();
            height += item->hasHeightForWidth() ? item->heightForWidth(inner) : item->minimumSize().height();
        }
        return height;
    }
};

} // namespace

FashionPage::FashionPage(Workspace& ws, QWidget* parent, PageLinks* links) : QWidget(parent), ws_(ws), links_(links) {
    setObjectName("FashionPage");
    ask = [this](const QString& text, const QString& caption) {
        return QMessageBox::question(this, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    };
    tell = [this](const QString& text) { QMessageBox::information(this, "Loopcrafter", text); };
    buildUi();
    setReadOnly(true);
    ScanCategories();
    ScanCollection({});
}

void FashionPage::buildUi() {
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Collections", this));
    categories_ = new QListWidget(this);
    categories_->setObjectName("categories");
    // A list is named by its own name only: a screen reader does not take it from a label.
    categories_->setAccessibleName(InLanguage(ws_.Settings, "Collections", "Коллекции"));
    categories_->setMaximumWidth(180);
    left->addWidget(categories_);
    connect(categories_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ScanCollection(item->text() == ".." ? QString() : item->text()); });
    top->addLayout(left);

    grid_ = new ThumbnailGrid(FashionGridShape, this);
    grid_->setObjectName("fashionGrid");
    grid_->setAccessibleName("Models");
    grid_->scrollBar()->setAccessibleName("Models shown");
    grid_->setCellNamer([this](int n) { return n >= 0 && n < files_.size() ? files_[n] : QString(); });
    grid_->setOpenAction(true);
    // Another shape holds another number of files: the scroll bar follows.
    connect(grid_, &ThumbnailGrid::resized, this, [this] { setUpScrollBar(); });
    grid_->setCellPainter([this](QPainter& p, const QRect& cell, int n, bool selected) {
        if (n < 0 || n >= files_.size()) return; // an empty cell
        const Thumb& t = thumb(QDir(folder()).filePath(files_[n]));
        const QRect pic = cell.adjusted(2, 2, -2, -40);
        if (!t.Picture.isNull() && pic.width() > 0 && pic.height() > 0) {
            const QImage scaled = t.Picture.scaled(pic.size(), Qt::KeepAspectRatio, Qt::FastTransformation);
            p.drawImage(pic.left() + (pic.width() - scaled.width()) / 2, pic.top(), scaled);
        }
        p.setPen(selected ? palette().highlightedText().color() : palette().buttonText().color());
        p.drawText(QRect(cell.left() + 2, cell.bottom() - 38, cell.width() - 4, 18), Qt::AlignLeft, t.ModelName);
        p.drawText(QRect(cell.left() + 2, cell.bottom() - 20, cell.width() - 4, 18), Qt::AlignLeft, files_[n]);
    });
    connect(grid_, &ThumbnailGrid::doubleClicked, this, [this](int n) {
        if (n >= 0 && n < files_.size()) LoadModel(QDir(folder()).filePath(files_[n]));
    });
    // Two thumbnails wide at the least; the model's column has the rest up to
    // what its rows need on one line, and the grid what is left over.
    grid_->setMinimumWidth(2 * 120 + 20);
    top->addWidget(grid_, 1);

    // The model's column scrolls up and down where a small window has not the
    // height for it, rather than squeeze its parts over one another.
    auto* column = new ModelColumn;
    column->setObjectName("modelColumn");
    auto* right = new QVBoxLayout(column);
    right->setContentsMargins(0, 0, 0, 0);
    // Both tool bars go on to a second line in a narrow window rather than hide
    // buttons behind an overflow arrow.
    auto* modelBar = new WrappingToolBar(this);
    modelBar->setObjectName("modelBar");
    auto add = [&](WrappingToolBar* bar, int tag, const QString& caption, const QString& hint) {
        QToolButton* b = NewToolButton(bar, caption, hint);
        b->setObjectName(QString("tag%1").arg(tag));
        bar->addWidget(b);
        if (tag > 0) {
            buttons_[tag] = b;
            connect(b, &QToolButton::clicked, this, [this, tag] { clickItemTool(tag); });
        }
        return b;
    };
    // Bound by the main window, Open and Save go through OpenDialog and SaveDialog.
    frame_ = AddFrameButtons(modelBar);
    add(modelBar, tagNew, "New", "New model");
    add(modelBar, tagLoadPreview, "Preview...", "Select and Load Preview");
    add(modelBar, tagClearPreview, "No preview", "Clear Preview");
    // Offered, never enabled: a preview is taken as it is.
    add(modelBar, tagCropPreview, "Crop", "Crop Preview")->setEnabled(false);
    right->addWidget(modelBar);
    auto* head = new QHBoxLayout;
    auto* fields = new QVBoxLayout;
    auto* nameLabel = new QLabel("Name:", this);
    fields->addWidget(nameLabel);
    name_ = new QLineEdit(this);
    name_->setMaxLength(32);
    nameLabel->setBuddy(name_);
    fields->addWidget(name_);
    auto* authorLabel = new QLabel("Author:", this);
    fields->addWidget(authorLabel);
    author_ = new QLineEdit(this);
    author_->setMaxLength(32);
    authorLabel->setBuddy(author_);
    fields->addWidget(author_);
    protect_ = new QCheckBox("Protect", this);
    protect_->setToolTip("Protect your model, disable any changes");
    connect(protect_, &QCheckBox::toggled, this, [this](bool on) { model_.Header.SetReadOnly(on); });
    fields->addWidget(protect_);
    head->addLayout(fields, 1);
    modelPreview_ = new QLabel(this);
    modelPreview_->setFixedSize(120, 120);
    modelPreview_->setAlignment(Qt::AlignCenter);
    head->addWidget(modelPreview_);
    right->addLayout(head);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName("items");
    tree_->setHeaderHidden(true);
    tree_->setAccessibleName(InLanguage(ws_.Settings, "Model items", "Элементы модели"));
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { treeChanged(); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { LoadSelectedItem(); });
    right->addWidget(tree_, 2);
    itemPanel_ = new QWidget(this);
    auto* ip = new QVBoxLayout(itemPanel_);
    ip->setContentsMargins(0, 0, 0, 0);
    itemName_ = new QLineEdit(itemPanel_);
    itemName_->setPlaceholderText("Item name");
    itemName_->setAccessibleName(InLanguage(ws_.Settings, "Item name", "Название элемента"));
    ip->addWidget(itemName_);
    auto* itemBar = new WrappingToolBar(itemPanel_);
    itemBar->setObjectName("itemBar");
    add(itemBar, tagAddSet, "Set", "Add new set");
    add(itemBar, tagAddDrawing, "Drawing", "Add drawing");
    add(itemBar, tagAddGarment, "Garment", "Add garment");
    add(itemBar, tagAddNote, "Note", "Add note");
    add(itemBar, tagRename, "Rename", "Edit/Rename item");
    add(itemBar, tagDelete, "Delete", "Delete item");
    ip->addWidget(itemBar);
    right->addWidget(itemPanel_);

    auto* previewBox = new QGroupBox("Item preview", this);
    auto* pv = new QVBoxLayout(previewBox);
    itemPreview_ = new QLabel(previewBox);
    itemPreview_->setObjectName("itemPreview");
    itemPreview_->setFixedSize(200, 160);
    itemPreview_->setAlignment(Qt::AlignCenter);
    pv->addWidget(itemPreview_);
    loadItem_ = new QToolButton(previewBox);
    loadItem_->setObjectName("SpeedButton1");
    loadItem_->setText("Load Selected Item");
    connect(loadItem_, &QToolButton::clicked, this, [this] { LoadSelectedItem(); });
    pv->addWidget(loadItem_);
    right->addWidget(previewBox);

    formatPanel_ = new QWidget(this);
    auto* fp = new FlowLayout(formatPanel_);
    fp->setContentsMargins(0, 0, 0, 0);
    auto fmt = [&](const QString& caption, const QString& hint) {
        QToolButton* b = NewToolButton(formatPanel_, caption, hint);
        fp->addWidget(b);
        return b;
    };
    connect(fmt("New", "New Instruction"), &QToolButton::clicked, this, [this] { note_->clear(); });
    connect(fmt("Paste", "Paste from Clipboard"), &QToolButton::clicked, this, [this] { note_->paste(); });
    auto* bold = fmt("B", "Make selected text bold");
    connect(bold, &QToolButton::clicked, this, [this] {
        QTextCharFormat f;
        f.setFontWeight(note_->currentCharFormat().fontWeight() >= QFont::Bold ? QFont::Normal : QFont::Bold);
        note_->mergeCurrentCharFormat(f);
    });
    auto* italic = fmt("I", "Make selected text italic");
    connect(italic, &QToolButton::clicked, this, [this] {
        QTextCharFormat f;
        f.setFontItalic(!note_->currentCharFormat().fontItalic());
        note_->mergeCurrentCharFormat(f);
    });
    fonts_ = new QComboBox(formatPanel_);
    fonts_->setAccessibleName("Font");
    fonts_->addItems(QFontDatabase::families());
    connect(fonts_, &QComboBox::textActivated, this, [this](const QString& family) {
        QTextCharFormat f;
        f.setFontFamilies({family});
        note_->mergeCurrentCharFormat(f);
    });
    fp->addWidget(fonts_);
    size_ = new QSpinBox(formatPanel_);
    size_->setAccessibleName("Font size");
    size_->setRange(8, 72);
    size_->setValue(12);
    connect(size_, &QSpinBox::valueChanged, this, [this](int pt) {
        QTextCharFormat f;
        f.setFontPointSize(pt);
        note_->mergeCurrentCharFormat(f);
    });
    fp->addWidget(size_);
    colors_ = new QComboBox(formatPanel_);
    colors_->setToolTip("Text color");
    colors_->setAccessibleName("Text color");
    for (const char* c : {"black", "maroon", "green", "olive", "navy", "purple", "teal", "gray", "silver", "red",
                          "lime", "yellow", "blue", "fuchsia", "aqua", "white"}) {
        QPixmap swatch(12, 12);
        swatch.fill(QColor(c));
        colors_->addItem(QIcon(swatch), c, QColor(c));
    }
    connect(colors_, &QComboBox::activated, this, [this](int i) {
        QTextCharFormat f;
        f.setForeground(colors_->itemData(i).value<QColor>());
        note_->mergeCurrentCharFormat(f);
    });
    fp->addWidget(colors_);
    right->addWidget(formatPanel_);
    note_ = new QTextEdit(this);
    note_->setObjectName("note");
    note_->setAccessibleName(InLanguage(ws_.Settings, "Note", "Заметка"));
    right->addWidget(note_, 2);
    auto* scroll = new ColumnScrollArea(this);
    scroll->verticalScrollBar()->setAccessibleName(InLanguage(ws_.Settings, "Model", "Модель"));
    scroll->setWidget(column);
    top->addWidget(scroll);
}

QToolButton* FashionPage::button(int tag) const {
    auto it = buttons_.find(tag);
    return it == buttons_.end() ? nullptr : it->second;
}

QString FashionPage::folder() const {
    const QString base = QString::fromStdString(ws_.Settings.Path_Fashion);
    return category_.isEmpty() ? base : QDir(base).filePath(category_);
}

void FashionPage::OnShowForm() {}

void FashionPage::ScanCategories() {
    categories_->clear();
    categories_->addItem("..");
    const QDir base(QString::fromStdString(ws_.Settings.Path_Fashion));
    for (const QString& d : base.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        if (IsCategoryName(d.toStdString())) categories_->addItem(d);
}

void FashionPage::ScanCollection(const QString& category) {
    category_ = category;
    files_ = QDir(folder()).entryList({"*.lcm"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    setUpScrollBar();
    grid_->update();
}

void FashionPage::setUpScrollBar() {
    bool visible = false;
    const ScrollRange r = FashionScrollRange(static_cast<int>(files_.size()), grid_->shape().page(), visible);
    grid_->setRange(r.Page, r.Maximum);
    grid_->scrollTo(0);
    grid_->scrollBar()->setVisible(visible);
}

const FashionPage::Thumb& FashionPage::thumb(const QString& path) {
    const QFileInfo info(path);
    Thumb& t = thumbs_[path];
    if (t.Size == info.size() && t.Modified == info.lastModified()) return t;
    t = Thumb{info.lastModified(), info.size(), {}, {}};
    ModelFile peek;
    // A file gone since the scan peeks as nothing: the cell stays empty.
    if (info.exists() && peek.PeekFile(path.toStdString())) {
        t.ModelName = QString::fromStdString(peek.PeekHeader.ModelName());
        const QImage small = decodePreview(peek.PeekPreview(), 160);
        if (!small.isNull()) t.Picture = small.scaled(240, 240, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return t;
}

bool FashionPage::LoadModel(const QString& file) {
    bool found = false;
    try {
        found = model_.LoadFromFile(file.toStdString());
    } catch (const std::exception& e) {
        tell(QString::fromUtf8(e.what())); // a damaged file changes nothing
        return false;
    }
    if (!found) {
        model_.Header = ModelHeader{};
        model_.Clear();
    }
    const QImage preview = decodePreview(model_.Preview());
    modelPreview_->setPixmap(
        preview.isNull()
            ? QPixmap()
            : QPixmap::fromImage(preview.scaled(modelPreview_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    name_->setText(QString::fromStdString(model_.Header.ModelName()));
    author_->setText(QString::fromStdString(model_.Header.Author()));
    {
        QSignalBlocker block(protect_);
        protect_->setChecked(model_.Header.ReadOnly());
    }
    note_->clear();
    rebuildTree();
    setReadOnly(model_.Header.ReadOnly());
    if (!found) tell(QString("The model \"%1\" was not found.").arg(QFileInfo(file).fileName()));
    return found;
}

QTreeWidgetItem* FashionPage::addNode(int item, int image, QTreeWidgetItem* parent) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    node->setText(0, imageName(image) + QString::fromStdString(model_.Items[item].Name));
    node->setData(0, kItemRole, item);
    node->setData(0, kImageRole, image);
    if (parent) parent->setExpanded(true);
    return node;
}

void FashionPage::rebuildTree() {
    loading_ = true;
    tree_->clear();
    std::vector<QTreeWidgetItem*> nodes;
    for (const ModelTreeNode& n : BuildModelTree(model_))
        nodes.push_back(addNode(n.Item, n.Image, n.Parent >= 0 ? nodes[n.Parent] : nullptr));
    tree_->expandAll();
    loading_ = false;
    itemPreview_->clear();
    previewMode_ = 0;
}

void FashionPage::setReadOnly(bool readOnly) {
    name_->setReadOnly(readOnly);
    author_->setReadOnly(readOnly);
    note_->setReadOnly(readOnly);
    button(tagLoadPreview)->setEnabled(!readOnly);
    button(tagClearPreview)->setEnabled(!readOnly);
    protect_->setVisible(!readOnly);
    itemPanel_->setVisible(!readOnly);
    formatPanel_->setVisible(!readOnly);
}

void FashionPage::NewModel() {
    setReadOnly(false);
    modelPreview_->clear();
    model_.Clear();
    model_.Header = ModelHeader{};
    {
        QSignalBlocker block(protect_);
        protect_->setChecked(false);
    }
    note_->clear();
    name_->clear();
    author_->clear();
    itemName_->clear();
    model_.AddFolder("Model");
    rebuildTree();
    tree_->setCurrentItem(tree_->topLevelItem(0));
}

void FashionPage::SaveModel(const QString& file) {
    model_.Header.SetModelName(name_->text().toStdString());
    model_.Header.SetAuthor(author_->text().toStdString());
    model_.SaveToFile(file.toStdString());
    thumbs_.erase(file);
    ScanCollection(category_);
}

void FashionPage::OpenDialog() {
    const QString file = QFileDialog::getOpenFileName(this, "Open a model", folder(), "Models (*.lcm);;All files (*)");
    if (!file.isEmpty()) LoadModel(file);
}

void FashionPage::SaveDialog() {
    QFileDialog dialog(this, "Save the model", folder(), "Models (*.lcm);;All files (*)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("lcm");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        SaveModel(dialog.selectedFiles().first());
}

uint16_t FashionPage::activeSetId() const {
    QTreeWidgetItem* node = tree_->currentItem();
    if (!node) return 0;
    QTreeWidgetItem* set = node->parent() ? node->parent() : node;
    const int item = set->data(0, kItemRole).toInt();
    if (item < 0 || item >= static_cast<int>(model_.Items.size())) return 0;
    // Items go under a set; a top-level drawing is no set.
    return model_.Items[item].Kind == kItemFolder ? model_.Items[item].Id : 0;
}

void FashionPage::clickItemTool(int tag) {
    const std::string name = itemName_->text().toStdString();
    if (tag >= tagAddSet && tag <= tagRename && name.empty()) return;
    QTreeWidgetItem* current = tree_->currentItem();
    int selectItem = -1;
    switch (tag) {
    case tagAddSet: selectItem = model_.AddFolder(name); break;
    case tagAddDrawing: selectItem = model_.AddDrawing(activeSetId(), name, ws_.Raster); break;
    case tagAddGarment:
        selectItem = model_.AddGarment(activeSetId(), name);
        if (links_) links_->writeGarmentToModel(selectItem);
        break;
    case tagAddNote: try { selectItem = model_.AddNote(activeSetId(), name, FromQTextDocument(*note_->document()));
        } catch (const std::exception& e) {
            tell(QString::fromUtf8(e.what()));
            return;
        }
        break;
    case tagRename: {
        if (!current) return;
        const int item = current->data(0, kItemRole).toInt();
        if (item < 0 || item >= static_cast<int>(model_.Items.size())) return;
        model_.Items[item].Name = QString::fromStdString(name).left(33).toStdString();
        selectItem = item;
        break;
    }
    case tagDelete: {
        if (!current || current == tree_->topLevelItem(0)) return; // nothing selected, or the model's own set
        const int item = current->data(0, kItemRole).toInt();
        if (item < 0 || item >= static_cast<int>(model_.Items.size())) return;
        if (model_.Items[item].Kind == kItemFolder && current->childCount() > 0 &&
            !ask(QString("Delete the set \"%1\" and the %2 items in it?")
                     .arg(QString::fromStdString(model_.Items[item].Name))
                     .arg(current->childCount()),
                 QString::fromStdString(ws_.UIText[utConfirmation])))
            return;
        DeleteItemWithChildren(model_, item);
        break;
    }
    case tagNew: NewModel(); return;
    case tagLoadPreview: {
        const QString file = QFileDialog::getOpenFileName(this, "Select and Load Preview", QString(),
                                                          "All (*.jpg *.jpeg);;JPEG Image File (*.jpg *.jpeg)");
        if (!file.isEmpty()) SetPreviewFrom(file);
        return;
    }
    case tagClearPreview:
        modelPreview_->clear();
        model_.FreePreview();
        return;
    default: return;
    }
    rebuildTree();
    // The new or renamed item stays selected, so the next one goes into the same set.
    QTreeWidgetItemIterator it(tree_);
    for (; *it; ++it)
        if ((*it)->data(0, kItemRole).toInt() == selectItem) {
            tree_->setCurrentItem(*it);
            break;
        }
}

bool FashionPage::SetPreviewFrom(const QString& file) {
    QImage picture;
    try {
        picture = LoadPicture(file);
    } catch (const std::exception& e) {
        tell(QString::fromUtf8(e.what()));
        return false;
    }
    model_.SetPreview(EncodeJpeg(ToRgb(picture)));
    modelPreview_->setPixmap(
        QPixmap::fromImage(picture.scaled(modelPreview_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    return true;
}

void FashionPage::treeChanged() {
    if (loading_) return;
    itemPreview_->clear();
    previewMode_ = 0;
    QTreeWidgetItem* node = tree_->currentItem();
    if (!node) return;
    const int item = node->data(0, kItemRole).toInt();
    if (item < 0 || item >= static_cast<int>(model_.Items.size())) return;
    switch (model_.Items[item].Kind) {
    case kItemDrawing: previewMode_ = 1; break;
    case kItemGarment: previewMode_ = 2; break;
    case kItemNote: previewMode_ = 3; break;
    default: break;
    }
    drawItemPreview();
}

void FashionPage::drawItemPreview() {
    QTreeWidgetItem* node = tree_->currentItem();
    if (!node || previewMode_ == 0) return;
    const int item = node->data(0, kItemRole).toInt();
    if (item < 0 || item >= static_cast<int>(model_.Items.size())) return;
    QImage out(itemPreview_->size(), QImage::Format_RGB32);
    out.fill(palette().button().color());
    QPainter p(&out);
    if (previewMode_ == 1) {
        const DrawingCells cells = DrawingItemCells(model_.Items[item], out.height());
        const int w = std::min(cells.Width, out.width());
        const int top = out.height() - cells.Lines; // the pattern's first rows at the bottom
        for (int y = 0; y < cells.Lines; ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(top + y));
            const uint8_t* src = cells.Cells.data() + static_cast<size_t>(y) * cells.Width;
            for (int x = 0; x < w; ++x) line[x] = ToQRgb(ws_.Raster.Colors[src[x]]);
        }
    } else if (previewMode_ == 2) {
        GarmentOutline outline;
        try {
            LoadGarment(model_, item, outline);
        } catch (const std::exception&) {
            return; // a damaged garment item shows nothing
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::darkBlue, 1.5));
        for (const auto& line : GarmentPreviewLines(outline, out.width(), out.height())) {
            QPolygon poly;
            for (const PreviewPoint& pt : line) poly << QPoint(pt.X, pt.Y);
            p.drawPolyline(poly);
        }
    } else {
        // A note: a sheet with lines.
        const QRect sheet(out.width() / 2 - 40, out.height() / 2 - 50, 80, 100);
        p.fillRect(sheet, Qt::white);
        p.setPen(Qt::gray);
        p.drawRect(sheet);
        for (int y = sheet.top() + 18; y < sheet.bottom() - 8; y += 12)
            p.drawLine(sheet.left() + 10, y, sheet.right() - 10, y);
    }
    p.end();
    itemPreview_->setPixmap(QPixmap::fromImage(out));
}

void FashionPage::LoadSelectedItem() {
    QTreeWidgetItem* node = tree_->currentItem();
    if (!node) return;
    const int item = node->data(0, kItemRole).toInt();
    if (item < 0 || item >= static_cast<int>(model_.Items.size())) return;
    switch (model_.Items[item].Kind) {
    case kItemGarment:
        if (links_) links_->readGarmentFromModel(item);
        break;
    case kItemNote: {
        RichDocument doc;
        try {
            if (model_.LoadNote(item, doc)) ToQTextDocument(doc, *note_->document());
        } catch (const std::exception& e) {
            tell(QString::fromUtf8(e.what()));
        }
        break;
    }
    case kItemDrawing:
        if (links_) links_->showModelDrawing(model_, item);
        break;
    default: break;
    }
}

} // namespace lc::ui
