#include "garment/ui/GarmentShapePage.h"

#include <QButtonGroup>
#include <QDate>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/ui/ButtonDown.h"
#include "core/CursorIds.h"
#include "core/Environment.h"
#include "core/ModelFile.h"
#include "core/PageLinks.h"
#include "core/UIText.h"
#include "core/ui/Cursors.h"
#include "core/ui/InLanguage.h"
#include "garment/ui/HorizontalGarmentRuler.h"
#include "garment/ui/OutlineCanvas.h"
#include "garment/ui/VerticalGarmentRuler.h"

namespace lc::ui {

namespace {

constexpr int kTagSelect = 100, kTagAddPoint = 101, kTagDeletePoints = 102, kTagDeleteCurves = 103, kTagSetZero = 104,
              kTagGrid = 105, kTagUndo = 106, kTagClearAll = 107, kTagSymmetric = 108, kTagMirror = 109,
              kTagAlignX = 110, kTagAlignY = 111, kTagZoomIn = 200, kTagZoomOut = 201, kTagFit = 202, kTagGrab = 203,
              kTagRotate = 210, kTagMove = 211, kTagCopy = 212, kTagPaste = 213, kTagAddPiece = 214,
              kTagRemovePiece = 215, kTagConstructor = 216, kTagShape = 300;
constexpr int kShapeButtons = 12;
// The shape buttons' first images: eight with two variants, four with four.
constexpr int kShapeStart[kShapeButtons] = {0, 2, 4, 6, 8, 10, 12, 14, 16, 20, 24, 28};

// The picture of curve kind `kind`: its own polyline from a point stepped as
// the kind steps, fitted into a square of `size` pixels.
QPixmap shapePixmap(int kind, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    GarmentOutline g;
    g.AddPoint(0, 0);
    g.AddSegment(60, 60, static_cast<uint8_t>(kind));
    if (g.CurveCount() == 0) return pm;
    const CurvePolyline pl = g.BuildCurvePoints(0);
    const GarmentBounds b = g.Bounds();
    const double span = std::max(1, std::max(b.MaxX - b.MinX, b.MaxY - b.MinY));
    const double m = size * 0.15, k = (size - 2 * m) / span;
    QPolygonF line;
    for (int i = 0; i < pl.Count; ++i)
        line << QPointF(m + (pl.Points[i].x - b.MinX) * k, size - m - (pl.Points[i].y - b.MinY) * k);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), std::max(1.5, size / 14.0)));
    p.drawPolyline(line);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    const double dot = std::max(2.0, size / 8.0);
    p.drawRect(QRectF(line.first().x() - dot / 2, line.first().y() - dot / 2, dot, dot));
    return pm;
}

// What a screen reader says for shape button `n` showing curve kind `kind`:
// the button, the shape, and which way the curve goes from the selected point.
QString shapeName(int n, int kind) {
    GarmentOutline g;
    g.AddPoint(0, 0);
    g.AddSegment(10, 10, static_cast<uint8_t>(kind));
    QStringList way;
    if (g.PointCount() == 2) {
        const GarmentPoint& end = g.Point(1);
        if (end.Y != 0) way << (end.Y > 0 ? QStringLiteral("up") : QStringLiteral("down"));
        if (end.X != 0) way << (end.X > 0 ? QStringLiteral("right") : QStringLiteral("left"));
    }
    const char* shape = kind < 8 ? "straight line" : (kind < 16 ? "arc" : "curve");
    return QStringLiteral("Shape %1: %2 %3").arg(n + 1).arg(QLatin1String(shape), way.join(QStringLiteral(" and ")));
}

} // namespace

// The undo stack and the mask builder report to the page.
class GarmentShapePage::Listener : public GarmentUndoListener, public IGarmentMaskMessages {
public:
    explicit Listener(GarmentShapePage& page) : page_(page) {}
    void undoEnable() override { page_.undoEnable(); }
    void undoDisable() override { page_.undoDisable(); }
    void ShowGarmentSizeError(int result) override {
        const UITextTable& t = page_.ws_.UIText;
        const int slot =
            result == kMaskTooWide ? utGarmentTooWide : (result == kMaskTooLong ? utGarmentTooLong : utGarmentTooBig);
        page_.message(QString::fromStdString(t[utErrorCaption]), QString::fromStdString(t[slot]));
    }
    void GarmentModeReleased() override {
        if (page_.links_) page_.links_->garmentModeReleased();
    }

private:
    GarmentShapePage& page_;
};

GarmentShapePage::GarmentShapePage(Workspace& ws, QWidget* parent, PageLinks* links)
    : QWidget(parent), ws_(ws), links_(links), listener_(std::make_unique<Listener>(*this)),
      doc_(std::make_unique<GarmentDocument>(listener_.get())) {
    setObjectName(QStringLiteral("GarmentShapePage"));
    showMessage_ = [this](const QString& caption, const QString& text) {
        QMessageBox box(caption.isEmpty() ? QMessageBox::NoIcon : QMessageBox::Critical, caption, text, QMessageBox::Ok,
                        this);
        box.exec();
    };
    RegisterGarmentCursors();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(2);
    auto* top = new QWidget(this);
    outer->addWidget(top);
    auto* middle = new QHBoxLayout;
    outer->addLayout(middle, 1);

    // The paint box between its rulers; the vertical ruler is exactly as
    // high as the paint box, which the mapping relies on.
    auto* drawing = new QGridLayout;
    drawing->setSpacing(0);
    hRuler_ = new HorizontalGarmentRuler(view_.H, this);
    hRuler_->setObjectName(QStringLiteral("HRuler1"));
    hRuler_->setAccessibleName(QStringLiteral("Horizontal ruler"));
    vRuler_ = new VerticalGarmentRuler(view_.V, this);
    vRuler_->setObjectName(QStringLiteral("VRuler1"));
    vRuler_->setAccessibleName(QStringLiteral("Vertical ruler"));
    canvas_ = new OutlineCanvas(doc_->Outline, view_, this);
    canvas_->setAccessibleName(QStringLiteral("Garment outline"));
    drawing->addWidget(hRuler_, 0, 1);
    drawing->addWidget(vRuler_, 1, 0);
    drawing->addWidget(canvas_, 1, 1);
    middle->addLayout(drawing, 1);
    auto* side = new QWidget(this);
    side->setFixedWidth(190);
    middle->addWidget(side);

    connect(canvas_, &OutlineCanvas::pressed, this, &GarmentShapePage::canvasPressed);
    connect(canvas_, &OutlineCanvas::moved, this, &GarmentShapePage::canvasMoved);
    connect(canvas_, &OutlineCanvas::released, this, &GarmentShapePage::canvasReleased);
    connect(canvas_, &OutlineCanvas::resized, this, &GarmentShapePage::canvasResized);
    connect(canvas_, &OutlineCanvas::keyPressed, this,
            [this](int key, Qt::KeyboardModifiers mods, bool* handled) { *handled = HandleKey(key, mods); });

    buildToolBars(top, side);
    buildStatusBar();
    outer->addWidget(status_);
    SetUpUnits();
    setMode(modeSelect, -1);
}

GarmentShapePage::~GarmentShapePage() {
    // The undo stack reports to the listener; it goes after the document.
    doc_.reset();
}

// ---------------------------------------------------------------------------
// Creation

void GarmentShapePage::buildToolBars(QWidget* top, QWidget* side) {
    auto* rows = new QVBoxLayout(top);
    rows->setContentsMargins(2, 2, 2, 0);
    rows->setSpacing(2);
    auto* row1 = new QHBoxLayout;
    auto* row2 = new QHBoxLayout;
    row1->setSpacing(1);
    row2->setSpacing(1);
    rows->addLayout(row1);
    rows->addLayout(row2);

    auto makeButton = [this](QWidget* parent, int tag, const char* name, const QString& hint, const QString& text,
                             bool checkable) {
        auto* b = new QToolButton(parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        // Short or symbolic captions ("Del pt", "|<>|", "?"): the hint is the name.
        if (!hint.isEmpty()) b->setAccessibleName(hint);
        b->setText(text);
        b->setAutoRaise(true);
        b->setCheckable(checkable);
        b->setMinimumSize(28, 28);
        b->setProperty("tag", tag);
        if (tag >= 0) buttons_[tag] = b;
        return b;
    };
    auto gap = [](QHBoxLayout* l) { l->addSpacing(8); };

    // Open/Menu, Save and Help: the main window binds them.
    openBtn_ = makeButton(top, -1, "ToolButton1", "Open/Menu", "Open", false);
    openBtn_->setProperty("tag", 20100);
    saveBtn_ = makeButton(top, -1, "ToolButton3", "Save", "Save", false);
    saveBtn_->setProperty("tag", 20101);
    helpBtn_ = makeButton(top, -1, "ToolButton5", "Help", "?", false);
    helpBtn_->setEnabled(false);
    for (QToolButton* b : {openBtn_, saveBtn_, helpBtn_}) row1->addWidget(b);
    gap(row1);

    QToolButton* zoomIn = makeButton(top, kTagZoomIn, "ToolButton6", "Zoom In", "Zoom", true);
    zoomIn->setIcon(QIcon(CursorById(crGarmentZoomIn).pixmap()));
    connect(zoomIn, &QToolButton::clicked, this, [this](bool down) { zoomInToggled(down); });
    QToolButton* zoomOut = makeButton(top, kTagZoomOut, "ToolButton7", "Zoom out", "Out", false);
    connect(zoomOut, &QToolButton::clicked, this, [this] { ZoomOut(); });
    QToolButton* fit = makeButton(top, kTagFit, "ToolButton8", "Fit To Screen", "Fit", false);
    connect(fit, &QToolButton::clicked, this, [this] { FitToScreen(); });
    QToolButton* grab = makeButton(top, kTagGrab, "ToolButton12", "Grab", "Grab", true);
    grab->setIcon(QIcon(CursorById(crHandGrab).pixmap()));
    connect(grab, &QToolButton::clicked, this, [this](bool down) { grabToggled(down); });
    for (QToolButton* b : {zoomIn, zoomOut, fit, grab}) row1->addWidget(b);
    gap(row1);

    struct TagButton {
        int tag;
        const char* name;
        const char* hint;
        const char* text;
        bool checkable;
    };
    static const TagButton tools[] = {
        {kTagSelect, "ToolButton21", "Select", "Select", true},
        {kTagAddPoint, "ToolButton22", "Add Point", "Point", true},
        {kTagDeletePoints, "ToolButton23", "Delete selected vertexes", "Del pt", false},
        {kTagDeleteCurves, "ToolButton24", "Delete lines between selected vertexes", "Del ln", false},
        {kTagSetZero, "ToolButton13", "Set Zero", "Zero", false},
        {kTagGrid, "ToolButton14", "Show/hide Grid", "Grid", true},
        {kTagUndo, "ToolButton15", "Undo", "Undo", false},
        {kTagClearAll, "ToolButton16", "Clear All", "Clear", false},
        {kTagSymmetric, "ToolButton17", "Set as Symmetrical", "Sym", true},
        {kTagMirror, "ToolButton18", "Mirror", "Mirror", false},
        {kTagAlignX, "ToolButton19", "Align to Left/Right", "|<>|", false},
        {kTagAlignY, "ToolButton20", "Align to Top/Bottom", "=", false},
    };
    auto* modes = new QButtonGroup(this);
    modes->setExclusive(true);
    for (const TagButton& t : tools) {
        QToolButton* b =
            makeButton(top, t.tag, t.name, QString::fromLatin1(t.hint), QString::fromLatin1(t.text), t.checkable);
        row1->addWidget(b);
        const int tag = t.tag;
        if (tag == kTagSelect || tag == kTagAddPoint) modes->addButton(b, tag);
        if (tag == kTagAlignX || tag == kTagAlignY) {
            // Left and right button each align to their own side, on release.
            b->installEventFilter(this);
            connect(b, &QToolButton::clicked, this, [this, tag] { alignReleased(tag, Qt::LeftButton); });
            continue;
        }
        connect(b, &QToolButton::clicked, this, [this, tag] { toolButtonClicked(tag); });
    }
    buttons_[kTagSelect]->setChecked(true);
    buttons_[kTagGrid]->setChecked(true);
    buttons_[kTagUndo]->setEnabled(false);
    row1->addStretch(1);

    // Row 2: the typed steps, Move, rotation, the shape bar, copy and paste.
    auto unitLabel = [top] {
        auto* l = new QLabel(top);
        l->setMinimumWidth(24);
        l->setContentsMargins(2, 0, 4, 0);
        return l;
    };
    // The step fields are named by the labels beside them.
    auto* xLabel = new QLabel(QStringLiteral("X:"), top);
    row2->addWidget(xLabel);
    xStep_ = new QLineEdit(QStringLiteral("0"), top);
    xLabel->setBuddy(xStep_);
    xStep_->setObjectName(QStringLiteral("Edit1"));
    xStep_->setFixedWidth(48);
    row2->addWidget(xStep_);
    xUnit_ = unitLabel();
    xUnit_->setObjectName(QStringLiteral("Label7"));
    row2->addWidget(xUnit_);
    auto* yLabel = new QLabel(QStringLiteral("Y:"), top);
    row2->addWidget(yLabel);
    yStep_ = new QLineEdit(QStringLiteral("0"), top);
    yLabel->setBuddy(yStep_);
    yStep_->setObjectName(QStringLiteral("Edit2"));
    yStep_->setFixedWidth(48);
    row2->addWidget(yStep_);
    yUnit_ = unitLabel();
    yUnit_->setObjectName(QStringLiteral("Label9"));
    row2->addWidget(yUnit_);
    QToolButton* move = makeButton(top, kTagMove, "SpeedButton2", "Move", "Move", false);
    connect(move, &QToolButton::clicked, this, [this] { toolButtonClicked(kTagMove); });
    row2->addWidget(move);
    gap(row2);
    angle_ = new QSpinBox(top);
    angle_->setObjectName(QStringLiteral("Edit3"));
    angle_->setToolTip(QStringLiteral("Rotation Angle"));
    angle_->setAccessibleName(InLanguage(ws_.Settings, "Rotation Angle", "Угол поворота"));
    angle_->setRange(-360, 360);
    angle_->setValue(0);
    row2->addWidget(angle_);
    QToolButton* rotate = makeButton(top, kTagRotate, "SpeedButton1", "CW Rotate", "Rotate", false);
    connect(rotate, &QToolButton::clicked, this, [this] { toolButtonClicked(kTagRotate); });
    row2->addWidget(rotate);
    gap(row2);
    for (int n = 0; n < kShapeButtons; ++n) {
        shapeKinds_[n] = kShapeStart[n];
        const QByteArray name = "ShapeButton" + QByteArray::number(n);
        QToolButton* b = makeButton(top, kTagShape + n, name.constData(), QString(), QString(), false);
        b->setIcon(QIcon(shapePixmap(shapeKinds_[n], 24)));
        b->setAccessibleName(shapeName(n, shapeKinds_[n])); // the button shows a picture only
        b->setIconSize(QSize(24, 24));
        b->installEventFilter(this);
        connect(b, &QToolButton::clicked, this, [this, n] { AddShape(shapeKinds_[n]); });
        row2->addWidget(b);
    }
    gap(row2);
    QToolButton* copy = makeButton(top, kTagCopy, "SpeedButton6", "Copy Selected Part", "Copy", false);
    connect(copy, &QToolButton::clicked, this, [this] { CopySelected(); });
    QToolButton* paste = makeButton(top, kTagPaste, "SpeedButton7", "Paste Selected Part", "Paste", false);
    connect(paste, &QToolButton::clicked, this, [this] { PasteClipboard(); });
    row2->addWidget(copy);
    row2->addWidget(paste);
    row2->addStretch(1);

    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("Image1"));
    preview_->setFixedSize(40, 40);
    preview_->setFrameShape(QFrame::Box);
    preview_->setAutoFillBackground(true);
    preview_->hide();

    // The side: name field, pieces list and its buttons, the constructor.
    auto* col = new QVBoxLayout(side);
    col->setContentsMargins(2, 0, 2, 0);
    nameEdit_ = new QLineEdit(side);
    nameEdit_->setObjectName(QStringLiteral("Edit4"));
    nameEdit_->setToolTip(QStringLiteral("Garment name"));
    nameEdit_->setMaxLength(40);
    nameEdit_->setAccessibleName(InLanguage(ws_.Settings, "Garment name", "Название выкройки"));
    col->addWidget(nameEdit_);
    auto* listButtons = new QHBoxLayout;
    QToolButton* add = makeButton(side, kTagAddPiece, "SpeedButton3", "Add current garment to list", "Add", false);
    connect(add, &QToolButton::clicked, this, [this] { AddPieceToList(); });
    QToolButton* remove =
        makeButton(side, kTagRemovePiece, "SpeedButton4", "Remove selected garment from list", "Remove", false);
    connect(remove, &QToolButton::clicked, this, [this] { RemoveSelectedPiece(); });
    listButtons->addWidget(add);
    listButtons->addWidget(remove);
    col->addLayout(listButtons);
    list_ = new QListWidget(side);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setAccessibleName(InLanguage(ws_.Settings, "Garment list", "Список выкроек"));
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) { LoadPieceFromList(list_->row(it)); });
    col->addWidget(list_, 1);
    QToolButton* constructor =
        makeButton(side, kTagConstructor, "SpeedButton5", "Run Garment Constructor", "Constructor", false);
    constructor->setToolButtonStyle(Qt::ToolButtonTextOnly);
    constructor->setEnabled(false); // until the constructor dialog is attached
    connect(constructor, &QToolButton::clicked, this, [this] { RunConstructor(); });
    col->addWidget(constructor);
}

void GarmentShapePage::buildStatusBar() {
    status_ = new QStatusBar(this);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    status_->setSizeGripEnabled(false);
    for (int i = 0; i < 5; ++i) {
        panels_[i] = new QLabel(status_);
        panels_[i]->setMinimumWidth(i == 4 ? 160 : 110);
        status_->addWidget(panels_[i]);
    }
}

QAbstractButton* GarmentShapePage::button(int tag) const {
    auto it = buttons_.find(tag);
    return it == buttons_.end() ? nullptr : it->second;
}

QString GarmentShapePage::statusText(int panel) const {
    return panel >= 0 && panel < 5 ? panels_[panel]->text() : QString();
}

void GarmentShapePage::setConstructorRunner(std::function<void()> run) {
    constructorRunner_ = std::move(run);
    buttons_[kTagConstructor]->setEnabled(static_cast<bool>(constructorRunner_));
}

// ---------------------------------------------------------------------------
// Messages, units, typed lengths

void GarmentShapePage::message(const QString& caption, const QString& text) {
    if (showMessage_) showMessage_(caption, text);
}

void GarmentShapePage::messageError(const std::exception& e) {
    message(QString::fromStdString(ws_.UIText[utErrorCaption]), QString::fromStdString(e.what()));
}

void GarmentShapePage::SetUpUnits() {
    const bool inches = ws_.Settings.Units == 1;
    view_.SetScales(0.5, 0.5);
    view_.H.Units = view_.V.Units = inches ? LengthUnit::Inches : LengthUnit::Centimetres;
    const QString unit = inches ? QStringLiteral("\"") : QStringLiteral("cm");
    xUnit_->setText(unit);
    yUnit_->setText(unit);
    repaintRulers();
    RedrawAll();
}

int GarmentShapePage::typedMm(QLineEdit* edit) {
    const QString text = edit->text().trimmed();
    bool ok = false;
    double v = QLocale().toDouble(text, &ok);
    if (!ok) v = QLocale::c().toDouble(text, &ok);
    std::optional<int32_t> mm;
    if (ok) mm = TypedLengthToMm(v, ws_.Settings.Units);
    if (!mm) {
        message(QString(), QString::fromStdString(ws_.UIText[utCheckValues]));
        return 0;
    }
    return *mm;
}

QString GarmentShapePage::lengthText(double mm) const {
    if (ws_.Settings.Units == 1) return QString::number(mm / 25.4, 'f', 1) + QStringLiteral("\"");
    return QString::number(mm / 10.0, 'f', 1) + QStringLiteral(" cm");
}

// ---------------------------------------------------------------------------
// Drawing

void GarmentShapePage::repaintRulers() {
    hRuler_->update();
    vRuler_->update();
}

void GarmentShapePage::RedrawAll() {
    SetButtonDown(buttons_[kTagSymmetric], doc_->Outline.IsSymmetric());
    showSelectionSize();
    canvas_->update();
}

void GarmentShapePage::showSelectionSize() {
    const UITextTable& t = ws_.UIText;
    const int64_t w = doc_->Outline.SelectionWidth(false), h = doc_->Outline.SelectionHeight(false);
    panels_[2]->setText(w < 1 ? QString() : QString::fromStdString(t[utGarmentWidth]) + lengthText(double(w)));
    panels_[3]->setText(h < 1 ? QString() : QString::fromStdString(t[utGarmentHeight]) + lengthText(double(h)));
}

void GarmentShapePage::showPointer(QPoint at) {
    hRuler_->DrawMarker(at.x());
    vRuler_->DrawMarker(at.y());
    const bool inches = ws_.Settings.Units == 1;
    auto value = [inches](double cm) {
        return inches ? QString::number(cm / 2.54, 'f', 1) + QStringLiteral("\"")
                      : QString::number(cm, 'f', 1) + QStringLiteral(" cm");
    };
    panels_[0]->setText(QStringLiteral("X: ") + value(hRuler_->PixelToValue(at.x())));
    panels_[1]->setText(QStringLiteral("Y: ") + value(vRuler_->PixelToValue(at.y())));
    const GarmentOutline& g = doc_->Outline;
    double mm = 0;
    const int first = g.FirstSelected();
    if (first >= 0 && g.NextSelected(first) < 0) {
        const GarmentPoint& p = g.Point(first);
        mm = std::hypot(double(view_.XToMm(at.x())) - p.X, double(view_.YToMm(at.y())) - p.Y);
    } else if (first >= 0) {
        mm = g.SelectedLength();
    }
    const QString number = inches ? QString::number(mm / 25.4, 'f', 1) : QString::number(mm / 10.0, 'f', 1);
    panels_[4]->setText(QString::fromStdString(ws_.UIText[utLengthDistance]) + number);
}

void GarmentShapePage::canvasResized() {
    const bool first = !view_.Sized();
    view_.SetSize(canvas_->width(), canvas_->height());
    // At the first layout the zero goes to the middle of the paint box.
    if (first) view_.SetZeroAt(canvas_->width() / 2, canvas_->height() / 2);
    if (fitPending_) FitToScreen();
    else repaintRulers();
}

// ---------------------------------------------------------------------------
// Modes and buttons

void GarmentShapePage::setMode(int mode, int cursor) {
    mode_ = mode;
    cursorId_ = cursor;
    canvas_->setCursor(cursor < 0 ? QCursor(Qt::ArrowCursor) : CursorById(cursor));
}

void GarmentShapePage::zoomInToggled(bool down) {
    if (down) {
        SetButtonDown(buttons_[kTagGrab], false);
        SetButtonDown(buttons_[kTagSelect], false);
        SetButtonDown(buttons_[kTagAddPoint], false);
        setMode(modeZoom, crGarmentZoomIn);
    } else {
        SetButtonDown(buttons_[kTagSelect], true);
        setMode(modeSelect, -1);
    }
}

void GarmentShapePage::grabToggled(bool down) {
    if (down) {
        SetButtonDown(buttons_[kTagZoomIn], false);
        SetButtonDown(buttons_[kTagSelect], false);
        SetButtonDown(buttons_[kTagAddPoint], false);
        // The mode stays; a press while Grab is down pans.
        cursorId_ = crHandGrab;
        canvas_->setCursor(CursorById(crHandGrab));
    } else {
        SetButtonDown(buttons_[kTagSelect], true);
        setMode(modeSelect, -1);
    }
}

void GarmentShapePage::edit(const std::function<void()>& change) {
    try {
        doc_->Undo.Push(doc_->Outline);
        change();
    } catch (const std::exception& e) {
        messageError(e);
    }
    RedrawAll();
}

void GarmentShapePage::toolButtonClicked(int tag) {
    GarmentOutline& g = doc_->Outline;
    switch (tag) {
    case kTagSelect:
    case kTagAddPoint:
        SetButtonDown(buttons_[kTagZoomIn], false);
        SetButtonDown(buttons_[kTagGrab], false);
        if (tag == kTagSelect) setMode(modeSelect, -1);
        else setMode(modeAddPoint, crAddPoint);
        break;
    case kTagDeletePoints: DeleteSelectedPoints(); break;
    case kTagDeleteCurves: edit([&] { g.DeleteSelectedCurves(); }); break;
    case kTagSetZero: SetZero(); break;
    case kTagGrid: canvas_->setGridShown(buttons_[kTagGrid]->isChecked()); break;
    case kTagUndo: Undo(); break;
    case kTagClearAll: edit([&] { g.Clear(); }); break;
    case kTagSymmetric: {
        const bool down = buttons_[kTagSymmetric]->isChecked();
        edit([&] {
            if (down) g.MakeSymmetric();
            else g.ClearSymmetry();
        });
        break;
    }
    case kTagMirror: edit([&] { g.AddMirrorCopy(); }); break;
    case kTagRotate: {
        const int degrees = angle_->value();
        edit([&] { g.Rotate(degrees); });
        break;
    }
    case kTagMove: {
        // Both fields are read first, so a bad value leaves no empty undo step.
        const int dx = typedMm(xStep_), dy = typedMm(yStep_);
        edit([&] { g.MoveSelected(dx, dy); });
        break;
    }
    default: break;
    }
}

void GarmentShapePage::alignReleased(int tag, Qt::MouseButton button) {
    const bool right = button == Qt::RightButton;
    const int mode = tag == kTagAlignX ? (right ? 2 : 1) : (right ? 4 : 3);
    edit([&] { doc_->Outline.AlignSelected(mode); });
}

bool GarmentShapePage::eventFilter(QObject* watched, QEvent* e) {
    auto* b = qobject_cast<QToolButton*>(watched);
    if (!b || (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonRelease))
        return QWidget::eventFilter(watched, e);
    auto* me = static_cast<QMouseEvent*>(e);
    if (me->button() != Qt::RightButton) return QWidget::eventFilter(watched, e);
    const int tag = b->property("tag").toInt();
    if (tag == kTagAlignX || tag == kTagAlignY) {
        if (e->type() == QEvent::MouseButtonRelease) alignReleased(tag, Qt::RightButton);
        return true;
    }
    if (tag >= kTagShape && tag < kTagShape + kShapeButtons) {
        const int n = tag - kTagShape;
        if (e->type() == QEvent::MouseButtonPress) {
            shapeKinds_[n] = NextShapeVariant(shapeKinds_[n]);
            b->setIcon(QIcon(shapePixmap(shapeKinds_[n], 24)));
            b->setAccessibleName(shapeName(n, shapeKinds_[n]));
            preview_->setPixmap(shapePixmap(shapeKinds_[n], 38));
            preview_->move(mapFromGlobal(b->mapToGlobal(QPoint(0, b->height() + 2))));
            preview_->raise();
            preview_->show();
        } else {
            preview_->hide();
        }
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

// ---------------------------------------------------------------------------
// Operations (also the main window's keys)

void GarmentShapePage::Undo() {
    doc_->Undo.Undo(doc_->Outline);
    ws_.Editor.ChangeFlags |= kGarmentChanged;
    RedrawAll();
}

void GarmentShapePage::undoEnable() {
    buttons_[kTagUndo]->setEnabled(true);
    ws_.Editor.ChangeFlags |= kGarmentChanged;
}

void GarmentShapePage::undoDisable() { buttons_[kTagUndo]->setEnabled(false); }

bool GarmentShapePage::HandleKey(int key, Qt::KeyboardModifiers mods) {
    const int step = (mods & Qt::ShiftModifier) ? 10 : ((mods & Qt::ControlModifier) ? 1 : 5);
    switch (key) {
    case Qt::Key_Left: MoveSelectedBy(-step, 0); return true;
    case Qt::Key_Right: MoveSelectedBy(step, 0); return true;
    case Qt::Key_Up: MoveSelectedBy(0, step); return true;
    case Qt::Key_Down: MoveSelectedBy(0, -step); return true;
    case Qt::Key_Delete: DeleteSelectedPoints(); return true;
    case Qt::Key_C:
        if (!(mods & Qt::ControlModifier)) return false;
        CopySelected();
        return true;
    case Qt::Key_V:
        if (!(mods & Qt::ControlModifier)) return false;
        PasteClipboard();
        return true;
    default: return false;
    }
}

void GarmentShapePage::MoveSelectedBy(int dxMm, int dyMm) {
    edit([&] { doc_->Outline.MoveSelected(dxMm, dyMm); });
}

void GarmentShapePage::DeleteSelectedPoints() {
    edit([&] { doc_->Outline.DeleteSelectedPoints(); });
}

void GarmentShapePage::CopySelected() { doc_->Undo.Copy(doc_->Outline); }

void GarmentShapePage::PasteClipboard() {
    edit([&] { doc_->Undo.Paste(doc_->Outline); });
}

void GarmentShapePage::AddShape(int kind) {
    const int dx = typedMm(xStep_), dy = typedMm(yStep_);
    if (doc_->Outline.FirstSelected() < 0) return;
    edit([&] { doc_->Outline.AddSegment(dx, dy, static_cast<uint8_t>(kind)); });
}

void GarmentShapePage::SetZero() {
    GarmentOutline& g = doc_->Outline;
    const int first = g.FirstSelected();
    if (first < 0) return;
    const GarmentPoint p = g.Point(first);
    try {
        g.MoveAll(-p.X, -p.Y);
    } catch (const std::exception& e) {
        messageError(e);
        return;
    }
    view_.SetZeroAt(view_.MmToX(p.X), view_.MmToY(p.Y));
    repaintRulers();
    RedrawAll();
}

void GarmentShapePage::ZoomOut() {
    view_.ZoomOut();
    repaintRulers();
    RedrawAll();
}

void GarmentShapePage::FitToScreen() {
    // An outline read before the page was ever shown (the autosave at start-up,
    // a model of the Fashion page) is fitted once the paint box has its size.
    if (!view_.Sized()) {
        fitPending_ = true;
        RedrawAll();
        return;
    }
    fitPending_ = false;
    view_.FitToScreen(doc_->Outline);
    repaintRulers();
    RedrawAll();
}

void GarmentShapePage::FitToCenter() {
    view_.FitToCenter(doc_->Outline);
    repaintRulers();
    RedrawAll();
}

// ---------------------------------------------------------------------------
// Mouse on the paint box

void GarmentShapePage::canvasPressed(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    pressAt_ = lastAt_ = at;
    previousMode_ = mode_;
    if (button == Qt::RightButton || buttons_[kTagGrab]->isChecked()) {
        mode_ = modePan;
        return;
    }
    if (button != Qt::LeftButton) return;
    GarmentOutline& g = doc_->Outline;
    switch (mode_) {
    case modeSelect: {
        const bool hit = g.SelectInRect(view_.XToMm(at.x() - 5), view_.YToMm(at.y() - 5), view_.XToMm(at.x() + 5),
                                        view_.YToMm(at.y() + 5), mods & Qt::ShiftModifier);
        if (hit) {
            doc_->Undo.Push(g);
            mode_ = modeDrag;
            dragMmX_ = view_.XToMm(at.x());
            dragMmY_ = view_.YToMm(at.y());
            canvas_->beginDrag();
        } else {
            bandActive_ = true;
            canvas_->setBand(QRect(at, at));
        }
        RedrawAll();
        break;
    }
    case modeZoom:
        bandActive_ = true;
        canvas_->setBand(QRect(at, at));
        break;
    case modeAddPoint: edit([&] { g.AddPoint(view_.XToMm(at.x()), view_.YToMm(at.y())); }); break;
    default: break;
    }
}

void GarmentShapePage::canvasMoved(QPoint at, Qt::MouseButtons, Qt::KeyboardModifiers) {
    showPointer(at);
    switch (mode_) {
    case modeSelect:
    case modeZoom:
        if (bandActive_) canvas_->setBand(QRect(pressAt_, at));
        break;
    case modePan:
        view_.Pan(lastAt_.x(), lastAt_.y(), at.x(), at.y());
        repaintRulers();
        canvas_->update();
        break;
    case modeDrag: {
        const int x = view_.XToMm(at.x()), y = view_.YToMm(at.y());
        try {
            doc_->Outline.MoveSelected(x - dragMmX_, y - dragMmY_);
            dragMmX_ = x;
            dragMmY_ = y;
        } catch (const std::exception&) {
            // A point cannot leave the coordinate range: it stays where it is.
        }
        RedrawAll();
        break;
    }
    default: break;
    }
    lastAt_ = at;
}

void GarmentShapePage::canvasReleased(QPoint at, Qt::MouseButton, Qt::KeyboardModifiers mods) {
    switch (mode_) {
    case modeSelect:
        if (bandActive_) {
            bandActive_ = false;
            canvas_->setBand(QRect());
            doc_->Outline.SelectInRect(view_.XToMm(pressAt_.x()), view_.YToMm(pressAt_.y()), view_.XToMm(at.x()),
                                       view_.YToMm(at.y()), mods & Qt::ShiftModifier);
            RedrawAll();
        }
        break;
    case modePan:
        mode_ = previousMode_;
        RedrawAll();
        break;
    case modeDrag:
        canvas_->endDrag();
        doc_->Outline.DeleteSnappedSelected();
        mode_ = previousMode_;
        RedrawAll();
        break;
    case modeZoom:
        if (bandActive_) {
            bandActive_ = false;
            canvas_->setBand(QRect());
            if (view_.ZoomToRect(pressAt_.x(), pressAt_.y(), at.x(), at.y())) repaintRulers();
            RedrawAll();
        }
        break;
    default: break;
    }
}

// ---------------------------------------------------------------------------
// Pieces list, files, import

void GarmentShapePage::refillList() {
    list_->clear();
    const GarmentProduct& product = doc_->Product;
    for (int i = 0; i < product.PieceCount(); ++i) list_->addItem(QString::fromStdString(product.Piece(i).Name));
}

void GarmentShapePage::AddPieceToList() {
    const int i = doc_->AddPiece(nameEdit_->text().toStdString());
    if (i < 0) return;
    refillList();
    list_->setCurrentRow(i);
}

void GarmentShapePage::RemoveSelectedPiece() {
    const int i = list_->currentRow();
    if (!doc_->RemovePiece(i)) return;
    nameEdit_->clear();
    refillList();
    RedrawAll();
}

void GarmentShapePage::LoadPieceFromList(int i) {
    if (!doc_->LoadPiece(i)) return;
    nameEdit_->setText(QString::fromStdString(doc_->Product.Piece(i).Name));
    list_->setCurrentRow(i);
    ws_.Editor.ChangeFlags |= kGarmentChanged;
    undoDisable();
    FitToCenter();
}

void GarmentShapePage::NewGarments() {
    doc_->NewGarments();
    list_->clear();
    nameEdit_->clear();
    ws_.Editor.ChangeFlags &= static_cast<uint16_t>(~kGarmentChanged);
    undoDisable();
    RedrawAll();
}

bool GarmentShapePage::LoadGarmentsFrom(const QString& file) {
    try {
        doc_->Load(std::filesystem::path(file.toStdString()));
    } catch (const std::exception& e) {
        messageError(e);
        return false;
    }
    nameEdit_->clear();
    refillList();
    ws_.Editor.ChangeFlags |= kGarmentChanged;
    FitToScreen();
    return true;
}

bool GarmentShapePage::SaveGarmentsTo(const QString& file) {
    try {
        return doc_->Product.SaveToFile(std::filesystem::path(file.toStdString()), doc_->Outline);
    } catch (const std::exception& e) {
        messageError(e);
        return false;
    }
}

static const char* const kGarmentFilter = "Garments (*.LCF *.lcf);;All Files (*)";

void GarmentShapePage::LoadGarments() {
    const QString file = QFileDialog::getOpenFileName(
        this, QString(), QString::fromStdString(ws_.Settings.Path_Garment), QString::fromLatin1(kGarmentFilter));
    if (!file.isEmpty()) LoadGarmentsFrom(file);
}

void GarmentShapePage::SaveGarments() {
    QFileDialog dialog(this, QString(), QString::fromStdString(ws_.Settings.Path_Garment),
                       QString::fromLatin1(kGarmentFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("LCF"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    SaveGarmentsTo(dialog.selectedFiles().first());
    RedrawAll();
}

void GarmentShapePage::RunConstructor() {
    if (constructorRunner_) constructorRunner_();
}

bool GarmentShapePage::ImportModel(int modelId, int sizeNo) {
    if (!pieceBuilder_) return false;
    try {
        doc_->ImportModel(std::filesystem::path(ws_.Paths.AppDir), ws_.Settings.LanguageCode, modelId, sizeNo,
                          pieceBuilder_);
    } catch (const std::exception& e) {
        messageError(e);
        return false;
    }
    refillList();
    nameEdit_->clear();
    ws_.Editor.ChangeFlags &= static_cast<uint16_t>(~kGarmentChanged);
    undoDisable();
    RedrawAll();
    return true;
}

// ---------------------------------------------------------------------------
// The main window's calls

void GarmentShapePage::OnShowForm() { canvas_->setFocus(); }

void GarmentShapePage::MakeMask() {
    lc::MakeMask(doc_->Outline, ws_.Raster, ws_.Settings.PixByX, ws_.Settings.PixByY, ws_.Editor.GarmentMode,
                 listener_.get());
}

bool GarmentShapePage::WriteToModel(ModelFile& model, int index) {
    return model.StoreGarment(index, GarmentItemBytes(doc_->Outline));
}

bool GarmentShapePage::ReadFromModel(const ModelFile& model, int index) {
    GarmentOutline read;
    try {
        if (!LoadGarment(model, index, read)) return false;
    } catch (const std::exception& e) {
        messageError(e);
        return false;
    }
    doc_->Outline = std::move(read);
    FitToScreen();
    return true;
}

// ---------------------------------------------------------------------------
// Printing

void GarmentShapePage::Print() {
    if (printRunner_) {
        printRunner_();
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    PrintPage(painter, page, printer.logicalDpiX(), printer.logicalDpiY(), 1.0, false);
}

void GarmentShapePage::PrintPage(QPainter& painter, const QRect& page, double dpiX, double dpiY, double scale,
                                 bool legend) const {
    const GarmentOutline& g = doc_->Outline;
    if (scale == 0) scale = 1.0;
    if (!(dpiX > 0) || !(dpiY > 0) || g.PointCount() < 2) return;
    const bool inches = ws_.Settings.Units == 1;
    // The mirrored half of a symmetric outline counts too, so both stay on the paper.
    GarmentBounds b = g.Bounds();
    const bool symmetric = g.IsSymmetric();
    const int64_t axis2 = symmetric ? 2 * static_cast<int64_t>(g.Point(g.SymmetryAxis()).X) : 0;
    double minX = b.MinX, maxX = b.MaxX;
    if (symmetric) {
        minX = std::min<double>(minX, double(axis2 - b.MaxX));
        maxX = std::max<double>(maxX, double(axis2 - b.MinX));
    }
    const double w = maxX - minX, h = double(b.MaxY) - b.MinY;
    if (w < 1 || h < 1) return;
    const double pageW = page.width() * 25.4 / dpiX, pageH = page.height() * 25.4 / dpiY;
    const double f = std::min((pageW - 40) / w, (pageH - 60) / h) * scale;
    if (!(f > 0)) return;
    auto X = [&](double mm) { return page.left() + std::nearbyint(mm * dpiX / 25.4); };
    auto Y = [&](double mm) { return page.top() + std::nearbyint(mm * dpiY / 25.4); };
    auto at = [&](double x, double y) { return QPointF(X(20 + (x - minX) * f), Y(40 + (b.MaxY - y) * f)); };

    painter.save();
    painter.fillRect(page, Qt::white);
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(std::nearbyint(3 * dpiY / 25.4))));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    painter.drawText(QPointF(X(20), Y(15)), QString::fromStdString(GetVersionText()));
    painter.drawText(QPointF(X(20), Y(20)), QStringLiteral("Printed on:  ") + date);
    painter.drawText(QPointF(X(20), Y(29)), nameEdit_->text());

    // The grid, one line every 2 cm (or inch) of the outline.
    const double s = (inches ? 25.4 : 20.0) * f;
    painter.setPen(QPen(QColor(0, 0, 255), 1, Qt::DotLine));
    for (int k = 0; k < 2000 && k * s < w * f; ++k)
        painter.drawLine(QPointF(X(20 + k * s), Y(40)), QPointF(X(20 + k * s), Y(40 + h * f)));
    for (int k = 0; k < 2000 && k * s < h * f; ++k)
        painter.drawLine(QPointF(X(20), Y(40 + k * s)), QPointF(X(20 + w * f), Y(40 + k * s)));

    painter.setPen(QPen(QColor(0, 128, 0), 6));
    for (int c = 0; c < g.CurveCount(); ++c) {
        const CurvePolyline pl = g.BuildCurvePoints(c);
        QPolygonF line, mirror;
        for (int k = 0; k < pl.Count; ++k) {
            line << at(double(pl.Points[k].x), double(pl.Points[k].y));
            if (symmetric) mirror << at(double(axis2 - pl.Points[k].x), double(pl.Points[k].y));
        }
        painter.drawPolyline(line);
        if (symmetric) painter.drawPolyline(mirror);
    }

    // The scale bar.
    painter.setPen(QPen(QColor(0, 0, 255), 6));
    painter.drawLine(QPointF(X(20), Y(35)), QPointF(X(20 + s), Y(35)));
    painter.drawText(QPointF(X(20 + 1.5 * s), Y(36)), inches ? QStringLiteral("= 1 inch") : QStringLiteral("= 2 cm"));

    painter.setPen(QPen(QColor(255, 0, 0), 8));
    painter.setBrush(Qt::NoBrush);
    for (const GarmentPoint& p : g.Points()) {
        const QPointF c = at(p.X, p.Y);
        painter.drawRect(QRectF(c.x() - 10, c.y() - 10, 20, 20));
        if (!legend) continue;
        const QString text = inches
                                 ? QStringLiteral("(%1\", %2\")").arg(p.X / 25.4, 0, 'f', 1).arg(p.Y / 25.4, 0, 'f', 1)
                                 : QStringLiteral("(%1, %2)").arg(p.X / 10.0, 0, 'f', 1).arg(p.Y / 10.0, 0, 'f', 1);
        painter.setPen(Qt::black);
        painter.drawText(c, text);
        painter.setPen(QPen(QColor(255, 0, 0), 8));
    }
    painter.restore();
}

} // namespace lc::ui
