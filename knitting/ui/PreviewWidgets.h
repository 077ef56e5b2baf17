#pragma once
// The Link page's display panels: the preview of the design with the current
// row, the yarn colours of the current pass, and the carriage-setting line.
// Each paints from its model (knitting/PreviewPanels.h) and the page's state.
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <string>

namespace lc {
class TPreView;
struct TColorInstruction;
} // namespace lc

namespace lc::ui {

class TPreView : public QWidget {
    Q_OBJECT
public:
    TPreView(lc::TPreView& model, QWidget* parent = nullptr);

    lc::TPreView& model() { return model_; }
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

    lc::TPreView& model_;
    QImage cached_;
    QString cacheKey_;
};

class TColorInstruction : public QWidget {
    Q_OBJECT
public:
    TColorInstruction(const lc::TColorInstruction& state, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const lc::TColorInstruction& state_;
};

class TCarrAddInfo : public QWidget {
    Q_OBJECT
public:
    explicit TCarrAddInfo(QWidget* parent = nullptr);
    void SetText(const std::string& text);
    const std::string& text() const { return text_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::string text_;
};

} // namespace lc::ui
