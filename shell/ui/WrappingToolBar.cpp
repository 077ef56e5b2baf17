#include "shell/ui/WrappingToolBar.h"

#include <QFrame>
#include <QToolButton>

#include "shell/ui/FlowLayout.h"

namespace lc::ui {

WrappingToolBar::WrappingToolBar(QWidget* parent) : QWidget(parent), row_(new FlowLayout(this)) {
    row_->setContentsMargins(2, 2, 2, 2);
    row_->setSpacing(1);
}

void WrappingToolBar::addWidget(QWidget* widget) {
    if (auto* b = qobject_cast<QToolButton*>(widget)) b->setAutoRaise(true);
    widget->setParent(this);
    row_->addWidget(widget);
}

void WrappingToolBar::addSeparator() {
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    row_->addWidget(line);
}

} // namespace lc::ui
