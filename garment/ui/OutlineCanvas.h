#pragma once
// The Garment Shape page's paint box: the working outline in millimetres over
// a dotted millimetre grid, mapped through the page's view. It draws; the page
// decides what the mouse and the keys do.
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <vector>

namespace lc {
class GarmentOutline;
class GarmentView;
} // namespace lc

namespace lc::ui {

class OutlineCanvas : public QWidget {
    Q_OBJECT
public:
    OutlineCanvas(const GarmentOutline& outline, const GarmentView& view, QWidget* parent = nullptr);

    void setGridShown(bool on);
    bool gridShown() const { return grid_; }
    // The rubber band (selection or zoom rectangle); an empty one hides it.
    void setBand(const QRect& band);
    QRect band() const { return band_; }
    // While points are dragged only the selected points and the curves that
    // touch them change: the rest is drawn once into a cached picture, and
    // each repaint draws the cache and the moving part over it.
    void beginDrag();
    void endDrag();
    bool dragging() const { return dragging_; }

signals:
    void pressed(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void moved(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
    void released(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void resized();
    // A key pressed while the canvas has the focus; `handled` set by the receiver.
    void keyPressed(int key, Qt::KeyboardModifiers mods, bool* handled);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // Which points a layer draws.
    enum class Points { All, Selected, Unselected };
    void paintBackground(QPainter& p) const;
    // The curves with these indexes (all when `only` is null), then the points.
    void paintOutline(QPainter& p, const std::vector<int>* only, Points points) const;

    const GarmentOutline& outline_;
    const GarmentView& view_;
    bool grid_ = true;
    QRect band_;
    bool dragging_ = false;
    QPixmap still_;           // everything that does not move during a drag
    std::vector<int> moving_; // the curves that touch a selected point
};

} // namespace lc::ui
