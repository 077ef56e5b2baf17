#pragma once
// A tool bar that goes on to a second line when the width needs it, so that
// no button is ever hidden behind an overflow arrow. QToolBar does that
// outside a main window, and its arrow has no name a screen reader could say.
#include <QWidget>

namespace lc::ui {

class FlowLayout;

class WrappingToolBar : public QWidget {
public:
    explicit WrappingToolBar(QWidget* parent = nullptr);

    // A tool button is flat until the pointer is over it, as on a tool bar.
    void addWidget(QWidget* widget);
    void addSeparator();

private:
    FlowLayout* row_;
};

} // namespace lc::ui
