#pragma once
// The text dialog's preview box: shows the picture the dialog drew and
// reports where a mouse button came up.
#include <QImage>
#include <QWidget>

namespace lc::ui {

class TextPreview : public QWidget {
    Q_OBJECT
public:
    explicit TextPreview(QWidget* parent = nullptr);
    void setImage(QImage image);
    const QImage& image() const { return image_; }

signals:
    void released(QPoint at);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QImage image_;
};

} // namespace lc::ui
