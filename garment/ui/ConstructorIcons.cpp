#include "garment/ui/ConstructorIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace lc::ui {

namespace {

// A plain torso with shoulders, the armhole drawn by `armhole` (0 round,
// 1 straight, 2 raglan, 3 fully fashioned, 4 square) and the neck by `neck`
// (0 round, 1 square, 2 V, 3 boat).
QPainterPath Torso(int armhole, int neck, int length) {
    QPainterPath p;
    const qreal bottom = 30, top = 31 - length;
    p.moveTo(8, bottom);
    p.lineTo(24, bottom);
    p.lineTo(24, top + 12);
    switch (armhole) {
    case 1: p.lineTo(24, top + 4); break;
    case 2: p.lineTo(19, top); break;
    case 3:
        p.lineTo(22, top + 9);
        p.lineTo(22, top + 4);
        break;
    case 4:
        p.lineTo(21, top + 12);
        p.lineTo(21, top + 3);
        break;
    default: p.quadTo(20, top + 10, 21, top + 3); break;
    }
    p.lineTo(19, top);
    switch (neck) {
    case 1:
        p.lineTo(19, top + 5);
        p.lineTo(13, top + 5);
        p.lineTo(13, top);
        break;
    case 2: p.lineTo(16, top + 9); break;
    case 3: p.quadTo(16, top + 1, 13, top); break;
    default: p.quadTo(16, top + 7, 13, top); break;
    }
    if (neck == 2) p.lineTo(13, top);
    switch (armhole) {
    case 1: p.lineTo(8, top + 4); break;
    case 2: p.lineTo(8, top + 12); break;
    case 3:
        p.lineTo(10, top + 4);
        p.lineTo(10, top + 9);
        break;
    case 4:
        p.lineTo(11, top + 3);
        p.lineTo(11, top + 12);
        break;
    default: p.quadTo(12, top + 10, 8, top + 12); break;
    }
    p.closeSubpath();
    return p;
}

QPainterPath Sleeve(qreal length, qreal cuff, qreal top) {
    QPainterPath p;
    p.moveTo(16 - top / 2, 4);
    p.quadTo(16, 0, 16 + top / 2, 4);
    p.lineTo(16 + cuff / 2, 4 + length);
    p.lineTo(16 - cuff / 2, 4 + length);
    p.closeSubpath();
    return p;
}

} // namespace

QPixmap ConstructorIcon(int index) {
    QPixmap pm(32, 32);
    pm.fill(Qt::white);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(40, 60, 120), 1.4));
    g.setBrush(QColor(200, 215, 240));
    if (index >= 0 && index <= 4) {
        g.drawPath(Torso(index, 0, 26));
    } else if (index >= 5 && index <= 17) {
        // Collars: a band whose height and spread grow with the number.
        const int v = index - 4;
        g.drawPath(Torso(0, 0, 24));
        g.setBrush(QColor(240, 200, 200));
        g.drawRoundedRect(QRectF(16 - (4 + v * 0.6), 6, 2 * (4 + v * 0.6), 2 + (v % 5) * 1.2), 2, 2);
    } else if (index >= 18 && index <= 38) {
        const int v = index - 17;
        const int neck = v <= 3 ? 1 : v >= 16 && v <= 18 ? 2 : v == 14 ? 3 : v == 20 ? 1 : 0;
        g.drawPath(Torso(0, neck, 26));
        if (v % 3 == 2) g.drawLine(QPointF(16, 14), QPointF(16, 22)); // a placket or split
    } else if (index >= 39 && index <= 42) {
        static const qreal lengths[4] = {18, 0, 26, 9};
        g.drawPath(Torso(0, 0, 26));
        const qreal l = lengths[index - 39];
        if (l > 0) {
            g.drawLine(QPointF(24, 13), QPointF(30, 13 + l));
            g.drawLine(QPointF(8, 13), QPointF(2, 13 + l));
        }
    } else if (index >= 44 && index <= 49) {
        switch (index - 43) {
        case 1: g.drawPath(Sleeve(24, 8, 26)); break;       // wide bat
        case 2: g.drawPath(Sleeve(24, 6, 20)); break;       // bat
        case 3: g.drawEllipse(QRectF(8, 4, 16, 24)); break; // balloon
        case 4: g.drawPath(Sleeve(24, 10, 12)); break;      // straight
        case 5: g.drawPath(Sleeve(24, 6, 14)); break;       // slanted
        default:
            g.drawPath(Sleeve(24, 8, 14));
            for (int x = 11; x <= 21; x += 3) g.drawLine(QPointF(x, 4), QPointF(x, 7)); // gathers
            break;
        }
    } else if (index >= 50 && index <= 52) {
        g.drawPath(Torso(0, 0, 26));
        g.setBrush(QColor(240, 200, 200));
        if (index == 50) g.drawRect(QRectF(10, 16, 5, 9));
        if (index == 51) g.drawRect(QRectF(9, 20, 8, 5));
        if (index == 52) g.drawPolygon(QPolygonF({QPointF(9, 24), QPointF(14, 17), QPointF(17, 19), QPointF(12, 26)}));
    } else if (index >= 53 && index <= 58) {
        const int style = index - 52;
        const int length = style == 6 ? 30 : 24;
        g.drawPath(Torso(style == 3 || style == 5 ? 2 : 0, style == 4 || style == 5 ? 0 : 2, length));
        if (style == 1 || style == 2 || style == 3 || style == 6) {
            g.drawLine(QPointF(16, 31 - length + 9), QPointF(16, 30));
            for (int y = 31 - length + 12; y < 28; y += 5) g.drawEllipse(QPointF(14.5, y), 0.8, 0.8);
        }
    }
    return pm;
}

} // namespace lc::ui
