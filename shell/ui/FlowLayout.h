#pragma once
// Lays its items out left to right, each at its own size (its size hint, never
// below its minimum), and starts a new line where the next item would not fit.
// A row of controls laid out this way stays whole in a narrow window: Qt's box
// layouts would squeeze every control below its size instead (labels cut,
// a slider too short to set). Items on one line share its height and are
// centred in it.
#include <QLayout>
#include <QList>

namespace lc::ui {

class FlowLayout : public QLayout {
public:
    explicit FlowLayout(QWidget* parent = nullptr);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    // The widest item: the layout wraps down to one item a line.
    QSize minimumSize() const override;
    // Every item on one line.
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Lays the items out in `rect` (placing them only with `place`); returns
    // the height the lines take, margins included.
    int arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> items_;
};

} // namespace lc::ui
