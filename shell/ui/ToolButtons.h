#pragma once
// Tool buttons the content pages build alike.
#include <QString>

class QToolBar;
class QToolButton;
class QWidget;

namespace lc::ui {

class WrappingToolBar;

// A button showing `caption`; `hint` is its tool tip and its accessible name
// (the hint says what the short caption only hints at).
QToolButton* NewToolButton(QWidget* parent, const QString& caption, const QString& hint);

// Open/Menu (its arrow drops the main window's menu), Save and Help at the
// head of a page's tool bar, then a separator. They stay disabled until the
// main window binds them.
struct FrameButtons {
    QToolButton* Open = nullptr;
    QToolButton* Save = nullptr;
    QToolButton* Help = nullptr;
};
FrameButtons AddFrameButtons(QToolBar* bar);
FrameButtons AddFrameButtons(WrappingToolBar* bar);

} // namespace lc::ui
