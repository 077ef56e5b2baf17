#pragma once
// A grid of thumbnails with a vertical scroll bar whose position is the index
// of the first visible item. What a cell shows is the owner's business (a
// paint function); the grid keeps the layout, the selection and the scrolling.
#include <QWidget>

#include <functional>

#include "shell/GridMaths.h"

class QScrollBar;

namespace lc::ui {

class ThumbnailGrid : public QWidget {
    Q_OBJECT
public:
    ThumbnailGrid(int minCellWidth, int minCellHeight, QWidget* parent = nullptr);

    // Paints item n (first visible + place in the screenful) into `cell`.
    using CellPainter = std::function<void(QPainter& p, const QRect& cell, int n, bool selected)>;
    void setCellPainter(CellPainter painter) { painter_ = std::move(painter); }

    GridShape shape() const { return shape_; }
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

signals:
    void clicked(int n);
    void doubleClicked(int n);
    void scrolled();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    QRect cellRect(int place) const;
    int areaWidth() const;

    int minW_, minH_;
    GridShape shape_;
    QScrollBar* bar_ = nullptr;
    CellPainter painter_;
    int place_ = 0;
};

} // namespace lc::ui
