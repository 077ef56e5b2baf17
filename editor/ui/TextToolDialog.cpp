#include "editor/ui/TextToolDialog.h"

#include <QButtonGroup>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ui/IndexedImage.h"
#include "editor/ToolEngine.h"
#include "editor/ui/TextPreview.h"

namespace lc::ui {

namespace {
// The preview shows this many picture columns and lines.
constexpr int kPreviewCells = 200;

// (StepX, StepY) of arrow tag 1..9, y growing downward.
QPoint arrowStepOf(int tag) { return {(tag - 1) % 3 - 1, (tag - 1) / 3 - 1}; }
} // namespace

TextToolDialog::TextToolDialog(Workspace& ws, ToolEngine& engine, QWidget* parent)
    : QDialog(parent), ws_(ws), engine_(engine) {
    setObjectName(QStringLiteral("TextToolDialog"));
    setWindowTitle(QStringLiteral("Text"));
    auto* outer = new QHBoxLayout(this);

    // The preview and its scroll bar.
    preview_ = new TextPreview(this);
    preview_->setAccessibleName(QStringLiteral("Text position"));
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName(QStringLiteral("PreviewLines"));
    scroll_->setAccessibleName(QStringLiteral("Pattern lines shown"));
    scroll_->setPageStep(100);
    scroll_->setSingleStep(10);
    outer->addWidget(preview_, 0, Qt::AlignTop);
    outer->addWidget(scroll_);
    connect(preview_, &TextPreview::released, this, [this](QPoint at) { setTextPosition(at); });
    // A scroll shows other lines; the text comes back with the next action that draws it.
    connect(scroll_, &QScrollBar::valueChanged, this, [this] { prepareForText(); });

    auto* side = new QVBoxLayout;
    outer->addLayout(side);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("Text"));
    edit_->setAccessibleName(QStringLiteral("Text"));
    side->addWidget(edit_);

    auto* modes = new QGroupBox(QStringLiteral("Mode"), this);
    auto* ml = new QHBoxLayout(modes);
    line_ = new QRadioButton(QStringLiteral("Line"), modes);
    arc_ = new QRadioButton(QStringLiteral("Arc"), modes);
    line_->setChecked(true);
    ml->addWidget(line_);
    ml->addWidget(arc_);
    side->addWidget(modes);

    auto* numbers = new QGridLayout;
    angle_ = new QSpinBox(this);
    angle_->setRange(0, 360);
    radius_ = new QSpinBox(this);
    radius_->setRange(0, 180);
    radius_->setValue(50);
    auto* angleLabel = new QLabel(QStringLiteral("Angle"), this);
    auto* radiusLabel = new QLabel(QStringLiteral("Radius"), this);
    angleLabel->setBuddy(angle_); // the label names its number box
    radiusLabel->setBuddy(radius_);
    numbers->addWidget(angleLabel, 0, 0);
    numbers->addWidget(angle_, 0, 1);
    numbers->addWidget(radiusLabel, 1, 0);
    numbers->addWidget(radius_, 1, 1);
    side->addLayout(numbers);

    auto* dir = new QGroupBox(QStringLiteral("Direction"), this);
    auto* dl = new QHBoxLayout(dir);
    forward_ = new QRadioButton(QStringLiteral("->"), dir);
    reverse_ = new QRadioButton(QStringLiteral("<-"), dir);
    forward_->setChecked(true);
    dl->addWidget(forward_);
    dl->addWidget(reverse_);
    side->addWidget(dir);

    auto* fontBtn = new QPushButton(QStringLiteral("Font"), this);
    fontBtn->setAutoDefault(false);
    side->addWidget(fontBtn);
    connect(fontBtn, &QPushButton::clicked, this, [this] { chooseFont(); });

    // The arrows, row by row from the top left; the centre has none.
    auto* pad = new QGridLayout;
    static const char* const glyphs[] = {"", "\u2196", "\u2191", "\u2197", "\u2190",
                                         "", "\u2192", "\u2199", "\u2193", "\u2198"};
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] {
        textX_ += stepX_;
        textY_ += stepY_;
        redraw();
    });
    for (int tag = 1; tag <= 9; ++tag) {
        if (tag == 5) continue;
        auto* b = new QToolButton(this);
        b->setText(QString::fromUtf8(glyphs[tag]));
        b->setProperty("tag", tag);
        b->setAccessibleName(QStringLiteral("Move text %1").arg(tag));
        arrows_[tag] = b;
        pad->addWidget(b, (tag - 1) / 3, (tag - 1) % 3);
        connect(b, &QToolButton::pressed, this, [this, tag] {
            const QPoint s = arrowStepOf(tag);
            stepX_ = s.x();
            stepY_ = s.y();
            timer_.start();
        });
        connect(b, &QToolButton::released, this, [this] { timer_.stop(); });
        connect(b, &QToolButton::clicked, this, [this, tag] { arrowStep(tag); });
    }
    side->addLayout(pad);

    auto* buttons = new QHBoxLayout;
    auto* tryBtn = new QPushButton(QStringLiteral("Try"), this);
    auto* putBtn = new QPushButton(QStringLiteral("Put"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton* b : {tryBtn, putBtn, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    try_ = tryBtn;
    put_ = putBtn;
    try_->setEnabled(false);
    put_->setEnabled(false);
    connect(tryBtn, &QPushButton::clicked, this, [this] { tryText(); });
    connect(putBtn, &QPushButton::clicked, this, [this] { put(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    side->addLayout(buttons);
    side->addStretch(1);
    prepareScroll();
}

QAbstractButton* TextToolDialog::arrow(int tag) const { return tag >= 1 && tag <= 9 ? arrows_[tag] : nullptr; }

void TextToolDialog::prepareScroll() {
    // Every line of the picture can be reached; the start shows its bottom
    // lines, the rows knitting starts from.
    const int top = std::max(0, ws_.Raster.Picture.height() - kPreviewCells);
    const bool same = scroll_->maximum() == top;
    scroll_->setRange(0, top);
    if (!same) scroll_->setValue(top);
}

void TextToolDialog::prepareForText() {
    QImage img(preview_->size(), QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(ToQRgb(ws_.Raster.Colors[kBackgroundIndex])));
    const IndexedBitmap& pic = ws_.Raster.Picture;
    // Columns and lines beyond the picture keep the background colour.
    const int top = scroll_->value();
    const QRect src(0, top, std::min(kPreviewCells, pic.width()),
                    std::max(0, std::min(kPreviewCells, pic.height() - top)));
    if (src.width() > 0 && src.height() > 0) p.drawImage(QPoint(0, 0), IndexedView(pic), src);
    p.end();
    preview_->setImage(img);
}

void TextToolDialog::showEvent(QShowEvent* e) {
    prepareScroll();
    redraw();
    QDialog::showEvent(e);
}

void TextToolDialog::chooseFont() {
    const QFont initial = font_.value_or(font());
    std::optional<QFont> f;
    if (fontPicker_) {
        f = fontPicker_(initial);
    } else {
        bool ok = false;
        const QFont chosen =
            QFontDialog::getFont(&ok, initial, this, QStringLiteral("Font"), QFontDialog::ScalableFonts);
        if (ok) f = chosen;
    }
    if (!f) return;
    font_ = *f;
    try_->setEnabled(true);
    put_->setEnabled(true);
    redraw();
}

void TextToolDialog::tryText() {
    textLine_ = edit_->text();
    textRadius_ = radius_->value();
    textAngle_ = angle_->value() * 10;
    redraw();
}

void TextToolDialog::arrowStep(int tag) {
    const QPoint s = arrowStepOf(tag);
    stepX_ = s.x();
    stepY_ = s.y();
    textX_ += stepX_;
    textY_ += stepY_;
    redraw();
}

void TextToolDialog::setTextPosition(QPoint p) {
    textX_ = p.x();
    textY_ = p.y();
    redraw();
}

TextPlacement TextToolDialog::placement() const {
    TextPlacement t;
    t.text = textLine_;
    t.font = font_.value_or(font());
    t.arc = arc_->isChecked();
    // A straight line turns by the angle shown now, an arc starts at the angle of the last "Try".
    t.angleTenths = t.arc ? textAngle_ : angle_->value() * 10;
    t.radius = textRadius_;
    t.rightToLeft = reverse_->isChecked();
    t.x = textX_;
    t.y = textY_ + scroll_->value();
    return t;
}

void TextToolDialog::redraw() {
    prepareForText();
    if (!font_ || textLine_.isEmpty()) return;
    QImage img = preview_->image();
    QPainter p(&img);
    TextPlacement t = placement();
    t.y = textY_;
    const PatternRaster& gd = ws_.Raster;
    TextPainter::paint(p, t, QColor(ToQRgb(gd.Picture.palette()[ws_.Editor.ColorA])),
                       QColor(ToQRgb(gd.Picture.palette()[ws_.Editor.ColorB])));
    p.end();
    preview_->setImage(img);
}

void TextToolDialog::put() {
    if (font_ && !textLine_.isEmpty()) {
        const IndexedBitmap& pic = ws_.Raster.Picture;
        engine_.putText(TextPainter::stamp(placement(), pic.width(), pic.height()));
    }
    accept();
}

} // namespace lc::ui
