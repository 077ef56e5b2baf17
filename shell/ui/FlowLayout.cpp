#include "shell/ui/FlowLayout.h"

#include <algorithm>

namespace lc::ui {

namespace {

// An item's own size: its hint, but never below its minimum nor above its maximum.
QSize ownSize(const QLayoutItem* item) {
    return item->sizeHint().expandedTo(item->minimumSize()).boundedTo(item->maximumSize());
}

} // namespace

FlowLayout::FlowLayout(QWidget* parent) : QLayout(parent) {}

FlowLayout::~FlowLayout() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::addItem(QLayoutItem* item) { items_.append(item); }

QLayoutItem* FlowLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_.at(index) : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int FlowLayout::heightForWidth(int width) const { return arrange(QRect(0, 0, width, 0), false); }

QSize FlowLayout::minimumSize() const {
    QSize size;
    for (const QLayoutItem* item : items_)
        if (!item->isEmpty()) size = size.expandedTo(ownSize(item));
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::sizeHint() const {
    int width = 0, height = 0, shown = 0;
    for (const QLayoutItem* item : items_) {
        if (item->isEmpty()) continue;
        const QSize s = ownSize(item);
        width += s.width() + (shown++ ? spacing() : 0);
        height = std::max(height, s.height());
    }
    const QMargins m = contentsMargins();
    return {width + m.left() + m.right(), height + m.top() + m.bottom()};
}

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::arrange(const QRect& rect, bool place) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = std::max(0, spacing());
    int top = area.top();
    // One line at a time: take items while they fit (at least one), then place
    // them centred in the line's height.
    for (qsizetype first = 0; first < items_.size();) {
        int used = 0, lineHeight = 0;
        qsizetype end = first;
        for (; end < items_.size(); ++end) {
            if (items_[end]->isEmpty()) continue;
            const QSize s = ownSize(items_[end]);
            const int needed = used ? used + gap + s.width() : s.width();
            if (used && needed > area.width()) break;
            used = needed;
            lineHeight = std::max(lineHeight, s.height());
        }
        if (place) {
            int x = area.left();
            for (qsizetype i = first; i < end; ++i) {
                QLayoutItem* item = items_[i];
                if (item->isEmpty()) continue;
                const QSize s = ownSize(item);
                const int width = std::min(s.width(), area.width()); // an item wider than the line gets the line
                // One with no height of its own (a separator line) takes the line's.
                const int height = s.height() > 0 ? s.height() : lineHeight;
                item->setGeometry(QRect(x, top + (lineHeight - height) / 2, width, height));
                x += width + gap;
            }
        }
        if (used) top += lineHeight + gap;
        first = end;
    }
    if (top > area.top()) top -= gap;
    const QMargins m = contentsMargins();
    return top - area.top() + m.top() + m.bottom();
}

} // namespace lc::ui
