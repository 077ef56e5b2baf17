#pragma once
// Which controls of a page a person can use but a screen reader could not
// name: every enabled, shown button, box, slider, input field, list and widget
// of our own, and every painted part our widgets list (PaintedParts).
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextEdit>
#include <QWidget>

namespace lc::test {

inline QString accessibleName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// The name a field is known by: its own accessible name, else the text of
// the label that stands for it (a sibling label whose buddy it is, which Qt
// reports as the field's label). Not its value: on Linux Qt reads a combo
// box's current text as its name, which says what is chosen, not what for.
// A list or tree has its own name only: Qt takes none from a label.
inline QString fieldName(QWidget* w) {
    if (!w->accessibleName().trimmed().isEmpty()) return w->accessibleName();
    if (qobject_cast<QAbstractItemView*>(w)) return {};
    if (QWidget* parent = w->parentWidget())
        for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (label->buddy() == w && !label->text().trimmed().isEmpty()) return label->text();
    return {};
}

// An input field: a line edit (not the one inside a spin box or combo box,
// which are named as a whole), a spin box, slider, combo box, list or text editor.
inline bool isField(QWidget* w) {
    if (qobject_cast<QLineEdit*>(w))
        return !qobject_cast<QAbstractSpinBox*>(w->parentWidget()) && !qobject_cast<QComboBox*>(w->parentWidget());
    return qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractSlider*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w);
}

// "ClassName objectName" of each control without a name; parts as
// "objectName/part i".
inline QStringList unnamedControls(QWidget* page) {
    QStringList out;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(page) || !w->isEnabled()) continue;
        const QString cls = QString::fromLatin1(w->metaObject()->className());
        const bool ours = cls.startsWith(QLatin1String("lc::ui::"));
        const bool field = isField(w);
        if (!field && !qobject_cast<QAbstractButton*>(w) && !ours) continue;
        const QString name = field ? fieldName(w) : accessibleName(w);
        if (name.trimmed().isEmpty()) out << cls + QLatin1Char(' ') + w->objectName();
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        for (int i = 0; !field && a && i < a->childCount(); ++i) {
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
