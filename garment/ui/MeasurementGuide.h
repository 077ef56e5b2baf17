#pragma once
// The reference drawing of the "Body Size Editor": a figure of a baby, child,
// woman or man with the places to measure marked and captioned.
#include <QWidget>

namespace lc::ui {

class MeasurementGuide : public QWidget {
    Q_OBJECT
public:
    // kind: 0 baby, 1 child, 2 woman, 3 man.
    explicit MeasurementGuide(int kind, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {260, 300}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int kind_;
};

} // namespace lc::ui
