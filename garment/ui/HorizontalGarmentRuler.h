#pragma once
#include "garment/ui/GarmentRuler.h"

namespace lc::ui {

// The ruler above the outline paint box: millimetres grow to the right.
class HorizontalGarmentRuler : public GarmentRuler {
    Q_OBJECT
public:
    explicit HorizontalGarmentRuler(MeasureRulerModel& model, QWidget* parent = nullptr)
        : GarmentRuler(model, Qt::Horizontal, parent) {}
};

} // namespace lc::ui
