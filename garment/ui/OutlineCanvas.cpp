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

void OutlineCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    if (grid_) {
        QPen pen(kGridColour, 1, Qt::DotLine);
        p.setPen(pen);
        const int h = height();
        for (int x : view_.H.GridLines(width())) p.drawLine(x, 0, x, h);
        for (int y : view_.V.GridLines(h)) p.drawLine(0, h - y, width(), h - y);
    }
    const int n = outline_.PointCount();
    if (n > 0) {
        // Pixels far off the paint box are kept to a range the painter draws safely.
        auto px = [&](int64_t x) { return std::clamp(view_.MmToX(x), -100000, 100000); };
        auto py = [&](int64_t y) { return std::clamp(view_.MmToY(y), -100000, 100000); };
        const bool symmetric = outline_.IsSymmetric();
        const int64_t axis2 = symmetric ? 2 * static_cast<int64_t>(outline_.Point(outline_.SymmetryAxis()).X) : 0;
        QPolygon line, mirror;
        const QPen curvePen(kCurveColour, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        const QPen mirrorPen(kMirrorColour, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        for (int c = 0; c < outline_.CurveCount(); ++c) {
            const CurvePolyline pl = outline_.BuildCurvePoints(c);
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
        p.setPen(Qt::NoPen);
        const QRect box = rect().adjusted(-5, -5, 5, 5);
        for (const GarmentPoint& gp : outline_.Points()) {
            const QPoint at(px(gp.X), py(gp.Y));
            if (!box.contains(at)) continue;
            p.fillRect(at.x() - 4, at.y() - 4, 8, 8, gp.Selected ? kSelectedColour : kPointColour);
        }
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
