#pragma once
// The Garment Shape page: the working garment outline on a paint box between
// two measuring rulers, edited with the mouse, the tool buttons and the shape
// bar; the pieces list of the product with its name field; the undo stack and
// clipboard; Open and Save of garments files; import of a catalogue model's
// pieces; printing; and the garment mask that the Drawing page lays over the
// pattern. The non-visual work is the engine's (GarmentDocument, GarmentView).
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "core/Workspace.h"
#include "garment/GarmentDocument.h"
#include "garment/GarmentMask.h"
#include "garment/GarmentView.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QSpinBox;
class QStatusBar;
class QToolButton;

namespace lc {
class PageLinks;
} // namespace lc

namespace lc::ui {

class OutlineCanvas;
class HorizontalGarmentRuler;
class VerticalGarmentRuler;

class GarmentShapePage : public QWidget {
    Q_OBJECT
public:
    // The mouse modes of the paint box.
    enum Mode { modeSelect = 100, modePan = 110, modeZoom = 130, modeAddPoint = 140, modeDrag = 170 };

    // `links` reaches the other pages through the main window; may be null.
    explicit GarmentShapePage(Workspace& ws, QWidget* parent = nullptr, PageLinks* links = nullptr);
    ~GarmentShapePage() override;

    GarmentDocument& document() { return *doc_; }
    GarmentView& view() { return view_; }
    GarmentOutline& outline() { return doc_->Outline; }

    // --- called by the main window -----------------------------------------
    void OnShowForm();
    // Rebuilds the pattern's garment mask from the working outline; on failure
    // garment mode goes off and the Drawing page's button is released.
    void MakeMask();
    // The rulers follow the Units setting (centimetres or inches), scale 0.5 px/mm.
    void SetUpUnits();
    // The Fashion page's model: store or read the outline as item `index`.
    bool WriteToModel(ModelFile& model, int index);
    bool ReadFromModel(const ModelFile& model, int index);

public slots:
    void NewGarments();
    // Open and Save through the file dialogs ("Garments (*.LCF *.lcf)").
    void LoadGarments();
    void SaveGarments();
    // The same without a dialog; a bad file shows its message and changes nothing.
    bool LoadGarmentsFrom(const QString& file);
    bool SaveGarmentsTo(const QString& file);
    void RedrawAll();
    void Undo();
    // The page's keys (on the paint box): arrows move the selected points by
    // 5 mm (Ctrl 1 mm, Shift 10 mm), Delete deletes them, Ctrl+C and Ctrl+V copy
    // and paste them. True when the key was one of them.
    bool HandleKey(int key, Qt::KeyboardModifiers mods);
    void MoveSelectedBy(int dxMm, int dyMm);
    void DeleteSelectedPoints();
    void CopySelected();
    void PasteClipboard();
    void SetZero();
    void ZoomOut();
    // Before the paint box has first been laid out, the fit waits for it.
    void FitToScreen();
    void FitToCenter();
    // Shape button of kind `kind`: a curve from the selection with the typed steps.
    void AddShape(int kind);
    // The pieces list: add the outline under the name field's text, remove the
    // selected piece, load piece i.
    void AddPieceToList();
    void RemoveSelectedPiece();
    void LoadPieceFromList(int i);
    // The constructor: shows the dialog (set by setConstructorRunner), which
    // calls ImportModel on OK.
    void RunConstructor();
    // Replaces the pieces by those of catalogue model `modelId` in size
    // `sizeNo`; a failure shows its message and keeps the product. True on success.
    bool ImportModel(int modelId, int sizeNo);
    // The main window's Print: the print runner (the print dialog), else the system's print dialog.
    void Print();

public:
    // Draws the outline for printing onto `painter` covering `page` (printer
    // pixels at dpiX, dpiY): scaled to fit the page less margins, with a grid,
    // a scale bar, the name and the version line; `scale` multiplies the fit
    // (0 counts as 1), `legend` writes each point's coordinates.
    void PrintPage(QPainter& painter, const QRect& page, double dpiX, double dpiY, double scale, bool legend) const;

    // --- hooks ---------------------------------------------------------------
    // How catalogue pieces are drafted (the catalogue's builder).
    void setPieceBuilder(CataloguePieceBuilder build) { pieceBuilder_ = std::move(build); }
    // Shows the garment constructor; enables the "Constructor" button.
    void setConstructorRunner(std::function<void()> run);
    void setPrintRunner(std::function<void()> run) { printRunner_ = std::move(run); }
    // Message boxes; replaceable so that tests answer them.
    using MessagePresenter = std::function<void(const QString& caption, const QString& text)>;
    void setMessagePresenter(MessagePresenter show) { showMessage_ = std::move(show); }

    // --- pieces --------------------------------------------------------------
    OutlineCanvas* canvas() const { return canvas_; }
    HorizontalGarmentRuler* hRuler() const { return hRuler_; }
    VerticalGarmentRuler* vRuler() const { return vRuler_; }
    QListWidget* piecesList() const { return list_; }
    QLineEdit* nameEdit() const { return nameEdit_; }
    QLineEdit* xStepEdit() const { return xStep_; }
    QLineEdit* yStepEdit() const { return yStep_; }
    QSpinBox* rotationAngle() const { return angle_; }
    QStatusBar* statusBar() const { return status_; }
    QString statusText(int panel) const;
    // A tool button by its tag (100..111, 200 Zoom In, 201 Zoom out, 202 Fit,
    // 203 Grab, 210 Rotate, 211 Move, 212 Copy, 213 Paste, 214 Add, 215 Remove,
    // 216 Constructor), or shape button n (0..11) as 300 + n.
    QAbstractButton* button(int tag) const;
    // The shape buttons' current kinds.
    int shapeKind(int n) const { return shapeKinds_[n]; }
    QToolButton* openButton() const { return openBtn_; }
    QToolButton* saveButton() const { return saveBtn_; }
    QToolButton* helpButton() const { return helpBtn_; }
    int mode() const { return mode_; }
    // The cursor id the paint box shows, -1 for the arrow.
    int canvasCursorId() const { return cursorId_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    class Listener;

    void buildToolBars(QWidget* top, QWidget* side);
    void buildStatusBar();
    void toolButtonClicked(int tag);
    void zoomInToggled(bool down);
    void grabToggled(bool down);
    void alignReleased(int tag, Qt::MouseButton button);
    void setMode(int mode, int cursor);
    void canvasPressed(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void canvasMoved(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
    void canvasReleased(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void canvasResized();
    void refillList();
    void showSelectionSize();
    void showPointer(QPoint at);
    void repaintRulers();
    void undoEnable();
    void undoDisable();
    // The typed step of a field in millimetres; a bad value shows the message and gives 0.
    int typedMm(QLineEdit* edit);
    QString lengthText(double mm) const;
    void message(const QString& caption, const QString& text);
    void messageError(const std::exception& e);
    // Runs an edit with an undo step before it, then redraws.
    void edit(const std::function<void()>& change);

    Workspace& ws_;
    PageLinks* links_ = nullptr;
    std::unique_ptr<Listener> listener_;
    std::unique_ptr<GarmentDocument> doc_;
    GarmentView view_;
    CataloguePieceBuilder pieceBuilder_;
    std::function<void()> constructorRunner_;
    std::function<void()> printRunner_;
    MessagePresenter showMessage_;

    OutlineCanvas* canvas_ = nullptr;
    HorizontalGarmentRuler* hRuler_ = nullptr;
    VerticalGarmentRuler* vRuler_ = nullptr;
    QListWidget* list_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QLineEdit* xStep_ = nullptr;
    QLineEdit* yStep_ = nullptr;
    QLabel* xUnit_ = nullptr;
    QLabel* yUnit_ = nullptr;
    QSpinBox* angle_ = nullptr;
    QLabel* preview_ = nullptr;
    QStatusBar* status_ = nullptr;
    QLabel* panels_[5] = {};
    QToolButton* openBtn_ = nullptr;
    QToolButton* saveBtn_ = nullptr;
    QToolButton* helpBtn_ = nullptr;
    std::map<int, QAbstractButton*> buttons_;
    int shapeKinds_[12] = {};

    int mode_ = modeSelect;
    int previousMode_ = modeSelect;
    QPoint pressAt_, lastAt_;
    bool bandActive_ = false;
    int dragMmX_ = 0, dragMmY_ = 0;
    int cursorId_ = -1;
    bool fitPending_ = false; // a fit asked for before the paint box had its size
};

} // namespace lc::ui
