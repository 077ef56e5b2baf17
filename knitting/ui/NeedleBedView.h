#pragma once
// The needle bed strip of the Link page, painted from its model
// (lc::NeedleBedModel): the ruler, the point cams with their buttons, and the
// bands of stitches around the current design row. Mouse presses on a cam
// button grab the cam; the model reports every grab, step and drop.
#include <QHash>
#include <QImage>
#include <QStaticText>
#include <QWidget>

#include <array>

#include <vector>

#include "core/PatternRaster.h"
#include "core/ui/PaintedParts.h"

namespace lc {
class NeedleBedModel;
} // namespace lc

namespace lc::ui {

// The two cam buttons are painted: they are its accessible parts, each named,
// stepped one needle by the increase and decrease actions.
class NeedleBedView : public QWidget, public PaintedParts {
    Q_OBJECT
public:
    NeedleBedView(lc::NeedleBedModel& bed, QWidget* parent = nullptr);
    ~NeedleBedView() override;

    lc::NeedleBedModel& bed() { return bed_; }
    QSize sizeHint() const override { return {830, 240}; }

    // PaintedParts: part 0 the left cam's button, 1 the right one's.
    int partCount() const override { return 2; }
    QString partName(int part) const override;
    QRect partRect(int part) const override;
    bool partVisible(int part) const override;
    QStringList partActions(int part) const override;
    void doPartAction(int part, const QString& action) override;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    // The bed without its bands (grey zones, ruler, ticks and labels): it
    // changes with the view and the cams only, so it is drawn once for them.
    const QImage& base();
    void paintBands(QPainter& p);
    void paintCam(QPainter& p, bool right);

    lc::NeedleBedModel& bed_;
    int held_ = -1; // 0 the left cam, 1 the right cam, -1 none
    QImage base_;
    std::array<int, 8> baseKey_{};
    QImage bands_;
    QHash<int, QStaticText> rowTexts_;
    std::vector<Color> colors_;
    std::vector<uint8_t> cells_;
};

} // namespace lc::ui
