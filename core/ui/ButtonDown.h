#pragma once
#include <QAbstractButton>
#include <QButtonGroup>

namespace lc::ui {

// Puts a checkable button down or up. An exclusive group keeps one button
// down, so the rule is lifted for the moment of a release.
inline void SetButtonDown(QAbstractButton* b, bool down) {
    QButtonGroup* g = b->group();
    const bool exclusive = g && g->exclusive();
    if (exclusive && !down) g->setExclusive(false);
    b->setChecked(down);
    if (exclusive && !down) g->setExclusive(true);
}

} // namespace lc::ui
