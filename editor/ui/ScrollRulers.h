#pragma once
// The rulers beside the stitch-grid canvas: stitch and row numbers (from 1,
// or from the centre of the needle bed), or lengths in centimetres or inches,
// with a cursor line that follows the mouse; and the panels that hold a ruler
// with two arrow buttons which scroll the view by a page.
#include <QImage>
#include <QWidget>

#include "editor/RulerLayout.h"

class QToolButton;

namespace lc::ui {

// The state both rulers share; the tick layout itself is RulerLayout.
class RulerBase : public QWidget {
    Q_OBJECT
public:
    explicit RulerBase(bool vertical, QWidget* parent = nullptr);

    MeasureUnit Units() const { return p_.Units; }
    void setUnits(MeasureUnit u) { p_.Units = u; }
    int Scale() const { return p_.Scale; }
    void setScale(int s) { p_.Scale = s; }
    int StartPosition() const { return p_.StartPosition; }
    void setStartPosition(int v) { p_.StartPosition = v; }
    int ZeroPosition() const { return p_.ZeroPosition; }
    void setZeroPosition(int v) { p_.ZeroPosition = v; }
    double StitchSize() const { return p_.StitchSize; }
    void setStitchSize(double v) { p_.StitchSize = v; }
    QColor Color() const { return color_; }
    void setColor(const QColor& c) { color_ = c; }
    int cursorPosition() const { return cursor_; }

    // The ticks for the ruler's present length.
    std::vector<RulerTick> ticks() const;
    // Moves the cursor line to pixel `p` (x, or y on the vertical ruler).
    void DrawCursor(int p);

protected:
    void paintEvent(QPaintEvent* e) override;
    RulerParams p_;

private:
    QRect cursorStrip(int p) const;
    bool vertical_;
    QColor color_{255, 255, 0};
    int cursor_ = 1;
};

class HorizontalMeasureRuler : public RulerBase {
    Q_OBJECT
public:
    explicit HorizontalMeasureRuler(QWidget* parent = nullptr);
    StitchNumbering StitchMode() const { return p_.StitchMode; }
    void setStitchMode(StitchNumbering m) { p_.StitchMode = m; }
    int MaxStitch() const { return p_.MaxStitch; }
    void setMaxStitch(int v) { p_.MaxStitch = v; }
};

class VerticalMeasureRuler : public RulerBase {
    Q_OBJECT
public:
    explicit VerticalMeasureRuler(QWidget* parent = nullptr);
};

// A ruler with a step-back and a step-forward button over its two ends.
// Position is the first stitch (or row) of the view.
class ScrollRulerBase : public QWidget {
    Q_OBJECT
public:
    int Position() const { return position_; }
    // Sets the position without announcing it (the view already stands there).
    void setPosition(int v) { position_ = v; }
    int Min() const { return min_; }
    void setMin(int v) { min_ = v; }
    int Max() const { return max_; }
    void setMax(int v) { max_ = v; }
    int PageSize() const { return pageSize_; }
    void setPageSize(int v) { pageSize_ = v; }

    RulerBase* ruler() const { return ruler_; }
    QToolButton* backButton() const { return back_; }
    QToolButton* forwardButton() const { return forward_; }

    void SetScale(int s) { ruler_->setScale(s); }
    void SetStitchSize(double s) { ruler_->setStitchSize(s); }
    void SetUnits(MeasureUnit u) { ruler_->setUnits(u); }
    void SetStartPosition(int v);
    void DrawCursor(int p) { ruler_->DrawCursor(p); }

    // Ruler start := Position, repaint, then changed().
    void Change();
    // Position - PageSize, not below Min; then Change.
    void StepBack();
    // Position + PageSize; when that page would pass Max, Max - PageSize; then Change.
    void StepForward();

signals:
    void changed(); // OnChanged

protected:
    ScrollRulerBase(RulerBase* ruler, bool vertical, int max, int pageSize, QWidget* parent);
    void resizeEvent(QResizeEvent* e) override;

private:
    RulerBase* ruler_;
    QToolButton* back_;
    QToolButton* forward_;
    bool vertical_;
    int position_ = 0, min_ = 0, max_, pageSize_;
};

class HorizontalScrollRuler : public ScrollRulerBase {
    Q_OBJECT
public:
    explicit HorizontalScrollRuler(QWidget* parent = nullptr);
    HorizontalMeasureRuler* hruler() const { return static_cast<HorizontalMeasureRuler*>(ruler()); }
    void SetStitchMode(StitchNumbering m) { hruler()->setStitchMode(m); }
    void SetMaxStitch(int v) { hruler()->setMaxStitch(v); }
};

class VerticalScrollRuler : public ScrollRulerBase {
    Q_OBJECT
public:
    explicit VerticalScrollRuler(QWidget* parent = nullptr);
};

} // namespace lc::ui
