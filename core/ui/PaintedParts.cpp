#include "core/ui/PaintedParts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace lc::ui {

namespace {

class PartAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PartAccessible(QWidget* widget, PaintedParts* parts, int index) : widget_(widget), parts_(parts), index_(index) {}

    bool isValid() const override { return widget_ && index_ < parts_->partCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return widget_ ? widget_->window()->windowHandle() : nullptr; }
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation /*match*/) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(widget_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? parts_->partName(index_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = parts_->partRect(index_);
        return {widget_->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid() || !parts_->partVisible(index_) || !widget_->isVisible()) s.invisible = true;
        if (widget_ && !widget_->isEnabled()) s.disabled = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return isValid() ? parts_->partActions(index_) : QStringList(); }
    void doAction(const QString& action) override {
        if (isValid() && widget_->isEnabled() && parts_->partActions(index_).contains(action))
            parts_->doPartAction(index_, action);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QWidget> widget_;
    PaintedParts* parts_;
    int index_;
};

// The widget with its parts after its child widgets.
class PaintedWidgetAccessible : public QAccessibleWidget {
public:
    PaintedWidgetAccessible(QWidget* w, PaintedParts* parts) : QAccessibleWidget(w, QAccessible::Pane), parts_(parts) {}
    ~PaintedWidgetAccessible() override {
        for (QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return QAccessibleWidget::childCount() + parts_->partCount(); }
    QAccessibleInterface* child(int index) const override {
        const int base = QAccessibleWidget::childCount();
        if (index < base) return QAccessibleWidget::child(index);
        return part(index - base);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const int base = QAccessibleWidget::childCount();
        for (size_t i = 0; i < ids_.size(); ++i)
            if (ids_[i] && QAccessible::accessibleInterface(ids_[i]) == child) return base + static_cast<int>(i);
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint p = widget()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < parts_->partCount(); ++i)
            if (parts_->partVisible(i) && parts_->partRect(i).contains(p)) return part(i);
        return QAccessibleWidget::childAt(x, y);
    }

private:
    QAccessibleInterface* part(int i) const {
        if (i < 0 || i >= parts_->partCount()) return nullptr;
        if (ids_.size() <= static_cast<size_t>(i)) ids_.resize(static_cast<size_t>(i) + 1, 0);
        QAccessible::Id& id = ids_[static_cast<size_t>(i)];
        if (!id) id = QAccessible::registerAccessibleInterface(new PartAccessible(widget(), parts_, i));
        return QAccessible::accessibleInterface(id);
    }

    PaintedParts* parts_;
    mutable std::vector<QAccessible::Id> ids_;
};

QAccessibleInterface* paintedPartsFactory(const QString& /*key*/, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w) return nullptr;
    if (auto* parts = dynamic_cast<PaintedParts*>(w)) return new PaintedWidgetAccessible(w, parts);
    return nullptr;
}

} // namespace

void EnablePaintedPartsAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(paintedPartsFactory);
        return true;
    }();
    (void)installed;
}

} // namespace lc::ui
