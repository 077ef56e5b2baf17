#pragma once
// Controls a widget paints itself (the palette's cells, the needle bed's cam
// buttons) are no widgets, so accessibility tools would not see them. A widget
// that also derives from PaintedParts lists them; each becomes an accessible
// element of its widget with a name, a place and the actions a person can take
// on it, so a screen reader can name it and press it.
#include <QRect>
#include <QString>
#include <QStringList>

namespace lc::ui {

class PaintedParts {
public:
    virtual ~PaintedParts() = default;
    virtual int partCount() const = 0;
    virtual QString partName(int part) const = 0;
    // In the widget's coordinates.
    virtual QRect partRect(int part) const = 0;
    virtual bool partVisible(int /*part*/) const { return true; }
    // Action names as QAccessibleActionInterface knows them (pressAction(),
    // increaseAction(), ...) or texts of the part's own.
    virtual QStringList partActions(int part) const = 0;
    virtual void doPartAction(int part, const QString& action) = 0;
};

// Lets every widget that is also PaintedParts show its parts to accessibility
// tools. Safe to call any number of times; widgets call it when created.
void EnablePaintedPartsAccessibility();

} // namespace lc::ui
