#pragma once
// Which controls of a page a person can press but a screen reader could not
// name: every enabled, shown button, box, slider and widget of our own, and
// every painted part our widgets list (PaintedParts).
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QStringList>
#include <QWidget>

namespace lc::test {

inline QString accessibleName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// "ClassName objectName" of each control without a name; parts as
// "objectName/part i".
inline QStringList unnamedControls(QWidget* page) {
    QStringList out;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(page) || !w->isEnabled()) continue;
        const QString cls = QString::fromLatin1(w->metaObject()->className());
        const bool ours = cls.startsWith(QLatin1String("lc::ui::"));
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractSlider*>(w) || qobject_cast<QAbstractSpinBox*>(w) || ours;
        if (!control) continue;
        if (accessibleName(w).trimmed().isEmpty()) out << cls + QLatin1Char(' ') + w->objectName();
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        for (int i = 0; a && i < a->childCount(); ++i) {
            QAccessibleInterface* c = a->child(i);
            if (!c || c->object()) continue; // child widgets are checked on their own
            if (c->text(QAccessible::Name).trimmed().isEmpty() || !c->actionInterface() ||
                c->actionInterface()->actionNames().isEmpty())
                out << w->objectName() + QStringLiteral("/part %1").arg(i);
        }
    }
    return out;
}

// The painted part of `w` named `name`, or null.
inline QAccessibleInterface* paintedPart(QWidget* w, const QString& name) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    for (int i = 0; a && i < a->childCount(); ++i) {
        QAccessibleInterface* c = a->child(i);
        if (c && !c->object() && c->text(QAccessible::Name) == name) return c;
    }
    return nullptr;
}

} // namespace lc::test
