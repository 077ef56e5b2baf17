#include "shell/ui/ToolButtons.h"

#include <QToolBar>
#include <QToolButton>

namespace lc::ui {

QToolButton* NewToolButton(QWidget* parent, const QString& caption, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setText(caption);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    return b;
}

FrameButtons AddFrameButtons(QToolBar* bar) {
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

} // namespace lc::ui
