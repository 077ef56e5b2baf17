#pragma once
#include "garment/ui/GarmentRuler.h"

namespace lc::ui {

// The ruler left of the outline paint box: millimetres grow upward from its bottom edge.
class VerticalGarmentRuler : public GarmentRuler {
    Q_OBJECT
public:
    explicit VerticalGarmentRuler(MeasureRulerModel& model, QWidget* parent = nullptr)
        : GarmentRuler(model, Qt::Vertical, parent) {}
};

} // namespace lc::ui
