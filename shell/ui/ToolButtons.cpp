#include "shell/ui/ToolButtons.h"

#include <QToolBar>
#include <QToolButton>

#include "shell/ui/WrappingToolBar.h"

namespace lc::ui {

QToolButton* NewToolButton(QWidget* parent, const QString& caption, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setText(caption);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    return b;
}

namespace {

// Either kind of tool bar: both add a widget and a separator by those names.
template <class Bar>
FrameButtons addFrameButtons(Bar* bar) {
    auto frameButton = [bar](const char* name, const QString& caption, const QString& hint) {
        QToolButton* b = NewToolButton(bar, caption, hint);
        b->setObjectName(name);
        b->setEnabled(false);
        bar->addWidget(b);
        return b;
    };
    FrameButtons f;
    f.Open = frameButton("ToolButton39", "Open", "Open/Menu");
    f.Save = frameButton("ToolButton40", "Save", "Save");
    f.Help = frameButton("ToolButton42", "?", "Help");
    bar->addSeparator();
    return f;
}

} // namespace

FrameButtons AddFrameButtons(QToolBar* bar) { return addFrameButtons(bar); }
FrameButtons AddFrameButtons(WrappingToolBar* bar) { return addFrameButtons(bar); }

} // namespace lc::ui
