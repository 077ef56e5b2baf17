#include "shell/ui/ThumbnailGrid.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace lc::ui {

ThumbnailGrid::ThumbnailGrid(int minCellWidth, int minCellHeight, QWidget* parent)
    : ThumbnailGrid(
          [minCellWidth, minCellHeight](int w, int h) { return ShapeGrid(w, h, minCellWidth, minCellHeight); },
          parent) {}

ThumbnailGrid::ThumbnailGrid(Shaper shaper, QWidget* parent) : QWidget(parent), shaper_(std::move(shaper)) {
    // Before anything asks for this widget's accessibility.
    EnablePaintedPartsAccessibility();
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
    shape_ = shaper_(areaWidth(), height());
    bar_->setSingleStep(shape_.Columns);
    if (place_ >= shape_.page()) place_ = 0;
    emit resized();
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

// Each cell sits 4 pixels inside its column and row.
QRect ThumbnailGrid::cellRect(int place) const {
    const int c = place % shape_.Columns, r = place / shape_.Columns;
    return QRect(c * shape_.ColumnWidth + 4, r * shape_.RowHeight + 4, shape_.CellWidth, shape_.CellHeight);
}

int ThumbnailGrid::itemAt(QPoint pos) const {
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= areaWidth() || pos.y() >= height()) return -1;
    const int c = pos.x() / shape_.ColumnWidth, r = pos.y() / shape_.RowHeight;
    if (c >= shape_.Columns || r >= shape_.Rows) return -1; // the strip beyond the last column or row
    return firstVisible() + r * shape_.Columns + c;
}

int ThumbnailGrid::partCount() const {
    // The items fill the screenful from its first cell.
    int n = 0;
    while (namer_ && n < shape_.page() && !namer_(firstVisible() + n).isEmpty()) ++n;
    return n;
}

QString ThumbnailGrid::partName(int part) const { return namer_ ? namer_(firstVisible() + part) : QString(); }

QStringList ThumbnailGrid::partActions(int) const {
    QStringList actions{QAccessibleActionInterface::pressAction()};
    if (openAction_) actions << openActionName();
    return actions;
}

void ThumbnailGrid::doPartAction(int part, const QString& action) {
    const int n = firstVisible() + part;
    if (action == openActionName()) {
        emit doubleClicked(n);
        return;
    }
    place_ = part;
    update();
    emit clicked(n);
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
