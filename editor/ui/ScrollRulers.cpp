#include "editor/ui/ScrollRulers.h"

#include <QIcon>
#include <QPaintEvent>
#include <QPainter>
#include <QToolButton>

namespace lc::ui {

// ---------------------------------------------------------------------------
// Rulers

RulerBase::RulerBase(bool vertical, QWidget* parent) : QWidget(parent), vertical_(vertical) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (vertical) resize(25, 200);
    else resize(200, 25);
}

std::vector<RulerTick> RulerBase::ticks() const {
    RulerParams q = p_;
    q.Length = vertical_ ? height() : width();
    return vertical_ ? LayoutVRuler(q) : LayoutHRuler(q);
}

QRect RulerBase::cursorStrip(int p) const {
    // The cursor line is two pixels wide, centred on p the way a 2-px pen draws it.
    return vertical_ ? QRect(1, p - 1, width() - 2, 2) : QRect(p - 1, 1, 2, height() - 2);
}

void RulerBase::DrawCursor(int p) {
    if (p == cursor_) return;
    const QRect old = cursorStrip(cursor_);
    cursor_ = p;
    update(old.adjusted(-1, -1, 1, 1));
    update(cursorStrip(p).adjusted(-1, -1, 1, 1));
}

void RulerBase::paintEvent(QPaintEvent* e) {
    QImage img(size(), QImage::Format_RGB32);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(img.rect(), color_);
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(img.rect().adjusted(1, 1, -1, -1));
        p.setFont(font());
        for (const RulerTick& t : ticks()) {
            if (vertical_) p.drawLine(1, t.pos, t.length, t.pos);
            else p.drawLine(t.pos, 1, t.pos, t.length);
            if (!t.label.empty())
                p.drawText(QRect(t.labelX, t.labelY, 60, 30), Qt::AlignLeft | Qt::AlignTop,
                           QString::fromStdString(t.label));
        }
    }
    // The cursor line inverts what lies under it, so it shows over ticks and labels.
    const QRect strip = cursorStrip(cursor_) & img.rect();
    for (int y = strip.top(); y <= strip.bottom() && !strip.isEmpty(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = strip.left(); x <= strip.right(); ++x) line[x] = 0xFF000000u | (~line[x] & 0x00FFFFFFu);
    }
    QPainter w(this);
    for (const QRect& r : e->region()) w.drawImage(r, img, r);
}

HorizontalMeasureRuler::HorizontalMeasureRuler(QWidget* parent) : RulerBase(false, parent) {
    setObjectName(QStringLiteral("HRuler"));
}

VerticalMeasureRuler::VerticalMeasureRuler(QWidget* parent) : RulerBase(true, parent) {
    setObjectName(QStringLiteral("VRuler"));
}

// ---------------------------------------------------------------------------
// Scroll panels

ScrollRulerBase::ScrollRulerBase(RulerBase* ruler, bool vertical, int max, int pageSize, QWidget* parent)
    : QWidget(parent), ruler_(ruler), vertical_(vertical), max_(max), pageSize_(pageSize) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 0));
    setPalette(pal);
    ruler_->setParent(this);
    auto makeButton = [this](const char* image, const char* name, const char* spoken) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(QString::fromLatin1(spoken)); // the button shows an arrow only
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIcon(QIcon(QStringLiteral(":/images/") + QString::fromLatin1(image) + QStringLiteral(".png")));
        b->setIconSize(QSize(9, 9));
        return b;
    };
    if (vertical) {
        back_ = makeButton("DOWN_ARR", "StepBackButton", "Scroll down");
        forward_ = makeButton("UP_ARR", "StepForwardButton", "Scroll up");
        resize(25, 200);
    } else {
        back_ = makeButton("LEFT_ARR", "StepBackButton", "Scroll left");
        forward_ = makeButton("RIGHT_ARR", "StepForwardButton", "Scroll right");
        resize(200, 25);
    }
    connect(back_, &QToolButton::clicked, this, [this] { StepBack(); });
    connect(forward_, &QToolButton::clicked, this, [this] { StepForward(); });
}

void ScrollRulerBase::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const int w = width(), h = height();
    ruler_->setGeometry(0, 0, w, h);
    // The buttons lie over the two ends of the ruler.
    if (vertical_) {
        back_->setGeometry(0, h - 25, w, 25);
        forward_->setGeometry(0, 0, w, 25);
    } else {
        back_->setGeometry(0, 0, 25, h);
        forward_->setGeometry(w - 25, 0, 25, h);
    }
    back_->raise();
    forward_->raise();
    ruler_->update();
}

void ScrollRulerBase::SetStartPosition(int v) {
    ruler_->setStartPosition(v);
    ruler_->update();
}

void ScrollRulerBase::Change() {
    ruler_->setStartPosition(position_);
    ruler_->update();
    emit changed();
}

void ScrollRulerBase::StepBack() {
    position_ -= pageSize_;
    if (position_ < min_) position_ = min_;
    Change();
}

void ScrollRulerBase::StepForward() {
    position_ += pageSize_;
    if (position_ + pageSize_ > max_) position_ = max_ - pageSize_;
    // A range shorter than a page would otherwise step before its start.
    if (position_ < min_) position_ = min_;
    Change();
}

HorizontalScrollRuler::HorizontalScrollRuler(QWidget* parent)
    : ScrollRulerBase(new HorizontalMeasureRuler, false, 180, 20, parent) {
    setObjectName(QStringLiteral("HScrollRuler"));
}

VerticalScrollRuler::VerticalScrollRuler(QWidget* parent)
    : ScrollRulerBase(new VerticalMeasureRuler, true, 1024, 40, parent) {
    setObjectName(QStringLiteral("VScrollRuler"));
}

} // namespace lc::ui
