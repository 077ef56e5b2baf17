#include "knitting/ui/KnitMachinePanel.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>

#include "knitting/KnitMachine.h"
#include "knitting/ui/SheetCanvasQt.h"

namespace lc::ui {

KnitMachinePanel::KnitMachinePanel(lc::KnitMachine& machine, QWidget* parent)
    : QWidget(parent), machine_(machine), lineScroll_(new QScrollBar(Qt::Vertical, this)),
      rowUpDown_(new QSpinBox(this)) {
    setObjectName("KnitMachine");
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(600, 300);
    lineScroll_->setObjectName("LineScroll");
    rowUpDown_->setObjectName("RowUpDown");
    rowUpDown_->setToolTip(tr("Row of the sheet to show (0: the whole sheet)"));
    rowUpDown_->setAlignment(Qt::AlignRight);
    setAccessibleName(tr("Instruction sheet"));
    lineScroll_->setAccessibleName(tr("Sheet lines"));
    rowUpDown_->setAccessibleName(tr("Sheet row"));
    connect(lineScroll_, &QScrollBar::valueChanged, this, [this](int v) { machine_.ScrollBarChange(v); });
    connect(rowUpDown_, &QSpinBox::valueChanged, this, [this](int v) { machine_.UpDownClick(v); });
    machine_.OnInvalidate = [this] { update(); };
    sync();
}

KnitMachinePanel::~KnitMachinePanel() { machine_.OnInvalidate = nullptr; }

void KnitMachinePanel::sync() {
    const auto& ls = machine_.LineScroll;
    {
        const QSignalBlocker block(lineScroll_);
        lineScroll_->setRange(ls.Min, std::max(ls.Min, ls.Max));
        lineScroll_->setValue(ls.Position);
    }
    lineScroll_->setGeometry(ls.Left, 0, ls.Width, height());
    const auto& ud = machine_.RowUpDown;
    {
        const QSignalBlocker block(rowUpDown_);
        rowUpDown_->setRange(ud.Min, ud.Max);
        rowUpDown_->setValue(ud.Position);
    }
    // The row-number column has no title: the up-down stands in its place.
    rowUpDown_->setGeometry(0, 30 - 12, ud.Width, 24);
    update();
}

void KnitMachinePanel::resizeEvent(QResizeEvent*) {
    machine_.Resize(width(), height());
    sync();
}

void KnitMachinePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QtSheetCanvas canvas(p, machine_.FontSize);
    machine_.Paint(canvas);
}

} // namespace lc::ui
