#include "shell/ui/ThumbnailGrid.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace lc::ui {

ThumbnailGrid::ThumbnailGrid(int minCellWidth, int minCellHeight, QWidget* parent)
    : QWidget(parent), minW_(minCellWidth), minH_(minCellHeight) {
    bar_ = new QScrollBar(Qt::Vertical, this);
    connect(bar_, &QScrollBar::valueChanged, this, [this] {
        update();
        emit scrolled();
    });
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(60, 60);
}

int ThumbnailGrid::areaWidth() const { return std::max(1, width() - bar_->sizeHint().width()); }

void ThumbnailGrid::resizeEvent(QResizeEvent*) {
    const int bw = bar_->sizeHint().width();
    bar_->setGeometry(width() - bw, 0, bw, height());
    shape_ = ShapeGrid(areaWidth(), height(), minW_, minH_);
    bar_->setSingleStep(shape_.Columns);
    if (place_ >= shape_.page()) place_ = 0;
}

int ThumbnailGrid::firstVisible() const { return bar_->value(); }

void ThumbnailGrid::setRange(int page, int maximum) {
    bar_->setPageStep(std::max(1, page));
    bar_->setRange(0, std::max(0, maximum));
    update();
}

void ThumbnailGrid::scrollTo(int position) { bar_->setValue(position); }

void ThumbnailGrid::setSelectedPlace(int place) {
    place_ = std::clamp(place, 0, shape_.page() - 1);
    update();
}

QRect ThumbnailGrid::cellRect(int place) const {
    const int colW = areaWidth() / shape_.Columns, rowH = height() / shape_.Rows;
    const int c = place % shape_.Columns, r = place / shape_.Columns;
    return QRect(c * colW + 4, r * rowH + 4, colW - 8, rowH - 8);
}

int ThumbnailGrid::itemAt(QPoint pos) const {
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= areaWidth() || pos.y() >= height()) return -1;
    const int c = std::min(shape_.Columns - 1, pos.x() / (areaWidth() / shape_.Columns));
    const int r = std::min(shape_.Rows - 1, pos.y() / (height() / shape_.Rows));
    return firstVisible() + r * shape_.Columns + c;
}

void ThumbnailGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(QRect(0, 0, areaWidth(), height()), palette().window());
    for (int place = 0; place < shape_.page(); ++place) {
        const QRect cell = cellRect(place);
        const bool selected = place == place_;
        p.fillRect(cell, selected ? palette().highlight() : palette().button());
        if (painter_) painter_(p, cell, firstVisible() + place, selected);
        if (selected && hasFocus()) {
            p.setPen(QPen(palette().highlightedText().color(), 1, Qt::DotLine));
            p.drawRect(cell.adjusted(1, 1, -2, -2));
        }
    }
}

void ThumbnailGrid::mousePressEvent(QMouseEvent* e) {
    const int n = itemAt(e->position().toPoint());
    if (n < 0) return;
    place_ = n - firstVisible();
    update();
    emit clicked(n);
}

void ThumbnailGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    const int n = itemAt(e->position().toPoint());
    if (n >= 0) emit doubleClicked(n);
}

void ThumbnailGrid::wheelEvent(QWheelEvent* e) {
    const int steps = e->angleDelta().y() / 120;
    bar_->setValue(bar_->value() - steps * bar_->singleStep());
}

} // namespace lc::ui
