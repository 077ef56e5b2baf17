#pragma once
// What the two measuring rulers of the Garment Shape page share: a yellow
// strip that draws the ticks and labels of its MeasureRulerModel (centimetres
// or inches) and a marker line that follows the mouse. The model belongs to
// the page's view; the ruler only shows it.
#include <QWidget>

#include "garment/MeasureRulerModel.h"

namespace lc::ui {

class GarmentRuler : public QWidget {
    Q_OBJECT
public:
    GarmentRuler(MeasureRulerModel& model, Qt::Orientation orientation, QWidget* parent = nullptr);

    MeasureRulerModel& model() const { return model_; }
    // Pixels along the ruler, from its start edge (left, or bottom).
    int length() const;
    // The marker line at `pixel` in the widget's own coordinates.
    void DrawMarker(int pixel);
    int marker() const { return marker_; }
    // The value at a widget pixel, in centimetres from the zero.
    double PixelToValue(int pixel) const;
    // The zero at a widget pixel.
    void SetZeroAt(int pixel);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    // Widget pixel <-> pixel from the start edge.
    int fromStart(int pixel) const;
    void updateMarkerStrip(int pixel);

    MeasureRulerModel& model_;
    Qt::Orientation orientation_;
    int marker_ = 1;
};

} // namespace lc::ui
