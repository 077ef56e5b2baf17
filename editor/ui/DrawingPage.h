#pragma once
// The Drawing page: the stitch-grid canvas with its rulers, the tool bars
// that choose the drawing tool, the brush size, the zoom, the protected zone,
// the view mode and the garment mode, the palette grid, the colour bobbins,
// the star preview and the status bar.
//
// The page owns no pattern data: it sets the editor state of the workspace it
// is given, which the canvas and the tool engine read, and offers the handlers
// the main window calls for the other pages. The editor engine's announcements
// (read-outs, bobbins, undo button) come straight to the page; what another
// page must do goes out through PageLinks. A page with no main window (tests)
// answers the garment-mask request itself.
#include <QColor>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "core/Workspace.h"
#include "editor/EditorInterfaces.h"
#include "editor/LibraryPatternSource.h"
#include "editor/ToolCodes.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QSlider;
class QStatusBar;
class QToolButton;

namespace lc {
class PageLinks;
} // namespace lc

namespace lc::ui {

class StitchCanvas;
class HorizontalScrollRuler;
class VerticalScrollRuler;
class PaletteGrid;
class BobbinLabel;
class StarPreview;
class TechniquePanel;
class TensionCalculatorDialog;
class TextToolDialog;

class DrawingPage : public QWidget {
    Q_OBJECT
public:
    // `links` reaches the other pages through the main window; may be null.
    explicit DrawingPage(Workspace& ws, QWidget* parent = nullptr, PageLinks* links = nullptr);
    ~DrawingPage() override;

    // --- handlers the main window calls -------------------------------------
    void OnShowForm();
    // "New Stich Pattern": empty pattern, undo off, garment mode and zone off.
    void ResetView();
    void MakeBobbins();
    void ShowPosition(int column, int row);
    void ShowBlockSize(int width, int height);
    void ShowColorInPalette(int index);
    void EnablePatternInsert();
    void InsertConverted();
    void CancelTool();
    void UndoEnable();
    void UndoDisable();
    void RepaintPicture();
    void ClearPicture(bool saveUndo);
    // A drawing from elsewhere (a model item) replaces the pattern as one undo step.
    void ReplacePicture(const std::function<void(PatternRaster&)>& apply);
    void AdjustSize();
    void FormResize();
    void SetRulerUnits();
    // Garment mode was switched off elsewhere (the mask could not be built).
    void ReleaseMaskButton();
    // The editor state was restored (autosave): the garment and zone buttons follow it.
    void ShowRestoredModes();
    // The Link page's current technique, for the status bar.
    void ShowTechniqueName(const QString& name);
    // "Print": the print dialog for the pattern (the copied block is offered
    // as the selection); also the main window's Print menu entry.
    void PrintPattern();
    // "Add Text": the text dialog; the canvas repaints when text was put.
    void ShowTextTool();
    // The tension and yarn calculator.
    void ShowCalculator();
    // The gauge changed (calculator): cell heights, stitch pictures, rulers
    // and the garment mask follow it.
    void GaugeChanged();

    // --- pieces ------------------------------------------------------------
    StitchCanvas* canvas() const { return canvas_; }
    HorizontalScrollRuler* hScrollRuler() const { return hRuler_; }
    VerticalScrollRuler* vScrollRuler() const { return vRuler_; }
    PaletteGrid* paletteGrid() const { return grid_; }
    QLabel* bobbinA() const;
    QLabel* bobbinB() const;
    QStatusBar* statusBar() const { return status_; }
    // Status panels 1 (column), 2 (row), 3 (block size).
    QString statusText(int panel) const;
    QString technicText() const;
    QToolButton* unitsButton() const { return unitsBtn_; }
    // A drawing-tool button by its tag (0..27), a tag button (100..103,
    // 201..204, 301..303) or a brush-size button (1000 + size).
    QAbstractButton* button(int tag) const;
    // The Open/Menu, Save and Help buttons, bound by the main window.
    QToolButton* openButton() const { return openBtn_; }
    QToolButton* saveButton() const { return saveBtn_; }
    QToolButton* helpButton() const { return helpBtn_; }
    QToolButton* printButton() const { return printBtn_; }
    TensionCalculatorDialog* calculator() const { return calculator_; }
    TextToolDialog* textTool() const { return textTool_; }
    QWidget* starPanel() const { return panel8_; }
    QWidget* garmentPanel() const { return panel6_; }
    QSlider* vertexSlider() const { return polyVertex_; }
    QSlider* depthSlider() const { return polyFactor_; }
    int MarkedColor() const { return markedColor_; }
    // Cursor id the canvas shows, -1 for the default arrow.
    int canvasCursorId() const { return cursorId_; }

    // Where "Paste Pattern" takes the selected gallery pattern from; by
    // default the open pattern library.
    void setPatternSource(IPatternSource* source);
    LibraryPatternSource& librarySource() { return librarySource_; }
    // The colour dialog; replaceable so that it can be answered without a person.
    using ColorPicker = std::function<std::optional<QColor>(const QColor& initial)>;
    void setColorPicker(ColorPicker picker) { colorPicker_ = std::move(picker); }

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    class Events;

    void FormCreate();
    void buildToolBars(QWidget* top, QWidget* left);
    void buildStatusBar();

    // ToolBar3: a tool button was clicked.
    void toolButtonClicked(int tag);
    // ToolBar1: a brush size was chosen.
    void brushSizeChosen(int size);
    // Zoom, fit, grab, zone, view, undo, clear, reflect.
    void viewButtonClicked(int tag, bool down);
    // "Add Garment", on release.
    void addGarmentReleased();
    void zoomRefresh();
    void horizontalScrollChanged();
    void ChangeRulesStartPos();
    void UnitsBtnClick();
    void paletteReleased(bool right, int column);
    void paletteDoubleClicked();
    void bobbinClicked();
    void PolyVertexTBChange();
    void canvasMouseMoved(int x, int y);

    // Brush tool pressed, its cursor shown, Grab released (without restoring).
    void selectBrushTool();
    void setCanvasCursor(int id);
    int brushCursor() const;
    int eraserCursor() const;
    void showStarPanel(bool star);
    void setShapeButtonsEnabled(bool on);
    // The garment, reflect, zone and Set Zone buttons follow the garment mode
    // and the zone of the editor state; a Set Zone tool in use gives way to the brush.
    void showModeButtons();

    Workspace& ws_;
    PageLinks* links_ = nullptr;
    std::unique_ptr<Events> events_;
    LibraryPatternSource librarySource_;
    ColorPicker colorPicker_;
    QColor lastDialogColour_ = Qt::white;

    QWidget* panel3_ = nullptr; // the drawing area
    StitchCanvas* canvas_ = nullptr;
    HorizontalScrollRuler* hRuler_ = nullptr;
    VerticalScrollRuler* vRuler_ = nullptr;
    QToolButton* unitsBtn_ = nullptr;
    PaletteGrid* grid_ = nullptr;
    BobbinLabel* bobbinA_ = nullptr;
    BobbinLabel* bobbinB_ = nullptr;
    QStatusBar* status_ = nullptr;
    QLabel* statusPanels_[4] = {};
    TechniquePanel* technic_ = nullptr;
    QWidget* panel6_ = nullptr;
    QWidget* panel8_ = nullptr;
    QSlider* polyVertex_ = nullptr;
    QSlider* polyFactor_ = nullptr;
    StarPreview* polyBox_ = nullptr;
    QToolButton* openBtn_ = nullptr;
    QToolButton* saveBtn_ = nullptr;
    QToolButton* helpBtn_ = nullptr;
    QToolButton* printBtn_ = nullptr;
    TensionCalculatorDialog* calculator_ = nullptr; // made once, kept between showings
    TextToolDialog* textTool_ = nullptr;

    QButtonGroup* tools_ = nullptr; // ToolBar3, by tag
    QButtonGroup* sizes_ = nullptr; // ToolBar1, by size
    std::map<int, QAbstractButton*> tagButtons_;

    int markedColor_ = -1;
    int cursorId_ = -1;
    ToolCode savedTool_{}; // the tool waiting while Grab is held
    int savedCursor_ = -1;
};

} // namespace lc::ui
