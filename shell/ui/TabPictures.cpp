#include "shell/ui/TabPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace lc::ui {

namespace {

const QColor kInk(40, 40, 40);
const QColor kYarnRed(200, 40, 40);
const QColor kYarnBlue(40, 80, 200);
const QColor kWool(250, 220, 180);

// A few knitted stitches: a row of small Vs, the program's sign for fabric.
void stitches(QPainter& p, double x, double y, int count, const QColor& c) {
    p.setPen(QPen(c, 1.4));
    for (int i = 0; i < count; ++i) {
        const double l = x + i * 5;
        p.drawPolyline(QPolygonF({QPointF(l, y), QPointF(l + 2, y + 3), QPointF(l + 4, y)}));
    }
}

void drawing(QPainter& p) {
    // A chart of coloured cells and a pencil.
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c)
            p.fillRect(QRectF(3 + c * 4, 2 + r * 4, 3, 3), (r + c) % 3 == 0 ? kYarnRed : QColor(220, 220, 220));
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(QPolygonF({QPointF(30, 17), QPointF(44, 3), QPointF(47, 6), QPointF(33, 20)}));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(30, 17), QPointF(33, 20), QPointF(29, 21)}));
}

void garment(QPainter& p) {
    // A sweater's outline.
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kWool);
    p.drawPolygon(
        QPolygonF({QPointF(19, 2), QPointF(22, 4), QPointF(28, 4), QPointF(31, 2), QPointF(39, 6), QPointF(37, 11),
                   QPointF(33, 9), QPointF(33, 18), QPointF(17, 18), QPointF(17, 9), QPointF(13, 11), QPointF(11, 6)}));
    stitches(p, 19, 12, 3, kYarnRed);
}

void link(QPainter& p) {
    // The needle bed with its needles, the carriage and the cable.
    p.setPen(QPen(kInk, 1));
    for (int x = 4; x <= 36; x += 3) p.drawLine(x, 12, x, 17);
    p.fillRect(QRectF(3, 16, 35, 2), QColor(120, 120, 120));
    p.setBrush(QColor(200, 200, 200));
    p.drawRoundedRect(QRectF(12, 4, 14, 7), 2, 2);
    p.setPen(QPen(kYarnBlue, 1.5));
    QPainterPath cable;
    cable.moveTo(26, 7);
    cable.cubicTo(36, 2, 40, 12, 47, 8);
    p.setBrush(Qt::NoBrush);
    p.drawPath(cable);
}

void galleries(QPainter& p) {
    // A grid of pattern thumbnails.
    for (int i = 0; i < 3; ++i) {
        const QRectF cell(5 + i * 14, 3, 12, 14);
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(cell);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                if ((x + y + i) % 2 == 0)
                    p.fillRect(QRectF(cell.left() + 1.5 + x * 3.2, cell.top() + 2 + y * 3.8, 2.6, 3),
                               i == 1 ? kYarnBlue : kYarnRed);
    }
}

void fashion(QPainter& p) {
    // A dress on a hanger.
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(23, 0, 4, 4), 0, 180 * 16);
    p.drawPolyline(QPolygonF({QPointF(15, 6), QPointF(25, 3), QPointF(35, 6)}));
    p.setBrush(QColor(230, 120, 160));
    p.drawPolygon(QPolygonF(
        {QPointF(21, 5), QPointF(29, 5), QPointF(28, 10), QPointF(34, 19), QPointF(16, 19), QPointF(22, 10)}));
}

void converter(QPainter& p) {
    // A photograph, an arrow, a chart.
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(150, 200, 240));
    p.drawRect(QRectF(3, 4, 15, 12));
    p.setBrush(QColor(60, 150, 60));
    p.drawPolygon(QPolygonF({QPointF(4, 15), QPointF(9, 8), QPointF(13, 12), QPointF(17, 15)}));
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(QPointF(21, 10), QPointF(29, 10));
    p.drawPolyline(QPolygonF({QPointF(26, 7), QPointF(29, 10), QPointF(26, 13)}));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            p.fillRect(QRectF(32 + c * 4, 4 + r * 4, 3, 3), (r + c) % 2 ? QColor(60, 150, 60) : QColor(150, 200, 240));
}

void manual(QPainter& p) {
    // An open book.
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(25, 5), QPointF(13, 2), QPointF(13, 16), QPointF(25, 19)}));
    p.drawPolygon(QPolygonF({QPointF(25, 5), QPointF(37, 2), QPointF(37, 16), QPointF(25, 19)}));
    for (int y = 6; y <= 13; y += 3) {
        p.drawLine(QPointF(16, y), QPointF(23, y + 2));
        p.drawLine(QPointF(27, y + 2), QPointF(34, y));
    }
}

} // namespace

QPixmap TabPicture(int page) {
    QPixmap pm(kTabPictureWidth, kTabPictureHeight);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (page) {
    case 0: drawing(p); break;
    case 1: garment(p); break;
    case 2: link(p); break;
    case 3: galleries(p); break;
    case 4: fashion(p); break;
    case 5: converter(p); break;
    case 6: manual(p); break;
    default: break;
    }
    return pm;
}

} // namespace lc::ui
