#include "editor/ui/TextPreview.h"

#include <QMouseEvent>
#include <QPainter>

namespace lc::ui {

TextPreview::TextPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TextPreview"));
    setFixedSize(199, 201);
}

void TextPreview::setImage(QImage image) {
    image_ = std::move(image);
    update();
}

void TextPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawImage(0, 0, image_);
}

void TextPreview::mouseReleaseEvent(QMouseEvent* e) { emit released(e->position().toPoint()); }

} // namespace lc::ui
