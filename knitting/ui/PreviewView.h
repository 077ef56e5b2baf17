#pragma once
// The Link page's display panels: the preview of the design with the current
// row, the yarn colours of the current pass, and the carriage-setting line.
// Each paints from its model (knitting/PreviewModel.h) and the page's state.
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <string>

#include "core/PatternRaster.h"
#include "knitting/KnitState.h"

namespace lc {
class PreviewModel;
class Workspace;
struct ColorInstruction;
} // namespace lc

namespace lc::ui {

class PreviewView : public QWidget {
    Q_OBJECT
public:
    // Paints the workspace's pattern (or garment) as `model` lays it out.
    PreviewView(lc::PreviewModel& model, const lc::Workspace& ws, QWidget* parent = nullptr);

    lc::PreviewModel& model() { return model_; }
    // Drops the scaled picture (the design, the garment or the palette changed).
    void invalidatePicture() {
        cacheKey_.clear();
        update();
    }

signals:
    void rowPressed(int y);
    void rowDragged(int y);
    void rowReleased();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    const QImage& scaledPicture(const QRect& dest);

    lc::PreviewModel& model_;
    const lc::Workspace& ws_;
    QImage cached_;
    QString cacheKey_;
};

class ColorInstructionView : public QWidget {
    Q_OBJECT
public:
    // The yarns of `state` in the pattern's `colors`, bobbins through `colorOrder`.
    ColorInstructionView(const lc::ColorInstruction& state, const lc::ColorTable17& colors,
                         const lc::YarnColorOrder& colorOrder, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const lc::ColorInstruction& state_;
    const lc::ColorTable17& colors_;
    const lc::YarnColorOrder& colorOrder_;
};

class CarriageAddInfoView : public QWidget {
    Q_OBJECT
public:
    explicit CarriageAddInfoView(QWidget* parent = nullptr);
    void SetText(const std::string& text);
    const std::string& text() const { return text_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::string text_;
};

} // namespace lc::ui
