#include "garment/ui/MeasurementGuide.h"

#include <QPainter>
#include <iterator>
#include <QPainterPath>

namespace lc::ui {

MeasurementGuide::MeasurementGuide(int kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    static constexpr const char* who[4] = {"a baby", "a child", "a woman", "a man"};
    setAccessibleName(QStringLiteral("Where to measure %1").arg(QLatin1String(who[kind < 0 || kind > 3 ? 2 : kind])));
}

void MeasurementGuide::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setRenderHint(QPainter::Antialiasing);
    g.fillRect(rect(), Qt::white);
    // Proportions by kind: a baby has a big head and short limbs.
    static constexpr qreal head[4] = {0.20, 0.15, 0.12, 0.12};
    static constexpr qreal shoulder[4] = {0.30, 0.32, 0.34, 0.40};
    static constexpr qreal waist[4] = {0.30, 0.26, 0.24, 0.32};
    static constexpr qreal hips[4] = {0.30, 0.30, 0.36, 0.34};
    const int k = kind_ < 0 || kind_ > 3 ? 2 : kind_;
    const qreal top = 10, h = height() - 20, w = width(), cx = w * 0.30;
    const qreal headH = h * head[k], neckY = top + headH + h * 0.02, shY = neckY + h * 0.05;
    const qreal rest = top + h - shY;
    const qreal bustY = shY + rest * 0.25, waistY = shY + rest * 0.55, hipY = shY + rest * 0.82, bottom = top + h;
    const qreal sw = w * shoulder[k] / 2, ww = w * waist[k] / 2, hw = w * hips[k] / 2;
    const qreal armEnd = shY + rest * (k == 0 ? 0.75 : 0.85);
    const qreal armX = sw + w * 0.07;

    g.setPen(QPen(QColor(60, 60, 60), 1.5));
    g.setBrush(QColor(235, 238, 245));
    g.drawEllipse(QPointF(cx, top + headH / 2), headH * 0.38, headH / 2);
    QPainterPath body;
    body.moveTo(cx - w * 0.04, neckY);
    body.lineTo(cx - sw, shY);
    body.lineTo(cx - sw * 0.92, bustY);
    body.lineTo(cx - ww, waistY);
    body.lineTo(cx - hw, hipY);
    body.lineTo(cx - hw, bottom);
    body.lineTo(cx + hw, bottom);
    body.lineTo(cx + hw, hipY);
    body.lineTo(cx + ww, waistY);
    body.lineTo(cx + sw * 0.92, bustY);
    body.lineTo(cx + sw, shY);
    body.lineTo(cx + w * 0.04, neckY);
    body.closeSubpath();
    g.drawPath(body);
    // The arms hang beside the body.
    g.drawLine(QPointF(cx - sw, shY), QPointF(cx - armX, armEnd));
    g.drawLine(QPointF(cx + sw, shY), QPointF(cx + armX, armEnd));

    // Measuring lines; their captions stand in a column at the right, in the
    // order of the lines from top to bottom.
    struct Mark {
        QPointF a, b;
        const char* text;
    };
    const Mark marks[] = {
        {{cx - w * 0.05, neckY}, {cx + w * 0.05, neckY}, "Neck size"},
        {{cx - sw, shY}, {cx - sw * 0.96, shY + rest * 0.18}, "Arm hole depth"},
        {{cx + sw * 0.45, neckY + 3}, {cx + sw * 0.45, waistY}, "Back length"},
        {{cx - sw * 0.92, bustY}, {cx + sw * 0.92, bustY}, "To fit bust"},
        {{cx + sw + w * 0.005, shY + rest * 0.2}, {cx + sw + w * 0.035, shY + rest * 0.2}, "Upper arm"},
        {{cx - ww, waistY}, {cx + ww, waistY}, "To fit waist"},
        {{cx + sw, shY}, {cx + armX, armEnd}, "Length of arm"},
        {{cx + armX - w * 0.03, armEnd - 4}, {cx + armX + w * 0.01, armEnd - 4}, "Wrist"},
        {{cx - hw, hipY}, {cx + hw, hipY}, "To fit hips"},
    };
    const qreal labelX = cx + armX + w * 0.08;
    const int count = static_cast<int>(std::size(marks));
    for (int i = 0; i < count; ++i) {
        const Mark& m = marks[i];
        const qreal labelY = top + 8 + (h - 16) * i / (count - 1);
        g.setPen(QPen(QColor(200, 40, 40), 1.3, Qt::DashLine));
        g.drawLine(m.a, m.b);
        const QPointF end = m.a.x() > m.b.x() ? m.a : m.b;
        const QPointF mid((m.a.x() + m.b.x()) / 2, (m.a.y() + m.b.y()) / 2);
        g.setPen(QPen(QColor(150, 150, 150), 0.8));
        g.drawLine(QPointF(end.x(), mid.y()), QPointF(labelX - 4, labelY));
        g.setPen(Qt::black);
        g.drawText(QPointF(labelX, labelY + 4), QString::fromLatin1(m.text));
    }
}

} // namespace lc::ui
