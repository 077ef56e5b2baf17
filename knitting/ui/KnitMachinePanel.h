#pragma once
// The machine panel of the Link page: the current technique's instruction
// sheet, drawn by the techniques through a painter-backed canvas, with the
// scroll bar for the set-up lines and the row up-down. The engine part
// (lc::KnitMachine) holds the techniques and decides what is shown.
#include <QWidget>

class QScrollBar;
class QSpinBox;

namespace lc {
class KnitMachine;
} // namespace lc

namespace lc::ui {

class KnitMachinePanel : public QWidget {
    Q_OBJECT
public:
    KnitMachinePanel(lc::KnitMachine& machine, QWidget* parent = nullptr);
    ~KnitMachinePanel() override;

    lc::KnitMachine& machine() { return machine_; }
    QScrollBar* lineScroll() const { return lineScroll_; }
    QSpinBox* rowUpDown() const { return rowUpDown_; }

    // Takes the engine's scroll bar and up-down (range, position, place) and
    // schedules a repaint.
    void sync();

    QSize sizeHint() const override { return {600, 300}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    lc::KnitMachine& machine_;
    QScrollBar* lineScroll_;
    QSpinBox* rowUpDown_;
};

} // namespace lc::ui
