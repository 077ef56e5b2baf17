#include "editor/ui/PrintDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editor/PrintLayout.h"

namespace lc::ui {

namespace {
constexpr QSize kPreviewSize(300, 400);
const QColor kPreviewBackground(0xFF, 0xFB, 0xF0); // pale cream
} // namespace

PrintDialog::PrintDialog(CellRect selection, PageRenderer renderer, QWidget* parent, QString readyText)
    : QDialog(parent), renderer_(std::move(renderer)), readyText_(std::move(readyText)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("PrintDialog"));
    setWindowTitle(QStringLiteral("Print..."));
    auto* outer = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    outer->addLayout(left);

    // Range.
    auto* rangeBox = new QGroupBox(QStringLiteral(" Print range"), this);
    auto* rl = new QGridLayout(rangeBox);
    whole_ = new QRadioButton(QStringLiteral("Whole image"), rangeBox);
    selection_ = new QRadioButton(QStringLiteral("Selection"), rangeBox);
    auto* area = new QRadioButton(QStringLiteral("Specify area"), rangeBox);
    area->setEnabled(false);
    whole_->setChecked(true);
    rl->addWidget(whole_, 0, 0, 1, 3);
    rl->addWidget(selection_, 1, 0, 1, 3);
    rl->addWidget(area, 2, 0, 1, 3);
    rl->addWidget(new QLabel(QStringLiteral("Beginning"), rangeBox), 3, 0);
    rl->addWidget(new QLabel(QStringLiteral("Size"), rangeBox), 4, 0);
    const CellRect r = NormalisedRect(selection);
    const int values[4] = {r.Left, r.Top, r.width(), r.height()};
    const char* fieldNames[4] = {"Beginning stitch", "Beginning row", "Stitch count", "Row count"};
    for (int i = 0; i < 4; ++i) {
        range_[i] = new QSpinBox(rangeBox);
        range_[i]->setAccessibleName(QString::fromLatin1(fieldNames[i]));
        range_[i]->setRange(0, 1 << 20);
        range_[i]->setValue(values[i]);
        range_[i]->setEnabled(false);
        rl->addWidget(range_[i], 3 + i / 2, 1 + i % 2);
    }
    selection_->setEnabled(r.width() > 0 && r.height() > 0);
    left->addWidget(rangeBox);

    // Destination.
    auto* dest = new QGroupBox(QStringLiteral("Destination"), this);
    auto* dl = new QGridLayout(dest);
    printers_ = new QComboBox(dest);
    auto* properties = new QPushButton(QStringLiteral("&Properties"), dest);
    properties->setAutoDefault(false);
    // A box speaks the printer chosen; its label says what it chooses.
    auto* nameLabel = new QLabel(QStringLiteral("Name:"), dest);
    nameLabel->setBuddy(printers_);
    dl->addWidget(nameLabel, 0, 0);
    dl->addWidget(printers_, 0, 1);
    dl->addWidget(properties, 0, 2);
    type_ = new QLabel(QStringLiteral("---"), dest);
    status_ = new QLabel(QStringLiteral("---"), dest);
    where_ = new QLabel(QStringLiteral("---"), dest);
    dl->addWidget(new QLabel(QStringLiteral("Type:"), dest), 1, 0);
    dl->addWidget(type_, 1, 1, 1, 2);
    dl->addWidget(new QLabel(QStringLiteral("Status:"), dest), 2, 0);
    dl->addWidget(status_, 2, 1, 1, 2);
    dl->addWidget(new QLabel(QStringLiteral("Where:"), dest), 3, 0);
    dl->addWidget(where_, 3, 1, 1, 2);
    left->addWidget(dest);
    const QList<QPrinterInfo> system = QPrinterInfo::availablePrinters();
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    int current = -1;
    for (const QPrinterInfo& p : system) {
        if (p.printerName() == defaultName) current = printers_->count();
        printers_->addItem(p.printerName(), p.printerName());
    }
    printers_->addItem(QStringLiteral("Print to PDF file"), QString());

    // Scale.
    auto* scaleBox = new QGroupBox(QStringLiteral(" Scale "), this);
    auto* sl = new QGridLayout(scaleBox);
    fit_ = new QRadioButton(QStringLiteral("Fit to page"), scaleBox);
    specify_ = new QRadioButton(QStringLiteral("Specify scale"), scaleBox);
    fit_->setChecked(true);
    scaleLabel_ = new QLabel(QStringLiteral("Scale factor, %"), scaleBox);
    scale_ = new QSpinBox(scaleBox);
    scaleLabel_->setBuddy(scale_);
    // Up to 999 can be typed so that a value above 100 snaps back to 100.
    scale_->setRange(1, 999);
    scale_->setValue(100);
    scale_->setEnabled(false);
    scaleLabel_->setEnabled(false);
    sl->addWidget(fit_, 0, 0, 1, 2);
    sl->addWidget(specify_, 1, 0, 1, 2);
    sl->addWidget(scaleLabel_, 2, 0);
    sl->addWidget(scale_, 2, 1);
    left->addWidget(scaleBox);

    legend_ = new QCheckBox(QStringLiteral("Print Legend"), this);
    legend_->setChecked(true);
    left->addWidget(legend_);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Print"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    left->addLayout(buttons);

    auto* previewGroup = new QGroupBox(QStringLiteral("Preview"), this);
    auto* pl = new QVBoxLayout(previewGroup);
    previewBox_ = new QLabel(previewGroup);
    previewBox_->setObjectName(QStringLiteral("PagePreview"));
    previewBox_->setAccessibleName(QStringLiteral("Page preview"));
    previewBox_->setFixedSize(kPreviewSize);
    pl->addWidget(previewBox_);
    outer->addWidget(previewGroup);

    connect(whole_, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        rangeMode_ = 0;
        renderPreview();
    });
    connect(selection_, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        rangeMode_ = 1;
        renderPreview();
    });
    connect(fit_, &QRadioButton::toggled, this, [this] { scaleModeChanged(); });
    connect(scale_, &QSpinBox::valueChanged, this, [this](int v) {
        if (v > 100) {
            scale_->setValue(100); // comes back here with 100
            return;
        }
        scaleFactor_ = v / 100.0;
        renderPreview();
    });
    connect(legend_, &QCheckBox::toggled, this, [this] { renderPreview(); });
    connect(printers_, &QComboBox::currentIndexChanged, this, [this](int i) { choosePrinter(i); });
    connect(properties, &QPushButton::clicked, this, [this] {
        QPageSetupDialog setup(printer_.get(), this);
        if (setup.exec() == QDialog::Accepted) {
            showPrinterInfo();
            renderPreview();
        }
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (print()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    printers_->setCurrentIndex(current >= 0 ? current : pdfEntry());
    choosePrinter(printers_->currentIndex());
}

PrintDialog::~PrintDialog() = default;

bool PrintDialog::ShowPrintSetup(QWidget* parent, CellRect selection, PageRenderer renderer, QString readyText,
                                 std::function<bool(int range)> hasContent) {
    PrintDialog d(selection, std::move(renderer), parent, std::move(readyText));
    d.setContentCheck(std::move(hasContent));
    return d.exec() == QDialog::Accepted;
}

int PrintDialog::pdfEntry() const { return printers_->count() - 1; }

void PrintDialog::choosePrinter(int index) {
    const QString name = printers_->itemData(index).toString();
    if (name.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setPageSize(QPageSize(QPageSize::A4));
    } else {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(name);
    }
    showPrinterInfo();
    // The page is laid out anew for this printer's size and resolution.
    renderPreview();
}

void PrintDialog::showPrinterInfo() {
    const QString name = printers_->currentData().toString();
    if (name.isEmpty()) {
        type_->setText(QStringLiteral("PDF"));
        status_->setText(readyText_);
        where_->setText(QStringLiteral("---"));
        return;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    type_->setText(info.makeAndModel().isEmpty() ? QStringLiteral("---") : info.makeAndModel());
    status_->setText(info.state() == QPrinter::Active ? QStringLiteral("Printing") : readyText_);
    where_->setText(info.location().isEmpty() ? QStringLiteral("---") : info.location());
}

void PrintDialog::scaleModeChanged() {
    const bool own = specify_->isChecked();
    scale_->setValue(100);
    scale_->setEnabled(own);
    scaleLabel_->setEnabled(own);
    scaleFactor_ = 1.0;
    renderPreview();
}

PageRequest PrintDialog::request() const {
    PageRequest q;
    const QRect paint = printer_->pageLayout().paintRectPixels(printer_->resolution());
    q.page = paint.size();
    q.resolution.Set(printer_->resolution(), printer_->resolution());
    q.range = rangeMode_;
    q.scale = scaleFactor_;
    q.legend = legend_->isChecked();
    return q;
}

void PrintDialog::renderPreview() {
    const PageRequest q = request();
    const PreviewLayout l = LayoutPreview(kPreviewSize.width(), kPreviewSize.height(), q.page.width(), q.page.height());
    preview_ = QImage(kPreviewSize, QImage::Format_RGB32);
    preview_.fill(kPreviewBackground);
    QPainter p(&preview_);
    p.fillRect(QRect(l.shadow.x, l.shadow.y, l.shadow.width, l.shadow.height), QColor(0x80, 0x80, 0x80));
    p.fillRect(QRect(l.page.x, l.page.y, l.page.width, l.page.height), Qt::white);
    if (renderer_ && l.contentScale > 0) {
        p.setClipRect(QRect(l.page.x, l.page.y, l.page.width, l.page.height));
        p.translate(l.page.x, l.page.y);
        p.scale(l.contentScale, l.contentScale);
        renderer_(p, q);
    }
    p.end();
    previewBox_->setPixmap(QPixmap::fromImage(preview_));
}

void PrintDialog::tell(const QString& message) {
    if (messenger_) messenger_(message);
    else QMessageBox::information(this, windowTitle(), message);
}

bool PrintDialog::print() {
    if (hasContent_ && !hasContent_(rangeMode_)) {
        tell(QStringLiteral("There is nothing to print."));
        return false;
    }
    if (printer_->outputFormat() == QPrinter::PdfFormat) {
        QString file = chooseFile_ ? chooseFile_()
                                   : QFileDialog::getSaveFileName(this, QStringLiteral("Print to PDF file"), QString(),
                                                                  QStringLiteral("PDF (*.pdf)"));
        if (file.isEmpty()) return false;
        if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) file += QStringLiteral(".pdf");
        printer_->setOutputFileName(file);
    }
    QPainter p;
    if (!p.begin(printer_.get())) {
        tell(QStringLiteral("The page could not be sent to \"%1\".").arg(printers_->currentText()));
        return false;
    }
    if (renderer_) renderer_(p, request());
    return p.end();
}

} // namespace lc::ui
