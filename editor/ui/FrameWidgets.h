#pragma once
// The small owner-drawn pieces of the Drawing page: the palette grid in the
// status bar, the colour bobbins, the star/polygon preview and the technique
// panel of the status bar.
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include "core/EditorState.h"
#include "core/PatternRaster.h"
#include "core/UIText.h"
#include "core/ui/PaintedParts.h"

namespace lc::ui {

// One row of 16 palette cells, 20 x 20 pixels each with a 1-pixel grid line.
// Cell i shows palette colour i, "A" / "B" on the cells of colours A and B and
// a dot on the marked colour (the dropper's), all in the colour's contrast colour.
// Its cells are its accessible parts: pressing one makes it colour A, its
// second action colour B.
class PaletteGrid : public QWidget, public PaintedParts {
    Q_OBJECT
public:
    static constexpr int kCells = 16;
    static constexpr int kCellSize = 20;
    static constexpr int kPitch = kCellSize + 1; // cell plus grid line

    // Shows `colors` (the pattern's) with the editor's colours A and B.
    PaletteGrid(const ColorTable17& colors, const EditorState& editor, QWidget* parent = nullptr);

    int markedColor() const { return marked_; }
    void setMarkedColor(int index);
    // The column chosen by the last press (the grid's current column).
    int currentColumn() const { return current_; }
    QRect cellRect(int column) const;

    // PaintedParts: the 16 cells.
    int partCount() const override { return kCells; }
    QString partName(int part) const override;
    QRect partRect(int part) const override { return cellRect(part); }
    QStringList partActions(int part) const override;
    void doPartAction(int part, const QString& action) override;
    static QString colorBAction() { return QStringLiteral("Set Color B"); }

signals:
    // Release with the left (or middle) button: the current column is colour A;
    // with the right button the cell under the mouse is colour B.
    void releasedLeft(int column);
    void releasedRight(int column);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    const ColorTable17& colors_;
    const EditorState& editor_;
    int marked_ = -1;
    int current_ = 0;
};

// A bobbin picture that reports clicks.
class BobbinLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// The grey bobbin template, 42 x 49: the red channel is the brightness; the
// corner colour (0, 0) is the background and appears nowhere on the bobbin.
const QImage& BobbinTemplate();
// The template tinted with `colour`: each pixel's channels are the colour's
// scaled by red / 255; the template's background becomes transparent.
QImage MakeBobbinImage(const QImage& tmpl, Color colour);

// The star/polygon preview: `vertices` outer points and the depth of the
// inner ones, drawn filled in red with a black outline.
class StarPreview : public QWidget {
    Q_OBJECT
public:
    explicit StarPreview(QWidget* parent = nullptr);
    void setStar(int vertices, int depth);
    int vertices() const { return n_; }
    int depth() const { return d_; }
    // The 2n points of the outline for a box of the given size.
    static QPolygon StarPolygon(int width, int height, int vertices, int depth);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int n_ = 3, d_ = 5;
};

// Status panel 4: "Technique: " and the name of the current knitting technique,
// which the Link page announces through the main window.
class TechniquePanel : public QWidget {
    Q_OBJECT
public:
    explicit TechniquePanel(const UITextTable& texts, QWidget* parent = nullptr) : QWidget(parent), texts_(texts) {}
    void setName(const QString& name);
    QString text() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    const UITextTable& texts_;
    QString name_;
};

} // namespace lc::ui
