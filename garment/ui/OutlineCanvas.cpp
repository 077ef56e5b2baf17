#include "garment/ui/OutlineCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <vector>

#include "garment/GarmentOutline.h"
#include "garment/GarmentView.h"

namespace lc::ui {

namespace {

const QColor kBackground(200, 219, 230);
const QColor kGridColour(136, 156, 255);
const QColor kCurveColour(0, 128, 0);
const QColor kMirrorColour(128, 128, 128);
const QColor kSelectedColour(255, 0, 0);
const QColor kPointColour(0, 0, 255);

} // namespace

OutlineCanvas::OutlineCanvas(const GarmentOutline& outline, const GarmentView& view, QWidget* parent)
    : QWidget(parent), outline_(outline), view_(view) {
    setObjectName(QStringLiteral("PaintBox1"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(100, 100);
}

void OutlineCanvas::setGridShown(bool on) {
    grid_ = on;
    update();
}

void OutlineCanvas::setBand(const QRect& band) {
    band_ = band;
    update();
}

void OutlineCanvas::beginDrag() {
    moving_.clear();
    std::vector<int> still;
    const auto& pts = outline_.Points();
    for (int c = 0; c < outline_.CurveCount(); ++c) {
        const GarmentCurve& cv = outline_.Curve(c);
        if (pts[cv.StartPoint].Selected || pts[cv.EndPoint].Selected) moving_.push_back(c);
        else still.push_back(c);
    }
    // The axis point moves the whole mirrored half: then nothing is still.
    if (outline_.IsSymmetric() && pts[static_cast<size_t>(outline_.SymmetryAxis())].Selected) return;
    still_ = QPixmap(size() * devicePixelRatioF());
    still_.setDevicePixelRatio(devicePixelRatioF());
    QPainter p(&still_);
    paintBackground(p);
    paintOutline(p, &still, Points::Unselected);
    dragging_ = true;
}

void OutlineCanvas::endDrag() {
    dragging_ = false;
    still_ = QPixmap();
    moving_.clear();
    update();
}

void OutlineCanvas::paintBackground(QPainter& p) const {
    p.fillRect(rect(), kBackground);
    if (!grid_) return;
    p.setPen(QPen(kGridColour, 1, Qt::DotLine));
    const int h = height();
    for (int x : view_.H.GridLines(width())) p.drawLine(x, 0, x, h);
    for (int y : view_.V.GridLines(h)) p.drawLine(0, h - y, width(), h - y);
}

void OutlineCanvas::paintOutline(QPainter& p, const std::vector<int>* only, Points points) const {
    if (outline_.PointCount() == 0) return;
    // Pixels far off the paint box are kept to a range the painter draws safely.
    auto px = [&](int64_t x) { return std::clamp(view_.MmToX(x), -100000, 100000); };
    auto py = [&](int64_t y) { return std::clamp(view_.MmToY(y), -100000, 100000); };
    const bool symmetric = outline_.IsSymmetric();
    const int64_t axis2 = symmetric ? 2 * static_cast<int64_t>(outline_.Point(outline_.SymmetryAxis()).X) : 0;
    QPolygon line, mirror;
    const QPen curvePen(kCurveColour, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    const QPen mirrorPen(kMirrorColour, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    const int count = only ? static_cast<int>(only->size()) : outline_.CurveCount();
    for (int i = 0; i < count; ++i) {
        const CurvePolyline pl = outline_.BuildCurvePoints(only ? (*only)[static_cast<size_t>(i)] : i);
        if (pl.Count < 2) continue;
        line.resize(pl.Count);
        for (int k = 0; k < pl.Count; ++k) line[k] = QPoint(px(pl.Points[k].x), py(pl.Points[k].y));
        p.setPen(curvePen);
        p.drawPolyline(line);
        if (symmetric) {
            mirror.resize(pl.Count);
            for (int k = 0; k < pl.Count; ++k) mirror[k] = QPoint(px(axis2 - pl.Points[k].x), py(pl.Points[k].y));
            p.setPen(mirrorPen);
            p.drawPolyline(mirror);
        }
    }
    const QRect box = rect().adjusted(-5, -5, 5, 5);
    for (const GarmentPoint& gp : outline_.Points()) {
        if ((points == Points::Selected && !gp.Selected) || (points == Points::Unselected && gp.Selected)) continue;
        const QPoint at(px(gp.X), py(gp.Y));
        if (!box.contains(at)) continue;
        p.fillRect(at.x() - 4, at.y() - 4, 8, 8, gp.Selected ? kSelectedColour : kPointColour);
    }
}

void OutlineCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (dragging_ && still_.size() == size() * devicePixelRatioF()) {
        p.drawPixmap(0, 0, still_);
        paintOutline(p, &moving_, Points::Selected);
    } else {
        paintBackground(p);
        paintOutline(p, nullptr, Points::All);
    }
    if (!band_.isNull()) {
        p.setPen(QPen(Qt::black, 1, Qt::DashDotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(band_.normalized());
    }
}

void OutlineCanvas::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    emit pressed(e->position().toPoint(), e->button(), e->modifiers());
}

void OutlineCanvas::mouseMoveEvent(QMouseEvent* e) {
    emit moved(e->position().toPoint(), e->buttons(), e->modifiers());
}

void OutlineCanvas::mouseReleaseEvent(QMouseEvent* e) {
    emit released(e->position().toPoint(), e->button(), e->modifiers());
}

void OutlineCanvas::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    emit resized();
}

void OutlineCanvas::keyPressEvent(QKeyEvent* e) {
    bool handled = false;
    emit keyPressed(e->key(), e->modifiers(), &handled);
    if (!handled) QWidget::keyPressEvent(e);
}

} // namespace lc::ui
