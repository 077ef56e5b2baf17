#include "garment/ui/GarmentRuler.h"

#include <QPainter>

namespace lc::ui {

GarmentRuler::GarmentRuler(MeasureRulerModel& model, Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), model_(model), orientation_(orientation) {
    QFont f = font();
    f.setBold(true);
    f.setPointSize(7);
    setFont(f);
    if (orientation_ == Qt::Horizontal) {
        setFixedHeight(25);
        setMinimumWidth(50);
    } else {
        setFixedWidth(25);
        setMinimumHeight(50);
    }
}

int GarmentRuler::length() const { return orientation_ == Qt::Horizontal ? width() : height(); }

int GarmentRuler::fromStart(int pixel) const { return orientation_ == Qt::Horizontal ? pixel : height() - pixel; }

double GarmentRuler::PixelToValue(int pixel) const { return model_.PixelToValue(fromStart(pixel)); }

void GarmentRuler::SetZeroAt(int pixel) {
    model_.SetZeroAt(fromStart(pixel));
    update();
}

void GarmentRuler::updateMarkerStrip(int pixel) {
    if (orientation_ == Qt::Horizontal) update(pixel - 1, 0, 3, height());
    else update(0, pixel - 1, width(), 3);
}

void GarmentRuler::DrawMarker(int pixel) {
    if (pixel == marker_) return;
    updateMarkerStrip(marker_);
    marker_ = pixel;
    updateMarkerStrip(marker_);
}

void GarmentRuler::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(QColor(255, 255, 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const bool horizontal = orientation_ == Qt::Horizontal;
    const LengthUnit unit = model_.Units;
    p.setFont(font());
    for (const MeasureTick& t : model_.Ticks(length())) {
        const int tickEnd = t.Major ? 18 : 6;
        p.setPen(Qt::black);
        if (horizontal) {
            p.drawLine(t.Pixel, 1, t.Pixel, tickEnd);
        } else {
            const int y = height() - t.Pixel;
            p.drawLine(1, y, tickEnd, y);
        }
        if (!t.Major) continue;
        p.setPen(QColor(255, 0, 0));
        const QString label = QString::number(t.Label(unit));
        if (horizontal) p.drawText(t.Pixel + 2, 10 + p.fontMetrics().ascent() - 2, label);
        else p.drawText(5, height() - t.Pixel - 14 + p.fontMetrics().ascent(), label);
    }
    // The marker: a thin line across the strip where the mouse is.
    p.setPen(QColor(0, 0, 160));
    if (horizontal) p.drawLine(marker_, 1, marker_, height() - 2);
    else p.drawLine(1, marker_, width() - 2, marker_);
}

} // namespace lc::ui
