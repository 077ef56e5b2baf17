#include "shell/ui/ConverterPage.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QSlider>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

#include "core/CursorIds.h"
#include "core/Errors.h"
#include "core/ui/Cursors.h"
#include "core/ui/IndexedImage.h"
#include "shell/ui/FlowLayout.h"
#include "shell/ui/PictureLoader.h"
#include "shell/ui/ToolButtons.h"

namespace lc::ui {

ConverterPage::ConverterPage(Workspace& ws, QWidget* parent, PageLinks* links)
    : QWidget(parent), ws_(ws), links_(links) {
    setObjectName("ConverterPage");
    auto* top = new QVBoxLayout(this);
    auto* bar = new QToolBar(this);
    auto tool = [&](const QString& caption, const QString& hint, bool check) {
        QToolButton* b = NewToolButton(bar, caption, hint);
        b->setCheckable(check);
        bar->addWidget(b);
        return b;
    };
    // Open/Menu: a click opens a picture; its arrow drops the main window's
    // menu, which the main window binds, together with Help.
    openBtn_ = tool("Open", "Open/Menu", false);
    openBtn_->setObjectName("ToolButton1");
    connect(openBtn_, &QToolButton::clicked, this, [this] { ChoosePicture(); });
    helpBtn_ = tool("?", "Help", false);
    helpBtn_->setObjectName("ToolButton25");
    helpBtn_->setEnabled(false);
    bar->addSeparator();
    zoomMode_ = tool("Zoom", "Select and zoom area", true);
    auto* back = tool("Back", "Return to previous area", false);
    connect(back, &QToolButton::clicked, this, [this] {
        if (conv_.zoomBack()) fitView();
    });
    grid_ = tool("Grid", "Show/hide grid", true);
    connect(grid_, &QToolButton::toggled, this, [this] { view_->update(); });
    auto* undo = tool("Undo", "Undo convertion", false);
    connect(undo, &QToolButton::clicked, this, [this] { UndoConversion(); });
    top->addWidget(bar);

    // The settings keep their order and go on to further lines as the width
    // needs: in one row Qt squeezed them below their sizes in a small window.
    // A count stays beside its label, the slider between "High" and "Low".
    auto* settings = new QWidget(this);
    settings->setObjectName("converterSettings");
    auto* flow = new FlowLayout(settings);
    flow->setContentsMargins(0, 0, 0, 0);
    auto group = [&] {
        auto* g = new QWidget(settings);
        auto* row = new QHBoxLayout(g);
        row->setContentsMargins(0, 0, 0, 0);
        flow->addWidget(g);
        return std::pair{g, row};
    };
    auto spin = [&](const QString& label, int lo, int hi, int start) {
        auto [g, row] = group();
        auto* caption = new QLabel(label, g);
        row->addWidget(caption);
        auto* s = new QSpinBox(g);
        caption->setBuddy(s); // the label names its count
        s->setRange(lo, hi);
        s->setValue(start);
        row->addWidget(s);
        connect(s, &QSpinBox::valueChanged, this, [this] { view_->update(); });
        return s;
    };
    stitches_ = spin("Desired # of stiches", kConverterMinStitches, kConverterMaxStitches, 40);
    rows_ = spin("Desired # of rows", kConverterMinRows, kConverterMaxRows, 40);
    colors_ = spin("Desired # of colors", kConverterMinColors, kConverterMaxColors, 2);
    connect(colors_, &QSpinBox::valueChanged, this, [this](int c) { conv_.limitPicked(c); });
    auto [toleranceGroup, toleranceRow] = group();
    toleranceRow->addWidget(new QLabel("Tolerance  High", toleranceGroup));
    tolerance_ = new QSlider(Qt::Horizontal, toleranceGroup);
    tolerance_->setAccessibleName("Tolerance");
    tolerance_->setRange(kConverterMinTolerance, kConverterMaxTolerance);
    tolerance_->setValue(1);
    // Room to set each of the twenty positions with the mouse.
    tolerance_->setMinimumWidth(120);
    toleranceRow->addWidget(tolerance_);
    toleranceRow->addWidget(new QLabel("Low", toleranceGroup));
    toleranceValue_ = new QLabel("1", toleranceGroup);
    // As wide as the widest value, so that the line does not move as it changes.
    toleranceValue_->setMinimumWidth(
        toleranceValue_->fontMetrics().horizontalAdvance(QString::number(kConverterMaxTolerance)));
    toleranceRow->addWidget(toleranceValue_);
    connect(tolerance_, &QSlider::valueChanged, this, [this](int v) { toleranceValue_->setNum(v); });
    auto* make = new QToolButton(settings);
    make->setText("Make convertion");
    connect(make, &QToolButton::clicked, this, [this] { MakeConversion(); });
    flow->addWidget(make);
    replace_ = new QCheckBox("Replace colors ", settings);
    replace_->setToolTip("Replace colors in active palette");
    replace_->setChecked(true);
    flow->addWidget(replace_);
    insert_ = new QToolButton(settings);
    insert_->setText("Insert into Drawing");
    insert_->setToolTip("Insert converted picture");
    insert_->setEnabled(false);
    connect(insert_, &QToolButton::clicked, this, [this] { InsertIntoDrawing(); });
    flow->addWidget(insert_);
    top->addWidget(settings);

    viewPanel_ = new QWidget(this);
    viewPanel_->setObjectName("converterPanel");
    top->addWidget(viewPanel_, 1);
    view_ = new ConverterView(*this, viewPanel_);
    view_->setAccessibleName("Picture");
    view_->setGeometry(0, 0, 1, 1);
}

void ConverterPage::OnShowForm() {
    // No more stitches than the needle bed's raster.
    stitches_->setMaximum(std::max(kConverterMinStitches, std::min(kConverterMaxStitches, ws_.Raster.Width)));
    fitView();
}

QString ConverterPage::pictureFolder() const {
    // A folder that is not there would be taken for a file name to propose.
    auto isFolder = [](const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); };
    if (isFolder(folder_)) return folder_;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return isFolder(documents) ? documents : QDir::homePath();
}

void ConverterPage::ChoosePicture() {
    QFileDialog dialog(this, "Open a picture");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter("All (*.jpg *.jpeg *.bmp *.png *.ico);;JPEG Pictures (*.jpg *.jpeg);;Bitmaps (*.bmp);;PNG "
                         "Pictures (*.png);;Icons (*.ico);;All files (*)");
    // The folder only: the name field starts empty.
    dialog.setDirectory(pictureFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString file = dialog.selectedFiles().first();
    folder_ = QFileInfo(file).absolutePath();
    OpenPicture(file);
}

void ConverterPage::OpenPicture(const QString& file) {
    QImage image;
    try {
        image = LoadPicture(file);
    } catch (const std::exception& e) {
        QMessageBox::warning(this, "Loopcrafter", QString::fromUtf8(e.what()));
        return;
    }
    conv_.setPicture(ToRgb(image));
    fitView();
}

void ConverterPage::fitView() {
    int w = 1, h = 1;
    if (conv_.hasPicture()) conv_.fitBox(viewPanel_->width(), viewPanel_->height(), w, h);
    view_->setGeometry(0, 0, w, h);
    view_->update();
}

void ConverterPage::MakeConversion() {
    stitches_->setMaximum(std::max(kConverterMinStitches, std::min(kConverterMaxStitches, ws_.Raster.Width)));
    const ConversionSettings s{stitches_->value(), rows_->value(), colors_->value(), tolerance_->value()};
    if (!conv_.convert(s, view_->width(), view_->height(), ws_.Raster.Width)) return;
    insert_->setEnabled(true);
    view_->update();
}

void ConverterPage::UndoConversion() {
    conv_.undoConversion();
    view_->update();
}

void ConverterPage::InsertIntoDrawing() {
    const CellRect block = conv_.insertInto(ws_.Raster, replace_->isChecked());
    if (block.isEmpty()) return;
    ws_.Editor.BlockRect = block;
    if (links_) links_->insertConverted();
}

// ---------------------------------------------------------------------------

ConverterView::ConverterView(ConverterPage& page, QWidget* parent) : QWidget(parent), page_(page) {
    setObjectName("converterView");
    band_ = new QRubberBand(QRubberBand::Rectangle, this);
    setMouseTracking(true);
}

QImage ConverterView::rendered() const {
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    PictureConverter& conv = page_.conv_;
    if (!conv.hasPicture()) return image;
    if (conv.converted()) {
        const ConversionSettings& s = conv.lastSettings();
        QImage cells(s.Stitches, s.Rows, QImage::Format_RGB32);
        for (int r = 0; r < s.Rows; ++r) {
            auto* out = reinterpret_cast<QRgb*>(cells.scanLine(r));
            for (int c = 0; c < s.Stitches; ++c) out[c] = ToQRgb(conv.cells()[static_cast<size_t>(r) * s.Stitches + c]);
        }
        QPainter(&image).drawImage(image.rect(), cells);
    } else {
        // The nearest source pixel, as the conversion samples it.
        for (int y = 0; y < image.height(); ++y) {
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) out[x] = ToQRgb(conv.colorAt(x, y, image.width(), image.height()));
        }
    }
    return image;
}

void ConverterView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, rendered());
    if (!page_.grid_->isChecked()) return;
    p.setPen(Qt::black);
    const double xs = static_cast<double>(width()) / page_.stitches_->value();
    const double ys = static_cast<double>(height()) / page_.rows_->value();
    for (double x = xs; x < width(); x += xs) p.drawLine(qRound(x), 0, qRound(x), height());
    for (double y = ys; y < height(); y += ys) p.drawLine(0, qRound(y), width(), qRound(y));
}

void ConverterView::mousePressEvent(QMouseEvent* e) {
    if (e->modifiers() & Qt::ControlModifier) {
        if (page_.conv_.zoomBack()) page_.fitView();
        return;
    }
    if (page_.zoomMode_->isChecked() && !(e->buttons() & Qt::RightButton)) {
        dragStart_ = e->position().toPoint();
        dragging_ = true;
        band_->setGeometry(QRect(dragStart_, QSize()));
        band_->show();
    }
}

void ConverterView::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_) band_->setGeometry(QRect(dragStart_, e->position().toPoint()).normalized());
    if (page_.zoomMode_->isChecked())
        setCursor(CursorById(e->modifiers() & Qt::ControlModifier ? crZoomOut : crZoomIn));
    else unsetCursor();
}

void ConverterView::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint end = e->position().toPoint();
    if (dragging_ && e->button() != Qt::RightButton) {
        band_->hide();
        dragging_ = false;
        if (page_.conv_.zoomTo(dragStart_.x(), dragStart_.y(), end.x(), end.y(), width())) page_.fitView();
        return;
    }
    if (e->button() == Qt::RightButton && page_.conv_.hasPicture()) {
        const QImage shown = rendered();
        const QPoint at(std::clamp(end.x(), 0, shown.width() - 1), std::clamp(end.y(), 0, shown.height() - 1));
        const QRgb c = shown.pixel(at);
        page_.conv_.addPicked(RGB(qRed(c), qGreen(c), qBlue(c)), page_.colors_->value());
    }
}

} // namespace lc::ui
