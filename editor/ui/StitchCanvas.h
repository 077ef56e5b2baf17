#pragma once
// The stitch-grid canvas of the Drawing page: a window onto the pattern raster
// drawn as cells, rows counted upward from the bottom edge. It owns the
// canvas model (undo stack, selection block) and the drawing-tool engine, and
// turns its mouse events into the engine's press / move / release.
//
// What is on screen lives in a back buffer (an RGB32 image): the picture is
// rendered into a clean copy, the rubber band of the tool in use is drawn over
// it in the back buffer, and a changed preview first puts back the clean
// pixels it covered. paintEvent only copies the back buffer to the widget.
#include <QImage>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "core/PatternRaster.h"
#include "core/Workspace.h"
#include "editor/CanvasModel.h"
#include "editor/CanvasRenderer.h"
#include "editor/EditorInterfaces.h"
#include "editor/ToolEngine.h"

namespace lc::ui {

class StitchCanvas : public QWidget, private IScreen {
    Q_OBJECT
public:
    // Shows the workspace's raster with its editor state, current machine and
    // stitch pictures; the tools write into that raster and state.
    StitchCanvas(Workspace& ws, IEditorEvents* events, QWidget* parent = nullptr);
    ~StitchCanvas() override;

    CanvasModel& model() { return model_; }
    ToolEngine& engine() { return engine_; }
    ViewGeometry& geom() { return model_.geom; }

    void setPatternSource(IPatternSource* source) { engine_.setPatternSource(source); }

    // The cell size of a zoom level (the frame repaints afterwards).
    void setCellSize(int width, int height);
    int cellWidth() const { return model_.geom.cellWidth(); }
    int cellHeight() const { return model_.geom.cellHeight(); }

    // Renders the whole view at once (StitchCanvas.Paint).
    void Paint() { model_.Paint(); }
    void SetOrigin(int column, int row) { model_.SetOrigin(column, row); }
    int RowAtY(int y) const { return model_.geom.RowAtY(y); }
    int ColAtX(int x) const { return model_.geom.ColAtX(x); }

    // What the screen shows: the back buffer with the preview drawn in.
    const QImage& backBuffer() const { return screen_; }
    // Bounding box of the preview now drawn in the back buffer (empty when none).
    QRect overlayRect() const { return overlayRect_; }

signals:
    // The view origin moved by the canvas itself (Grab): the rulers follow.
    void originChanged();
    // Every mouse move over the canvas, in canvas pixels (the rulers' cursor lines).
    void mouseMovedTo(int x, int y);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    // IScreen
    void paintAll() override;
    void drawCell(int column, int row) override;
    void overlayChanged() override;
    void scrolled() override;

    PixelBuffer bufferOf(QImage& img);
    void ensureBuffers();
    void refreshTiles();
    // Puts the clean picture back under the old preview and draws the current one.
    QRect redrawOverlay();
    QRect drawOverlay(const Overlay& o);

    Workspace& ws_;
    PatternRaster& gd_;
    CanvasModel model_;
    ToolEngine engine_;
    CanvasRenderer renderer_;

    QImage picture_; // the rendered picture without preview
    QImage screen_;  // what the widget shows
    QRect overlayRect_;
    int patternW_ = -1, patternH_ = -1; // the pattern size of the last repaint

    // Stitch pictures of the current zoom level as 32-bit pixels (view mode).
    std::vector<uint32_t> tilePixels_;
    StitchTiles tiles_;
    uint64_t tileRevision_ = ~uint64_t(0);
};

} // namespace lc::ui
