#pragma once
// The Link page's display panels: the preview of the design with the current
// row, the yarn colours of the current pass, and the carriage-setting line.
// Each paints from its model (knitting/PreviewModel.h) and the page's state.
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <string>

namespace lc {
class PreviewModel;
struct ColorInstruction;
} // namespace lc

namespace lc::ui {

class PreviewView : public QWidget {
    Q_OBJECT
public:
    PreviewView(lc::PreviewModel& model, QWidget* parent = nullptr);

    lc::PreviewModel& model() { return model_; }
    // Drops the scaled picture (the design, the garment or the palette changed).
    void invalidatePicture() { cacheKey_.clear(); update(); }

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
    QImage cached_;
    QString cacheKey_;
};

class ColorInstructionView : public QWidget {
    Q_OBJECT
public:
    ColorInstructionView(const lc::ColorInstruction& state, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const lc::ColorInstruction& state_;
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
