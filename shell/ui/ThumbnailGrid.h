#pragma once
// A grid of thumbnails with a vertical scroll bar whose position is the index
// of the first visible item. What a cell shows is the owner's business (a
// paint function); the grid keeps the layout, the selection and the scrolling.
#include <QWidget>

#include <functional>

#include "core/ui/PaintedParts.h"
#include "shell/GridMaths.h"

class QScrollBar;

namespace lc::ui {

// Its cells are its accessible parts, named by the owner: pressing one
// selects it (as a click), and "Open" (when the owner offers it) is a double
// click.
class ThumbnailGrid : public QWidget, public PaintedParts {
    Q_OBJECT
public:
    // Cells of at least minCellWidth x minCellHeight pixels, gap included.
    ThumbnailGrid(int minCellWidth, int minCellHeight, QWidget* parent = nullptr);
    // The shape of a cell area `width` x `height` (the scroll bar's strip not counted).
    using Shaper = std::function<GridShape(int width, int height)>;
    explicit ThumbnailGrid(Shaper shaper, QWidget* parent = nullptr);

    // Paints item n (first visible + place in the screenful) into `cell`.
    using CellPainter = std::function<void(QPainter& p, const QRect& cell, int n, bool selected)>;
    void setCellPainter(CellPainter painter) { painter_ = std::move(painter); }
    // What a screen reader calls item n; empty when there is no item n.
    void setCellNamer(std::function<QString(int n)> namer) { namer_ = std::move(namer); }
    // Offers the cells' "Open" action (as a double click).
    void setOpenAction(bool on) { openAction_ = on; }
    static QString openActionName() { return QStringLiteral("Open"); }

    GridShape shape() const { return shape_; }
    // The owner names it for what it scrolls.
    QScrollBar* scrollBar() const { return bar_; }
    int firstVisible() const;
    // The scroll bar's page and last position (a QScrollBar's maximum).
    void setRange(int page, int maximum);
    void scrollTo(int position);
    // The selected place in the screenful (0 .. page-1).
    int selectedPlace() const { return place_; }
    void setSelectedPlace(int place);
    // The item n under a point, or -1.
    int itemAt(QPoint pos) const;
    QRect cellRect(int place) const;

    // PaintedParts: the visible cells that hold an item.
    int partCount() const override;
    QString partName(int part) const override;
    QRect partRect(int part) const override { return cellRect(part); }
    QStringList partActions(int part) const override;
    void doPartAction(int part, const QString& action) override;

signals:
    void clicked(int n);
    void doubleClicked(int n);
    void scrolled();
    // The shape may have changed.
    void resized();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    int areaWidth() const;

    Shaper shaper_;
    GridShape shape_;
    QScrollBar* bar_ = nullptr;
    CellPainter painter_;
    std::function<QString(int)> namer_;
    bool openAction_ = false;
    int place_ = 0;
};

} // namespace lc::ui
